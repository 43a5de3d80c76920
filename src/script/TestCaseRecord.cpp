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

std::string ReportCopy(std::string_view text) {
    if (text.size() <= kReportTextLimit) {
        return std::string(text);
    }
    return std::string(text.substr(0, kReportTextLimit)) + "\n[" +
           std::to_string(text.size() - kReportTextLimit) + " more bytes cut from the report]";
}

void RecordResponse(TestCaseRecord& testCase, const std::string& response) {
    CXmlDocument doc;
    testCase.lastIsXml = doc.Load(response);
    testCase.lastStatus.reset();
    std::string value;
    if (!testCase.lastIsXml) {
        testCase.notXml.push_back(doc.ErrorText());
    } else if (doc.GetNestedField("CmdResponse", "CmdStatus", value)) {
        testCase.lastStatus = value;
    }
    testCase.emv.push_back(DecodeEmvData(response));
    testCase.responses.push_back(ReportCopy(response));
}

Verdict Judge(const TestCaseRecord& testCase) {
    Verdict verdict;
    if (!testCase.reached || testCase.outcome == TestCaseOutcome::kSkipped ||
        testCase.outcome == TestCaseOutcome::kStopped) {
        verdict.status = TestCaseStatus::kSkipped;
        verdict.reasons.push_back(!testCase.reached
                                      ? "not reached: the script was stopped before it"
                                  : testCase.outcome == TestCaseOutcome::kStopped
                                      ? "the script was stopped at this test case"
                                      : "skipped at the test case prompt");
        return verdict;
    }
    std::vector<std::string>& reasons = verdict.reasons;
    if (testCase.outcome == TestCaseOutcome::kNotEntered) {
        verdict.status = TestCaseStatus::kFailed;
        reasons.push_back((testCase.notRun ? "not run: " : "failed before running: ") +
                          testCase.notEntered);
        return verdict;
    }
    if (testCase.outcome == TestCaseOutcome::kInvalidType) {
        reasons.push_back("invalid transaction type [" + testCase.row.Type() + "]");
    } else if (testCase.responses.empty()) {
        reasons.push_back(NoResponseReason(testCase.noResponse));
    }
    for (const std::string& error : testCase.notXml) {
        reasons.push_back("the response is not XML: " + error);
    }
    for (const std::string& message : testCase.errorMessages) {
        reasons.push_back("the operator saw the message: " + message);
    }
    for (const std::string& loss : testCase.evidenceLost) {
        reasons.push_back("evidence lost: " + loss);
    }
    const std::string& expected = testCase.row.ExpectedOutcome();
    const std::optional<std::string>& status = testCase.lastStatus;
    if (!expected.empty() && testCase.lastIsXml && status != expected) {
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
