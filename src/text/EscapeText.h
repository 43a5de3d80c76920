#pragma once

#include <string>
#include <string_view>

namespace nt {

// A Windows-1252 text as the transcript shows it: UTF-8, with TAB, CR, LF and backslash
// written as \t, \r, \n and \\ so that every entry stays on one line, and every other control
// character as \xHH (its code point) so that none reaches a terminal.
std::string EscapeText(std::string_view cp1252);

}  // namespace nt
