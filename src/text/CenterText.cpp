#include "text/CenterText.h"

#include <algorithm>
#include <cstddef>

namespace nt {

std::string CenterText(std::string text, int width) {
    if (width <= 0) {
        return {};
    }
    const auto size = static_cast<std::size_t>(width);
    // Signed arithmetic: d is negative for texts longer than the width.
    const long long d = static_cast<long long>(width) - static_cast<long long>(text.size());
    long long q = d / 2;
    if (d % 2 != 0) {
        ++q;
    }
    std::string result(std::min(q > 0 ? static_cast<std::size_t>(q) : 0, size), ' ');
    result.append(text, 0, size - result.size());
    result.resize(size, ' ');
    return result;
}

}  // namespace nt
