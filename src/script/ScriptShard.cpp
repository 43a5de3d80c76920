#include "script/ScriptShard.h"

namespace nt {

namespace {

// A plain decimal number of at most five digits, no sign, no blanks; 0 when it is not one.
int SmallNumber(std::string_view text) {
    if (text.empty() || text.size() > 5) {
        return 0;
    }
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            return 0;
        }
        value = value * 10 + (c - '0');
    }
    return value;
}

}  // namespace

std::optional<ScriptShard> ParseShard(std::string_view text) {
    const size_t slash = text.find('/');
    if (slash == std::string_view::npos) {
        return std::nullopt;
    }
    const int k = SmallNumber(text.substr(0, slash));
    const int n = SmallNumber(text.substr(slash + 1));
    if (k < 1 || n < 1 || k > n || n > kMaxShards) {
        return std::nullopt;
    }
    return ScriptShard{k, n};
}

}  // namespace nt
