#pragma once

#include "form/CommandObserver.h"
#include "platform/Clock.h"
#include "script/ScriptObserver.h"
#include "script/TestCaseRecord.h"

namespace nt {

// Collects a script run for its report: attach it to the window as both observers. Command
// events outside a test case (before the script, between rows) are not recorded.
class ScriptReport : public ScriptObserver, public CommandObserver {
  public:
    explicit ScriptReport(Clock& clock) : clock_(clock) {}

    const ScriptRunRecord& Record() const { return record_; }
    bool Opened() const { return opened_; }

    void OnScriptStarted(std::span<const ScriptTestCase> testCases) override;
    void OnTestCaseStarted(const ScriptTestCase& testCase, int total) override;
    void OnTestCaseEnded(const ScriptTestCase& testCase, int choice,
                         TestCaseOutcome outcome) override;
    void OnScriptEnded(ScriptEnd end) override;

    void OnRequestSent(const std::string& request) override;
    void OnResponse(const std::string& response) override;
    void OnNoResponse(NoResponse why) override;
    void OnReceipt(const std::string& baseName) override;
    void OnMessage(const std::string& text, bool responseBox) override;

  private:
    TestCaseRecord* Current();

    Clock& clock_;
    ScriptRunRecord record_;
    bool opened_ = false;
    size_t current_ = 0;  // index + 1 of the running test case; 0 between test cases
    uint64_t runStartMs_ = 0;
    uint64_t caseStartMs_ = 0;
};

}  // namespace nt
