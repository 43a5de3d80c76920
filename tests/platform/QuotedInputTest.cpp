#include "platform/QuotedInput.h"

#include <gtest/gtest.h>

namespace nt {
namespace {

TEST(QuoteInput, ControlBytesAndMalformedCharactersAreEscaped) {
    EXPECT_EQ(QuoteInput(""), "''");
    EXPECT_EQ(QuoteInput("a\tb\r\n\\c"), "'a\\tb\\r\\n\\c'");
    EXPECT_EQ(QuoteInput(std::string("\x00\x1B\x7F", 3)), "'\\x00\\x1B\\x7F'");
    // Well-formed UTF-8 stays; stray, truncated, overlong, surrogate and C1 sequences do not.
    EXPECT_EQ(QuoteInput("Caf\xC3\xA9 \xE2\x82\xAC"), "'Caf\xC3\xA9 \xE2\x82\xAC'");
    EXPECT_EQ(QuoteInput("\xE9\xC3\xE2\x82"), "'\\xE9\\xC3\\xE2\\x82'");
    EXPECT_EQ(QuoteInput("\xC0\xAF\xED\xA0\x80\xC2\x85"), "'\\xC0\\xAF\\xED\\xA0\\x80\\xC2\\x85'");
    // Windows-1252: every byte a character, the five undefined ones escaped.
    EXPECT_EQ(QuoteInput("Caf\xE9 \x80\x81\x9D", InputEncoding::kCp1252),
              "'Caf\xE9 \x80\\x81\\x9D'");
}

TEST(QuoteInput, AtMostEightyCharactersAndTheLengthWhenCut) {
    const std::string eighty(80, 'x');
    EXPECT_EQ(QuoteInput(eighty), "'" + eighty + "'");
    EXPECT_EQ(QuoteInput(eighty + "y"), "'" + eighty + "'... (81 bytes)");
    // Characters, not bytes, are counted: 80 two-byte characters are quoted whole.
    std::string wide;
    for (int i = 0; i < 81; ++i) {
        wide += "\xC3\xA9";
    }
    EXPECT_EQ(QuoteInput(wide), "'" + wide.substr(0, 160) + "'... (162 bytes)");
    std::string escaped;
    for (int i = 0; i < 80; ++i) {
        escaped += "\\x01";
    }
    EXPECT_EQ(QuoteInput(std::string(100, '\x01')), "'" + escaped + "'... (100 bytes)");
}

}  // namespace
}  // namespace nt
