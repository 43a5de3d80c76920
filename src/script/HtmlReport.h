#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/StreamedFile.h"
#include "script/ReportFile.h"

namespace nt {

// The run as one self-contained HTML page (UTF-8, inline CSS, no script, nothing fetched): a
// header with the version, the payment client, the start, the duration and the counts; a strip
// of one cell per test case coloured by verdict, linking to it; then per test case its line and
// Test Case Info, the expected and actual CmdStatus, the TextResponse, the verdict and why, the
// requests as sent, the responses, both copies of each receipt as 40-column slips beside the EMV
// data of its response, and the time taken. Past the first kFullPassedCases passed test cases a
// passed one is a row of a brief table, so that a run of 100,000 rows stays a page a browser
// opens; every other test case keeps its whole detail. Written as test cases finish beside the
// JUnit report, with the same bound: documents are report copies, and only one byte per test case
// (its verdict, for the strip) stays in memory.
class HtmlReport : public ReportFile {
  public:
    static constexpr int kFullPassedCases = 1000;

    // control: the payment client as the command line named it.
    explicit HtmlReport(std::string control) : control_(std::move(control)) {}

    // The version of the program that ran the test cases, when it is not this one (a merged
    // record's); and rows the header shows after the payment client (a shard, the records merged).
    void SetProgramVersion(std::string version) { version_ = std::move(version); }
    void AddHeaderRow(std::string name, std::string cp1252Value) {
        headerRows_.emplace_back(std::move(name), std::move(cp1252Value));
    }

    bool Open(const std::string& path) override;
    bool Written() const override { return written_; }
    const std::string& Error() const override { return file_->Error(); }

    // A later run of the same window replaces the report of the one before.
    void OnRunStarted(const LocalTime& started) override;
    void OnTestCase(const SharedTestCase& testCase, const Verdict& verdict) override;
    void OnRunEnded(const ReportCounts& counts, uint64_t elapsedMs) override;

  private:
    std::string control_;
    std::string version_ = NORDTELLER_VERSION;
    std::vector<std::pair<std::string, std::string>> headerRows_;
    std::string path_;
    std::optional<StreamedFile> file_{std::in_place};
    LocalTime started_;
    std::string
        verdicts_;  // one letter per test case: p passed, f failed, s skipped, n not reached
    int passed_ = 0;
    int brief_ = 0;           // passed test cases shown as a row of a brief table
    bool briefOpen_ = false;  // the last thing written is a brief table's row
    bool written_ = false;
};

}  // namespace nt
