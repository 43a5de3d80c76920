#include "compare/IgnoreRules.h"

#include <algorithm>

namespace nt {

namespace {

bool Digit(char c) {
    return c >= '0' && c <= '9';
}

// Letters and digits make a token: a value masked in a receipt line is a whole token there.
bool TokenChar(char c) {
    return Digit(c) || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// The length of the run of digits at text[at..].
size_t Digits(std::string_view text, size_t at) {
    size_t n = 0;
    while (at + n < text.size() && Digit(text[at + n])) {
        ++n;
    }
    return n;
}

// A date at text[at] (at the start of a run of digits): its length, or 0.
size_t DateAt(std::string_view text, size_t at) {
    const size_t first = Digits(text, at);
    if (first != 4 && first != 2 && first != 1) {
        return 0;
    }
    size_t end = at + first;
    if (end >= text.size() || (text[end] != '/' && text[end] != '-' && text[end] != '.')) {
        return 0;
    }
    const char separator = text[end];
    const size_t second = Digits(text, end + 1);
    if (second < 1 || second > 2) {
        return 0;
    }
    end += 1 + second;
    if (end >= text.size() || text[end] != separator) {
        return 0;
    }
    const size_t third = Digits(text, end + 1);
    // yyyy-mm-dd, or dd/mm/yyyy and mm/dd/yy.
    if ((first == 4 && (third < 1 || third > 2)) || (first != 4 && third != 2 && third != 4)) {
        return 0;
    }
    return end + 1 + third - at;
}

// A time at text[at]: hh:mm or hh:mm:ss (with .fff), its length, or 0.
size_t TimeAt(std::string_view text, size_t at) {
    const size_t hours = Digits(text, at);
    if (hours < 1 || hours > 2) {
        return 0;
    }
    size_t end = at + hours;
    if (end >= text.size() || text[end] != ':' || Digits(text, end + 1) != 2) {
        return 0;
    }
    end += 3;
    if (end < text.size() && text[end] == ':' && Digits(text, end + 1) == 2) {
        end += 3;
        if (end < text.size() && text[end] == '.' && Digits(text, end + 1) > 0) {
            end += 1 + Digits(text, end + 1);
        }
    }
    return end - at;
}

}  // namespace

std::string MaskDatesAndTimes(std::string_view text) {
    std::string out;
    size_t i = 0;
    size_t copied = 0;
    while (i < text.size()) {
        if (!Digit(text[i]) || (i > 0 && Digit(text[i - 1]))) {
            ++i;
            continue;
        }
        size_t length = DateAt(text, i);
        const char* mask = "<date>";
        if (length == 0) {
            length = TimeAt(text, i);
            mask = "<time>";
        }
        if (length == 0 || (i + length < text.size() && Digit(text[i + length]))) {
            i += Digits(text, i);
            continue;
        }
        out.append(text.substr(copied, i - copied));
        out += mask;
        i += length;
        copied = i;
    }
    if (copied == 0) {
        return std::string(text);
    }
    out.append(text.substr(copied));
    return out;
}

IgnoreRules::IgnoreRules(const std::vector<std::string>& extra) {
    for (std::string_view name : kVolatileElements) {
        elements_.emplace_back(name);
    }
    for (const std::string& name : extra) {
        if (!IgnoresElement(name)) {
            elements_.push_back(name);
        }
    }
}

IgnoreRules IgnoreRules::Strict() {
    IgnoreRules rules;
    rules.strict_ = true;
    rules.elements_.clear();
    return rules;
}

bool IgnoreRules::IgnoresElement(std::string_view name) const {
    return std::find(elements_.begin(), elements_.end(), name) != elements_.end();
}

std::string IgnoreRules::Masked(std::string_view text) const {
    return strict_ ? std::string(text) : MaskDatesAndTimes(text);
}

std::string IgnoreRules::MaskedLine(
    std::string_view line, const std::vector<std::pair<std::string, std::string>>& values) const {
    std::string masked = Masked(line);
    if (strict_) {
        return masked;
    }
    for (const auto& [name, value] : values) {
        if (value.empty()) {
            continue;
        }
        const std::string replacement = "<" + name + ">";
        for (size_t at = masked.find(value); at != std::string::npos; at = masked.find(value, at)) {
            const size_t end = at + value.size();
            const bool whole = (at == 0 || !TokenChar(masked[at - 1])) &&
                               (end >= masked.size() || !TokenChar(masked[end]));
            if (whole) {
                masked.replace(at, value.size(), replacement);
                at += replacement.size();
            } else {
                ++at;
            }
        }
    }
    return masked;
}

std::string IgnoreRules::Describe() const {
    if (strict_) {
        return "nothing (--strict)";
    }
    std::string text = "dates, times, durations";
    for (const std::string& name : elements_) {
        text += ", " + name;
    }
    return text;
}

}  // namespace nt
