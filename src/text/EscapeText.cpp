#include "text/EscapeText.h"

#include "platform/Codepage.h"

namespace nt {

std::string EscapeText(std::string_view cp1252) {
    const std::string utf8 = Cp1252ToUtf8(cp1252);
    std::string out;
    out.reserve(utf8.size() + utf8.size() / 16);
    size_t start = 0;
    for (size_t i = 0; i < utf8.size(); ++i) {
        const char* escape = nullptr;
        switch (utf8[i]) {
            case '\t':
                escape = "\\t";
                break;
            case '\r':
                escape = "\\r";
                break;
            case '\n':
                escape = "\\n";
                break;
            case '\\':
                escape = "\\\\";
                break;
            default:
                continue;
        }
        out.append(utf8, start, i - start);
        out.append(escape);
        start = i + 1;
    }
    out.append(utf8, start, std::string::npos);
    return out;
}

}  // namespace nt
