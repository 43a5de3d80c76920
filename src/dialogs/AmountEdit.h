#pragma once

#include <string>

namespace nt {

// What one update of an amount field leaves on screen.
struct AmountUpdate {
    std::string shown;  // the text the field shows afterwards; the caret goes to its end
    int beeps = 0;      // default beeps sounded (a refused text)
};

// Formats a text as an amount with an implied decimal point: points removed, leading zeros
// removed, a point put before the last two characters ("0.00" for nothing). Other characters stay.
std::string FormatAmount(const std::string& text);

// The cash-register amount field, free of any toolkit: it keeps the formatted and the accepted
// text, and turns every text the control reports into the text to show.
class CAmountEdit {
  public:
    static constexpr size_t kMaxLength = 9;

    // The control's text is about to be shown changed (typing, pasting, or a program-set text).
    AmountUpdate OnAmountUpdate(const std::string& reported);
    // Sets the text to the value in decimal without a point ("%ld"); formatting then applies.
    AmountUpdate SetAmountCents(long cents);

    std::string GetAmountText() const { return accepted_; }
    long GetAmountCents() const;
    const std::string& FormattedText() const { return formatted_; }

  private:
    void Update(const std::string& reported, AmountUpdate& out, int depth);

    std::string formatted_;
    std::string accepted_;
};

}  // namespace nt
