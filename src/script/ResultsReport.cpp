#include "script/ResultsReport.h"

#include <filesystem>
#include <nlohmann/json.hpp>

#include "platform/Sha256.h"
#include "script/ReportTime.h"
#include "script/ResultsCaseLine.h"
#include "script/ScriptFile.h"

namespace nt {

namespace {

// Keys keep the order written, so that a line reads from what it is to what it holds.
using json = nlohmann::ordered_json;

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

void ResultsReport::OnTestCase(const SharedTestCase& testCase, const Verdict& verdict) {
    Count(*testCase, verdict);
    Queue({testCase, verdict, PendingBytes(*testCase), {}});
}

void ResultsReport::OnCaseLine(std::string line, const TestCaseRecord& testCase,
                               const Verdict& verdict) {
    Count(testCase, verdict);
    const size_t bytes = line.size() + 1;
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
    std::string lines;
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
        // One write a batch: a system call a line cost more than making the line.
        lines.clear();
        for (const Pending& next : batch) {
            lines += next.testCase ? ResultsCaseLine(*next.testCase, next.verdict) : next.line;
            lines += '\n';
        }
        file_->Append(lines);
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
