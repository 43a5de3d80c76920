#include <gtest/gtest.h>

#include <list>
#include <map>

#include "sim/SimAmount.h"
#include "sim/SimTestSupport.h"
#include "sim/SimulatedClient.h"

namespace nt {
namespace {

using test::SimRequestText;
using test::SimResponse;

const char* const kTotals[] = {
    "BatchItemCount",     "BatchNo",           "CreditPurchaseAmount", "CreditPurchaseCount",
    "CreditReturnAmount", "CreditReturnCount", "DebitPurchaseAmount",  "DebitPurchaseCount",
    "DebitReturnAmount",  "DebitReturnCount",  "NetBatchTotal",        "CreditCount",
    "CreditAmount",       "DebitCount",        "DebitAmount",          "CorrectionCount",
    "CorrectionAmount"};

class SimBatchTest : public ::testing::Test {
  protected:
    SimResponse& Send(SimRequestText request) {
        responses_.emplace_back();
        const ClientReply reply = client_->ProcessTransaction(request.Text());
        test::ParseSimResponse(reply.text, responses_.back());
        EXPECT_TRUE(responses_.back().ok) << reply.text;
        return responses_.back();
    }
    void Sale(const char* code, const char* purchase, bool debit = false) {
        SimRequestText request(code);
        request.Field("PartialAuth", "Allow").Amount("Purchase", purchase);
        if (debit) {
            request.Field("CardType", "DEBIT");
        }
        Send(request);
    }
    // The 17 totals of the element named by parent, in the client's order.
    std::map<std::string, std::string> Totals(const char* code) {
        SimRequestText request(code);
        request.wrapper = "Admin";
        const SimResponse& r = Send(request.Amount("Purchase", "0.00"));
        EXPECT_EQ(r.Get("CmdStatus"), "Success");
        std::map<std::string, std::string> totals;
        for (const char* name : kTotals) {
            totals[name] = r.Get(std::string(code) + "/" + name);
        }
        return totals;
    }

    ManualClock clock_;
    std::unique_ptr<PaymentClient> client_ = MakeSimulatedClient(clock_);
    std::list<SimResponse> responses_;
};

int64_t Cents(const std::string& text) {
    const bool negative = !text.empty() && text[0] == '-';
    const auto cents = sim::ParseCents(negative ? text.substr(1) : text);
    EXPECT_TRUE(cents.has_value()) << text;
    return negative ? -cents.value_or(0) : cents.value_or(0);
}

TEST_F(SimBatchTest, TotalsCountApprovedTransactionsAndAddUp) {
    Sale("EMVSale", "10.00");                                                       // Visa
    Send(SimRequestText().Amount("Purchase", "11.00").Amount("Gratuity", "1.00"));  // M/C
    Sale("EMVSale", "8.52");        // half approved: 4.26
    Sale("EMVSale", "5.00", true);  // debit
    Sale("EMVReturn", "3.00");
    Sale("ReturnByRecordNo", "2.00", true);
    Sale("EMVVoidSale", "4.00");
    Sale("EMVVoidReturn", "1.50", true);
    Sale("EMVSale", "7.51");      // declined
    Sale("EMVSale", "7.54");      // host unavailable
    Sale("EMVPreAuth", "20.00");  // authorization only
    Sale("EMVPreAuthCapture", "20.00");
    Sale("EMVVoiceAuth", "1.00");

    const std::map<std::string, std::string> expected = {
        {"BatchItemCount", "10"},          {"BatchNo", "1"},
        {"CreditPurchaseAmount", "47.26"}, {"CreditPurchaseCount", "5"},
        {"CreditReturnAmount", "3.00"},    {"CreditReturnCount", "1"},
        {"DebitPurchaseAmount", "5.00"},   {"DebitPurchaseCount", "1"},
        {"DebitReturnAmount", "2.00"},     {"DebitReturnCount", "1"},
        {"NetBatchTotal", "44.76"},        {"CreditCount", "6"},
        {"CreditAmount", "44.26"},         {"DebitCount", "2"},
        {"DebitAmount", "3.00"},           {"CorrectionCount", "2"},
        {"CorrectionAmount", "-2.50"}};
    std::map<std::string, std::string> t = Totals("BatchSummary");
    EXPECT_EQ(t, expected);
    EXPECT_EQ(std::stoi(t["CreditCount"]),
              std::stoi(t["CreditPurchaseCount"]) + std::stoi(t["CreditReturnCount"]));
    EXPECT_EQ(Cents(t["DebitAmount"]),
              Cents(t["DebitPurchaseAmount"]) - Cents(t["DebitReturnAmount"]));
    EXPECT_EQ(Cents(t["NetBatchTotal"]),
              Cents(t["CreditAmount"]) + Cents(t["DebitAmount"]) + Cents(t["CorrectionAmount"]));
    EXPECT_EQ(
        std::stoi(t["BatchItemCount"]),
        std::stoi(t["CreditCount"]) + std::stoi(t["DebitCount"]) + std::stoi(t["CorrectionCount"]));

    // The summary changes nothing; the close reports the same totals and opens batch 2.
    EXPECT_EQ(Totals("BatchSummary"), expected);
    EXPECT_EQ(Totals("BatchClose"), expected);
    EXPECT_EQ(responses_.back().Get("NewBatchNo"), "2");
    EXPECT_EQ(responses_.back().Lines("PrintData", "Line").at(5),
              "BatchItemCount" + std::string(24, ' ') + "10");

    t = Totals("BatchSummary");
    EXPECT_EQ(t["BatchNo"], "2");
    EXPECT_EQ(t["BatchItemCount"], "0");
    EXPECT_EQ(t["NetBatchTotal"], "0.00");
    EXPECT_EQ(t["CorrectionAmount"], "0.00");
    Sale("EMVSale", "2.00");
    EXPECT_EQ(responses_.back().Get("AcqRefData"), "BN002RN0013");
    EXPECT_EQ(Totals("BatchSummary")["CreditPurchaseAmount"], "2.00");
}

TEST_F(SimBatchTest, OfflineApprovalsWaitForForwarding) {
    SimResponse& stored = Send(SimRequestText()
                                   .Field("ForceOffline", "Y")
                                   .Field("OfflineTransactionPurchaseLimit", "50.00")
                                   .Amount("Purchase", "10.51"));  // triggers need the host
    EXPECT_EQ(stored.Get("CmdStatus"), "Approved");
    EXPECT_EQ(stored.Get("TextResponse"), "APPROVED OFFLINE");
    EXPECT_EQ(stored.Get("ResponseOrigin"), "Client");
    EXPECT_EQ(stored.Get("AuthCode"), "Y00001");
    EXPECT_EQ(stored.Get("CaptureStatus"), "NotCaptured");
    SimResponse& over = Send(SimRequestText()
                                 .Field("ForceOffline", "Y")
                                 .Field("OfflineTransactionPurchaseLimit", "50.00")
                                 .Amount("Purchase", "50.01"));
    EXPECT_EQ(over.Get("CmdStatus"), "Declined");
    EXPECT_EQ(over.Get("TextResponse"), "DECLINED OFFLINE");
    EXPECT_EQ(Totals("BatchSummary")["BatchItemCount"], "0");

    SimRequestText stats("SAF_Statistics");
    stats.wrapper = "Admin";
    EXPECT_EQ(Send(stats).Get("SAFCount"), "1");
    EXPECT_EQ(responses_.back().Get("SAFAmount"), "10.51");
    SimRequestText forward("SAF_ForwardAll");
    forward.wrapper = "Admin";
    EXPECT_EQ(Send(forward).Get("TextResponse"), "1 ITEMS FORWARDED");
    EXPECT_EQ(Send(forward).Get("SAFForwardedCount"), "0");
    EXPECT_EQ(Totals("BatchSummary")["CreditPurchaseAmount"], "10.51");
}

}  // namespace
}  // namespace nt
