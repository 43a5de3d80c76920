#pragma once

#include <string>
#include <vector>

#include "form/CommandObserver.h"
#include "script/ScriptObserver.h"

namespace nt::test {

// Writes down every observer call as one line, in order:
//   "started N" (the runnable rows)   "case I/N line L: INFO"   "not reached I line L"
//   "ended I: CHOICE kRan|kInvalidType|kSkipped|kStopped|kNotEntered"    "end
//   kCouldNotOpen|kStopped|kCompleted" "sent: REQUEST"   "response: TEXT"   "no-response:
//   cancelled|failed"   "receipt: NAME" "message: TEXT"   "response-box: TEXT"
class ScriptRecorder : public ScriptObserver, public CommandObserver {
  public:
    std::vector<std::string> events;

    void OnScriptStarted(int total) override {
        events.push_back("started " + std::to_string(total));
    }
    void OnTestCaseNotReached(const ScriptTestCase& tc) override {
        events.push_back("not reached " + std::to_string(tc.index) + " line " +
                         std::to_string(tc.line));
    }
    void OnTestCaseStarted(const ScriptTestCase& tc, int total) override {
        events.push_back("case " + std::to_string(tc.index) + "/" + std::to_string(total) +
                         " line " + std::to_string(tc.line) + ": " + tc.row.Info());
    }
    void OnTestCaseEnded(const ScriptTestCase& tc, int choice, TestCaseOutcome outcome) override {
        static const char* const kNames[] = {"kRan", "kInvalidType", "kSkipped", "kStopped",
                                             "kNotEntered"};
        events.push_back("ended " + std::to_string(tc.index) + ": " + std::to_string(choice) + " " +
                         kNames[static_cast<int>(outcome)]);
    }
    void OnScriptEnded(ScriptEnd end) override {
        static const char* const kNames[] = {"kCouldNotOpen", "kStopped", "kCompleted"};
        events.push_back(std::string("end ") + kNames[static_cast<int>(end)]);
    }
    void OnRequestSent(const std::string& request) override {
        events.push_back("sent: " + request);
    }
    void OnResponse(const std::string& response) override {
        events.push_back("response: " + response);
    }
    void OnNoResponse(NoResponse why) override {
        events.push_back(why == NoResponse::kEditCancelled ? "no-response: cancelled"
                                                           : "no-response: failed");
    }
    void OnReceipt(const std::string& baseName, const RenderedReceipt&) override {
        events.push_back("receipt: " + baseName);
    }
    void OnMessage(const std::string& text, bool responseBox) override {
        events.push_back((responseBox ? "response-box: " : "message: ") + text);
    }
};

}  // namespace nt::test
