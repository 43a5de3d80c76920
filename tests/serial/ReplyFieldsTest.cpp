#include "serial/ReplyFields.h"

#include <array>
#include <string>

#include <gtest/gtest.h>

namespace nt {
namespace {

using namespace std::string_literals;

struct CompleteCase {
    std::string text;
    bool complete;
};

class ReplyCompleteTest : public ::testing::TestWithParam<CompleteCase> {};

TEST_P(ReplyCompleteTest, BeginsAndEndsWithCrLf) {
    EXPECT_EQ(IsReplyComplete(GetParam().text), GetParam().complete);
}

INSTANTIATE_TEST_SUITE_P(
    Replies, ReplyCompleteTest,
    ::testing::Values(CompleteCase{"\r\n200 1 2 3 ABC123 REF9 X\r\n", true},
                      CompleteCase{"\r\nA\r\n", true}, CompleteCase{"\r\n\r\n", false},
                      CompleteCase{"\r\n\n", false}, CompleteCase{"200 OK\r\n", false},
                      CompleteCase{"\r\n200 OK", false}, CompleteCase{"\n\r200\r\n", false},
                      CompleteCase{"", false}));

struct TokenCase {
    std::string reply;
    std::array<const char*, 9> tokens;
};

class ReplyFieldsTest : public ::testing::TestWithParam<TokenCase> {};

TEST_P(ReplyFieldsTest, SplitsIntoNineTokens) {
    const CReplyFields fields(GetParam().reply);
    for (size_t i = 0; i < 9; ++i) {
        EXPECT_EQ(fields.Token(i + 1), GetParam().tokens[i]) << "token " << i + 1;
    }
    EXPECT_EQ(fields.Token(0), "");
    EXPECT_EQ(fields.Token(10), "");
}

INSTANTIATE_TEST_SUITE_P(
    Replies, ReplyFieldsTest,
    ::testing::Values(TokenCase{"\r\n200 1 2 3 ABC123 REF9 X\r\n",
                                {"200", "1", "2", "3", "ABC123", "REF9", "X", "", ""}},
                      // 0xE9, NUL, TAB and 0x80 separate; DEL (0x7F) belongs to a token.
                      TokenCase{"caf\xE9"
                                "au\x00lait\tx\x7Fy\x80z "s,
                                {"caf", "au", "lait", "x\x7Fy", "z", "", "", "", ""}},
                      // A token running to the end of the text is not stored.
                      TokenCase{"200 APPROVED", {"200", "", "", "", "", "", "", "", ""}},
                      TokenCase{"a b c d e f g h i j k ",
                                {"a", "b", "c", "d", "e", "f", "g", "h", "i"}},
                      TokenCase{"   \r\n", {"", "", "", "", "", "", "", "", ""}}));

struct LinesCase {
    std::string reply;
    std::string lines;
    std::string body;
};

class ReplyLinesTest : public ::testing::TestWithParam<LinesCase> {};

TEST_P(ReplyLinesTest, LinesAndReceiptBody) {
    EXPECT_EQ(ReplyLines(GetParam().reply), GetParam().lines);
    EXPECT_EQ(ReceiptBody(GetParam().reply), GetParam().body);
}

INSTANTIATE_TEST_SUITE_P(
    Replies, ReplyLinesTest,
    ::testing::Values(
        LinesCase{"\r\nSALE\r\n\r\nTOTAL 1.00\r\nEOD 0001 trailer\r\n",
                  "SALE\r\nTOTAL 1.00\r\nEOD 0001 trailer\r\n", "SALE\r\nTOTAL 1.00\r\n"},
        // The last marker counts, even in the middle of a line; CRs anywhere vanish.
        LinesCase{"A EOD x\nB\r\rC EOD y\n", "A EOD x\r\nBC EOD y\r\n", "A EOD x\r\nBC "},
        LinesCase{"EOD at start\n", "EOD at start\r\n", ""},
        LinesCase{"no marker\nEODX\nlast without LF", "no marker\r\nEODX\r\n",
                  "no marker\r\nEODX\r\n"},
        LinesCase{"\r\n\r\n\n", "", ""}));

}  // namespace
}  // namespace nt
