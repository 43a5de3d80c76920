#include "script/ResultsReport.h"

#include <algorithm>
#include <filesystem>
#include <nlohmann/json.hpp>

#include "log/LogWriter.h"
#include "platform/Codepage.h"
#include "platform/Sha256.h"
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

template <typename Range>
json Texts(const Range& cp1252) {
    json list = json::array();
    for (const std::string& text : cp1252) {
        list.push_back(Text(text));
    }
    return list;
}

// A receipt copy with one line end throughout: its print lines come with CR LF.
json CopyText(std::string_view cp1252) {
    std::string lines = Cp1252ToUtf8(cp1252);
    size_t to = 0;
    for (size_t from = 0; from < lines.size();) {
        const size_t crlf = lines.find("\r\n", from);
        const size_t end = crlf == std::string::npos ? lines.size() : crlf;
        std::copy(lines.begin() + static_cast<std::ptrdiff_t>(from),
                  lines.begin() + static_cast<std::ptrdiff_t>(end),
                  lines.begin() + static_cast<std::ptrdiff_t>(to));
        to += end - from;
        from = crlf == std::string::npos ? end : end + 1;  // the LF starts the next piece
    }
    lines.resize(to);
    return lines;
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

// Built member by member: a nested initializer list builds and copies each pair on its own.
json CaseJson(const TestCaseRecord& tc, const Verdict& verdict) {
    json line = json::object();
    line["record"] = "case";
    line["index"] = tc.index;
    line["line"] = tc.line;
    line["name"] = Text(TestCaseName(tc));
    line["test_case_info"] = Text(tc.row.Info());
    line["type"] = Text(tc.row.Type());
    line["amount"] = Text(tc.row.Amount());
    line["columns"] = Texts(tc.row.columns);
    line["expected_status"] = TextOrNull(tc.row.ExpectedOutcome());
    line["actual_status"] = tc.lastStatus ? Text(*tc.lastStatus) : json(nullptr);
    line["text_response"] = tc.responses.empty()
                                ? json(nullptr)
                                : Text(ExtractTagValue(tc.responses.back(), "TextResponse"));
    line["verdict"] = VerdictName(tc, verdict);
    line["reasons"] = Texts(verdict.reasons);
    json& requests = line["requests"] = json::array();
    for (size_t i = 0; i < tc.requests.size(); ++i) {
        json& request = requests.emplace_back(json::object());
        request["sent"] = Text(tc.requests[i]);
        request["composed"] = i < tc.composed.size() ? TextOrNull(tc.composed[i]) : json(nullptr);
    }
    json& responses = line["responses"] = json::array();
    for (size_t i = 0; i < tc.responses.size(); ++i) {
        json& response = responses.emplace_back(json::object());
        response["text"] = Text(tc.responses[i]);
        response["emv"] = i < tc.emv.size() ? EmvJson(tc.emv[i]) : json::array();
    }
    json& noResponse = line["no_response"] = nullptr;
    if (tc.outcome == TestCaseOutcome::kRan && tc.responses.empty()) {
        noResponse = !tc.noResponse                                ? "nothing_sent"
                     : *tc.noResponse == NoResponse::kClientFailed ? "client_failed"
                                                                   : "edit_cancelled";
    }
    json& receipts = line["receipts"] = json::array();
    for (size_t i = 0; i < tc.receipts.size() && i < tc.receiptCopies.size(); ++i) {
        json& receipt = receipts.emplace_back(json::object());
        receipt["file"] = Text(std::string(kLogDirectory) + "/" + tc.receipts[i] + ".txt");
        receipt["cardholder_copy"] = CopyText(tc.receiptCopies[i].cardholderCopy);
        receipt["merchant_copy"] = CopyText(tc.receiptCopies[i].merchantCopy);
        receipt["response"] = i < tc.receiptResponses.size() ? tc.receiptResponses[i] : 0;
    }
    line["messages"] = Texts(tc.errorMessages);
    line["duration_ms"] = tc.elapsedMs;
    if (!tc.shard.empty()) {
        line["shard"] = tc.shard;
    }
    return line;
}

// What a test case waiting for the writer holds, near enough.
size_t PendingBytes(const TestCaseRecord& tc) {
    size_t bytes = sizeof tc;
    for (const std::vector<std::string>* texts :
         {&tc.requests, &tc.composed, &tc.responses, &tc.errorMessages, &tc.receipts}) {
        for (const std::string& text : *texts) {
            bytes += text.size();
        }
    }
    for (const RenderedReceipt& copies : tc.receiptCopies) {
        bytes += copies.cardholderCopy.size() + copies.merchantCopy.size();
    }
    return bytes;
}

// One line: texts are valid UTF-8 by now, but a folder name need not be.
std::string Line(const json& object) {
    return object.dump(-1, ' ', false, json::error_handler_t::replace) + "\n";
}

json RunJson(const ResultsRunOptions& options, const LocalTime& started) {
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::current_path(error);
    json reports = json::array();
    for (const ReportRequest& report : options.reports) {
        reports.push_back({{"format", ReportFormatName(report.format)}, {"path", report.path}});
    }
    json run = {{"record", "run"},
                {"format", ResultsReport::kFormat},
                {"version", ResultsReport::kVersion},
                {"program", "nordteller"},
                {"program_version", NORDTELLER_VERSION},
                {"payment_client", options.control},
                {"started", ReportStamp(started, 'T')},
                {"working_folder", error ? json(nullptr) : json(folder.string())},
                {"script", kScriptFileName}};
    // The script as the run read it: what tells the records of its shards from another's.
    if (const std::optional<FileDigest> digest = DigestFile(kScriptFileName)) {
        run["script_sha256"] = digest->sha256;
        run["script_bytes"] = digest->bytes;
    }
    if (!options.shard.empty()) {
        run["shard"] = options.shard;
    }
    run["options"] = {
        {"front_end", options.headless ? "headless" : "window"},
        {"scenario", options.scenario.empty() ? json(nullptr) : json(options.scenario)},
        {"desktop", options.desktop},
        {"reports", std::move(reports)}};
    return run;
}

}  // namespace

ResultsReport::~ResultsReport() {
    StopWriter();
}

bool ResultsReport::Open(const std::string& path) {
    StopWriter();
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
    StopWriter();  // a run that never ended leaves its lines unwritten
    passed_ = 0;
    notReached_ = 0;
    stopped_ = false;
    if (!options_.runLine.empty()) {
        file_->Append(options_.runLine + "\n");
    } else {
        file_->Append(Line(RunJson(options_, started)));
    }
    ending_ = false;
    writer_ = std::thread(&ResultsReport::WriteLines, this);
}

void ResultsReport::Count(const TestCaseRecord& testCase, const Verdict& verdict) {
    passed_ += verdict.status == TestCaseStatus::kPassed ? 1 : 0;
    notReached_ += testCase.reached ? 0 : 1;
    stopped_ = stopped_ || !testCase.reached || testCase.outcome == TestCaseOutcome::kStopped;
}

void ResultsReport::OnTestCase(const TestCaseRecord& testCase, const Verdict& verdict) {
    Count(testCase, verdict);
    Queue({testCase, verdict, PendingBytes(testCase), {}});
}

void ResultsReport::OnCaseLine(std::string line, const TestCaseRecord& testCase,
                               const Verdict& verdict) {
    Count(testCase, verdict);
    line += '\n';
    const size_t bytes = line.size();
    Queue({{}, {}, bytes, std::move(line)});
}

void ResultsReport::Queue(Pending pending) {
    const size_t bytes = pending.bytes;
    std::unique_lock lock(mutex_);
    // The bound counts the batch being written too: a full queue waits for it.
    changed_.wait(lock,
                  [&] { return pendingBytes_ == 0 || pendingBytes_ + bytes <= kMaxPendingBytes; });
    pending_.push_back(std::move(pending));
    pendingBytes_ += bytes;
    // Woken once a batch: a wake-up a test case costs more than the line.
    if (pending_.size() == kBatch || pendingBytes_ >= kMaxPendingBytes / 2) {
        changed_.notify_all();
    }
}

void ResultsReport::WriteLines() {
    std::deque<Pending> batch;
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [&] {
            return pending_.size() >= kBatch || pendingBytes_ >= kMaxPendingBytes / 2 || ending_;
        });
        if (pending_.empty()) {
            return;
        }
        batch.swap(pending_);
        lock.unlock();
        for (const Pending& next : batch) {
            file_->Append(next.line.empty() ? Line(CaseJson(next.testCase, next.verdict))
                                            : next.line);
        }
        batch.clear();
        lock.lock();
        pendingBytes_ = 0;
        for (const Pending& waiting : pending_) {
            pendingBytes_ += waiting.bytes;
        }
        changed_.notify_all();
    }
}

void ResultsReport::StopWriter() {
    if (!writer_.joinable()) {
        return;
    }
    {
        std::lock_guard lock(mutex_);
        ending_ = true;
    }
    changed_.notify_all();
    writer_.join();
}

void ResultsReport::OnRunEnded(const ReportCounts& counts, uint64_t elapsedMs) {
    StopWriter();  // every test case's line is in the file after this
    const json summary = {{"record", "summary"},
                          {"test_cases", counts.tests},
                          {"passed", passed_},
                          {"failed", counts.failures},
                          {"skipped", counts.skipped - notReached_},
                          {"not_reached", notReached_},
                          {"duration_ms", elapsedMs},
                          {"stopped", stopped_},
                          {"interrupted", !counts.interrupted.empty()}};
    written_ = file_->Commit("", Line(summary));
}

}  // namespace nt
