#include "sim/SimulatedClient.h"

#include <gtest/gtest.h>

#include "sim/SimTestSupport.h"

namespace nt {
namespace {

using test::SimRequestText;
using test::SimResponse;

class SimulatedClientTest : public ::testing::Test {
  protected:
    std::string Send(const std::string& request) {
        const ClientReply reply = client_->ProcessTransaction(request);
        EXPECT_EQ(reply.code, 0);
        EXPECT_EQ(reply.error, "");
        return reply.text;
    }
    // Sends and parses, failing the test when the answer is not well-formed.
    void Exchange(const SimRequestText& request, SimResponse& response) {
        last_ = Send(request.Text());
        test::ParseSimResponse(last_, response);
        ASSERT_TRUE(response.ok) << last_;
    }

    ManualClock clock_;
    std::unique_ptr<PaymentClient> client_ = MakeSimulatedClient(clock_);
    std::string last_;
};

// Every TranCode the client composes, with the amounts its request carries.
struct CodeCase {
    const char* code;
    const char* wrapper;
    bool financial;
};

void PrintTo(const CodeCase& c, std::ostream* os) {
    *os << c.code;
}

class EveryTranCode : public SimulatedClientTest, public ::testing::WithParamInterface<CodeCase> {};

TEST_P(EveryTranCode, AnswersAWellFormedResponseWithTheNextSequenceNo) {
    const CodeCase& c = GetParam();
    SimRequestText request;
    request.tranCode = c.code;
    request.wrapper = c.wrapper;
    request.sequenceNo = "0010010090";
    const std::string code = c.code;
    // A follow-on refers to an original the journal holds.
    const char* original =
        code.find("VoidReturn") != std::string::npos ? "EMVReturn"
        : code.find("Capture") != std::string::npos ||
                code.find("Incremental") != std::string::npos ||
                code.find("PartialReversal") != std::string::npos
            ? "EMVPreAuth"
        : code.find("VoidSale") != std::string::npos || code.find("Adjust") != std::string::npos
            ? "EMVSale"
            : nullptr;
    std::string refNo = "0042";
    if (original != nullptr) {
        SimResponse first;
        Exchange(SimRequestText(original).Amount("Purchase", "40.00"), first);
        refNo = first.Get("RefNo");
    }
    request.Field("InvoiceNo", "1001").Field("RefNo", refNo);
    if (code.find("PartialReversal") != std::string::npos) {
        request.Amount("OriginalAuthorized", "50.00").Amount("LastAuthorized", "40.00");
        request.Amount("Decrement", "10.00");
    } else if (code.find("IncrementalAuth") != std::string::npos) {
        request.Amount("OriginalAuthorized", "50.00").Amount("LastAuthorized", "40.00");
        request.Amount("Increment", "10.00");
    } else {
        request.Amount("Purchase", "12.00");
    }
    SimResponse r;
    Exchange(request, r);

    EXPECT_EQ(last_.rfind("<?xml version=\"1.0\"?>\r\n<TStream>\r\n", 0), 0u);
    for (size_t i = 0; i < last_.size(); ++i) {
        ASSERT_EQ(last_[i] == '\n', i > 0 && last_[i - 1] == '\r') << "bare line end at " << i;
    }
    EXPECT_EQ(r.Get("SequenceNo"), "0010010100");
    EXPECT_EQ(r.Get("UserTrace"), "tester");
    EXPECT_EQ(r.Get("ReturnCode"), "000000");
    if (!c.financial) {
        EXPECT_EQ(r.Get("CmdStatus"), "Success");
        EXPECT_EQ(r.Get("TranResponse/AuthCode"), "<none>");
        return;
    }
    EXPECT_EQ(r.Get("CmdStatus"), "Approved");
    EXPECT_EQ(r.Get("TextResponse"), "APPROVED");
    EXPECT_EQ(r.Get("TranResponse/TranCode"), c.code);
    EXPECT_EQ(r.Get("InvoiceNo"), "1001");
    for (const char* field :
         {"AuthCode", "RefNo", "AcqRefData", "ProcessData", "AcctNo", "CardType", "CaptureStatus",
          "EntryMethod", "ApplicationLabel", "AID", "TVR", "TSI", "Amount/Purchase",
          "Amount/Gratuity", "Amount/Authorize"}) {
        const std::string value = r.Get(field);
        EXPECT_NE(value, "<none>") << field;
        EXPECT_NE(value, "") << field;
    }
    EXPECT_EQ(r.Get("RecordNo"), "<none>");
    const auto lines = r.Lines("PrintData", "Line");
    ASSERT_GT(lines.size(), 10u);
    for (const std::string& line : lines) {
        EXPECT_LE(line.size(), 40u) << line;
    }
}

INSTANTIATE_TEST_SUITE_P(
    CallerTable, EveryTranCode,
    ::testing::Values(
        CodeCase{"EMVSale", "Transaction", true}, CodeCase{"EMVReturn", "Transaction", true},
        CodeCase{"EMVVoidSale", "Transaction", true},
        CodeCase{"EMVVoidReturn", "Transaction", true},
        CodeCase{"EMVVoiceAuth", "Transaction", true}, CodeCase{"EMVBalance", "Transaction", true},
        CodeCase{"EMVPreAuth", "Transaction", true},
        CodeCase{"EMVPreAuthCapture", "Transaction", true},
        CodeCase{"EMVPartialReversal", "Transaction", true},
        CodeCase{"EMVZeroAuth", "Transaction", true},
        CodeCase{"EMVIncrementalAuth", "Transaction", true},
        CodeCase{"EMVAdjust", "Transaction", true}, CodeCase{"SaleByRecordNo", "Transaction", true},
        CodeCase{"ReturnByRecordNo", "Transaction", true},
        CodeCase{"VoidSaleByRecordNo", "Transaction", true},
        CodeCase{"VoidReturnByRecordNo", "Transaction", true},
        CodeCase{"PreAuthByRecordNo", "Transaction", true},
        CodeCase{"PreAuthCaptureByRecordNo", "Transaction", true},
        CodeCase{"PartialReversalByRecordNo", "Transaction", true},
        CodeCase{"ZeroAuthByRecordNo", "Transaction", true},
        CodeCase{"IncrementalAuthByRecordNo", "Transaction", true},
        CodeCase{"AdjustByRecordNo", "Transaction", true},
        CodeCase{"EMVIssue", "Transaction", true}, CodeCase{"EMVVoidIssue", "Transaction", true},
        CodeCase{"EMVCashOut", "Transaction", true}, CodeCase{"EMVPadReset", "Transaction", false},
        CodeCase{"EMVKeyChange", "Transaction", false},
        CodeCase{"EMVParamDownload", "Transaction", false},
        CodeCase{"GetPrePaidStripe", "Transaction", false},
        CodeCase{"ServerVersion", "Admin", false},
        CodeCase{"EMVOfflineDeclineReport", "Admin", false},
        CodeCase{"EMVPublicKeyReport", "Admin", false},
        CodeCase{"EMVParameterReport", "Admin", false},
        CodeCase{"EMVStatisticsReport", "Admin", false}, CodeCase{"BatchSummary", "Admin", false},
        CodeCase{"BatchClose", "Admin", false}, CodeCase{"SAF_ForwardAll", "Admin", false},
        CodeCase{"SAF_Statistics", "Admin", false}),
    [](const auto& param) { return std::string(param.param.code); });

TEST_F(SimulatedClientTest, FollowOnsKeepTheirRefNoAndAmountsFollowTheChange) {
    SimResponse preAuth;
    Exchange(SimRequestText{"EMVPreAuth"}.Amount("Purchase", "40.00"), preAuth);
    ASSERT_EQ(preAuth.Get("RefNo"), "0001");
    SimResponse r;
    Exchange(SimRequestText{"EMVPartialReversal"}
                 .Field("RefNo", "0001")
                 .Amount("OriginalAuthorized", "50.00")
                 .Amount("LastAuthorized", "40.00")
                 .Amount("Decrement", "12.50"),
             r);
    EXPECT_EQ(r.Get("RefNo"), "0001");
    EXPECT_EQ(r.Get("Purchase"), "27.50");
    EXPECT_EQ(r.Get("Authorize"), "27.50");
    SimResponse sale;
    Exchange(SimRequestText{}.Field("RefNo", "0001").Amount("Purchase", "1.00"), sale);
    EXPECT_EQ(sale.Get("RefNo"), "0003");  // a new sale gets a number of its own
    EXPECT_EQ(sale.Get("AuthCode"), "A00003");
    EXPECT_EQ(sale.Get("InvoiceNo"), "0003");  // none asked: the reference stands in
    SimResponse voice;
    Exchange(SimRequestText{"EMVVoiceAuth"}.Field("AuthCode", "VX1234").Amount("Purchase", "9.00"),
             voice);
    EXPECT_EQ(voice.Get("AuthCode"), "VX1234");  // given by phone
}

TEST_F(SimulatedClientTest, RecordNoIsAnsweredOnlyWhenRequested) {
    SimResponse fresh;
    Exchange(SimRequestText{}
                 .Field("RecordNo", "RecordNumberRequested")
                 .Field("Frequency", "OneTime")
                 .Amount("Purchase", "12.00"),
             fresh);
    EXPECT_EQ(fresh.Get("RecordNo"), "NTVTOKEN0119");
    SimResponse reuse;
    Exchange(
        SimRequestText{"SaleByRecordNo"}.Field("RecordNo", "abc/+=").Amount("Purchase", "3.00"),
        reuse);
    EXPECT_EQ(reuse.Get("RecordNo"), "abc/+=");
    EXPECT_EQ(reuse.Get("TranCode"), "SaleByRecordNo");
}

TEST_F(SimulatedClientTest, CardAndPromptedAmountsFollowTheRequest) {
    SimResponse visa, mc, debit;
    Exchange(SimRequestText{}.Amount("Purchase", "12.99").Amount("Gratuity", "Prompt"), visa);
    Exchange(SimRequestText{}.Amount("Purchase", "13.00"), mc);
    Exchange(SimRequestText{}
                 .Field("CardType", "DEBIT")
                 .Amount("Purchase", "13.00")
                 .Amount("CashBack", "Prompt"),
             debit);
    EXPECT_EQ(visa.Get("CardType"), "VISA");
    EXPECT_EQ(visa.Get("AID"), "A0000000031010");
    EXPECT_EQ(visa.Get("Gratuity"), "1.95");  // 15 % of 12.99 is 194.85 cents
    EXPECT_EQ(visa.Get("Authorize"), "14.94");
    EXPECT_EQ(mc.Get("CardType"), "M/C");
    EXPECT_EQ(mc.Get("AcctNo"), "XXXXXXXXXXXX0012");
    EXPECT_EQ(debit.Get("CardType"), "DEBIT");
    EXPECT_EQ(debit.Get("ApplicationLabel"), "Interac");
    EXPECT_EQ(debit.Get("CashBack"), "20.00");
    EXPECT_EQ(debit.Get("Authorize"), "33.00");
}

TEST_F(SimulatedClientTest, SignatureAreaOnlyOnTheMerchantCopyOfSignedCredit) {
    const auto hasSignature = [](const std::vector<std::string>& lines) {
        for (const std::string& l : lines) {
            if (l == "X" + std::string(39, '_')) {
                return true;
            }
        }
        return false;
    };
    SimResponse mc, visa, suppressed;
    Exchange(SimRequestText{}.Field("PadType", "LM320_POSPAD").Amount("Purchase", "13.00"), mc);
    Exchange(SimRequestText{}.Amount("Purchase", "12.00"), visa);
    Exchange(SimRequestText{}
                 .Field("ReceiptSignature", "Disallow")
                 .Field("Account", "<AcctNo>Prompt</AcctNo>")
                 .Amount("Purchase", "12.00"),
             suppressed);
    EXPECT_TRUE(hasSignature(mc.Lines("PrintData", "Line")));
    EXPECT_FALSE(hasSignature(mc.Lines("CustomerPrintData", "CustLine")));
    EXPECT_FALSE(hasSignature(visa.Lines("PrintData", "Line")));
    EXPECT_EQ(suppressed.Get("EntryMethod"), "Keyed");
    EXPECT_FALSE(hasSignature(suppressed.Lines("PrintData", "Line")));
}

TEST_F(SimulatedClientTest, CustomerCopyOnlyForPospadInTheFallbackLanguage) {
    SimResponse plain, pospad;
    Exchange(SimRequestText{}.Field("PadType", "P400").Amount("Purchase", "2.00"), plain);
    Exchange(SimRequestText{}
                 .Field("MerchantLanguage", "English")
                 .Field("FallbackLanguage", "French")
                 .Field("PadType", "LM3000_POSPAD")
                 .Amount("Purchase", "2.00"),
             pospad);
    EXPECT_EQ(plain.Get("CustomerPrintData"), "<none>");
    EXPECT_EQ(plain.Get("CustomerReceiptLanguage"), "<none>");
    EXPECT_EQ(pospad.Get("ReceiptLanguage"), "English");
    EXPECT_EQ(pospad.Get("CustomerReceiptLanguage"), "French");
    const auto cust = pospad.Lines("CustomerPrintData", "CustLine");
    ASSERT_FALSE(cust.empty());
    EXPECT_EQ(cust.front(), std::string(17, ' ') + "ACHAT");
    EXPECT_EQ(pospad.Lines("PrintData", "Line").front(), std::string(16, ' ') + "PURCHASE");
}

TEST_F(SimulatedClientTest, MerchantTextIsEscapedAndKeepsItsAccent) {
    SimRequestText request;
    request.merchantId = "Caf\xE9 &amp; Co";
    SimResponse r;
    Exchange(request.Amount("Purchase", "1.00"), r);
    EXPECT_EQ(r.Get("TranResponse/MerchantID"), "Caf\xE9 & Co");
    EXPECT_NE(last_.find("<MerchantID>Caf\xE9 &amp; Co</MerchantID>"), std::string::npos);
}

}  // namespace
}  // namespace nt
