#pragma once

#include <string>
#include <string_view>

namespace nt {

// Windows-1252 text as UTF-8 XML 1.0 content: & < > " ' escaped, CR kept as &#13; (a parser
// would turn a bare CR LF into LF), and the control characters XML 1.0 forbids replaced by
// U+FFFD. In an attribute value TAB and LF are written as references too, so that attribute
// normalisation keeps them.
std::string XmlEscape(std::string_view cp1252, bool attribute = false);

}  // namespace nt
