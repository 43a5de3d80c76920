// Outputs the command line names never replace the program's own files, one another, or an
// input of the run.
#include "app/OutputPaths.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "app/OwnedFiles.h"
#include "front/ScenarioRecorder.h"
#include "platform/Clock.h"
#include "support/ProgramRun.h"
#include "support/TempDir.h"

namespace nt {
namespace {

namespace fs = std::filesystem;

std::optional<std::string> Fault(const std::vector<std::string>& args) {
    CommandLine cl;
    std::string error;
    EXPECT_TRUE(ParseCommandLine(args, cl, error)) << error;
    return OutputPathFault(cl);
}

std::string FaultText(const std::vector<std::string>& args) {
    return Fault(args).value_or("(none)");
}

TEST(OutputPaths, TheProgramsOwnFilesAreRefusedByIdentity) {
    test::TempDir dir;
    test::WriteFile("testseqNo.dat", "0010010020");
    fs::create_directory("sub");
    fs::create_symlink("../testseqNo.dat", "sub/seq-link");
    for (const char* owned : OwnedFiles()) {
        for (const char* option : {"--junit", "--report"}) {
            EXPECT_EQ(FaultText({"--headless", "--run-script", option, owned}),
                      std::string(option) + " '" + owned + "' would overwrite the program's own " +
                          owned);
        }
        EXPECT_TRUE(Fault({"--record", owned})) << owned;
    }
    EXPECT_EQ(FaultText({"--record", "sub/seq-link"}),
              "--record 'sub/seq-link' would overwrite the program's own testseqNo.dat");
    EXPECT_EQ(FaultText({"--run-script", "--report", "sub/../Script.csv"}),
              "--report 'sub/../Script.csv' would overwrite the program's own Script.csv");
    EXPECT_EQ(FaultText({"--headless", "--run-script", "--junit", "./QUORLIN_LOGS/a.xml"}),
              "--junit './QUORLIN_LOGS/a.xml' would overwrite the program's own QUORLIN_LOGS/");
    EXPECT_EQ(FaultText({"--headless", "--run-script", "--junit", dir.path() + "/simjournal.dat"}),
              "--junit '" + dir.path() + "/simjournal.dat' would overwrite the program's own " +
                  "simjournal.dat");
}

TEST(OutputPaths, OutputsAreNeitherEachOtherNorAnInput) {
    test::TempDir dir;
    test::WriteFile("s.scn", "");
    EXPECT_EQ(
        FaultText({"--headless", "--run-script", "--junit", "same.out", "--report", "./same.out"}),
        "--report './same.out' names the same file as --junit");
    EXPECT_EQ(FaultText({"--headless", "--scenario", "s.scn", "--run-script", "--junit", "s.scn"}),
              "--junit 's.scn' would overwrite the scenario (--scenario)");
    EXPECT_EQ(
        FaultText({"--control", "plug.so", "--headless", "--run-script", "--report", "plug.so"}),
        "--report 'plug.so' would overwrite the payment client (--control)");
    EXPECT_FALSE(Fault({"--headless", "--scenario", "-", "--run-script", "--junit", "j.xml",
                        "--report", "r.html"}));
    EXPECT_FALSE(Fault({"--record", "rec.scenario", "--run-script", "--report", "r.html"}));
}

// Refused before start-up: nothing of the run happens and the file keeps what it held. A file
// picked in the window to record to is held to the same rule.
TEST(OutputPaths, RefusalComesBeforeStartUp) {
    test::TempDir dir;
    test::WriteFile("testseqNo.dat", "0010010020");
    test::Outcome r = test::Nordteller("--headless --run-script --junit testseqNo.dat");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err,
              "nordteller: --junit 'testseqNo.dat' would overwrite the program's own "
              "testseqNo.dat\n");
    EXPECT_EQ(test::ReadFile("testseqNo.dat"), "0010010020");
    EXPECT_FALSE(fs::exists("QUORLIN_LOGS"));

    ScenarioRecorder recorder("sim", SystemClock());
    std::string error;
    EXPECT_FALSE(recorder.Start("padselection.dat", error));
    EXPECT_EQ(error,
              "cannot record to 'padselection.dat': it is the program's own padselection.dat");
    EXPECT_FALSE(fs::exists("padselection.dat"));
}

}  // namespace
}  // namespace nt
