// The serial path end to end: the built program in headless mode over the simulated terminal.
#include <gtest/gtest.h>

#include <regex>

#include "support/ProgramRun.h"
#include "support/ScopedEnv.h"
#include "support/TempDir.h"
#include "text/CenterText.h"
#include "text/ReceiptTexts.h"

namespace nt {
namespace {

using test::HasLine;
using test::ReadFile;
using test::RunScenario;

// The receipt file with the terminal's date and time masked.
std::string Masked(const std::string& receipt) {
    return std::regex_replace(receipt, std::regex("DATE: [0-9/]+  TIME: [0-9:]+"),
                              "DATE: d  TIME: t");
}

// One copy's fixed head as the file holds it: CR LF per entry, the body's own CR LF doubled.
std::string Head(bool cardholder, const std::string& info) {
    std::string out = cardholder ? "\r\n" + info + "\r\n\r\n" : "";
    for (const char* line : {"MERCHANT NAME", "MERCHANT STREET", "CITY, PROVINCE CODE",
                             "POSTAL CODE", "123-456-7890"}) {
        out += CenterText(line, 40) + "\r\n";
    }
    return out + "\r\nDESCRIPTION: Merchandise\r\n\r\n\r\n";
}

class SerialHeadless : public ::testing::Test {
  protected:
    test::TempDir dir_;
    test::ScopedEnv port_{"NORDTELLER_COM1", std::string("sim")};
};

TEST_F(SerialHeadless, SaleRendersTheTerminalsReceiptAndTakesItsReferences) {
    auto r = RunScenario("click 1204\nset 1037 serial sale\nset 1002 1234\nclick 1004\ndump\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(std::regex_search(
        r.out, std::regex("\nedit: AT&UM104 99 1 0 0 \\* \\* 12\\.34 \\* 1 \\* \\* [0-9]{6} "
                          "[0-9]{6} 0 \\* 1 \\* \\* \\* \\* -> ok\n")))
        << r.out;
    EXPECT_TRUE(HasLine(r.out,
                        "message: \\r\\n200 M104 0001 12.34 A00001 R0000001 "
                        "APPROVED\\r\\n"));
    EXPECT_TRUE(HasLine(r.out, "1030\tA00001"));
    EXPECT_TRUE(HasLine(r.out, "1031\tR0000001"));
    const std::string body =
        "SALE\r\r\nCARD: VISA ************4242\r\r\nDATE: d  TIME: t\r\r\nINVOICE: 1\r\r\n"
        "SEQ: 0001\r\r\nAUTH: A00001\r\r\nREF: R0000001\r\r\nAMOUNT: $12.34\r\r\n"
        "APPROVED - THANK YOU\r\r\n\r\n\r\n";
    const std::string closing = CenterText("No Refund/Pas de remboursement", 40) + "\r\n" +
                                CenterText(std::string(receipt::kStoreCredit), 40) + "\r\n\r\n" +
                                CenterText("Thank You/Merci", 40) + "\r\n" +
                                CenterText("Please Come Again/Revenez nous voir", 40) + "\r\n\r\n";
    const std::string expected = Head(true, "serial sale") + body + closing +
                                 CenterText("CardHolder Copy/Copie Du Titulaire", 40) + "\r\n" +
                                 CenterText("Retain this copy for statement verification", 40) +
                                 "\r\n" + CenterText(std::string(receipt::kConservez), 40) +
                                 "\r\n\r\n" + Head(false, "") + body + closing +
                                 CenterText("Merchant Copy/Copie Du Marchand", 40) + "\r\n\r\n";
    EXPECT_EQ(Masked(ReadFile("QUORLIN_LOGS/Receipt.txt")), expected);
    EXPECT_EQ(ReadFile("testseqNo.dat"), "0010010010");  // the serial path leaves it alone
}

TEST_F(SerialHeadless, BalanceBatchCloseAndTestMode) {
    auto r = RunScenario("click 1204\nset 1002 500\nclick 1062\nclick 1053\nclick 1044\ndump\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(HasLine(r.out, "1002\t0.00"));  // Balance Inq zeroes the amount first
    EXPECT_NE(r.out.find("edit: AT&UM101 99 1 0 0 * * 0.00 "), std::string::npos);
    EXPECT_TRUE(HasLine(r.out, "edit: AT&UT90 -> ok"));
    EXPECT_TRUE(HasLine(r.out, "message: \\r\\n200 T90 TEST MODE ON\\r\\n"));
    EXPECT_NE(r.out.find("edit: AT&UB3 * "), std::string::npos);
    EXPECT_NE(r.out.find("message: \\r\\n200 B3 BATCH CLOSED\\r\\n"), std::string::npos);
    // Test mode and batch close are administrative: one receipt, the balance's.
    size_t receipts = 0;
    for (size_t at = r.out.find("\nreceipt: "); at != std::string::npos;
         at = r.out.find("\nreceipt: ", at + 1)) {
        ++receipts;
    }
    EXPECT_EQ(receipts, 1u);
}

TEST_F(SerialHeadless, TestModeWithoutTranEmvOnlySaysInvalidSelection) {
    auto r = RunScenario("click 1053\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(HasLine(r.out, "message: Invalid Selection"));
    EXPECT_EQ(r.out.find("edit:"), std::string::npos);
}

}  // namespace
}  // namespace nt
