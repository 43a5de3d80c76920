#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "form/CommandObserver.h"
#include "platform/Clock.h"
#include "script/ScriptObserver.h"

namespace nt {

// What one runnable row of a script run did, as a report needs it. Texts are Windows-1252.
struct TestCaseRecord {
    int index = 0;
    int line = 0;
    ScriptRow row;
    bool reached = false;  // false: the script was stopped before this row
    TestCaseOutcome outcome = TestCaseOutcome::kSkipped;
    std::vector<std::string> requests;   // as sent, after editing
    std::vector<std::string> responses;  // as received
    std::optional<NoResponse> noResponse;
    std::vector<std::string> receipts;       // receipt file base names
    std::vector<std::string> errorMessages;  // message boxes other than the response's own
    uint64_t elapsedMs = 0;
};

struct ScriptRunRecord {
    std::vector<TestCaseRecord> testCases;
    ScriptEnd end = ScriptEnd::kCouldNotOpen;
    LocalTime started;
    uint64_t elapsedMs = 0;
};

enum class TestCaseStatus { kPassed, kFailed, kSkipped };

struct Verdict {
    TestCaseStatus status = TestCaseStatus::kPassed;
    std::vector<std::string> reasons;  // why it failed, or why it was skipped
};

// A row fails when it ran and no response came back, a response is not XML, the operator saw a
// message box other than the response's own, the transaction type was invalid, or the expected
// outcome (tenth column, when not empty) differs from the response's CmdResponse/CmdStatus.
Verdict Judge(const TestCaseRecord& testCase);

// The row's Test Case Info, or "row N" (N its line in the file) when that is empty.
std::string TestCaseName(const TestCaseRecord& testCase);

}  // namespace nt
