#include "script/ResultsReport.h"

#include <filesystem>
#include <nlohmann/json.hpp>

#include "log/LogWriter.h"
#include "platform/Codepage.h"
#include "script/ReportTime.h"
#include "script/ScriptFile.h"
#include "text/ExtractTagValue.h"

namespace nt {

namespace {

// Keys keep the order written, so that a line reads from what it is to what it holds.
using json = nlohmann::ordered_json;

// The core's texts are Windows-1252; the record's are UTF-8.
json Text(std::string_view cp1252) {
    return Cp1252ToUtf8(cp1252);
}

// An empty text is "not given" here: null.
json TextOrNull(std::string_view cp1252) {
    return cp1252.empty() ? json(nullptr) : Text(cp1252);
}

json Texts(const std::vector<std::string>& cp1252) {
    json list = json::array();
    for (const std::string& text : cp1252) {
        list.push_back(Text(text));
    }
    return list;
}

// A receipt copy with one line end throughout: its print lines come with CR LF.
json CopyText(std::string_view cp1252) {
    std::string lines;
    lines.reserve(cp1252.size());
    for (size_t i = 0; i < cp1252.size(); ++i) {
        if (cp1252[i] != '\r' || i + 1 >= cp1252.size() || cp1252[i + 1] != '\n') {
            lines += cp1252[i];
        }
    }
    return Text(lines);
}

const char* FormatName(ReportFormat format) {
    switch (format) {
        case ReportFormat::JUnit:
            return "junit";
        case ReportFormat::Html:
            return "html";
        case ReportFormat::Results:
            return "results";
    }
    return "unknown";
}

const char* VerdictName(const TestCaseRecord& tc, const Verdict& verdict) {
    if (!tc.reached) {
        return "not_reached";
    }
    switch (verdict.status) {
        case TestCaseStatus::kPassed:
            return "passed";
        case TestCaseStatus::kFailed:
            return "failed";
        case TestCaseStatus::kSkipped:
            break;
    }
    return "skipped";
}

json EmvJson(const std::vector<EmvField>& fields) {
    json list = json::array();
    for (const EmvField& field : fields) {
        list.push_back({{"name", field.name},
                        {"value", Text(field.value)},
                        {"decoded", field.decoded},
                        {"problem", TextOrNull(field.problem)},
                        {"meanings", Texts(field.meanings)}});
    }
    return list;
}

json CaseJson(const TestCaseRecord& tc, const Verdict& verdict) {
    json requests = json::array();
    for (size_t i = 0; i < tc.requests.size(); ++i) {
        requests.push_back(
            {{"sent", Text(tc.requests[i])},
             {"composed", i < tc.composed.size() ? TextOrNull(tc.composed[i]) : json(nullptr)}});
    }
    json responses = json::array();
    for (size_t i = 0; i < tc.responses.size(); ++i) {
        responses.push_back({{"text", Text(tc.responses[i])},
                             {"emv", i < tc.emv.size() ? EmvJson(tc.emv[i]) : json::array()}});
    }
    json receipts = json::array();
    for (size_t i = 0; i < tc.receipts.size() && i < tc.receiptCopies.size(); ++i) {
        receipts.push_back(
            {{"file", Text(std::string(kLogDirectory) + "/" + tc.receipts[i] + ".txt")},
             {"cardholder_copy", CopyText(tc.receiptCopies[i].cardholderCopy)},
             {"merchant_copy", CopyText(tc.receiptCopies[i].merchantCopy)},
             {"response", i < tc.receiptResponses.size() ? tc.receiptResponses[i] : 0}});
    }
    json columns = json::array();
    for (const std::string& column : tc.row.columns) {
        columns.push_back(Text(column));
    }
    json noResponse = nullptr;
    if (tc.outcome == TestCaseOutcome::kRan && tc.responses.empty()) {
        noResponse = !tc.noResponse                                ? "nothing_sent"
                     : *tc.noResponse == NoResponse::kClientFailed ? "client_failed"
                                                                   : "edit_cancelled";
    }
    const std::string lastText =
        tc.responses.empty() ? std::string() : ExtractTagValue(tc.responses.back(), "TextResponse");
    return {{"record", "case"},
            {"index", tc.index},
            {"line", tc.line},
            {"name", Text(TestCaseName(tc))},
            {"test_case_info", Text(tc.row.Info())},
            {"type", Text(tc.row.Type())},
            {"amount", Text(tc.row.Amount())},
            {"columns", std::move(columns)},
            {"expected_status", TextOrNull(tc.row.ExpectedOutcome())},
            {"actual_status", tc.lastStatus ? Text(*tc.lastStatus) : json(nullptr)},
            {"text_response", tc.responses.empty() ? json(nullptr) : Text(lastText)},
            {"verdict", VerdictName(tc, verdict)},
            {"reasons", Texts(verdict.reasons)},
            {"requests", std::move(requests)},
            {"responses", std::move(responses)},
            {"no_response", std::move(noResponse)},
            {"receipts", std::move(receipts)},
            {"messages", Texts(tc.errorMessages)},
            {"duration_ms", tc.elapsedMs}};
}

// One line: texts are valid UTF-8 by now, but a folder name need not be.
std::string Line(const json& object) {
    return object.dump(-1, ' ', false, json::error_handler_t::replace) + "\n";
}

}  // namespace

bool ResultsReport::Open(const std::string& path) {
    path_ = path;
    file_.reset();
    file_.emplace();
    written_ = false;
    return file_->Open(path);
}

void ResultsReport::OnRunStarted(const LocalTime& started) {
    if (written_) {
        Open(path_);
    }
    passed_ = 0;
    notReached_ = 0;
    stopped_ = false;
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::current_path(error);
    json reports = json::array();
    for (const ReportRequest& report : options_.reports) {
        reports.push_back({{"format", FormatName(report.format)}, {"path", report.path}});
    }
    const json run = {
        {"record", "run"},
        {"format", kFormat},
        {"version", kVersion},
        {"program", "nordteller"},
        {"program_version", NORDTELLER_VERSION},
        {"payment_client", options_.control},
        {"started", ReportStamp(started, 'T')},
        {"working_folder", error ? json(nullptr) : json(folder.string())},
        {"script", kScriptFileName},
        {"options",
         {{"front_end", options_.headless ? "headless" : "window"},
          {"scenario", options_.scenario.empty() ? json(nullptr) : json(options_.scenario)},
          {"desktop", options_.desktop},
          {"reports", std::move(reports)}}}};
    file_->Append(Line(run));
}

void ResultsReport::OnTestCase(const TestCaseRecord& testCase, const Verdict& verdict) {
    passed_ += verdict.status == TestCaseStatus::kPassed ? 1 : 0;
    notReached_ += testCase.reached ? 0 : 1;
    stopped_ = stopped_ || !testCase.reached || testCase.outcome == TestCaseOutcome::kStopped;
    file_->Append(Line(CaseJson(testCase, verdict)));
}

void ResultsReport::OnRunEnded(const ReportCounts& counts, uint64_t elapsedMs) {
    const json summary = {{"record", "summary"},
                          {"test_cases", counts.tests},
                          {"passed", passed_},
                          {"failed", counts.failures},
                          {"skipped", counts.skipped - notReached_},
                          {"not_reached", notReached_},
                          {"duration_ms", elapsedMs},
                          {"stopped", stopped_},
                          {"interrupted", false}};
    written_ = file_->Commit("", Line(summary));
}

}  // namespace nt
