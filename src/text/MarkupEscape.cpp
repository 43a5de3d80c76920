#include "text/MarkupEscape.h"

#include "platform/Codepage.h"

namespace nt {

std::string EscapeMarkup(std::string_view cp1252, const MarkupRules& rules) {
    const std::string utf8 = Cp1252ToUtf8(cp1252);
    std::string out;
    out.reserve(utf8.size() + utf8.size() / 8);
    for (size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        const char* replacement = c < 0x80 ? rules.replace[c] : nullptr;
        if (replacement == nullptr) {
            out += static_cast<char>(c);
            continue;
        }
        out += replacement;
        if (rules.foldCrLf && c == '\r' && i + 1 < utf8.size() && utf8[i + 1] == '\n') {
            ++i;
        }
    }
    return out;
}

}  // namespace nt
