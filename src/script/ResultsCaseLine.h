#pragma once

#include <string>

#include "script/TestCaseRecord.h"

namespace nt {

// One "case" line of the run's record (docs/results.schema.json), without its line end: the test
// case as the HTML report shows it, texts converted from Windows-1252 to UTF-8, receipt copies
// with LF line ends. Made once a test case, so it is streamed member by member rather than built
// as a tree first: the tree cost more than the line's share of the run.
std::string ResultsCaseLine(const TestCaseRecord& testCase, const Verdict& verdict);

}  // namespace nt
