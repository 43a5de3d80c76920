#pragma once

#include <string>
#include <vector>

namespace nt {

// One row of two texts set side by side: a line of each (-1 where a side has none there), and
// whether the two differ.
struct DiffRow {
    int base = -1;
    int now = -1;
    bool changed = false;  // a line removed, added or replaced; false: the same on both sides
};

// The rows of a line diff of `base` and `now`, compared as the given keys (the lines as they are
// compared, e.g. with ignored values masked): a longest common subsequence, lines only in base
// set beside lines only in now where they meet. Inputs past kMaxDiffCells line pairs are
// compared by their common head and tail, the middle as replaced.
std::vector<DiffRow> DiffLines(const std::vector<std::string>& base,
                               const std::vector<std::string>& now);

inline constexpr size_t kMaxDiffCells = 4u << 20;

// The rows that differ.
size_t ChangedRows(const std::vector<DiffRow>& rows);

// A text's lines, LF ends (a last line end makes no empty line).
std::vector<std::string> SplitLines(const std::string& text);

}  // namespace nt
