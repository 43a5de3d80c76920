#pragma once

#include "compare/JsonLine.h"
#include "script/TestCaseRecord.h"

namespace nt {

// A case line of a record read back into what the report writers take: the test case as the run
// recorded it (texts back in Windows-1252) and its verdict, so that the JUnit report, the HTML
// page and the record of a merged run are written by the writers of a run.
void ReadTestCase(const JsonLine::Value& line, TestCaseRecord& testCase, Verdict& verdict);

// Only what a record's summary counts of a case line: whether it was reached, stopped at, and
// its verdict.
void ReadVerdict(const JsonLine::Value& line, TestCaseRecord& testCase, Verdict& verdict);

}  // namespace nt
