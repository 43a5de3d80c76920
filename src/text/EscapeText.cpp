#include "text/EscapeText.h"

#include "platform/Codepage.h"

namespace nt {

namespace {

// "\xHH" for a control character: C0 but TAB, CR and LF (those have escapes of their own), DEL,
// and the C1 characters the code page's five unassigned bytes stand for. Nothing that reaches a
// terminal through the transcript can move its cursor, retitle it or ring it.
void AppendHexEscape(std::string& out, unsigned value) {
    static constexpr char kHex[] = "0123456789abcdef";
    out += "\\x";
    out += kHex[(value >> 4) & 0xF];
    out += kHex[value & 0xF];
}

}  // namespace

std::string EscapeText(std::string_view cp1252) {
    const std::string utf8 = Cp1252ToUtf8(cp1252);
    std::string out;
    out.reserve(utf8.size() + utf8.size() / 16);
    size_t start = 0;
    for (size_t i = 0; i < utf8.size(); ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        const char* escape = nullptr;
        unsigned hex = 0x100;  // none
        size_t length = 1;
        switch (byte) {
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
            case 0xC2:  // U+0080..U+00BF: only the C1 controls are escaped
                if (i + 1 < utf8.size() && static_cast<unsigned char>(utf8[i + 1]) < 0xA0) {
                    hex = static_cast<unsigned char>(utf8[i + 1]);
                    length = 2;
                }
                break;
            default:
                if (byte < 0x20 || byte == 0x7F) {
                    hex = byte;
                }
                break;
        }
        if (escape == nullptr && hex == 0x100) {
            continue;
        }
        out.append(utf8, start, i - start);
        if (escape != nullptr) {
            out += escape;
        } else {
            AppendHexEscape(out, hex);
        }
        i += length - 1;
        start = i + 1;
    }
    out.append(utf8, start, std::string::npos);
    return out;
}

}  // namespace nt
