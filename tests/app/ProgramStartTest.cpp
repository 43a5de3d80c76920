// How the built program starts: without a display, from the desktop entry, without its payment
// client.
#include <cstdlib>
#include <filesystem>

#include <gtest/gtest.h>

#include "app/DesktopStart.h"
#include "support/ProgramRun.h"
#include "support/ScopedEnv.h"
#include "support/TempDir.h"

namespace nt {
namespace {

namespace fs = std::filesystem;
using test::Nordteller;
using test::Outcome;
using test::ScopedEnv;

class ProgramStart : public ::testing::Test {
  protected:
    test::TempDir dir_;
};

TEST_F(ProgramStart, NoDisplayIsOneLineAndStatusTwo) {
    ScopedEnv platform("QT_QPA_PLATFORM", std::nullopt);
    ScopedEnv wayland("WAYLAND_DISPLAY", std::nullopt);
    ScopedEnv session("XDG_SESSION_TYPE", std::nullopt);
    for (const char* display : {"", ":9731"}) {  // none, and one nobody serves
        ScopedEnv x("DISPLAY",
                    *display != '\0' ? std::optional<std::string>(display) : std::nullopt);
        Outcome r = Nordteller("");
        EXPECT_EQ(r.status, 2) << display << " signal " << r.signal;
        EXPECT_EQ(r.err, "nordteller: no display could be opened; --headless runs without one\n")
            << display;
        EXPECT_EQ(r.out, "");
        EXPECT_FALSE(fs::exists("testseqNo.dat")) << display;  // start-up never began
        EXPECT_FALSE(fs::exists("QUORLIN_LOGS")) << display;
    }
}

// Started with standard streams closed, the program reads and writes nothing through the
// descriptors its own files would otherwise take: the folder lock holds only its number.
TEST_F(ProgramStart, ClosedStandardStreamsNeverBecomeItsFiles) {
    for (const char* closed : {"<&-", "<&- >&-", ">&- <&-"}) {
        Outcome r = Nordteller(std::string("--headless --scenario - ") + closed);
        EXPECT_EQ(r.status, 0) << closed << ": " << r.err;
        EXPECT_EQ(r.err, "") << closed;
        const std::string lock = test::ReadFile(".nordteller.lock");
        EXPECT_FALSE(lock.empty()) << closed;
        EXPECT_EQ(lock.find_first_not_of("0123456789\n"), std::string::npos)
            << closed << ": " << lock;
    }
}

// In a folder on a read-only file system, the notices name that cause, not a missing file. Needs
// a read-only mount, which only a privileged test run can make.
TEST_F(ProgramStart, ReadOnlyFolderIsToldAsSuch) {
    fs::create_directory("ro");
    if (std::system("mount -t tmpfs -o ro,size=64k tmpfs ro 2>/dev/null") != 0) {
        GTEST_SKIP() << "no read-only file system can be mounted here";
    }
    const fs::path home = fs::current_path();
    fs::current_path("ro");
    Outcome r = Nordteller("--headless --scenario - < /dev/null");
    fs::current_path(home);
    [[maybe_unused]] const int unmounted = std::system("umount -l ro");
    EXPECT_NE(r.err.find("nordteller: logging stopped: cannot open QUORLIN_LOGS/"),
              std::string::npos)
        << r.err;
    EXPECT_NE(
        r.err.find(": the log folder QUORLIN_LOGS could not be made: Read-only file system\n"),
        std::string::npos)
        << r.err;
    EXPECT_EQ(r.err.find("No such file or directory"), std::string::npos) << r.err;
}

TEST_F(ProgramStart, DesktopStartKeepsItsFilesInTheDataFolder) {
    test::WriteFile("empty.scenario", "");
    const std::string scenario = dir_.path() + "/empty.scenario";
    {
        ScopedEnv data("XDG_DATA_HOME", dir_.path() + "/data");
        Outcome r = Nordteller("--desktop --headless --scenario empty.scenario");  // from here
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(test::ReadFile("data/nordteller/testseqNo.dat"), "0010010010");
        EXPECT_TRUE(fs::is_directory("data/nordteller/QUORLIN_LOGS"));
    }
    {
        // A relative XDG_DATA_HOME does not count; the default under HOME applies.
        ScopedEnv data("XDG_DATA_HOME", "relative");
        ScopedEnv home("HOME", dir_.path() + "/home");
        Outcome r = Nordteller("--desktop --headless --scenario '" + scenario + "'");
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_TRUE(fs::exists("home/.local/share/nordteller/testseqNo.dat"));
        EXPECT_FALSE(fs::exists("relative"));
    }
    {
        test::WriteFile("blocker", "");
        ScopedEnv data("XDG_DATA_HOME", dir_.path() + "/blocker");
        Outcome r = Nordteller("--desktop --headless --scenario '" + scenario + "'");
        EXPECT_EQ(r.status, 2);
        EXPECT_TRUE(r.err.starts_with("nordteller: cannot create '" + dir_.path() +
                                      "/blocker/nordteller': "))
            << r.err;
    }
    EXPECT_FALSE(fs::exists("testseqNo.dat"));  // the terminal's folder stays untouched
}

// Every path of the command line means the file where the program was started; "-" for the
// scenario is standard input.
TEST_F(ProgramStart, DesktopStartAnchorsEveryPathWhereTheProgramStarted) {
    ScopedEnv data("XDG_DATA_HOME", dir_.path() + "/data");
    CommandLine commandLine;
    commandLine.scenario = "-";
    commandLine.reports = {{ReportFormat::JUnit, "out/j.xml"}, {ReportFormat::Html, "r.html"}};
    commandLine.record = "rec.scenario";
    commandLine.control = "lib.so";
    std::string error;
    ASSERT_TRUE(EnterDesktopFolder(commandLine, error)) << error;
    EXPECT_EQ(commandLine.scenario, "-");
    EXPECT_EQ(commandLine.reports,
              (std::vector<ReportRequest>{{ReportFormat::JUnit, dir_.path() + "/out/j.xml"},
                                          {ReportFormat::Html, dir_.path() + "/r.html"}}));
    EXPECT_EQ(commandLine.record, dir_.path() + "/rec.scenario");
    EXPECT_EQ(commandLine.control, dir_.path() + "/lib.so");
    EXPECT_EQ(fs::current_path(), fs::path(dir_.path()) / "data" / "nordteller");
}

TEST_F(ProgramStart, LoaderReasonFollowsTheCreationFailure) {
    test::WriteFile("empty.scenario", "");
    Outcome r = Nordteller("--control nothere.so --headless --scenario empty.scenario");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.out.starts_with(
        "message: Failed to Create CardBridgeX.ocx you may need to reinstall the product - Fatal "
        "Error!\\r\\nCannot load the payment client library nothere.so: ./nothere.so: cannot "
        "open shared object file: No such file or directory\n"))
        << r.out;
}

}  // namespace
}  // namespace nt
