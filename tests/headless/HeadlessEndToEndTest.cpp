// Runs the built program in headless mode, as automation does.
#include <algorithm>
#include <filesystem>

#include <gtest/gtest.h>

#include "support/ProgramRun.h"
#include "support/TempDir.h"

namespace nt {
namespace {

namespace fs = std::filesystem;
using test::HasLine;
using test::Nordteller;
using test::Outcome;
using test::ReadFile;
using test::RunScenario;
using test::WriteFile;

class HeadlessEndToEnd : public ::testing::Test {
  protected:
    test::TempDir dir_;
};

TEST_F(HeadlessEndToEnd, StartUpCreatesSequenceFileAndLogDirectory) {
    Outcome r = RunScenario("# start-up and shutdown only\n");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadFile("testseqNo.dat"), "0010010010");
    EXPECT_TRUE(fs::is_directory("QUORLIN_LOGS"));
}

TEST_F(HeadlessEndToEnd, ResetSequenceNoTakesTheDefaultYes) {
    WriteFile("testseqNo.dat", "0010010099");
    Outcome r = RunScenario("dump\nclick 1050\ndump\n");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(HasLine(r.out, "1008\t0010010099"));
    EXPECT_TRUE(HasLine(
        r.out, "question: Reset sequence number to '0010010010'\\r\\nAre You Sure? -> yes"));
    EXPECT_TRUE(HasLine(r.out, "1009\t0010010010"));
    EXPECT_EQ(ReadFile("testseqNo.dat"), "0010010010");
}

TEST_F(HeadlessEndToEnd, ResetSequenceNoAnsweredNoKeepsTheNumber) {
    WriteFile("testseqNo.dat", "0010010099");
    Outcome r = RunScenario("answer no\r\nclick 1050\r\ndump\r\n");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(
        HasLine(r.out, "question: Reset sequence number to '0010010010'\\r\\nAre You Sure? -> no"));
    EXPECT_TRUE(HasLine(r.out, "1008\t0010010099"));
    EXPECT_EQ(ReadFile("testseqNo.dat"), "0010010099");
}

TEST_F(HeadlessEndToEnd, TipRuleShowsInDump) {
    Outcome r = RunScenario("set 1015 250\ndump\nclick 1014\ndump\nclick 1014\ndump\n");
    EXPECT_EQ(r.status, 0) << r.err;
    size_t typed = r.out.find("\n1015\t2.50\n");
    size_t ruled = r.out.find("\n1015\t0.00\tdisabled\n");
    size_t freed = r.out.find("\n1015\t0.00\n");
    ASSERT_NE(typed, std::string::npos) << r.out;
    ASSERT_NE(ruled, std::string::npos);
    ASSERT_NE(freed, std::string::npos);
    EXPECT_LT(typed, ruled);
    EXPECT_LT(ruled, freed);
}

TEST_F(HeadlessEndToEnd, TextsRoundTripThroughWindows1252) {
    Outcome r = RunScenario(
        "set 1037 Cr\xC3\xA9"
        "dit \xE2\x82\xAC\\t\xE4\xB8\xAD\ndump\n");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(HasLine(r.out,
                        "1037\tCr\xC3\xA9"
                        "dit \xE2\x82\xAC\\t?"));
}

TEST_F(HeadlessEndToEnd, ScenarioFromStandardInput) {
    WriteFile("in.txt", "set 1012 from stdin\ndump\n");
    Outcome r = Nordteller("--headless --scenario - < in.txt");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(HasLine(r.out, "1012\tfrom stdin"));
}

// Nothing can be carried out: one line on stderr, and no file of the user's is touched.
TEST_F(HeadlessEndToEnd, RefusedBeforeStartUp) {
    WriteFile("bad1.scenario", "dump\nfly 1004\n");
    WriteFile("bad2.scenario", "# ok\nclick 1016\n");
    fs::create_directory("adir");
    const std::string script = "Run,5,,1,,Sale,0,0,one\r\n";
    WriteFile("Script.csv", script);
    fs::create_symlink("Script.csv", "link.csv");
    const std::pair<const char*, const char*> cases[] = {
        {"--headless --run-script --junit Script.csv",
         "nordteller: --junit 'Script.csv' would overwrite the program's own Script.csv\n"},
        {"--headless --run-script --junit ./adir/../link.csv",
         "nordteller: --junit './adir/../link.csv' would overwrite the program's own "
         "Script.csv\n"},
        {"--headless --run-script --junit /no/such/dir/r.xml",
         "nordteller: cannot write the report '/no/such/dir/r.xml': No such file or directory\n"},
        {"--headless --run-script --junit adir",
         "nordteller: cannot write the report 'adir': Is a directory\n"},
        {"--headless --scenario bad1.scenario",
         "nordteller: scenario line 2: unknown action 'fly'\n"},
        {"--headless --scenario bad2.scenario",
         "nordteller: scenario line 2: unknown identifier '1016'\n"},
        {"--headless --scenario missing.scenario",
         "nordteller: cannot read scenario 'missing.scenario': No such file or directory\n"},
        {"--headless --scenario adir", "nordteller: cannot read scenario 'adir': Is a directory\n"},
        {"--frobnicate", "nordteller: unknown option '--frobnicate' (try --help)\n"},
    };
    for (const auto& [args, err] : cases) {
        Outcome r = Nordteller(args);
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_EQ(r.err, err) << args;
        EXPECT_EQ(r.out, "") << args;
        EXPECT_FALSE(fs::exists("testseqNo.dat")) << args;
        EXPECT_FALSE(fs::exists("QUORLIN_LOGS")) << args;
        EXPECT_EQ(ReadFile("Script.csv"), script) << args;
    }
}

// A sequence file that cannot be saved and a log folder that cannot be used are each told once
// on stderr, however many commands run; the commands themselves go on.
TEST_F(HeadlessEndToEnd, FilesThatCannotBeWrittenAreToldOnce) {
    WriteFile("QUORLIN_LOGS", "a file, not a folder");
    fs::create_directory("testseqNo.dat");
    Outcome r = RunScenario("click 1004\nclick 1004\n");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.err.starts_with(
        "nordteller: Cannot save the POS sequence number to testseqNo.dat: Is a directory\n"
        "nordteller: logging stopped: cannot open QUORLIN_LOGS/CAN"))
        << r.err;
    EXPECT_TRUE(r.err.ends_with(".log: Not a directory\n")) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 2) << r.err;
    EXPECT_TRUE(HasLine(r.out, "wait: OnSaleButton"));
}

// Without its payment client a run whose scenario needs it ends with status 3 and the reason;
// one that never needs it ends well.
TEST_F(HeadlessEndToEnd, CommandThatNeedsTheMissingClientEndsWithStatusThree) {
    WriteFile("idle.scenario", "dump\n");
    WriteFile("sale.scenario", "click 1004\n");
    Outcome idle = Nordteller("--control ./no-such-client.so --headless --scenario idle.scenario");
    EXPECT_EQ(idle.status, 0) << idle.err;
    Outcome r = Nordteller("--control ./no-such-client.so --headless --scenario sale.scenario");
    EXPECT_EQ(r.status, 3);
    const std::string reason = "Cannot load the payment client library ./no-such-client.so: ";
    EXPECT_TRUE(
        r.err.starts_with("nordteller: a command needed the payment client, which could "
                          "not be created: " +
                          reason))
        << r.err;
    EXPECT_TRUE(HasLine(r.out,
                        "message: The payment client is not available: it could not be "
                        "created at start-up. Nothing was sent."));
}

TEST_F(HeadlessEndToEnd, LeftoverAnswerFailsAfterACleanShutdown) {
    Outcome r = RunScenario("dump\nanswer ok\nclick 1050\n");
    EXPECT_EQ(r.status, 2);
    // "ok" fits no question: the question took its default, "ok" was left over.
    EXPECT_TRUE(r.err.ends_with(
        "nordteller: scenario line 2: answer 'ok' was never taken (it does not fit the question "
        "prompt)\n"))
        << r.err;
    EXPECT_TRUE(HasLine(
        r.out, "question: Reset sequence number to '0010010010'\\r\\nAre You Sure? -> yes"));
    EXPECT_EQ(ReadFile("testseqNo.dat"), "0010010010");
}

TEST_F(HeadlessEndToEnd, RunStopsAtALineThatCannotBeCarriedOut) {
    Outcome r = RunScenario("click 2\nset 1012 late\n");
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.err.ends_with("nordteller: scenario line 2: the window is already closed\n"))
        << r.err;
    r = RunScenario("select NoSuchPadType\ndump\n");
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.err.ends_with("nordteller: scenario line 1: no such pad type\n")) << r.err;
    EXPECT_FALSE(HasLine(r.out, "1012\t70"));  // the dump after it did not run
}

TEST_F(HeadlessEndToEnd, VersionAndHelp) {
    Outcome v = Nordteller("--version");
    EXPECT_EQ(v.status, 0);
    EXPECT_EQ(v.out, "nordteller " NORDTELLER_VERSION "\n");
    Outcome h = Nordteller("--help");
    EXPECT_EQ(h.status, 0);
    EXPECT_TRUE(h.out.starts_with(
        "usage: nordteller [--control sim|PATH] [--record FILE]\n"
        "                  [--run-script [--report FILE.html] [--results FILE.jsonl]]\n"
        "                  [--headless [--scenario FILE|-]\n"
        "                              [--run-script [--shard K/N] [--junit FILE]\n"
        "                                            [--report FILE.html]\n"
        "                                            [--results FILE.jsonl]]]\n"
        "                  [--desktop] [-h|--help] [--version]\n"));
    Outcome shortHelp = Nordteller("-h");
    EXPECT_EQ(shortHelp.status, 0);
    EXPECT_EQ(shortHelp.out, h.out);
    EXPECT_FALSE(fs::exists("testseqNo.dat"));
}

TEST_F(HeadlessEndToEnd, BundledDemoScenarioRuns) {
    Outcome r =
        Nordteller("--headless --scenario '" NORDTELLER_SOURCE_DIR "/examples/demo.scenario'");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(HasLine(r.out, "1015\t0.00\tdisabled"));
    EXPECT_TRUE(
        HasLine(r.out, "question: Reset sequence number to '0010010010'\\r\\nAre You Sure? -> no"));
    EXPECT_TRUE(HasLine(r.out, "1203\tKT820"));
    EXPECT_TRUE(HasLine(r.out, "wait: OnBatchcloseButton"));
    EXPECT_TRUE(fs::exists("QUORLIN_LOGS/demo sale.txt"));
}

}  // namespace
}  // namespace nt
