#include "sim/SimSequence.h"

#include <gtest/gtest.h>

#include "sim/SimAmount.h"

namespace nt::sim {
namespace {

TEST(SimSequence, OnlyTheFormEveryClientAccepts) {
    EXPECT_TRUE(IsSimSequenceNo("0010010010"));
    EXPECT_TRUE(IsSimSequenceNo("0019999990"));
    EXPECT_FALSE(IsSimSequenceNo("0010010011"));  // a POSPAD client's form, not ours
    EXPECT_FALSE(IsSimSequenceNo("0020010010"));
    EXPECT_FALSE(IsSimSequenceNo("001001001"));
    EXPECT_FALSE(IsSimSequenceNo("00100100100"));
    EXPECT_FALSE(IsSimSequenceNo("00100A0010"));
    EXPECT_FALSE(IsSimSequenceNo(""));
}

TEST(SimSequence, NextStepsByTenAndWraps) {
    EXPECT_EQ(NextSequenceNo("0010010010"), "0010010020");
    EXPECT_EQ(NextSequenceNo("0010010090"), "0010010100");
    EXPECT_EQ(NextSequenceNo("0019999980"), "0019999990");
    EXPECT_EQ(NextSequenceNo("0019999990"), "0010010010");
}

TEST(SimSequence, FollowsTheRequestElseItsOwnCount) {
    SimSequence seq;
    EXPECT_EQ(seq.Answer(""), "0010010010");
    EXPECT_EQ(seq.Answer("garbage"), "0010010020");
    EXPECT_EQ(seq.Answer("0010500000"), "0010500010");
    EXPECT_EQ(seq.Answer("0010500001"), "0010500020");
}

TEST(SimAmount, ParsesOnlyPlainAmounts) {
    EXPECT_EQ(ParseCents("12.34"), 1234);
    EXPECT_EQ(ParseCents("12.3"), 1230);
    EXPECT_EQ(ParseCents("12"), 1200);
    EXPECT_EQ(ParseCents(".5"), 50);
    EXPECT_EQ(ParseCents("0.00"), 0);
    for (const char* bad :
         {"", ".", "1.234", "-1.00", "1,00", "Prompt", " 1.00", "1.0x", "1234567890123.00"}) {
        EXPECT_FALSE(ParseCents(bad).has_value()) << bad;
    }
}

TEST(SimAmount, FormatsBothWaysAndBothLanguages) {
    EXPECT_EQ(FormatCents(0), "0.00");
    EXPECT_EQ(FormatCents(5), "0.05");
    EXPECT_EQ(FormatCents(123456), "1234.56");
    EXPECT_EQ(FormatCents(-5), "-0.05");
    EXPECT_EQ(FormatCents(-300), "-3.00");
    EXPECT_EQ(FormatMoney(1234, false), "$12.34");
    EXPECT_EQ(FormatMoney(-250, false), "-$2.50");
    EXPECT_EQ(FormatMoney(1234, true), "12,34 $");
    EXPECT_EQ(FormatMoney(-250, true), "-2,50 $");
}

}  // namespace
}  // namespace nt::sim
