#pragma once

#include <cstddef>

namespace nt {

inline constexpr const char* kScriptFileName = "Script.csv";

// No test case line is anywhere near this long; a longer line is a bad line, not a test case.
inline constexpr size_t kMaxScriptLineBytes = 1u << 20;

}  // namespace nt
