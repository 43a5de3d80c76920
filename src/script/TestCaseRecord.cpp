#include "script/TestCaseRecord.h"

#include "platform/QuotedInput.h"
#include "response/XmlDocument.h"

namespace nt {

namespace {

const char* NoResponseReason(const std::optional<NoResponse>& why) {
    if (!why) {
        return "no response came back: nothing was sent";
    }
    return *why == NoResponse::kClientFailed
               ? "no response came back: the payment client failed"
               : "no response came back: the request was not sent (editing cancelled)";
}

}  // namespace

Verdict Judge(const TestCaseRecord& testCase) {
    Verdict verdict;
    if (!testCase.reached || testCase.outcome == TestCaseOutcome::kSkipped ||
        testCase.outcome == TestCaseOutcome::kStopped) {
        verdict.status = TestCaseStatus::kSkipped;
        verdict.reasons.push_back(!testCase.reached ? "not run: the script was stopped before it"
                                  : testCase.outcome == TestCaseOutcome::kStopped
                                      ? "the script was stopped at this test case"
                                      : "skipped at the test case prompt");
        return verdict;
    }
    std::vector<std::string>& reasons = verdict.reasons;
    if (testCase.outcome == TestCaseOutcome::kInvalidType) {
        reasons.push_back("invalid transaction type [" + testCase.row.Type() + "]");
    } else if (testCase.responses.empty()) {
        reasons.push_back(NoResponseReason(testCase.noResponse));
    }
    // The outcome is the last response's; a response that is not XML has none to compare.
    std::optional<std::string> status;
    bool parsed = false;
    for (const std::string& response : testCase.responses) {
        CXmlDocument doc;
        parsed = doc.Load(response);
        status.reset();
        if (!parsed) {
            reasons.push_back("the response is not XML: " + doc.ErrorText());
            continue;
        }
        std::string value;
        if (doc.GetNestedField("CmdResponse", "CmdStatus", value)) {
            status = value;
        }
    }
    for (const std::string& message : testCase.errorMessages) {
        reasons.push_back("the operator saw the message: " + message);
    }
    const std::string& expected = testCase.row.ExpectedOutcome();
    if (!expected.empty() && parsed && status != expected) {
        reasons.push_back(
            "expected outcome " + QuoteInput(expected, InputEncoding::kCp1252) +
            ", the response reports " +
            (status ? QuoteInput(*status, InputEncoding::kCp1252) : std::string("no CmdStatus")));
    }
    verdict.status = reasons.empty() ? TestCaseStatus::kPassed : TestCaseStatus::kFailed;
    return verdict;
}

std::string TestCaseName(const TestCaseRecord& testCase) {
    const std::string& info = testCase.row.Info();
    return info.empty() ? "row " + std::to_string(testCase.line) : info;
}

}  // namespace nt
