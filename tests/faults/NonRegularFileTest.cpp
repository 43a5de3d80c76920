// Files of the folder that are FIFOs or devices, or links to them: refused at once, never waited
// on, read without end or written where nothing keeps the data.
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <sstream>

#include <gtest/gtest.h>

#include "headless/HeadlessRunner.h"
#include "log/LogWriter.h"
#include "script/ScriptLineReader.h"
#include "support/ProgramRun.h"
#include "support/ScopedEnv.h"
#include "support/TempDir.h"

namespace nt {
namespace {

namespace fs = std::filesystem;
using test::ReadFile;

// Long enough for a slow machine; a program that waits on a FIFO waits for ever.
constexpr int kLimitSeconds = 30;

// The two ways a name can hold something that is not a regular file.
const std::pair<const char*, std::function<void(const char*)>> kNotRegular[] = {
    {"FIFO", [](const char* name) { ASSERT_EQ(::mkfifo(name, 0600), 0) << name; }},
    {"link to /dev/null", [](const char* name) { fs::create_symlink("/dev/null", name); }},
};

// What was put at a name is still there as it was, under that name or the one it was set aside
// as.
void ExpectLeftAsItWas(const std::string& what, const std::string& name) {
    const fs::file_status status = fs::symlink_status(name);
    if (what == "FIFO") {
        EXPECT_EQ(status.type(), fs::file_type::fifo) << name;
    } else {
        ASSERT_EQ(status.type(), fs::file_type::symlink) << name;
        EXPECT_EQ(fs::read_symlink(name), "/dev/null");
    }
}

TEST(NonRegularFiles, FifosAndDevicesAreRefusedWithoutWaiting) {
    test::TempDir dir;
    for (const char* name : {"testseqNo.dat", "padselection.dat", "Script.csv"}) {
        ASSERT_EQ(::mkfifo(name, 0600), 0) << name;
    }
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(RunHeadless({.control = "sim", .runScript = true}, {}, out, err), 2);
    EXPECT_EQ(err.str(), "nordteller: Could not open Script.csv\n");
    EXPECT_EQ(out.str(), "message: Could not open Script.csv\n");
    EXPECT_EQ(test::ReadFile("testseqNo.dat"), "0010010010");  // the save replaced the FIFO

    std::filesystem::remove("Script.csv");
    std::filesystem::create_symlink("/dev/zero", "Script.csv");
    EXPECT_FALSE(ScriptLineReader("Script.csv").Opened());
}

// Both simulators' journals: set aside at start-up with a warning, and the books go on in a fresh
// regular file that holds the run's sale.
TEST(NonRegularFiles, JournalsThatAreNotRegularFilesAreSetAsideAndTheBooksGoOn) {
    const struct {
        const char* file;
        const char* what;
        const char* scenario;
        const char* versionLine;
        const char* sale;  // how the journal books the sale
    } journals[] = {
        {"simjournal.dat", "simulator journal", "set 1002 1500\nclick 1004\n",
         "NORDTELLER SIMULATOR JOURNAL 1\n", "|EMVSale|"},
        {"simterminal.dat", "terminal journal", "click 1204\nset 1002 1234\nclick 1004\n",
         "NORDTELLER TERMINAL JOURNAL 1\n", "|M104|"},
    };
    test::ScopedEnv port("NORDTELLER_COM1", std::string("sim"));
    for (const auto& journal : journals) {
        for (const auto& [what, make] : kNotRegular) {
            SCOPED_TRACE(std::string(journal.file) + " as a " + what);
            test::TempDir dir;
            make(journal.file);
            const test::Outcome r = test::RunScenario(journal.scenario, kLimitSeconds);
            EXPECT_EQ(r.status, 0) << r.err;
            const std::string aside = std::string(journal.file) + ".damaged-1";
            EXPECT_NE(r.err.find("nordteller: the " + std::string(journal.what) + " " +
                                 journal.file + " is not a regular file; set aside as " + aside +
                                 ", starting a fresh journal\n"),
                      std::string::npos)
                << r.err;
            ExpectLeftAsItWas(what, aside);
            if (!fs::is_regular_file(fs::symlink_status(journal.file))) {
                ADD_FAILURE() << journal.file << " is not a regular file";
                continue;  // reading a FIFO would wait for ever
            }
            const std::string books = ReadFile(journal.file);
            EXPECT_TRUE(books.starts_with(journal.versionLine)) << books;
            EXPECT_NE(books.find(journal.sale), std::string::npos) << books;
        }
    }
}

const std::string kDaily = "QUORLIN_LOGS/CAN03072026.log";  // the ManualClock's date

// Runs `body` in a process of its own that an alarm ends: a file that makes it wait fails the
// test instead of holding up the whole run.
void WithinLimit(const std::function<void()>& body) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            ::alarm(kLimitSeconds);
            body();
            std::_Exit(::testing::Test::HasFailure() ? 1 : 0);
        },
        ::testing::ExitedWithCode(0), "");
}

// The daily log stops the writer with the reason the failure watch tells the operator.
TEST(NonRegularFiles, DailyLogThatIsNotARegularFileStopsLoggingAtOnce) {
    for (const auto& [what, make] : kNotRegular) {
        SCOPED_TRACE(what);
        WithinLimit([&, make = make] {
            test::TempDir dir;
            fs::create_directory(kLogDirectory);
            make(kDaily.c_str());
            ManualClock clock;
            CLogWriter writer(kLogDirectory, clock);
            LogLine(writer, "Startup");
            EXPECT_FALSE(writer.Flush());
            EXPECT_EQ(writer.StopReason(), "cannot open " + kDaily + ": not a regular file");
        });
    }
}

// A receipt file goes to its "ALT" name, as it does when another program holds it, and the daily
// log says why.
TEST(NonRegularFiles, ReceiptFileThatIsNotARegularFileGoesToItsAltNameAndIsLogged) {
    WithinLimit([] {
        test::TempDir dir;
        fs::create_directory(kLogDirectory);
        ASSERT_EQ(::mkfifo("QUORLIN_LOGS/TC 1.txt", 0600), 0);
        fs::create_symlink("/dev/null", "QUORLIN_LOGS/TC 2.txt");
        ManualClock clock;
        CLogWriter writer(kLogDirectory, clock);
        LogLine(writer, "command");
        LogTrace(writer, "TC 1", "first");
        LogTrace(writer, "TC 2", "second");
        ASSERT_TRUE(writer.Flush());
        EXPECT_EQ(ReadFile("QUORLIN_LOGS/ALTTC 1.txt"), "first\r\n");
        EXPECT_EQ(ReadFile("QUORLIN_LOGS/ALTTC 2.txt"), "second\r\n");
        const auto entry = [](const std::string& line) {
            return "[09:15:02]" + line + "\r\n----------\r\n";
        };
        EXPECT_EQ(ReadFile(kDaily),
                  entry("command") +
                      entry("receipt file QUORLIN_LOGS/TC 1.txt is not a regular file; the "
                            "receipt goes to QUORLIN_LOGS/ALTTC 1.txt") +
                      entry("receipt file QUORLIN_LOGS/TC 2.txt is not a regular file; the "
                            "receipt goes to QUORLIN_LOGS/ALTTC 2.txt"));
        ExpectLeftAsItWas("FIFO", "QUORLIN_LOGS/TC 1.txt");
        ExpectLeftAsItWas("link", "QUORLIN_LOGS/TC 2.txt");
    });
}

}  // namespace
}  // namespace nt
