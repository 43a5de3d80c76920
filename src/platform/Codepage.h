#pragma once

#include <string>
#include <string_view>

namespace nt {

// Windows-1252, the code page the core keeps its 8-bit text in. All 256 byte values convert:
// the five bytes the code page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1
// control characters of the same value, as the platform's own conversion does.
std::string Cp1252ToUtf8(std::string_view text);

// A character Windows-1252 lacks, and every malformed UTF-8 sequence, becomes "?".
std::string Utf8ToCp1252(std::string_view text);

}  // namespace nt
