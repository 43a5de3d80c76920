// The simulator's journal seen from the built program: each follow-on kind after its original,
// a void after a restart, the journal file in the working folder, and the bundled scripts.
#include <filesystem>

#include <gtest/gtest.h>

#include "support/ProgramRun.h"
#include "support/ScopedEnv.h"
#include "support/TempDir.h"

namespace nt {
namespace {

using test::Nordteller;
using test::Outcome;
using test::ReadFile;
using test::RunScenario;

size_t Count(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
        ++n;
    }
    return n;
}

std::string Text(const char* response) {
    return std::string("<TextResponse>") + response + "</TextResponse>";
}

struct FollowOnCase {
    const char* name;
    const char* scenario;  // the original, then the follow-on twice
    size_t approvals;
    const char* reason;  // the last one's TextResponse
};

void PrintTo(const FollowOnCase& c, std::ostream* os) {
    *os << c.name;
}

class FollowOnEndToEnd : public ::testing::TestWithParam<FollowOnCase> {
  protected:
    test::TempDir dir_;
};

TEST_P(FollowOnEndToEnd, ApprovedOnceThenDeclinedWithItsReason) {
    const FollowOnCase& c = GetParam();
    const Outcome r = RunScenario(std::string("set 1002 2000\n") + c.scenario);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(Count(r.out, Text("APPROVED")), c.approvals) << r.out;
    EXPECT_EQ(Count(r.out, Text(c.reason)), 1u) << r.out;
    EXPECT_TRUE(std::filesystem::exists("simjournal.dat"));
}

INSTANTIATE_TEST_SUITE_P(
    EveryKind, FollowOnEndToEnd,
    ::testing::Values(
        FollowOnCase{"VoidSale", "click 1004\nclick 1007\nclick 1007\n", 2, "ALREADY VOIDED"},
        FollowOnCase{"VoidReturn", "click 1005\nclick 1032\nclick 1032\n", 2, "ALREADY VOIDED"},
        FollowOnCase{"Capture", "click 1065\nclick 1066\nclick 1066\n", 2, "ALREADY CAPTURED"},
        FollowOnCase{"IncrementalAuth",
                     "click 1065\nanswer fields 20.00|20.00|5.00\nclick 1080\n"
                     "answer fields 20.00|20.00|5.00\nclick 1080\n",
                     2, "LAST AUTHORIZED MISMATCH"},
        FollowOnCase{"PartialReversal",
                     "click 1065\nanswer fields 20.00|20.00|5.00\nclick 1068\n"
                     "answer fields 20.00|20.00|5.00\nclick 1068\n",
                     2, "LAST AUTHORIZED MISMATCH"},
        FollowOnCase{"Adjust", "click 1004\nset 1015 300\nclick 1086\nclick 1007\nclick 1086\n", 3,
                     "ALREADY VOIDED"}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(SimJournalEndToEnd, SaleBeforeARestartIsVoidedAfterIt) {
    test::TempDir dir;
    Outcome r = RunScenario("set 1002 1500\nclick 1004\n");
    ASSERT_EQ(r.status, 0) << r.err;
    // A new window knows nothing of the sale; its reference is typed in.
    r = RunScenario("set 1002 1500\nset 1031 0001\nclick 1007\nset 1031 0001\nclick 1007\n");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(Count(r.out, Text("APPROVED")), 1u) << r.out;
    EXPECT_EQ(Count(r.out, Text("ALREADY VOIDED")), 1u) << r.out;

    // A fresh journal when the tester asks for one.
    test::ScopedEnv fresh("NORDTELLER_SIM_FRESH", "1");
    r = Nordteller("--headless --scenario test.scenario");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(Count(r.out, Text("NO MATCHING TRANSACTION")), 2u) << r.out;
}

TEST(SimJournalEndToEnd, BundledScriptsPass) {
    {
        test::TempDir dir;
        std::filesystem::copy_file(NORDTELLER_SOURCE_DIR "/examples/Script.csv", "Script.csv");
        const Outcome r = Nordteller("--headless --run-script");
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_TRUE(
            r.err.ends_with("nordteller: script: 7 test cases, 7 passed, 0 failed, 0 "
                            "skipped\n"))
            << r.err;
    }
    test::TempDir dir;
    std::filesystem::copy_file(NORDTELLER_SOURCE_DIR "/examples/negative/Script.csv", "Script.csv");
    const Outcome r = Nordteller("--headless --scenario '" NORDTELLER_SOURCE_DIR
                                 "/examples/negative/setup.scenario' --run-script");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(
        r.err.ends_with("nordteller: script: 9 test cases, 9 passed, 0 failed, 0 skipped\n"))
        << r.err;
    for (const char* reason : {"ALREADY CAPTURED", "BATCH CLOSED", "ALREADY VOIDED",
                               "NO MATCHING TRANSACTION", "WRONG TRANSACTION TYPE"}) {
        EXPECT_GE(Count(r.out, Text(reason)), 1u) << reason;
    }
    EXPECT_NE(ReadFile("simjournal.dat"), "<missing>");
}

}  // namespace
}  // namespace nt
