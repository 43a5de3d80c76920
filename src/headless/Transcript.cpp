#include "headless/Transcript.h"

namespace nt {

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
