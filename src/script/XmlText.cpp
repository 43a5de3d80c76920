#include "script/XmlText.h"

#include "platform/Codepage.h"

namespace nt {

std::string XmlEscape(std::string_view cp1252, bool attribute) {
    // Windows-1252 converts to UTF-8 without surrogates or non-characters, so only the C0
    // controls need a look.
    const std::string utf8 = Cp1252ToUtf8(cp1252);
    std::string out;
    out.reserve(utf8.size() + utf8.size() / 8);
    for (char c : utf8) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&apos;";
                break;
            case '\r':
                out += "&#13;";
                break;
            case '\n':
                out += attribute ? "&#10;" : "\n";
                break;
            case '\t':
                out += attribute ? "&#9;" : "\t";
                break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    out += "\xEF\xBF\xBD";
                } else {
                    out += c;
                }
        }
    }
    return out;
}

}  // namespace nt
