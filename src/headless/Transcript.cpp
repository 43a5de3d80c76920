#include "headless/Transcript.h"

#include "platform/Codepage.h"

namespace nt {

std::string EscapeText(std::string_view cp1252) {
    std::string utf8 = Cp1252ToUtf8(cp1252);
    std::string out;
    out.reserve(utf8.size());
    for (char c : utf8) {
        switch (c) {
            case '\t':
                out += "\\t";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\\':
                out += "\\\\";
                break;
            default:
                out += c;
        }
    }
    return out;
}

void Transcript::Line(std::string_view line) {
    out_ << line << '\n';
}

void Transcript::Entry(std::string_view kind, std::string_view text) {
    out_ << kind << ": " << EscapeText(text) << '\n';
}

void Transcript::Entry(std::string_view kind, std::string_view text, std::string_view outcome) {
    out_ << kind << ": " << EscapeText(text) << " -> " << outcome << '\n';
}

}  // namespace nt
