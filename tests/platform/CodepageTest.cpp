#include "platform/Codepage.h"

#include <gtest/gtest.h>

namespace nt {
namespace {

TEST(Codepage, EveryByteRoundTrips) {
    for (int b = 0; b < 256; ++b) {
        std::string one(1, static_cast<char>(b));
        EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(one)), one) << "byte " << b;
    }
}

TEST(Codepage, HighBlockAndLatin1MapToUnicode) {
    EXPECT_EQ(Cp1252ToUtf8("\x80"), "\xE2\x82\xAC");  // euro sign
    EXPECT_EQ(Cp1252ToUtf8("\x92"), "\xE2\x80\x99");  // right single quote
    EXPECT_EQ(Cp1252ToUtf8("\x81"), "\xC2\x81");      // undefined: C1 control
    EXPECT_EQ(Cp1252ToUtf8("Cr\xE9"
                           "dit"),
              "Cr\xC3\xA9"
              "dit");  // e acute
    EXPECT_EQ(Cp1252ToUtf8(std::string("a\0b", 3)), std::string("a\0b", 3));
}

TEST(Codepage, CharactersTheCodePageLacksBecomeQuestionMarks) {
    EXPECT_EQ(Utf8ToCp1252("\xE2\x82\xAC"), "\x80");
    EXPECT_EQ(Utf8ToCp1252("\xE4\xB8\xAD"), "?");      // a CJK character
    EXPECT_EQ(Utf8ToCp1252("\xF0\x9F\x98\x80"), "?");  // an emoji
    EXPECT_EQ(Utf8ToCp1252("\xEF\xBF\xBD"), "?");      // U+FFFD
    EXPECT_EQ(Utf8ToCp1252("\xC2\x9E"), "?");          // C1 control that 0x9E does not map to
}

TEST(Codepage, MalformedUtf8BecomesQuestionMarks) {
    EXPECT_EQ(Utf8ToCp1252("a\xFF"
                           "b"),
              "a?b");
    EXPECT_EQ(Utf8ToCp1252("\x80"), "?");  // lone continuation byte
    EXPECT_EQ(Utf8ToCp1252("\xC3"), "?");  // truncated at the end
    EXPECT_EQ(Utf8ToCp1252("\xC3"
                           "A"),
              "?A");                                   // broken sequence resynchronises
    EXPECT_EQ(Utf8ToCp1252("\xC0\xAF"), "?");          // overlong form
    EXPECT_EQ(Utf8ToCp1252("\xED\xA0\x80"), "?");      // surrogate
    EXPECT_EQ(Utf8ToCp1252("\xF4\x90\x80\x80"), "?");  // beyond U+10FFFF
}

}  // namespace
}  // namespace nt
