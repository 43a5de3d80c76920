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

TEST(ReceiptBaseName, UsableTextIsTakenUnchanged) {
    EXPECT_EQ(ReceiptBaseName(""), "Receipt");
    for (const std::string text :
         {"TC 01 Sale", "a.b-c_d (1) #2 & 50%", "two\r\nlines", " ", "Receipt2"}) {
        EXPECT_EQ(ReceiptBaseName(text), text);
    }
}

}  // namespace
}  // namespace nt
