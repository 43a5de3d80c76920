#include <gtest/gtest.h>

#include "sim/SimTestSupport.h"
#include "sim/SimulatedClient.h"

namespace nt {
namespace {

using test::SimRequestText;
using test::SimResponse;

std::vector<std::string> MerchantLines(const SimRequestText& request, std::string& text) {
    ManualClock clock;
    clock.SetNow(LocalTime{2026, 11, 4, 17, 5, 9});
    auto client = MakeSimulatedClient(clock);
    const ClientReply reply = client->ProcessTransaction(request.Text());
    text = reply.text;
    SimResponse r;
    test::ParseSimResponse(text, r);
    EXPECT_TRUE(r.ok) << text;
    return r.Lines("PrintData", "Line");
}

TEST(SimReceipt, EnglishChipPurchaseLineByLine) {
    const std::vector<std::string> expected = {
        "                PURCHASE",
        "",
        "DATE 2026/11/04            TIME 17:05:09",
        "MERCHANT ID                   4445012345",
        "TERMINAL ID                     T-0001 A",
        "SEQUENCE #                    0010010020",
        "",
        "CARD TYPE                           VISA",
        "ACCT                    XXXXXXXXXXXX0119",
        "ENTRY                               CHIP",
        "APPLICATION                  VISA CREDIT",
        "AID                       A0000000031010",
        "TVR                           0000008000",
        "TSI                                 E800",
        "REF #                               0001",
        "AUTH #                            A00001",
        "INVOICE                             1001",
        "",
        "AMOUNT                            $24.00",
        "TIP                                $2.50",
        "TOTAL                             $26.50",
        "",
        "                APPROVED",
        "              PIN VERIFIED",
    };
    std::string text;
    EXPECT_EQ(MerchantLines(SimRequestText()
                                .Field("TerminalID", "T-0001 A")
                                .Field("InvoiceNo", "1001")
                                .Amount("Purchase", "24.00")
                                .Amount("Gratuity", "2.50"),
                            text),
              expected);
    // Indented lines are protected by a leading full stop in the document itself.
    EXPECT_NE(text.find("<Line1>.                PURCHASE</Line1>"), std::string::npos);
}

TEST(SimReceipt, FrenchDebitPartialApprovalInWindows1252) {
    std::string text;
    const std::vector<std::string> lines = MerchantLines(SimRequestText()
                                                             .Field("MerchantLanguage", "French")
                                                             .Field("CardType", "DEBIT")
                                                             .Field("PartialAuth", "Allow")
                                                             .Amount("Purchase", "1234.52"),
                                                         text);
    const std::vector<std::string> tail = {
        "MONTANT                        1234,52 $",
        "TOTAL                          1234,52 $",
        "MONTANT APPROUV\xC9                617,26 $",
        "SOLDE D\xDB                        617,26 $",
        "",
        "        PARTIELLEMENT APPROUV\xC9"
        "E",
        "              NIP V\xC9RIFI\xC9",
    };
    ASSERT_GE(lines.size(), tail.size());
    EXPECT_EQ(std::vector<std::string>(lines.end() - static_cast<long>(tail.size()), lines.end()),
              tail);
    EXPECT_EQ(lines[0], "                 ACHAT");
    EXPECT_EQ(lines[2], "DATE 2026/11/04           HEURE 17:05:09");
    EXPECT_EQ(lines[8], "TYPE DE COMPTE                    CH\xC8QUE");
    EXPECT_EQ(lines[9],
              "MODE D'ENTR\xC9"
              "E                       PUCE");
}

}  // namespace
}  // namespace nt
