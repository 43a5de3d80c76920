#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace nt {

inline constexpr const char* kScriptFileName = "Script.csv";

// No test case line is anywhere near this long; a longer line is a bad line, not a test case.
inline constexpr size_t kMaxScriptLineBytes = 1u << 20;

// The whole file, read with other readers and writers allowed; a line longer than
// kMaxScriptLineBytes reads as an empty line (longLine, when given, gets the number of the
// first one, 0 when none). nullopt when it cannot be opened (missing, not a regular file, no
// permission, or locked exclusively by another process).
std::optional<std::string> ReadScriptFile(const std::string& path, int* longLine = nullptr);

// The number (from 1) of the first line that holds a CR not followed by a LF: a file with
// CR-only line ends reads as one long line. 0 when there is none.
int LoneCarriageReturnLine(std::string_view content);

// The file's lines as the original platform's text mode reads them: LF ends a line, a CR just
// before it belongs to the line end, any other CR is an ordinary byte. A UTF-8 byte order mark
// at the very start is dropped; the last line needs no line end. The views point into `content`.
std::vector<std::string_view> ScriptLines(std::string_view content);

}  // namespace nt
