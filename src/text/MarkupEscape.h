#pragma once

#include <array>
#include <string>
#include <string_view>

namespace nt {

// How one kind of markup writes text: what each ASCII character becomes (nullptr: itself).
// Characters from 0x80 up are UTF-8 and always stay.
struct MarkupRules {
    std::array<const char*, 128> replace{};
    bool foldCrLf = false;  // the LF of a CR LF pair goes with the CR's replacement

    // Rules that replace every C0 control character but TAB and LF by U+FFFD.
    static constexpr MarkupRules ControlsReplaced() {
        MarkupRules rules;
        for (unsigned char c = 0; c < 0x20; ++c) {
            if (c != '\t' && c != '\n') {
                rules.replace[c] = "\xEF\xBF\xBD";
            }
        }
        return rules;
    }
};

// Windows-1252 text as UTF-8 markup by the given rules.
std::string EscapeMarkup(std::string_view cp1252, const MarkupRules& rules);

}  // namespace nt
