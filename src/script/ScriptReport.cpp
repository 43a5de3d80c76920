#include "script/ScriptReport.h"

#include "platform/EvidenceLoss.h"
#include "platform/StopSignal.h"
#include "script/ScriptFile.h"

namespace nt {

namespace {

TestCaseRecord NewRecord(const ScriptTestCase& testCase, bool reached) {
    TestCaseRecord entry;
    entry.index = testCase.index;
    entry.line = testCase.line;
    entry.row = testCase.row;
    entry.reached = reached;
    entry.notEntered = testCase.notEntered;
    entry.notRun = testCase.notRun;
    entry.shard = testCase.shard;
    return entry;
}

}  // namespace

std::vector<std::string> ScriptReport::LostSinceLast() {
    std::vector<std::string> lost;
    if (log_ != nullptr) {
        log_->Flush();
        if (log_->Stopped() && !log_->StopReason().empty()) {
            lost.push_back("the daily log and receipt files are not written (logging stopped: " +
                           log_->StopReason() + ")");
        }
    }
    size_t more = 0;
    for (const LostEvidence& loss : TakeLostEvidence(&more)) {
        if (loss.kind != EvidenceKind::kReport) {  // a report is not a test case's evidence
            lost.push_back(DescribeLoss(loss));
        }
    }
    if (more > 0) {
        lost.push_back("and " + std::to_string(more) + " more writes");
    }
    return lost;
}

void ScriptReport::Finish(TestCaseRecord record) {
    const Verdict verdict = Judge(record);
    const SharedTestCase testCase = std::make_shared<const TestCaseRecord>(std::move(record));
    ++counts_.tests;
    counts_.failures += verdict.status == TestCaseStatus::kFailed;
    counts_.skipped += verdict.status == TestCaseStatus::kSkipped;
    for (TestCaseSink* sink : sinks_) {
        sink->OnTestCase(testCase, verdict);
    }
}

void ScriptReport::OnScriptStarted(int total) {
    opened_ = true;
    total_ = total;
    lastIndex_ = lastLine_ = 0;
    counts_ = ReportCounts{};
    evidenceLostCases_ = 0;
    LostSinceLast();  // what was lost before the run belongs to no test case
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
    current_->evidenceLost = LostSinceLast();
    lastIndex_ = current_->index;
    lastLine_ = current_->line;
    evidenceLostCases_ += current_->evidenceLost.empty() ? 0 : 1;
    Finish(std::move(*current_));
    current_.reset();
}

void ScriptReport::OnTestCaseNotReached(const ScriptTestCase& testCase) {
    Finish(NewRecord(testCase, false));
}

void ScriptReport::OnScriptEnded(ScriptEnd end) {
    if (!opened_) {
        return;
    }
    if (end == ScriptEnd::kInterrupted) {
        const auto at = [this](int index, int line) {
            return std::to_string(index) + " of " + std::to_string(total_) + " (" +
                   kScriptFileName + " line " + std::to_string(line) + ")";
        };
        std::string& note = counts_.interrupted;
        note = std::string("interrupted by ") + StopSignalName(StopSignal());
        if (current_) {
            note += " at test case " + at(current_->index, current_->line) + ", which did not run";
        } else if (lastIndex_ > 0) {
            note += " after test case " + at(lastIndex_, lastLine_);
        } else {
            note += " before the first test case";
        }
        current_.reset();
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
