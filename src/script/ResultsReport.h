#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/StreamedFile.h"
#include "script/ReportFile.h"
#include "script/ReportRequest.h"

namespace nt {

// What the first line of the record tells of the run besides its start.
struct ResultsRunOptions {
    std::string control{};  // the payment client as the command line named it
    bool headless = false;
    std::string scenario{};  // headless: the scenario file, "-" for standard input; empty: none
    bool desktop = false;
    std::vector<ReportRequest> reports{};  // every report the run writes, this one included
    std::string shard{};                   // --shard K/N: "2/4"; empty when the run is not sharded
    // A merged record's run line, made by the merger from the records it combines: written as
    // it stands instead of one describing this process's run.
    std::string runLine{};
};

// The run's record as JSON Lines (UTF-8, one JSON object a line, docs/results.schema.json): a
// "run" line naming the format and its version, the program, the payment client, the start, the
// working folder and the options; one "case" line per test case as it finishes, with everything
// the HTML report shows of it (the EMV data of each response decoded); a "summary" line with the
// counts and the duration. Unlike the HTML page it keeps every test case whole. Streamed and
// put in place in one step when the run ends, as the other reports. The lines are made and
// written on a thread of its own, so that the record does not set the pace of the run; it takes
// the test cases kBatch at a time, and at most kMaxPendingBytes of them wait for it. The run line
// names the script by its SHA-256 and size, and the shard when the run is one; each case line
// of a shard names it too, so that the records of a run's shards merge into one.
class ResultsReport : public ReportFile {
  public:
    static constexpr const char* kFormat = "nordteller-results";
    // Raised when a line changes so that a reader of the old one would misread it.
    static constexpr int kVersion = 1;

    static constexpr size_t kMaxPendingBytes = 4u << 20;
    static constexpr size_t kBatch = 64;  // test cases the writer takes at a time

    explicit ResultsReport(ResultsRunOptions options) : options_(std::move(options)) {}
    ~ResultsReport() override;
    ResultsReport(const ResultsReport&) = delete;
    ResultsReport& operator=(const ResultsReport&) = delete;

    bool Open(const std::string& path) override;
    bool Written() const override { return written_; }
    const std::string& Error() const override { return file_->Error(); }

    // A later run of the same window replaces the record of the one before.
    void OnRunStarted(const LocalTime& started) override;
    void OnTestCase(const SharedTestCase& testCase, const Verdict& verdict) override;
    void OnRunEnded(const ReportCounts& counts, uint64_t elapsedMs) override;

    // A case line already made (one of a record being merged, without its line end): written as
    // it stands, in turn with the others, and counted in the summary as `testCase` (its reached
    // and outcome) and `verdict` say.
    void OnCaseLine(std::string line, const TestCaseRecord& testCase, const Verdict& verdict);

  private:
    struct Pending {
        SharedTestCase testCase;  // null: the line is made already
        Verdict verdict;
        size_t bytes = 0;
        std::string line;
    };

    void Count(const TestCaseRecord& testCase, const Verdict& verdict);
    void Queue(Pending pending);

    void WriteLines();
    void StopWriter();

    ResultsRunOptions options_;
    std::string path_;
    std::optional<StreamedFile> file_{std::in_place};
    int passed_ = 0;
    int notReached_ = 0;
    bool stopped_ = false;  // the operator stopped the script
    bool written_ = false;

    // Between the run's start and its end the writer thread alone touches file_.
    std::thread writer_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Pending> pending_;
    size_t pendingBytes_ = 0;
    bool ending_ = false;
};

}  // namespace nt
