#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "compare/IgnoreRules.h"

namespace nt {

// nordteller --compare BASE NEW: what to compare, under which rules, and the reports to write.
struct CompareOptions {
    std::string base;
    std::string now;
    IgnoreRules rules;
    std::string html;   // --report FILE.html; empty: none
    std::string junit;  // --junit FILE; empty: none
};

// Reads both records line by line, pairs their test cases by line of Script.csv and Test Case
// Info (one only one record has is added or missing), and tells what differs: on `out` one line
// per differing test case as it is found, bounded and escaped, then a result line; the reports
// put in place at the end. Returns 0 when nothing differs, 1 when something does, 2 after a line
// on `err` when a record cannot be read, is not a record, is of another format version, or a
// report cannot be written (then no report is written).
int RunCompare(const CompareOptions& options, std::ostream& out, std::ostream& err);

}  // namespace nt
