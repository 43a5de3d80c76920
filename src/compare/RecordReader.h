#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "compare/JsonLine.h"
#include "script/ScriptShard.h"

namespace nt {

// What the run line of a record says, as far as comparing and merging need it.
struct RecordRun {
    std::string line;  // the run line as it stands, without its line end
    std::string programVersion;
    std::string paymentClient;
    std::string started;  // "2026-12-08T20:43:47"
    std::optional<std::string> workingFolder;
    std::string scriptSha256;  // empty: the record does not name its script's (older records)
    int64_t scriptBytes = -1;
    std::optional<ScriptShard> shard;  // the record of one shard of a run
    size_t merged = 0;                 // a merged record: how many records it combines
};

// The summary line's figures.
struct RecordSummary {
    int64_t testCases = 0;
    int64_t passed = 0;
    int64_t failed = 0;
    int64_t skipped = 0;
    int64_t notReached = 0;
    int64_t durationMs = 0;
    bool stopped = false;
    bool interrupted = false;
};

// A run's record (docs/results.schema.json) read as a stream, one line at a time, checked as it
// goes: the run line first (format nordteller-results, a version this program reads), then the
// case lines in the script's order (each line of Script.csv once, rising), then the summary,
// whose count must be the cases', and nothing after it. Only the line being read is held.
// Every error names the file and its line.
class RecordReader {
  public:
    // Lines longer than this are not a record's.
    static constexpr size_t kMaxLineBytes = 256u << 20;

    explicit RecordReader(std::string path);
    ~RecordReader();
    RecordReader(const RecordReader&) = delete;
    RecordReader& operator=(const RecordReader&) = delete;

    // Opens the file and reads its run line; false with Error() when it cannot be read or is
    // not a record of this format and version.
    bool Open();
    // The next case line; false at the summary (Summary() then holds it) or on an error
    // (Failed()).
    bool NextCase();

    bool Failed() const { return !error_.empty(); }
    // "'run.jsonl' line 3: not JSON (unexpected 'x' at column 1)".
    const std::string& Error() const { return error_; }
    const std::string& Path() const { return path_; }

    const RecordRun& Run() const { return run_; }
    const RecordSummary& Summary() const { return summary_; }
    int64_t Cases() const { return cases_; }

    // The case line read last: parsed, as text, and its checked fields.
    JsonLine::Value Case() const { return json_.Root(); }
    std::string_view CaseText() const { return text_; }
    int64_t CaseLine() const { return caseLine_; }  // its line of Script.csv
    int64_t CaseIndex() const { return caseIndex_; }
    const std::string& CaseInfo() const { return caseInfo_; }  // Test Case Info, UTF-8
    const std::string& Verdict() const { return verdict_; }
    // The line of the record file the case was read from.
    int FileLine() const { return fileLine_; }

  private:
    bool ReadLine(std::string_view& line);
    bool Fail(const std::string& what);
    bool ReadRun(std::string_view text);
    bool ReadCase();
    bool ReadSummary();

    std::string path_;
    int fd_ = -1;
    std::string buffer_;
    size_t start_ = 0;
    bool atEnd_ = false;
    int fileLine_ = 0;
    std::string error_;

    JsonLine json_;
    std::string_view text_;
    RecordRun run_;
    RecordSummary summary_;
    bool summaryRead_ = false;
    int64_t cases_ = 0;
    int64_t caseLine_ = 0;
    int64_t caseIndex_ = 0;
    std::string caseInfo_;
    std::string verdict_;
};

// "'FILE'", bounded and escaped, as messages name the files of the command line.
std::string QuoteFile(const std::string& path);

}  // namespace nt
