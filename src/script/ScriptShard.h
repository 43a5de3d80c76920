#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace nt {

// Shard K of N of a script run (--shard K/N): the runnable rows whose index, counted from 0,
// leaves K - 1 when divided by N. K is 1-based, 1 <= K <= N.
struct ScriptShard {
    int k = 1;
    int n = 1;

    // Whether the runnable row of 0-based index `index` is this shard's.
    bool Holds(int index) const { return index % n == k - 1; }
    // "2/4".
    std::string Name() const { return std::to_string(k) + "/" + std::to_string(n); }

    bool operator==(const ScriptShard&) const = default;
};

// The most shards a run is cut into.
inline constexpr int kMaxShards = 10000;

// "K/N" with 1 <= K <= N <= kMaxShards, both plain decimal numbers; nullopt otherwise.
std::optional<ScriptShard> ParseShard(std::string_view text);

}  // namespace nt
