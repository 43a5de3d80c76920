#include "compare/LineDiff.h"

#include <algorithm>
#include <cstdint>

namespace nt {

namespace {

// Lines only in base (from b) and only in now (from n), set beside each other.
void AddReplaced(std::vector<DiffRow>& rows, int b, int bEnd, int n, int nEnd) {
    while (b < bEnd || n < nEnd) {
        rows.push_back({b < bEnd ? b++ : -1, n < nEnd ? n++ : -1, true});
    }
}

}  // namespace

std::vector<DiffRow> DiffLines(const std::vector<std::string>& base,
                               const std::vector<std::string>& now) {
    std::vector<DiffRow> rows;
    int head = 0;
    const int bSize = static_cast<int>(base.size());
    const int nSize = static_cast<int>(now.size());
    while (head < bSize && head < nSize && base[head] == now[head]) {
        rows.push_back({head, head, false});
        ++head;
    }
    int tail = 0;
    while (tail < bSize - head && tail < nSize - head &&
           base[bSize - 1 - tail] == now[nSize - 1 - tail]) {
        ++tail;
    }
    const int bEnd = bSize - tail;
    const int nEnd = nSize - tail;
    const size_t m = static_cast<size_t>(bEnd - head);
    const size_t n = static_cast<size_t>(nEnd - head);
    if (m == 0 || n == 0 || m * n > kMaxDiffCells) {
        AddReplaced(rows, head, bEnd, head, nEnd);
    } else {
        // lcs[i][j]: the longest common subsequence of base[head+i..bEnd) and now[head+j..nEnd).
        std::vector<uint32_t> lcs((m + 1) * (n + 1), 0);
        const auto at = [n](size_t i, size_t j) { return i * (n + 1) + j; };
        for (size_t i = m; i-- > 0;) {
            for (size_t j = n; j-- > 0;) {
                lcs[at(i, j)] = base[head + i] == now[head + j]
                                    ? lcs[at(i + 1, j + 1)] + 1
                                    : std::max(lcs[at(i + 1, j)], lcs[at(i, j + 1)]);
            }
        }
        size_t i = 0;
        size_t j = 0;
        int bFrom = head;
        int nFrom = head;
        while (i < m && j < n) {
            if (base[head + i] == now[head + j]) {
                AddReplaced(rows, bFrom, head + static_cast<int>(i), nFrom,
                            head + static_cast<int>(j));
                rows.push_back({head + static_cast<int>(i), head + static_cast<int>(j), false});
                ++i;
                ++j;
                bFrom = head + static_cast<int>(i);
                nFrom = head + static_cast<int>(j);
            } else if (lcs[at(i + 1, j)] >= lcs[at(i, j + 1)]) {
                ++i;
            } else {
                ++j;
            }
        }
        AddReplaced(rows, bFrom, bEnd, nFrom, nEnd);
    }
    for (int t = 0; t < tail; ++t) {
        rows.push_back({bEnd + t, nEnd + t, false});
    }
    return rows;
}

size_t ChangedRows(const std::vector<DiffRow>& rows) {
    return static_cast<size_t>(
        std::count_if(rows.begin(), rows.end(), [](const DiffRow& row) { return row.changed; }));
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t from = 0;
    while (from < text.size()) {
        const size_t lf = text.find('\n', from);
        const size_t end = lf == std::string::npos ? text.size() : lf;
        lines.emplace_back(text, from, end - from);
        from = end + 1;
    }
    return lines;
}

}  // namespace nt
