#pragma once

#include <string>

namespace nt {

// The bytes between the first "<tagName>" and the next "</tagName>" at or after it; empty when
// either is missing. A plain byte search, not a parse: attributes or a self-closing tag do not
// match, and the content comes back untouched (blanks, markup, entities).
std::string ExtractTagValue(const std::string& source, std::string tagName);

}  // namespace nt
