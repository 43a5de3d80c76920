#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace nt::sim {

// Whole cents from an amount text: digits, optionally a point and at most two decimals
// ("12.34", "12.3", "12", ".5"). Anything else, an empty text included, is no amount.
std::optional<int64_t> ParseCents(const std::string& text);

// "12.34", "0.05", "-3.00": two decimals, no thousands separator.
std::string FormatCents(int64_t cents);

// Receipt forms: "$12.34" in English, "12,34 $" in French (the Canadian conventions).
std::string FormatMoney(int64_t cents, bool french);

}  // namespace nt::sim
