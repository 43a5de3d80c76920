#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "form/CommandObserver.h"
#include "platform/Clock.h"
#include "script/ScriptObserver.h"
#include "text/EmvData.h"

namespace nt {

// The most of one request, response or message a test case carries into its report.
inline constexpr size_t kReportTextLimit = 64 * 1024;

// The text as a report keeps it: whole up to kReportTextLimit bytes, else cut there with a note
// on a line of its own saying how many bytes were cut.
std::string ReportCopy(std::string_view text);

// What one runnable row of a script run did, as a report needs it. Texts are Windows-1252;
// requests, responses and messages are report copies.
struct TestCaseRecord {
    int index = 0;
    int line = 0;
    ScriptRow row;
    bool reached = false;  // false: the script was stopped before this row
    TestCaseOutcome outcome = TestCaseOutcome::kSkipped;
    std::string notEntered;  // what a field refused of the row, or why it did not run
    bool notRun = false;     // not run in this shard: its original ran in another (see notEntered)
    std::string shard;       // the shard of the run ("2/4"); empty when the run was not sharded
    std::vector<std::string> requests;   // as sent, after editing
    std::vector<std::string> composed;   // per request: as composed when edited, else empty
    std::vector<std::string> responses;  // as received
    // Read from the whole responses as they came: the parse errors of those that are not XML,
    // in order, and the CmdStatus of the last one when it is XML and has one.
    std::vector<std::string> notXml;
    bool lastIsXml = false;
    std::optional<std::string> lastStatus;
    std::optional<NoResponse> noResponse;
    // Per response: its TVR, TSI and AID decoded from the whole text.
    std::vector<std::vector<EmvField>> emv;
    std::vector<std::string> receipts;  // receipt file base names
    // Per receipt: its copies as rendered (report copies), and the response it was rendered
    // from (an index into responses).
    std::vector<RenderedReceipt> receiptCopies;
    std::vector<size_t> receiptResponses;
    std::vector<std::string> errorMessages;  // message boxes other than the response's own
    std::vector<std::string> evidenceLost;   // its log entries, receipts, journal lines not written
    uint64_t elapsedMs = 0;
};

// Reads a response into the record: its verdict facts and EMV data from the whole text, a
// report copy.
void RecordResponse(TestCaseRecord& testCase, const std::string& response);

enum class TestCaseStatus { kPassed, kFailed, kSkipped };

struct Verdict {
    TestCaseStatus status = TestCaseStatus::kPassed;
    std::vector<std::string> reasons;  // why it failed, or why it was skipped
};

struct ReportCounts {
    int tests = 0;
    int failures = 0;
    int skipped = 0;
    // Set when a signal stopped the run: by which, and at which row ("interrupted by SIGINT
    // after test case 3 of 12 (Script.csv line 4)"); the reports carry it as a note.
    std::string interrupted;
};

// A row fails when it ran and no response came back, a response is not XML,
// the operator saw a message box other than the response's own, the transaction type was
// invalid, a field refused a column, or the expected outcome (tenth column, when not empty)
// differs from the last response's CmdResponse/CmdStatus; also when its evidence (a daily log
// entry, a receipt, a journal line) could not be written: a tester cannot show what it did.
Verdict Judge(const TestCaseRecord& testCase);

// The row's Test Case Info, or "row N" (N its line in the file) when that is empty.
std::string TestCaseName(const TestCaseRecord& testCase);

}  // namespace nt
