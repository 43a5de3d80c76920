#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "script/ReportFile.h"

namespace nt::test {

// A runnable row as a run records it once the row ran.
inline TestCaseRecord RanRow(int index, int line, const std::string& csv) {
    TestCaseRecord tc;
    tc.index = index;
    tc.line = line;
    tc.row = SplitScriptRow(csv);
    tc.reached = true;
    tc.outcome = TestCaseOutcome::kRan;
    return tc;
}

// Hands the test cases to `report` as a run does, opening it at `path` first unless `open` is
// false (a window's later run); "written", or the report's error.
inline std::string WriteRun(ReportFile& report, const std::string& path,
                            const std::vector<TestCaseRecord>& testCases,
                            const LocalTime& started = LocalTime{2026, 3, 7, 9, 5, 2},
                            uint64_t elapsedMs = 12345, bool open = true) {
    if (open && !report.Open(path)) {
        return report.Error();
    }
    report.OnRunStarted(started);
    ReportCounts counts;
    for (const TestCaseRecord& tc : testCases) {
        const Verdict verdict = Judge(tc);
        ++counts.tests;
        counts.failures += verdict.status == TestCaseStatus::kFailed;
        counts.skipped += verdict.status == TestCaseStatus::kSkipped;
        report.OnTestCase(std::make_shared<const TestCaseRecord>(tc), verdict);
    }
    report.OnRunEnded(counts, elapsedMs);
    return report.Written() ? "written" : report.Error();
}

}  // namespace nt::test
