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
    // Sends `code` (referring to `refNo` when given) and returns the RefNo answered.
    std::string Sale(const char* code, const char* purchase, bool debit = false,
                     const std::string& refNo = "") {
        SimRequestText request(code);
        request.Field("PartialAuth", "Allow").Amount("Purchase", purchase);
        if (debit) {
            request.Field("CardType", "DEBIT");
        }
        if (!refNo.empty()) {
            request.Field("RefNo", refNo);
        }
        return Send(request).Get("RefNo");
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
    const std::string first = Sale("EMVSale", "10.00");                             // Visa
    Send(SimRequestText().Amount("Purchase", "11.00").Amount("Gratuity", "1.00"));  // M/C
    Sale("EMVSale", "8.52");        // half approved: 4.26
    Sale("EMVSale", "5.00", true);  // debit
    Sale("EMVReturn", "3.00");
    Sale("ReturnByRecordNo", "2.00", true);
    Sale("EMVVoidSale", "4.00", false, Sale("EMVSale", "4.00"));  // leaves the purchases
    Sale("EMVVoidReturn", "1.50", true, Sale("EMVReturn", "1.50", true));
    Sale("EMVSale", "7.51");  // declined
    Sale("EMVSale", "7.54");  // host unavailable
    Sale("EMVPreAuthCapture", "20.00", false, Sale("EMVPreAuth", "20.00"));
    Sale("EMVVoiceAuth", "1.00");
    // The tip of the first sale becomes 2.00: it counts 12.00.
    Send(SimRequestText("EMVAdjust")
             .Field("RefNo", first)
             .Amount("Purchase", "10.00")
             .Amount("Gratuity", "2.00"));
    EXPECT_EQ(responses_.back().Get("Authorize"), "12.00");
    Send(SimRequestText().Field("ForceOffline", "Y").Amount("Purchase", "6.00"));
    SimRequestText forward("SAF_ForwardAll");
    forward.wrapper = "Admin";
    EXPECT_EQ(Send(forward).Get("SAFForwardedAmount"), "6.00");

    const std::map<std::string, std::string> expected = {
        {"BatchItemCount", "11"},          {"BatchNo", "1"},
        {"CreditPurchaseAmount", "55.26"}, {"CreditPurchaseCount", "6"},
        {"CreditReturnAmount", "3.00"},    {"CreditReturnCount", "1"},
        {"DebitPurchaseAmount", "5.00"},   {"DebitPurchaseCount", "1"},
        {"DebitReturnAmount", "2.00"},     {"DebitReturnCount", "1"},
        {"NetBatchTotal", "55.26"},        {"CreditCount", "7"},
        {"CreditAmount", "52.26"},         {"DebitCount", "2"},
        {"DebitAmount", "3.00"},           {"CorrectionCount", "2"},
        {"CorrectionAmount", "-2.50"}};
    std::map<std::string, std::string> t = Totals("BatchSummary");
    EXPECT_EQ(t, expected);
    EXPECT_EQ(std::stoi(t["CreditCount"]),
              std::stoi(t["CreditPurchaseCount"]) + std::stoi(t["CreditReturnCount"]));
    EXPECT_EQ(Cents(t["DebitAmount"]),
              Cents(t["DebitPurchaseAmount"]) - Cents(t["DebitReturnAmount"]));
    EXPECT_EQ(Cents(t["NetBatchTotal"]), Cents(t["CreditAmount"]) + Cents(t["DebitAmount"]));
    EXPECT_EQ(
        std::stoi(t["BatchItemCount"]),
        std::stoi(t["CreditCount"]) + std::stoi(t["DebitCount"]) + std::stoi(t["CorrectionCount"]));

    // The summary changes nothing; the close reports the same totals and opens batch 2.
    EXPECT_EQ(Totals("BatchSummary"), expected);
    EXPECT_EQ(Totals("BatchClose"), expected);
    EXPECT_EQ(responses_.back().Get("NewBatchNo"), "2");
    EXPECT_EQ(responses_.back().Lines("PrintData", "Line").at(5),
              "BatchItemCount" + std::string(24, ' ') + "11");

    t = Totals("BatchSummary");
    EXPECT_EQ(t["BatchNo"], "2");
    EXPECT_EQ(t["BatchItemCount"], "0");
    EXPECT_EQ(t["NetBatchTotal"], "0.00");
    EXPECT_EQ(t["CorrectionAmount"], "0.00");
    Sale("EMVSale", "2.00");
    EXPECT_EQ(responses_.back().Get("AcqRefData"), "BN002RN0017");
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
