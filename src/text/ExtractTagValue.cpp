#include "text/ExtractTagValue.h"

namespace nt {

std::string ExtractTagValue(const std::string& source, std::string tagName) {
    const std::string open = "<" + tagName + ">";
    const std::string close = "</" + tagName + ">";
    const auto p = source.find(open);
    if (p == std::string::npos) {
        return {};
    }
    const auto q = source.find(close, p);
    const auto start = p + open.size();
    // A tag name that holds markup can make the closing tag overlap the opening one.
    if (q == std::string::npos || q < start) {
        return {};
    }
    return source.substr(start, q - start);
}

}  // namespace nt
