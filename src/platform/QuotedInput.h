#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace nt {

// How the quoted text is encoded; the quote keeps that encoding.
enum class InputEncoding { kUtf8, kCp1252 };

inline constexpr size_t kQuotedCharacters = 80;

// Input a message quotes back, bounded and safe for a terminal: at most 80 characters between
// single quotes; TAB, CR and LF as \t, \r and \n; every other control byte, and every byte that
// is not part of a well-formed character of the encoding, as \xNN. Longer input is cut, and the
// quote says so: 'the first 80 characters'... (10485760 bytes).
std::string QuoteInput(std::string_view text, InputEncoding encoding = InputEncoding::kUtf8);

}  // namespace nt
