#include "dialogs/AmountEdit.h"

#include <cstdio>
#include <cstdlib>

namespace nt {

namespace {

std::string WithoutLeadingZeros(const std::string& text) {
    size_t first = text.find_first_not_of('0');
    return first == std::string::npos ? std::string() : text.substr(first);
}

}  // namespace

std::string FormatAmount(const std::string& text) {
    std::string digits;
    digits.reserve(text.size());
    for (char c : text) {
        if (c != '.') {
            digits.push_back(c);
        }
    }
    digits = WithoutLeadingZeros(digits);
    switch (digits.size()) {
        case 0:
            return "0.00";
        case 1:
            return "0.0" + digits;
        case 2:
            return "0." + digits;
        default:
            return digits.substr(0, digits.size() - 2) + "." + digits.substr(digits.size() - 2);
    }
}

AmountUpdate CAmountEdit::OnAmountUpdate(const std::string& reported) {
    AmountUpdate out{reported, 0};
    Update(reported, out, 0);
    return out;
}

// Setting the control's text re-enters the update handling, as the control notifies again; the
// nesting ends at the latest when the accepted text (already well-formed) is shown again.
void CAmountEdit::Update(const std::string& reported, AmountUpdate& out, int depth) {
    if (reported == formatted_ || depth > 4) {
        return;
    }
    std::string trimmed = WithoutLeadingZeros(reported);
    formatted_ = FormatAmount(trimmed);
    if (trimmed.size() > kMaxLength) {
        out.shown = accepted_;
        Update(accepted_, out, depth + 1);
        ++out.beeps;
    } else {
        out.shown = formatted_;
        Update(formatted_, out, depth + 1);
    }
    accepted_ = out.shown;
}

AmountUpdate CAmountEdit::SetAmountCents(long cents) {
    char text[32];
    std::snprintf(text, sizeof text, "%ld", cents);
    return OnAmountUpdate(text);
}

long CAmountEdit::GetAmountCents() const {
    // The accepted text without its points, read as the standard conversion reads it: leading
    // blanks and a sign allowed, then digits up to the first other character; 0 when none.
    std::string digits;
    for (char c : accepted_) {
        if (c != '.') {
            digits.push_back(c);
        }
    }
    return std::strtol(digits.c_str(), nullptr, 10);
}

}  // namespace nt
