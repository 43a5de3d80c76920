#pragma once

#include <string>
#include <string_view>

namespace nt {

// Windows-1252 text as UTF-8 HTML content or attribute value: & < " ' escaped (a '>' ends no
// markup there and stays, which keeps XML documents a third smaller), CR LF and a
// lone CR as LF (a reference to CR would draw nothing), other control characters but TAB and LF
// as U+FFFD.
std::string HtmlEscape(std::string_view cp1252);

}  // namespace nt
