#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace nt {

// Windows-1252, the code page the core keeps its 8-bit text in. All 256 byte values convert:
// the five bytes the code page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1
// control characters of the same value, as the platform's own conversion does.
std::string Cp1252ToUtf8(std::string_view text);

// A character Windows-1252 lacks, and every malformed UTF-8 sequence, becomes "?".
std::string Utf8ToCp1252(std::string_view text);

// The length of the well-formed, printable UTF-8 character at the start of text; 0 when it is
// not one (ASCII, a stray or truncated sequence, an overlong form, a surrogate, a C1 control).
size_t PrintableUtf8Length(std::string_view text);

// Whether a text is plainly UTF-8 rather than Windows-1252: it holds characters beyond ASCII, and
// every byte beyond ASCII is part of one. Windows-1252 text with accented letters almost never
// is: its letters stand alone, where UTF-8 wants a lead byte and its continuation bytes.
bool LooksLikeUtf8(std::string_view text);

}  // namespace nt
