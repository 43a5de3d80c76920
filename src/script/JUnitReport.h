#pragma once

#include <string>
#include <vector>

#include "script/TestCaseRecord.h"

namespace nt {

struct ReportCounts {
    int tests = 0;
    int failures = 0;
    int skipped = 0;
};

// Every test case judged once, in order: judging reads each response, so callers that need
// the verdicts twice (counts and report) judge once and pass them on.
std::vector<Verdict> JudgeRun(const ScriptRunRecord& run);

ReportCounts CountVerdicts(const std::vector<Verdict>& verdicts);
ReportCounts CountVerdicts(const ScriptRunRecord& run);

// The run as a JUnit XML report (UTF-8): one <testsuite> named "Script.csv" with the counts,
// the run's time and start; one <testcase> per runnable row, named by TestCaseName, with its
// file line, time, a <failure> listing every reason or a <skipped>, and a <system-out> holding
// the request as sent, the response, the receipt file and the time taken.
std::string FormatJUnitReport(const ScriptRunRecord& run, const std::vector<Verdict>& verdicts);
std::string FormatJUnitReport(const ScriptRunRecord& run);

// Writes the report in one step (a temporary file renamed over `path`); false on failure.
bool WriteJUnitReport(const std::string& path, const ScriptRunRecord& run,
                      const std::vector<Verdict>& verdicts);
bool WriteJUnitReport(const std::string& path, const ScriptRunRecord& run);

}  // namespace nt
