#include "script/ScriptReport.h"

namespace nt {

namespace {

TestCaseRecord NewRecord(const ScriptTestCase& testCase, bool reached) {
    TestCaseRecord entry;
    entry.index = testCase.index;
    entry.line = testCase.line;
    entry.row = testCase.row;
    entry.reached = reached;
    entry.notEntered = testCase.notEntered;
    return entry;
}

}  // namespace

void ScriptReport::Finish(const TestCaseRecord& testCase) {
    const Verdict verdict = Judge(testCase);
    ++counts_.tests;
    counts_.failures += verdict.status == TestCaseStatus::kFailed;
    counts_.skipped += verdict.status == TestCaseStatus::kSkipped;
    for (TestCaseSink* sink : sinks_) {
        sink->OnTestCase(testCase, verdict);
    }
}

void ScriptReport::OnScriptStarted(int) {
    opened_ = true;
    counts_ = ReportCounts{};
    const LocalTime started = clock_.Now();
    runStartMs_ = clock_.TickMs();
    for (TestCaseSink* sink : sinks_) {
        sink->OnRunStarted(started);
    }
}

void ScriptReport::OnTestCaseStarted(const ScriptTestCase& testCase, int) {
    current_ = NewRecord(testCase, true);
    caseStartMs_ = clock_.TickMs();
}

void ScriptReport::OnTestCaseEnded(const ScriptTestCase&, int, TestCaseOutcome outcome) {
    if (!current_) {
        return;
    }
    current_->outcome = outcome;
    current_->elapsedMs = clock_.TickMs() - caseStartMs_;
    Finish(*current_);
    current_.reset();
}

void ScriptReport::OnTestCaseNotReached(const ScriptTestCase& testCase) {
    Finish(NewRecord(testCase, false));
}

void ScriptReport::OnScriptEnded(ScriptEnd) {
    if (!opened_) {
        return;
    }
    const uint64_t elapsedMs = clock_.TickMs() - runStartMs_;
    for (TestCaseSink* sink : sinks_) {
        sink->OnRunEnded(counts_, elapsedMs);
    }
}

void ScriptReport::OnRequestEdited(const std::string& composed) {
    if (current_) {
        composed_ = ReportCopy(composed);
    }
}

void ScriptReport::OnRequestSent(const std::string& request) {
    if (current_) {
        current_->requests.push_back(ReportCopy(request));
        current_->composed.push_back(std::move(composed_));
    }
    composed_.clear();
}

void ScriptReport::OnResponse(const std::string& response) {
    if (current_) {
        RecordResponse(*current_, response);
    }
}

void ScriptReport::OnNoResponse(NoResponse why) {
    if (current_) {
        current_->noResponse = why;
    }
}

void ScriptReport::OnReceipt(const std::string& baseName, const RenderedReceipt& receipt) {
    if (current_) {
        current_->receipts.push_back(baseName);
        current_->receiptCopies.push_back(
            {ReportCopy(receipt.cardholderCopy), ReportCopy(receipt.merchantCopy)});
        // A receipt is rendered from the response that came last.
        current_->receiptResponses.push_back(
            current_->responses.empty() ? 0 : current_->responses.size() - 1);
    }
}

void ScriptReport::OnMessage(const std::string& text, bool responseBox) {
    if (current_ && !responseBox) {
        current_->errorMessages.push_back(ReportCopy(text));
    }
}

}  // namespace nt
