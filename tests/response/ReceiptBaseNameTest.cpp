#include "response/ReceiptBaseName.h"

#include <string>

#include <gtest/gtest.h>

namespace nt {
namespace {

TEST(ReceiptBaseName, EachForbiddenCharacterFallsBack) {
    for (const char c : std::string("\\/:*?\"<>|")) {
        SCOPED_TRACE(std::string(1, c));
        EXPECT_EQ(ReceiptBaseName(std::string("TC 1") + c + "Sale"), "Receipt");
        EXPECT_EQ(ReceiptBaseName(std::string(1, c)), "Receipt");
    }
}

// Control characters too, a NUL among them: it would cut the name short.
TEST(ReceiptBaseName, EachControlCharacterFallsBack) {
    std::string controls(1, '\x7F');
    for (char c = 0; c < 0x20; ++c) {
        controls += c;
    }
    for (const char c : controls) {
        SCOPED_TRACE(static_cast<int>(c));
        EXPECT_EQ(ReceiptBaseName(std::string("TC 1") + c + "Sale"), "Receipt");
        EXPECT_EQ(ReceiptBaseName(std::string(1, c) + "TC 1"), "Receipt");
        EXPECT_EQ(ReceiptBaseName(std::string(1, c)), "Receipt");
    }
}

TEST(ReceiptBaseName, UsableTextIsTakenUnchanged) {
    EXPECT_EQ(ReceiptBaseName(""), "Receipt");
    for (const std::string text :
         {"TC 01 Sale", "a.b-c_d (1) #2 & 50%", " ", "Receipt2", "Caf\xE9 \x80\xFF"}) {
        EXPECT_EQ(ReceiptBaseName(text), text);
    }
}

}  // namespace
}  // namespace nt
