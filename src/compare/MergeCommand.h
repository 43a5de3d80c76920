#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "script/ReportRequest.h"

namespace nt {

// nordteller --merge A B...: the records of a run's shards, and the reports of the merged run
// (--results, --junit, --report, in the order given).
struct MergeOptions {
    std::vector<std::string> inputs;
    std::vector<ReportRequest> reports;
};

// Combines the records of one run's shards into the reports of one run: every shard of the same
// N once (1/N to N/N), all of the same script (its SHA-256 and size on their run lines), the
// same payment client and nordteller version; the test cases in the script's order, each line
// of Script.csv once, each case line naming its shard. The inputs are read line by line, a case
// line of each at a time. The merged record's case lines are the shards' own, byte for byte; its
// run line is the first shard's, with the earliest start, no working folder, and the records it
// merges listed; its duration runs from the earliest start to the latest end. Nothing in the
// outputs comes from the clock: merging the same inputs again writes the same bytes. Returns 0
// with one line on `out` when merged, 2 after a line on `err` when an input cannot be read, is
// not a shard's record, belongs to another script or run, overlaps another, a shard is
// missing, or an output cannot be written (then no output is written).
int RunMerge(const MergeOptions& options, std::ostream& out, std::ostream& err);

}  // namespace nt
