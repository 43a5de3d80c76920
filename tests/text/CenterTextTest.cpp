#include "text/CenterText.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace nt {
namespace {

std::string Pad(int left, const std::string& text, int right) {
    return std::string(static_cast<std::size_t>(left), ' ') + text +
           std::string(static_cast<std::size_t>(right), ' ');
}

struct CenterCase {
    std::string text;
    int width;
    std::string expected;
};

TEST(CenterText, EdgeCases) {
    const std::string text41 = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789abcde";
    const std::string text42 = text41 + "f";
    ASSERT_EQ(text41.size(), 41u);
    const std::vector<CenterCase> cases = {
        {"AB", 5, "  AB "},
        {"ABC", 4, " ABC"},
        {"ABCD", 4, "ABCD"},
        {text41, 40, " " + text41.substr(0, 39)},
        {text42, 40, text42.substr(0, 40)},
        {"ABCDE", 2, "AB"},  // d = -3: q = 0, no blank
        {"", 40, std::string(40, ' ')},
        {"", 1, " "},
        {"AB", 1, " "},  // d = -1 at the smallest width: the blank fills it
        {"X", 1, "X"},
        {"AB", 0, ""},
        {"AB", -5, ""},
        {"", -1, ""},
        {std::string("A\0B", 3), 5, std::string(" A\0B ", 5)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("\"" + c.text + "\" width " + std::to_string(c.width));
        EXPECT_EQ(CenterText(c.text, c.width), c.expected);
    }
}

// The receipt's fixed texts at width 40, blanks counted left and right.
TEST(CenterText, ReceiptTextsAtWidth40) {
    const std::vector<CenterCase> cases = {
        {"TRANSACTION RECORD", 40, Pad(11, "TRANSACTION RECORD", 11)},
        {"RELEVE DE TRANSACTION", 40, Pad(10, "RELEVE DE TRANSACTION", 9)},
        {"MERCHANT NAME", 40, Pad(14, "MERCHANT NAME", 13)},
        {"MERCHANT STREET", 40, Pad(13, "MERCHANT STREET", 12)},
        {"CITY, PROVINCE CODE  POSTAL CODE", 40, Pad(4, "CITY, PROVINCE CODE  POSTAL CODE", 4)},
        {"123-456-7890", 40, Pad(14, "123-456-7890", 14)},
        {"No Refund", 40, Pad(16, "No Refund", 15)},
        {"Pas de remboursement", 40, Pad(10, "Pas de remboursement", 10)},
        {"No Refund/Pas de remboursement", 40, Pad(5, "No Refund/Pas de remboursement", 5)},
        {"Thank You/Merci", 40, Pad(13, "Thank You/Merci", 12)},
        {"Please Come Again/Revenez nous voir", 40,
         Pad(3, "Please Come Again/Revenez nous voir", 2)},
        {"CardHolder Copy/Copie Du Titulaire", 40, Pad(3, "CardHolder Copy/Copie Du Titulaire", 3)},
        {"Merchant Copy/Copie Du Marchand", 40, Pad(5, "Merchant Copy/Copie Du Marchand", 4)},
        {std::string(38, '-'), 40, Pad(1, std::string(38, '-'), 1)},
        {"Store Credit Only/Cr\xEF\xBF\xBD"
         "dit au magasin uniquement",
         40,
         "Store Credit Only/Cr\xEF\xBF\xBD"
         "dit au magasin un"},
        {"Retain this copy for statement verification", 40,
         "Retain this copy for statement verificat"},
        {"Conservez cette copie pour la v\xEF\xBF\xBDrification des d\xEF\xBF\xBD"
         "clarations",
         40, "Conservez cette copie pour la v\xEF\xBF\xBDrifica"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const std::string result = CenterText(c.text, c.width);
        EXPECT_EQ(result, c.expected);
        EXPECT_EQ(result.size(), 40u);
    }
}

}  // namespace
}  // namespace nt
