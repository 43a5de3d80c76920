#pragma once

#include <optional>
#include <vector>

#include "form/CommandObserver.h"
#include "log/LogWriter.h"
#include "platform/Clock.h"
#include "script/ScriptObserver.h"
#include "script/TestCaseRecord.h"
#include "script/TestCaseSink.h"

namespace nt {

// Follows a script run for its reports: attach it to the window as both observers. Each test
// case is judged as it ends and handed to the sinks; only the running one is held. Command
// events outside a test case (before the script, between rows) are not recorded. Given the log
// writer, it waits for it at the end of each test case, so that the entries and
// receipts the writer could not write fail the test case they belong to.
class ScriptReport : public ScriptObserver, public CommandObserver {
  public:
    explicit ScriptReport(Clock& clock, CLogWriter* log = nullptr) : clock_(clock), log_(log) {}

    // Not owned; called in the order added.
    void AddSink(TestCaseSink* sink) { sinks_.push_back(sink); }
    bool Opened() const { return opened_; }
    const ReportCounts& Counts() const { return counts_; }
    // The runnable rows of the script the last run read (a shard's run: of the whole script).
    int Total() const { return total_; }
    // Test cases of the last run that failed for their lost evidence.
    int EvidenceLostCases() const { return evidenceLostCases_; }

    void OnScriptStarted(int total) override;
    void OnTestCaseStarted(const ScriptTestCase& testCase, int total) override;
    void OnTestCaseEnded(const ScriptTestCase& testCase, int choice,
                         TestCaseOutcome outcome) override;
    void OnTestCaseNotReached(const ScriptTestCase& testCase) override;
    void OnScriptEnded(ScriptEnd end) override;

    void OnRequestEdited(const std::string& composed) override;
    void OnRequestSent(const std::string& request) override;
    void OnResponse(const std::string& response) override;
    void OnNoResponse(NoResponse why) override;
    void OnReceipt(const std::string& baseName, const RenderedReceipt& receipt) override;
    void OnMessage(const std::string& text, bool responseBox) override;

  private:
    void Finish(TestCaseRecord testCase);
    // What was lost since the last call; each loss belongs to the test case that is ending.
    std::vector<std::string> LostSinceLast();

    Clock& clock_;
    CLogWriter* log_;
    std::vector<TestCaseSink*> sinks_;
    std::optional<TestCaseRecord> current_;  // the running test case
    std::string composed_;                   // the request before the edit about to be sent
    ReportCounts counts_;
    bool opened_ = false;
    int evidenceLostCases_ = 0;
    uint64_t runStartMs_ = 0;
    int total_ = 0;
    int lastIndex_ = 0;  // the last test case that ended, and its line
    int lastLine_ = 0;
    uint64_t caseStartMs_ = 0;
};

}  // namespace nt
