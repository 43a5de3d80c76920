#include "compare/RecordCase.h"

#include "log/LogWriter.h"
#include "platform/Codepage.h"

namespace nt {

namespace {

std::string Text(const JsonLine::Value& value) {
    std::string_view plain;
    if (value.PlainString(plain)) {
        return Utf8ToCp1252(plain);
    }
    return Utf8ToCp1252(value.String());
}

std::vector<std::string> Texts(const JsonLine::Value& array) {
    std::vector<std::string> texts;
    for (const JsonLine::Value text : array) {
        texts.push_back(Text(text));
    }
    return texts;
}

// The base name of a receipt file "QUORLIN_LOGS/NAME.txt", as the writers make the path again.
std::string ReceiptBaseName(std::string file) {
    const std::string folder = std::string(kLogDirectory) + "/";
    if (file.starts_with(folder) && file.ends_with(".txt")) {
        return file.substr(folder.size(), file.size() - folder.size() - 4);
    }
    return file;
}

}  // namespace

void ReadVerdict(const JsonLine::Value& line, TestCaseRecord& tc, Verdict& verdict) {
    const std::string word = line["verdict"].String();
    verdict.status = word == "passed"   ? TestCaseStatus::kPassed
                     : word == "failed" ? TestCaseStatus::kFailed
                                        : TestCaseStatus::kSkipped;
    tc.reached = word != "not_reached";
    const std::string first = line["reasons"].First().String();
    tc.outcome = TestCaseOutcome::kRan;
    if (word == "skipped" || word == "not_reached") {
        tc.outcome = first == "the script was stopped at this test case"
                         ? TestCaseOutcome::kStopped
                         : TestCaseOutcome::kSkipped;
    }
}

void ReadTestCase(const JsonLine::Value& line, TestCaseRecord& tc, Verdict& verdict) {
    ReadVerdict(line, tc, verdict);
    verdict.reasons = Texts(line["reasons"]);
    int64_t number = 0;
    line["index"].Int(number, 0, INT32_MAX);
    tc.index = static_cast<int>(number);
    line["line"].Int(number, 0, INT32_MAX);
    tc.line = static_cast<int>(number);
    size_t column = 0;
    for (const JsonLine::Value text : line["columns"]) {
        if (column < tc.row.columns.size()) {
            tc.row.columns[column++] = Text(text);
        }
    }
    if (tc.outcome == TestCaseOutcome::kRan && !verdict.reasons.empty()) {
        const std::string& first = verdict.reasons.front();
        constexpr std::string_view kNotEntered = "failed before running: ";
        if (first.starts_with(kNotEntered)) {
            tc.outcome = TestCaseOutcome::kNotEntered;
            tc.notEntered = first.substr(kNotEntered.size());
        }
        if (first.starts_with("invalid transaction type [")) {
            tc.outcome = TestCaseOutcome::kInvalidType;
        }
    }
    for (const JsonLine::Value request : line["requests"]) {
        tc.requests.push_back(Text(request["sent"]));
        tc.composed.push_back(Text(request["composed"]));
    }
    for (const JsonLine::Value response : line["responses"]) {
        tc.responses.push_back(Text(response["text"]));
        std::vector<EmvField>& fields = tc.emv.emplace_back();
        for (const JsonLine::Value field : response["emv"]) {
            fields.push_back({Text(field["name"]), Text(field["value"]), field["decoded"].Bool(),
                              Text(field["problem"]), Texts(field["meanings"])});
        }
    }
    if (line["actual_status"].IsString()) {
        tc.lastStatus = Text(line["actual_status"]);
    }
    const std::string noResponse = line["no_response"].String();
    if (noResponse == "client_failed") {
        tc.noResponse = NoResponse::kClientFailed;
    } else if (noResponse == "edit_cancelled") {
        tc.noResponse = NoResponse::kEditCancelled;
    }
    for (const JsonLine::Value receipt : line["receipts"]) {
        tc.receipts.push_back(ReceiptBaseName(Text(receipt["file"])));
        tc.receiptCopies.push_back(
            {Text(receipt["cardholder_copy"]), Text(receipt["merchant_copy"])});
        int64_t response = 0;
        receipt["response"].Int(response, 0, INT32_MAX);
        tc.receiptResponses.push_back(static_cast<size_t>(response));
    }
    tc.errorMessages = Texts(line["messages"]);
    int64_t ms = 0;
    line["duration_ms"].Int(ms, 0, INT64_MAX);
    tc.elapsedMs = static_cast<uint64_t>(ms);
    tc.shard = Text(line["shard"]);
}

}  // namespace nt
