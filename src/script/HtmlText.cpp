#include "script/HtmlText.h"

#include "platform/Codepage.h"

namespace nt {

std::string HtmlEscape(std::string_view cp1252) {
    const std::string utf8 = Cp1252ToUtf8(cp1252);
    std::string out;
    out.reserve(utf8.size() + utf8.size() / 8);
    for (size_t i = 0; i < utf8.size(); ++i) {
        const char c = utf8[i];
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&#39;";
                break;
            case '\r':
                out += '\n';
                if (i + 1 < utf8.size() && utf8[i + 1] == '\n') {
                    ++i;
                }
                break;
            default:
                if ((static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n') ||
                    c == '\x7F') {
                    out += "\xEF\xBF\xBD";
                } else {
                    out += c;
                }
        }
    }
    return out;
}

}  // namespace nt
