#include "serial/TerminalCommand.h"

#include <cstdio>

#include "form/Controls.h"

namespace nt {

namespace {

std::string TwoDigits(int a, int b, int c) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d%02d%02d ", a % 100, b % 100, c % 100);
    return text;
}

// "%m%d%y " and "%H%M%S " of one reading.
std::string DateField(const LocalTime& now) {
    return TwoDigits(now.month, now.day, now.year);
}
std::string TimeField(const LocalTime& now) {
    return TwoDigits(now.hour, now.minute, now.second);
}

// A text field and its blank, or the placeholder when it is empty; inserted as typed.
std::string Field(const std::string& text) {
    return text.empty() ? std::string("* ") : text + " ";
}

}  // namespace

std::string BuildTerminalCommand(const TranCodeSpec& code, bool giftCard, const WindowForm& form,
                                 Operator& op, SerialLink& link) {
    const TerminalUse& use = code.terminal;
    const bool manualEntry = form.Checked(id::kPromptManual);
    ManualEntries& remembered = link.manualEntries;
    if (manualEntry && code.manualEntry && AskManualEntryValues(op, remembered) &&
        remembered.cvv == "X") {
        remembered.cvv.clear();  // "X" marks an illegible CVV: the terminal gets none
    }
    const LocalTime now = link.clock->Now();  // one reading for every field of the line

    if (use.line == TerminalLine::Fixed) {
        return use.text;
    }
    if (use.line == TerminalLine::Dated) {
        return use.text + DateField(now) + "* * *";
    }

    std::string line = use.text;
    line += giftCard ? "6 " : "99 ";
    line += manualEntry ? "0 " : "1 ";
    line += form.Checked(id::kOverride) ? "1 " : "0 ";
    line += form.Checked(id::kInteracDebitOnly) ? "1 * * " : "0 * * ";
    if (use.zeroAmount) {
        line += "0.00 ";
    } else {
        const std::string amount = form.amount().GetAmountText();
        line += Field(amount == "0.00" ? std::string() : amount);
    }
    line += Field(form.Text(id::kAuthCode));
    line += Field(form.Text(id::kRefNumber));
    line += "* ";
    line += Field(form.Text(id::kOperatorId));
    line += DateField(now);
    line += TimeField(now);
    if (form.Checked(id::kPromptTip)) {
        line += "1 * ";
    } else if (form.tipAmount().GetAmountCents() > 0) {
        line += "0 " + form.tipAmount().GetAmountText() + " ";
    } else {
        line += "0 * ";
    }
    line += Field(form.Text(id::kInvoice));
    line += "* ";
    line += Field(link.manualEntries.zipCode);
    line += Field(link.manualEntries.cvv);
    line += form.Checked(id::kAllowPartialAuth) ? "P" : "*";
    return line;
}

}  // namespace nt
