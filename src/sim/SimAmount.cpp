#include "sim/SimAmount.h"

#include <cctype>

namespace nt::sim {

std::optional<int64_t> ParseCents(const std::string& text) {
    const size_t point = text.find('.');
    const std::string whole = text.substr(0, point);
    const std::string fraction = point == std::string::npos ? "" : text.substr(point + 1);
    if ((whole.empty() && fraction.empty()) || whole.size() > 12 || fraction.size() > 2) {
        return std::nullopt;
    }
    int64_t cents = 0;
    for (char c : whole) {
        if (!std::isdigit(static_cast<unsigned char>(c))) {
            return std::nullopt;
        }
        cents = cents * 10 + (c - '0');
    }
    for (size_t i = 0; i < 2; ++i) {
        const char c = i < fraction.size() ? fraction[i] : '0';
        if (!std::isdigit(static_cast<unsigned char>(c))) {
            return std::nullopt;
        }
        cents = cents * 10 + (c - '0');
    }
    return cents;
}

std::string FormatCents(int64_t cents) {
    const bool negative = cents < 0;
    const uint64_t magnitude =
        negative ? static_cast<uint64_t>(-(cents + 1)) + 1 : static_cast<uint64_t>(cents);
    std::string fraction = std::to_string(magnitude % 100);
    if (fraction.size() < 2) {
        fraction.insert(0, "0");
    }
    return (negative ? "-" : "") + std::to_string(magnitude / 100) + "." + fraction;
}

std::string FormatMoney(int64_t cents, bool french) {
    std::string text = FormatCents(cents);
    if (!french) {
        return text[0] == '-' ? "-$" + text.substr(1) : "$" + text;
    }
    text[text.size() - 3] = ',';
    return text + " $";
}

}  // namespace nt::sim
