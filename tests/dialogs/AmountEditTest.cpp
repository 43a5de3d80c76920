#include "dialogs/AmountEdit.h"

#include <gtest/gtest.h>

namespace nt {
namespace {

TEST(FormatAmount, ByNumberOfCharactersLeft) {
    EXPECT_EQ(FormatAmount(""), "0.00");
    EXPECT_EQ(FormatAmount("000"), "0.00");
    EXPECT_EQ(FormatAmount("5"), "0.05");
    EXPECT_EQ(FormatAmount("12"), "0.12");
    EXPECT_EQ(FormatAmount("123"), "1.23");
    EXPECT_EQ(FormatAmount("0.001"), "0.01");
    EXPECT_EQ(FormatAmount("10.00"), "10.00");
    EXPECT_EQ(FormatAmount("000123"), "1.23");
    EXPECT_EQ(FormatAmount("ab"), "0.ab");  // other characters are not removed
    EXPECT_EQ(FormatAmount(".0.5"), "0.05");
}

// A field as every window sets it up: value 0 when it opens.
CAmountEdit OpenedField() {
    CAmountEdit field;
    EXPECT_EQ(field.SetAmountCents(0).shown, "0.00");
    return field;
}

struct Typing {
    const char* reported;
    const char* shown;
    int beeps;
};

TEST(CAmountEdit, TypesLikeACashRegister) {
    CAmountEdit field = OpenedField();
    const Typing steps[] = {
        {"0.001", "0.01", 0}, {"0.012", "0.12", 0}, {"0.123", "1.23", 0}, {"1.2", "0.12", 0},
        {"0.1", "0.01", 0},   {"0.0", "0.00", 0},   {"0.000", "0.00", 0},
    };
    for (const auto& step : steps) {
        AmountUpdate u = field.OnAmountUpdate(step.reported);
        EXPECT_EQ(u.shown, step.shown) << step.reported;
        EXPECT_EQ(u.beeps, step.beeps) << step.reported;
        EXPECT_EQ(field.GetAmountText(), step.shown);
    }
}

TEST(CAmountEdit, NinthDigitIsRefusedWithABeep) {
    CAmountEdit field = OpenedField();
    std::string shown = "0.00";
    for (char d : std::string("12345678")) {
        shown = field.OnAmountUpdate(shown + d).shown;
    }
    EXPECT_EQ(shown, "123456.78");
    AmountUpdate u = field.OnAmountUpdate(shown + "9");
    EXPECT_EQ(u.shown, "123456.78");
    EXPECT_EQ(u.beeps, 1);
    EXPECT_EQ(field.GetAmountCents(), 12345678);
}

TEST(CAmountEdit, NineDigitsSetByProgramThenTypingBeepsTwice) {
    CAmountEdit field = OpenedField();
    EXPECT_EQ(field.OnAmountUpdate("123456789").shown, "1234567.89");
    AmountUpdate u = field.OnAmountUpdate("1234567.891");
    EXPECT_EQ(u.shown, "1234567.89");
    EXPECT_EQ(u.beeps, 2);
}

TEST(CAmountEdit, RejectedTextBeforeAnythingAcceptedLeavesZero) {
    CAmountEdit field;
    AmountUpdate u = field.OnAmountUpdate("12345678901");
    EXPECT_EQ(u.shown, "0.00");
    EXPECT_EQ(u.beeps, 1);
    EXPECT_EQ(field.GetAmountText(), "0.00");
}

TEST(CAmountEdit, ProgramSetTexts) {
    CAmountEdit field = OpenedField();
    EXPECT_EQ(field.OnAmountUpdate("10.00").shown, "10.00");
    EXPECT_EQ(field.OnAmountUpdate("5").shown, "0.05");
    EXPECT_EQ(field.OnAmountUpdate("000123").shown, "1.23");
    EXPECT_EQ(field.SetAmountCents(5).shown, "0.05");
    EXPECT_EQ(field.SetAmountCents(1234).shown, "12.34");
    EXPECT_EQ(field.SetAmountCents(0).shown, "0.00");
    // Selecting everything and typing 5 reports just "5".
    field.SetAmountCents(1234);
    EXPECT_EQ(field.OnAmountUpdate("5").shown, "0.05");
}

TEST(CAmountEdit, ValueCountsLeadingDigitsOnly) {
    CAmountEdit field = OpenedField();
    EXPECT_EQ(field.GetAmountCents(), 0);
    field.OnAmountUpdate("2.50");
    EXPECT_EQ(field.GetAmountCents(), 250);
    field.OnAmountUpdate("12ab");
    EXPECT_EQ(field.GetAmountText(), "12.ab");
    EXPECT_EQ(field.GetAmountCents(), 12);
}

TEST(CAmountEdit, UnchangedFormattedTextIsLeftAlone) {
    CAmountEdit field = OpenedField();
    field.OnAmountUpdate("1.23");
    AmountUpdate u = field.OnAmountUpdate("1.23");
    EXPECT_EQ(u.shown, "1.23");
    EXPECT_EQ(u.beeps, 0);
}

}  // namespace
}  // namespace nt
