#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace nt {

inline constexpr const char* kScriptFileName = "Script.csv";

// The whole file, read with other readers and writers allowed. nullopt when it cannot be opened
// (missing, a directory, no permission, or locked exclusively by another process).
std::optional<std::string> ReadScriptFile(const std::string& path);

// The file's lines as the original platform's text mode reads them: LF ends a line, a CR just
// before it belongs to the line end, any other CR is an ordinary byte. A UTF-8 byte order mark
// at the very start is dropped; the last line needs no line end. The views point into `content`.
std::vector<std::string_view> ScriptLines(std::string_view content);

}  // namespace nt
