#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "compare/CaseComparison.h"
#include "compare/RecordReader.h"
#include "platform/StreamedFile.h"

namespace nt {

// One of the two records compared, as the reports name it.
struct ComparedRecord {
    std::string path;
    RecordRun run;
    int64_t cases = 0;
};

// The comparison's outcome.
struct ComparisonTotals {
    int64_t testCases = 0;  // pairs compared, added and missing
    int64_t changed = 0;
    int64_t added = 0;
    int64_t missing = 0;
    std::string ignored;             // IgnoreRules::Describe
    std::vector<std::string> notes;  // what differs between the runs themselves (UTF-8)

    int64_t Differing() const { return changed + added + missing; }
};

// The comparison as one self-contained HTML page (UTF-8, inline CSS, no script), showing only
// what differs: the two records, the counts and what was ignored; then per differing test case
// the values that differ side by side, and each receipt copy that differs as the two copies
// side by side with the changed lines marked. Everything from the records is escaped. Written
// as the differences are found, put in place in one step at the end.
class CompareHtml {
  public:
    bool Open(const std::string& path) { return file_.Open(path); }
    void OnDifference(const CaseDifference& difference);
    bool Commit(const ComparedRecord& base, const ComparedRecord& now,
                const ComparisonTotals& totals);
    const std::string& Error() const { return file_.Error(); }

  private:
    StreamedFile file_;
    std::string strip_;  // the index of the differing test cases, linking to them
};

// The comparison as a JUnit XML report: one test case per test case compared, named as the run's
// reports name it; each that differs fails, its message the summary line, its text every
// difference (receipt lines as "-" and "+" lines).
class CompareJUnit {
  public:
    bool Open(const std::string& path) { return file_.Open(path); }
    void OnSame(int64_t line, const std::string& info);
    void OnDifference(const CaseDifference& difference);
    bool Commit(const ComparedRecord& base, const ComparedRecord& now,
                const ComparisonTotals& totals);
    const std::string& Error() const { return file_.Error(); }

  private:
    StreamedFile file_;
};

// A difference as lines of text: each value that differs and each receipt copy's changed lines.
std::string DifferenceText(const CaseDifference& difference);

}  // namespace nt
