#include "response/ReceiptRenderer.h"

#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "support/RecordingOperator.h"

namespace nt {
namespace {

using Entries = std::vector<std::string>;

class RecordingSink : public ReceiptSink {
  public:
    void Trace(std::string_view entry) override { entries.emplace_back(entry); }
    Entries entries;
};

std::string Pad(int left, std::string_view text, int right) {
    return std::string(static_cast<std::size_t>(left), ' ') + std::string(text) +
           std::string(static_cast<std::size_t>(right), ' ');
}

// Expected bytes, written out independently of the renderer's own tables.
const std::string kName = Pad(14, "MERCHANT NAME", 13);
const std::string kStreet = Pad(13, "MERCHANT STREET", 12);
const std::string kCity = Pad(4, "CITY, PROVINCE CODE  POSTAL CODE", 4);
const std::string kPhone = Pad(14, "123-456-7890", 14);
const std::string kRule = Pad(1, std::string(38, '-'), 1);
const std::string kRecordEn = Pad(11, "TRANSACTION RECORD", 11);
const std::string kRecordFr = Pad(10, "RELEVE DE TRANSACTION", 9);
const std::string kRefundEn = Pad(16, "No Refund", 15);
const std::string kRefundFr = Pad(10, "Pas de remboursement", 10);
const Entries kCardholderClosing = {
    Pad(5, "No Refund/Pas de remboursement", 5),
    "Store Credit Only/Cr\xEF\xBF\xBD"
    "dit au magasin un",
    "",
    Pad(13, "Thank You/Merci", 12),
    Pad(3, "Please Come Again/Revenez nous voir", 2),
    "",
    Pad(3, "CardHolder Copy/Copie Du Titulaire", 3),
    "Retain this copy for statement verificat",
    "Conservez cette copie pour la v\xEF\xBF\xBDrifica",
};
const Entries kMerchantClosing = {
    Pad(5, "No Refund/Pas de remboursement", 5),
    "Store Credit Only/Cr\xEF\xBF\xBD"
    "dit au magasin un",
    "",
    Pad(13, "Thank You/Merci", 12),
    Pad(3, "Please Come Again/Revenez nous voir", 2),
    "",
    Pad(5, "Merchant Copy/Copie Du Marchand", 4),
};
const std::string kDialogBlock =
    kName + "\r\n" + kStreet + "\r\n" + kCity + "\r\n" + kPhone + "\r\n\r\n";

Entries Join(std::initializer_list<Entries> parts) {
    Entries all;
    for (const auto& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

struct RenderCase {
    const char* name;
    ReceiptInputs in;
    Entries entries;
    std::string dialog;
};

const std::string kMerchantLines = "SALE\r\nTOTAL $12.34\r\n\r\nAPPROVED";
const std::string kCustomerLines = "VENTE\r\nTOTAL 12,34 $";

std::vector<RenderCase> Cases() {
    std::vector<RenderCase> cases;

    // PrintData only: bilingual copies whatever the language says.
    cases.push_back(
        {"bilingual",
         {"TC 01 Sale", kMerchantLines, kMerchantLines, "French", "French", false, false},
         Join({{"", "TC 01 Sale", ""},
               {kName, kStreet, kCity, kPhone, "", kMerchantLines, ""},
               kCardholderClosing,
               {kRule, ""},
               {kName, kStreet, kCity, kPhone, "", kMerchantLines, ""},
               kMerchantClosing,
               {"", kRule}}),
         "TC 01 Sale\r\n" + kDialogBlock + kMerchantLines});

    cases.push_back({"French customer, English merchant",
                     {"TC 02", kMerchantLines, kCustomerLines, "English", "French", false, true},
                     Join({{"", "TC 02", ""},
                           {kRecordFr, "", kName, kStreet, kCity, kPhone, "", kCustomerLines, ""},
                           {kRefundFr, kRule, ""},
                           {kRecordEn, "", kName, kStreet, kCity, kPhone, "", kMerchantLines, ""},
                           {kRefundEn, "", kRule}}),
                     "TC 02\r\n" + kRecordEn + "\r\n\r\n" + kDialogBlock + kMerchantLines});

    // Only the exact text "French" selects French, for either copy.
    cases.push_back({"lower-case french",
                     {"TC 03", kMerchantLines, kCustomerLines, "french", "FRENCH", true, true},
                     Join({{"", "TC 03", ""},
                           {kRecordEn, "", kName, kStreet, kCity, kPhone, "", kCustomerLines, ""},
                           {kRefundEn, kRule, ""},
                           {kRecordEn, "", kName, kStreet, kCity, kPhone, "", kMerchantLines, ""},
                           {kRefundEn, "", kRule}}),
                     "TC 03\r\n" + kRecordEn + "\r\n\r\n" + kDialogBlock + kMerchantLines});

    cases.push_back({"POSPAD without customer lines",
                     {"TC 04", kMerchantLines, "", "French", "", true, false},
                     Join({{"", "TC 04", ""},
                           {kRecordEn, "", kName, kStreet, kCity, kPhone, "", "", ""},
                           {kRule, ""},
                           {kRecordFr, "", kName, kStreet, kCity, kPhone, "", kMerchantLines, ""},
                           {"", kRule}}),
                     "TC 04\r\n" + kRecordFr + "\r\n\r\n" + kDialogBlock + kMerchantLines});

    const std::string percent = "50% OFF\r\n%d%s%n 100%";
    cases.push_back({"percent signs unchanged",
                     {"%s %d", percent, percent, "", "", false, false},
                     Join({{"", "%s %d", ""},
                           {kName, kStreet, kCity, kPhone, "", percent, ""},
                           kCardholderClosing,
                           {kRule, ""},
                           {kName, kStreet, kCity, kPhone, "", percent, ""},
                           kMerchantClosing,
                           {"", kRule}}),
                     "%s %d\r\n" + kDialogBlock + percent});

    cases.push_back({"empty test case info, bilingual",
                     {"", "A", "A", "", "", false, false},
                     Join({{"", "", ""},
                           {kName, kStreet, kCity, kPhone, "", "A", ""},
                           kCardholderClosing,
                           {kRule, ""},
                           {kName, kStreet, kCity, kPhone, "", "A", ""},
                           kMerchantClosing,
                           {"", kRule}}),
                     kDialogBlock + "A"});

    cases.push_back({"empty test case info, separate",
                     {"", "A", "B", "", "", false, true},
                     Join({{"", "", ""},
                           {kRecordEn, "", kName, kStreet, kCity, kPhone, "", "B", ""},
                           {kRefundEn, kRule, ""},
                           {kRecordEn, "", kName, kStreet, kCity, kPhone, "", "A", ""},
                           {kRefundEn, "", kRule}}),
                     kRecordEn + "\r\n\r\n" + kDialogBlock + "A"});

    return cases;
}

// Each copy holds its own lines, in its own language.
TEST(RenderReceipt, CopiesHoldTheirOwnLines) {
    RecordingSink sink;
    test::RecordingOperator op;
    const RenderedReceipt copies = RenderReceipt(
        {"TC 02", kMerchantLines, kCustomerLines, "English", "French", false, true}, sink, op);
    EXPECT_TRUE(copies.cardholderCopy.starts_with(kRecordFr + "\n")) << copies.cardholderCopy;
    EXPECT_NE(copies.cardholderCopy.find(kCustomerLines), std::string::npos);
    EXPECT_EQ(copies.cardholderCopy.find(kMerchantLines), std::string::npos);
    EXPECT_TRUE(copies.merchantCopy.starts_with(kRecordEn + "\n")) << copies.merchantCopy;
    EXPECT_EQ(copies.merchantCopy.find(kCustomerLines), std::string::npos);
}

TEST(RenderReceipt, EntriesAndDialogText) {
    for (const auto& c : Cases()) {
        SCOPED_TRACE(c.name);
        RecordingSink sink;
        test::RecordingOperator op;
        const RenderedReceipt copies = RenderReceipt(c.in, sink, op);
        EXPECT_EQ(sink.entries, c.entries);
        // After the three lines naming the test case, the copies and the rules between and
        // after them are the file's text.
        std::string file;
        for (size_t i = 3; i < sink.entries.size(); ++i) {
            file += sink.entries[i] + "\n";
        }
        EXPECT_EQ(
            copies.cardholderCopy + kRule + "\n\n" + copies.merchantCopy + "\n" + kRule + "\n",
            file);
        EXPECT_NE(copies.merchantCopy.find(c.in.merchantLines), std::string::npos);
        ASSERT_EQ(op.receiptTexts.size(), 1u);
        EXPECT_EQ(op.receiptTexts[0], c.dialog);
        EXPECT_EQ(op.transcript, std::vector<std::string>{"receipt: " + c.dialog});
    }
}

}  // namespace
}  // namespace nt
