#include "compare/RecordReader.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/QuotedInput.h"
#include "platform/TextFile.h"
#include "platform/WriteTarget.h"
#include "script/ResultsReport.h"

namespace nt {

namespace {

constexpr size_t kReadBytes = 1u << 20;

// "2026-12-08T20:43:47".
bool IsStamp(std::string_view text) {
    static constexpr std::string_view kShape = "dddd-dd-ddTdd:dd:dd";
    if (text.size() != kShape.size()) {
        return false;
    }
    for (size_t i = 0; i < text.size(); ++i) {
        if (kShape[i] == 'd' ? (text[i] < '0' || text[i] > '9') : text[i] != kShape[i]) {
            return false;
        }
    }
    return true;
}

bool IsVerdict(std::string_view verdict) {
    return verdict == "passed" || verdict == "failed" || verdict == "skipped" ||
           verdict == "not_reached";
}

}  // namespace

std::string QuoteFile(const std::string& path) {
    return QuoteInput(path);
}

RecordReader::RecordReader(std::string path) : path_(std::move(path)) {}

RecordReader::~RecordReader() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

bool RecordReader::Fail(const std::string& what) {
    if (error_.empty()) {
        error_ = QuoteFile(path_) + " line " + std::to_string(fileLine_) + ": " + what;
    }
    return false;
}

bool RecordReader::ReadLine(std::string_view& line) {
    for (;;) {
        const char* data = buffer_.data() + start_;
        const size_t held = buffer_.size() - start_;
        if (const void* lf = std::memchr(data, '\n', held)) {
            const size_t length = static_cast<const char*>(lf) - data;
            line = std::string_view(data, length);
            start_ += length + 1;
            ++fileLine_;
            return true;
        }
        if (atEnd_) {
            if (held == 0) {
                return false;
            }
            line = std::string_view(data, held);  // a last line without its line end
            start_ = buffer_.size();
            ++fileLine_;
            return true;
        }
        if (held > kMaxLineBytes) {
            ++fileLine_;
            return Fail("longer than " + std::to_string(kMaxLineBytes >> 20) +
                        " MiB: not a line of a record");
        }
        const long n = ReadMoreInto(fd_, buffer_, start_, kReadBytes);
        start_ = 0;
        if (n < 0) {
            error_ = "cannot read " + QuoteFile(path_) + ": " + FileErrorText(errno);
            return false;
        }
        atEnd_ = n == 0;
    }
}

bool RecordReader::Open() {
    size_t size = 0;
    fd_ = OpenForReading(path_, size);
    if (fd_ < 0) {
        error_ = "cannot read " + QuoteFile(path_) + ": " + FileErrorText(errno);
        return false;
    }
    std::string_view line;
    if (!ReadLine(line)) {
        if (!Failed()) {
            error_ = QuoteFile(path_) + ": empty, not a nordteller record";
        }
        return false;
    }
    return ReadRun(line);
}

bool RecordReader::ReadRun(std::string_view text) {
    std::string why;
    if (!json_.Parse(text, why)) {
        return Fail("not a nordteller record: not JSON (" + why + ")");
    }
    const JsonLine::Value run = json_.Root();
    std::string_view record;
    if (!run.IsObject() || !run["record"].PlainString(record) || record != "run") {
        return Fail("not a nordteller record: its first line is not a run line");
    }
    std::string_view format;
    if (!run["format"].PlainString(format) || format != ResultsReport::kFormat) {
        return Fail("not a nordteller record: format " + QuoteInput(run["format"].String()) +
                    ", not " + ResultsReport::kFormat);
    }
    int64_t version = 0;
    if (!run["version"].Int(version, 0, INT32_MAX)) {
        return Fail("not a nordteller record: its run line has no format version");
    }
    if (version != ResultsReport::kVersion) {
        return Fail("a record of format version " + std::to_string(version) +
                    "; this nordteller reads version " + std::to_string(ResultsReport::kVersion));
    }
    run_.line = std::string(text);
    run_.programVersion = run["program_version"].String();
    run_.paymentClient = run["payment_client"].String();
    run_.started = run["started"].String();
    if (!IsStamp(run_.started)) {
        return Fail("its run line has no start (\"started\": YYYY-MM-DDTHH:MM:SS)");
    }
    if (run["working_folder"].IsString()) {
        run_.workingFolder = run["working_folder"].String();
    }
    run_.scriptSha256 = run["script_sha256"].String();
    if (!run["script_bytes"].Int(run_.scriptBytes, 0, INT64_MAX)) {
        run_.scriptBytes = -1;
    }
    if (const JsonLine::Value shard = run["shard"]; shard.Valid() && !shard.IsNull()) {
        run_.shard = ParseShard(shard.String());
        if (!run_.shard) {
            return Fail("its run line names no shard K/N: " + QuoteInput(shard.String()));
        }
    }
    run_.merged = run["merged"].IsArray() ? run["merged"].Size() : 0;
    return true;
}

bool RecordReader::NextCase() {
    if (Failed() || summaryRead_) {
        return false;
    }
    std::string_view line;
    if (!ReadLine(line)) {
        if (!Failed()) {
            error_ = QuoteFile(path_) + ": ends after line " + std::to_string(fileLine_) +
                     " without its summary line (a record cut short?)";
        }
        return false;
    }
    text_ = line;
    std::string why;
    if (!json_.Parse(line, why)) {
        return Fail("not JSON (" + why + ")");
    }
    std::string_view record;
    if (!json_.Root().IsObject() || !json_.Root()["record"].PlainString(record)) {
        return Fail("not a line of a record (no \"record\")");
    }
    if (record == "case") {
        return ReadCase();
    }
    if (record == "summary") {
        ReadSummary();
        return false;
    }
    return Fail("a line of an unknown kind: " + QuoteInput(json_.Root()["record"].String()));
}

bool RecordReader::ReadCase() {
    const JsonLine::Value c = json_.Root();
    int64_t line = 0;
    if (!c["line"].Int(line, 1, INT32_MAX) || !c["index"].Int(caseIndex_, 1, INT32_MAX)) {
        return Fail("a case line without its line and index");
    }
    if (!c["test_case_info"].IsString() || !c["verdict"].IsString()) {
        return Fail("a case line without its Test Case Info and verdict");
    }
    verdict_ = c["verdict"].String();
    if (!IsVerdict(verdict_)) {
        return Fail("a case line with the verdict " + QuoteInput(verdict_));
    }
    if (line <= caseLine_) {
        return Fail("the test case of Script.csv line " + std::to_string(line) +
                    " comes after line " + std::to_string(caseLine_) +
                    ": a record holds each line once, in the script's order");
    }
    caseLine_ = line;
    caseInfo_ = c["test_case_info"].String();
    ++cases_;
    return true;
}

bool RecordReader::ReadSummary() {
    const JsonLine::Value s = json_.Root();
    struct Count {
        const char* name;
        int64_t* value;
    };
    for (const Count& count :
         {Count{"test_cases", &summary_.testCases}, Count{"passed", &summary_.passed},
          Count{"failed", &summary_.failed}, Count{"skipped", &summary_.skipped},
          Count{"not_reached", &summary_.notReached}, Count{"duration_ms", &summary_.durationMs}}) {
        if (!s[count.name].Int(*count.value, 0, INT64_MAX)) {
            return Fail(std::string("a summary line without its \"") + count.name + "\"");
        }
    }
    summary_.stopped = s["stopped"].Bool();
    summary_.interrupted = s["interrupted"].Bool();
    if (summary_.testCases != cases_) {
        return Fail("the summary counts " + std::to_string(summary_.testCases) +
                    " test cases, the record holds " + std::to_string(cases_));
    }
    summaryRead_ = true;
    std::string_view more;
    if (ReadLine(more)) {
        return Fail("a line after the summary line");
    }
    return !Failed();
}

}  // namespace nt
