#include "script/ScriptReport.h"

namespace nt {

TestCaseRecord* ScriptReport::Current() {
    return current_ == 0 ? nullptr : &record_.testCases[current_ - 1];
}

void ScriptReport::OnScriptStarted(std::span<const ScriptTestCase> testCases) {
    opened_ = true;
    record_ = ScriptRunRecord{};
    record_.started = clock_.Now();
    runStartMs_ = clock_.TickMs();
    record_.testCases.reserve(testCases.size());
    for (const ScriptTestCase& testCase : testCases) {
        TestCaseRecord entry;
        entry.index = testCase.index;
        entry.line = testCase.line;
        entry.row = testCase.row;
        record_.testCases.push_back(std::move(entry));
    }
}

void ScriptReport::OnTestCaseStarted(const ScriptTestCase& testCase, int) {
    current_ = static_cast<size_t>(testCase.index);
    if (TestCaseRecord* entry = Current()) {
        entry->reached = true;
    }
    caseStartMs_ = clock_.TickMs();
}

void ScriptReport::OnTestCaseEnded(const ScriptTestCase&, int, TestCaseOutcome outcome) {
    if (TestCaseRecord* entry = Current()) {
        entry->outcome = outcome;
        entry->elapsedMs = clock_.TickMs() - caseStartMs_;
    }
    current_ = 0;
}

void ScriptReport::OnScriptEnded(ScriptEnd end) {
    record_.end = end;
    if (opened_) {
        record_.elapsedMs = clock_.TickMs() - runStartMs_;
    }
}

void ScriptReport::OnRequestSent(const std::string& request) {
    if (TestCaseRecord* entry = Current()) {
        entry->requests.push_back(request);
    }
}

void ScriptReport::OnResponse(const std::string& response) {
    if (TestCaseRecord* entry = Current()) {
        entry->responses.push_back(response);
    }
}

void ScriptReport::OnNoResponse(NoResponse why) {
    if (TestCaseRecord* entry = Current()) {
        entry->noResponse = why;
    }
}

void ScriptReport::OnReceipt(const std::string& baseName) {
    if (TestCaseRecord* entry = Current()) {
        entry->receipts.push_back(baseName);
    }
}

void ScriptReport::OnMessage(const std::string& text, bool responseBox) {
    TestCaseRecord* entry = Current();
    if (entry != nullptr && !responseBox) {
        entry->errorMessages.push_back(text);
    }
}

}  // namespace nt
