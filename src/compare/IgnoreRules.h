#pragma once

#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace nt {

// The elements whose values change from run to run whatever the payment client does: the POS
// sequence number and the host's references. Ignored by --compare unless --strict.
inline constexpr std::array<std::string_view, 5> kVolatileElements = {
    "SequenceNo", "RefNo", "AuthCode", "AcqRefData", "ProcessData"};

// What --compare leaves out when it tells two test cases apart. By default: dates and times
// (in every text compared), the test cases' durations, the volatile elements and any element
// --ignore names (their values in requests and responses, and receipt lines that differ only in
// those values, or in dates and times). --strict: nothing.
class IgnoreRules {
  public:
    // The default rules with `extra` element names besides.
    explicit IgnoreRules(const std::vector<std::string>& extra = {});
    static IgnoreRules Strict();

    bool StrictRules() const { return strict_; }
    bool IgnoresElement(std::string_view name) const;
    bool IgnoresDurations() const { return !strict_; }
    const std::vector<std::string>& Elements() const { return elements_; }

    // A text as it is compared: dates and times as <date> and <time> (unless strict).
    std::string Masked(std::string_view text) const;
    // A receipt line as it is compared: also every whole occurrence of a value an ignored
    // element has in the test case (its name, value pairs) as <Name>.
    std::string MaskedLine(std::string_view line,
                           const std::vector<std::pair<std::string, std::string>>& values) const;

    // "dates, times, durations, SequenceNo, RefNo, ..." or "nothing (--strict)".
    std::string Describe() const;

  private:
    bool strict_ = false;
    std::vector<std::string> elements_;
};

// Dates (2026/12/08, 2026-12-08, 12/08/2026, 08-12-26) and times (20:43, 20:43:47) in a text as
// <date> and <time>; a date or time is bounded by what is not a digit.
std::string MaskDatesAndTimes(std::string_view text);

}  // namespace nt
