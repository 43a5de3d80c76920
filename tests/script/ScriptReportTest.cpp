#include "script/ScriptReport.h"

#include <optional>

#include <gtest/gtest.h>

#include "form/Controls.h"
#include "response/XmlDocument.h"
#include "support/FlowHarness.h"

namespace nt {
namespace {

using Reasons = std::vector<std::string>;
using test::Response;
using test::WriteFile;

std::string WithStatus(const std::string& status) {
    return "<TStream><CmdResponse><CmdStatus>" + status +
           "</CmdStatus><SequenceNo>0010010020</SequenceNo></CmdResponse></TStream>";
}

// Moves the clock while a test case runs, so the report's times are known.
class ClockMover : public ScriptObserver {
  public:
    explicit ClockMover(ManualClock& clock) : clock_(clock) {}
    void OnScriptStarted(int) override {}
    void OnTestCaseStarted(const ScriptTestCase&, int) override {}
    void OnTestCaseEnded(const ScriptTestCase& tc, int, TestCaseOutcome) override {
        clock_.Advance(static_cast<uint64_t>(tc.index) * 10);
    }
    void OnScriptEnded(ScriptEnd) override { clock_.Advance(1); }

  private:
    ManualClock& clock_;
};

// Keeps what the report hands over, as a report file would write it.
struct Collector : TestCaseSink {
    std::vector<TestCaseRecord> testCases;
    std::vector<Verdict> verdicts;
    std::optional<ReportCounts> counts;
    uint64_t elapsedMs = 0;

    void OnRunStarted(const LocalTime&) override {}
    void OnTestCase(const SharedTestCase& testCase, const Verdict& verdict) override {
        testCases.push_back(*testCase);
        verdicts.push_back(verdict);
    }
    void OnRunEnded(const ReportCounts& total, uint64_t ms) override {
        counts = total;
        elapsedMs = ms;
    }
};

class ScriptReportRun : public ::testing::Test {
  protected:
    ScriptReportRun() {
        report.AddSink(&run);
        observers.Add(&mover);
        observers.Add(&report);
        h.dlg->SetScriptObserver(&observers);
        h.dlg->SetCommandObserver(&report);
    }
    void Run(const std::string& script) {
        WriteFile("Script.csv", script);
        h.dlg->OnCommand(id::kRunScript);
    }

    test::FlowHarness h;
    ManualClock clock;
    ClockMover mover{clock};
    ScriptReport report{clock};
    ScriptObserverList observers;
    Collector run;
};

TEST_F(ScriptReportRun, EveryKindOfVerdict) {
    CXmlDocument garbage;
    garbage.Load("garbage");
    h.Reply(WithStatus("Approved"));
    h.Reply(WithStatus("Declined"));
    h.Reply("garbage");
    h.script->replies.push_back(ClientReply{kClientFail, "", "boom"});
    h.Reply("<TStream><CmdResponse><CmdStatus>Approved</CmdStatus></CmdResponse></TStream>");
    h.Reply("<TStream/>");
    h.Reply(WithStatus("Declined"));
    h.Reply(WithStatus("Approved"));
    h.op.testCaseChoices = {1, 1, 1, 1, 1, 1, 1, 2, 1, 1};
    Run("Run,Amount,Tip,Ref,Auth,Type,Options,Lang,Info,Expected\r\n"
        "Run,5,,R,A,Sale,0,0,pass,Approved\r\n"
        "Run,5,,R,A,Sale,0,0,declined,Approved\r\n"
        "Run,5,,R,A,Sale,0,0,not xml,Approved\r\n"
        "Run,5,,R,A,Sale,0,0,no response\r\n"
        "Run,5,,R,A,Sale,0,0,error box\r\n"
        "Run,5,,R,A,Sale,0,0,no status,Approved\r\n"
        "Run,5,,R,A,sale,0,0,invalid\r\n"
        "Run,5,,R,A,Sale,0,0,skipped,Approved\r\n"
        "Run,5,,R,A,Sale,0,0,no expectation\r\n"
        "Run,5,,R,A,Sale,0,0,,Approved\r\n");
    const std::pair<TestCaseStatus, Reasons> expected[] = {
        {TestCaseStatus::kPassed, {}},
        {TestCaseStatus::kFailed, {"expected outcome 'Approved', the response reports 'Declined'"}},
        {TestCaseStatus::kFailed, {"the response is not XML: " + garbage.ErrorText()}},
        {TestCaseStatus::kFailed,
         {"no response came back: the payment client failed",
          "the operator saw the message: The payment client failed the call (error 0x80004005): "
          "boom."}},
        {TestCaseStatus::kFailed,
         {"the operator saw the message: Could Not Extract Sequence No From Response!"}},
        {TestCaseStatus::kFailed,
         {"the operator saw the message: Could Not Extract Sequence No From Response!",
          "expected outcome 'Approved', the response reports no CmdStatus"}},
        {TestCaseStatus::kFailed,
         {"invalid transaction type [sale]",
          "the operator saw the message:  TranType [sale] is invalid. skipping..."}},
        {TestCaseStatus::kSkipped, {"skipped at the test case prompt"}},
        {TestCaseStatus::kPassed, {}},
        {TestCaseStatus::kPassed, {}},
    };
    ASSERT_EQ(run.testCases.size(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i) {
        const TestCaseRecord& tc = run.testCases[i];
        const Verdict& verdict = run.verdicts[i];
        EXPECT_EQ(verdict.status, expected[i].first) << tc.row.Info();
        EXPECT_EQ(verdict.reasons, expected[i].second) << tc.row.Info();
        EXPECT_EQ(tc.line, static_cast<int>(i) + 2);
        EXPECT_EQ(tc.elapsedMs, (i + 1) * 10) << tc.row.Info();
    }
    EXPECT_EQ(TestCaseName(run.testCases[9]), "row 11");
    EXPECT_EQ(TestCaseName(run.testCases[0]), "pass");
    EXPECT_EQ(run.testCases[0].requests, Reasons{h.script->requests[0]});
    EXPECT_EQ(run.testCases[0].responses, Reasons{WithStatus("Approved")});
    ASSERT_TRUE(run.counts);
    EXPECT_EQ(run.counts->tests, 10);
    EXPECT_EQ(run.counts->failures, 6);
    EXPECT_EQ(run.counts->skipped, 1);
    EXPECT_EQ(run.elapsedMs, 551u);  // 10 + 20 + ... + 100 and the end's 1
}

TEST_F(ScriptReportRun, StopLeavesTheRestAsNotRun) {
    h.Reply(WithStatus("Approved"));
    h.op.testCaseChoices = {1, 3};
    Run("Run,5,,R,A,Sale,0,0,one\nRun,5,,R,A,Sale,0,0,two\nRun,5,,R,A,Sale,0,0,three\n");
    ASSERT_EQ(run.testCases.size(), 3u);
    EXPECT_EQ(Judge(run.testCases[0]).status, TestCaseStatus::kPassed);
    EXPECT_EQ(Judge(run.testCases[1]).reasons, Reasons{"the script was stopped at this test case"});
    EXPECT_EQ(Judge(run.testCases[2]).reasons,
              Reasons{"not reached: the script was stopped before it"});
    EXPECT_FALSE(run.testCases[2].reached);
    EXPECT_EQ(run.counts->skipped, 2);
}

TEST_F(ScriptReportRun, CommandsOutsideTestCasesAreNotRecorded) {
    h.Reply(WithStatus("Approved"));
    h.Reply(WithStatus("Approved"));
    h.dlg->OnCommand(id::kSale);  // before the script
    h.op.edits = {"cancel"};
    Run("Run,5,,R,A,Sale,0,0,one\n");
    ASSERT_EQ(run.testCases.size(), 1u);
    const TestCaseRecord& tc = run.testCases[0];
    EXPECT_TRUE(tc.requests.empty());
    EXPECT_EQ(tc.noResponse, NoResponse::kEditCancelled);
    EXPECT_EQ(Judge(tc).reasons,
              Reasons{"no response came back: the request was not sent (editing cancelled)"});
}

TEST(Judge, QuotesAtMostEightyCharactersOfTheOutcomes) {
    TestCaseRecord tc;
    tc.reached = true;
    tc.outcome = TestCaseOutcome::kRan;
    tc.row.columns[9] = "Appr\x01" + std::string(100, 'v');
    RecordResponse(tc,
                   "<TStream><CmdResponse><CmdStatus>Declin\xE9</CmdStatus></CmdResponse>"
                   "</TStream>");
    EXPECT_EQ(Judge(tc).reasons, Reasons{"expected outcome 'Appr\\x01" + std::string(75, 'v') +
                                         "'... (105 bytes), the response reports 'Declin\xE9'"});
}

}  // namespace
}  // namespace nt
