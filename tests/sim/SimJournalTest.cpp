// The simulator's journal through the plugin ABI: follow-ons find their originals, declines
// name their reason and change nothing, totals are the batch's sums, and the journal file in
// the working folder outlives the instance.
#include <gtest/gtest.h>

#include <algorithm>
#include <list>
#include <memory>

#include "sim/SimJournalFile.h"
#include "sim/SimReceipt.h"
#include "sim/SimTestSupport.h"
#include "support/ScopedEnv.h"
#include "support/TempDir.h"
#include "transaction/PluginClient.h"

namespace nt {
namespace {

using test::ReadFile;
using test::SimRequestText;
using test::SimResponse;

class SimJournalTest : public ::testing::Test {
  protected:
    void SetUp() override { Restart(); }

    // A new plugin instance over the journal file the last one left.
    void Restart() {
        client_.reset();
        std::string error;
        client_ = PluginClient::Load(NORDTELLER_BINARY_DIR "/libcardbridge_sim.so", error);
        ASSERT_NE(client_, nullptr) << error;
    }
    SimResponse& Send(const SimRequestText& request) {
        responses_.emplace_back();
        const ClientReply reply = client_->ProcessTransaction(request.Text());
        EXPECT_EQ(reply.code, 0) << reply.error;
        test::ParseSimResponse(reply.text, responses_.back());
        EXPECT_TRUE(responses_.back().ok) << reply.text;
        return responses_.back();
    }
    SimResponse& Send(const char* code, const char* purchase, const std::string& refNo = "") {
        SimRequestText request(code);
        if (!refNo.empty()) {
            request.Field("RefNo", refNo);
        }
        return Send(request.Amount("Purchase", purchase));
    }
    SimResponse& Admin(const char* code) {
        SimRequestText request(code);
        request.wrapper = "Admin";
        return Send(request);
    }
    // Every total of a BatchSummary response, "name=value;" in order.
    static std::string Totals(const SimResponse& r) {
        std::string all;
        for (const pugi::xml_node total : r.doc.select_node("//BatchSummary").node().children()) {
            all += std::string(total.name()) + "=" + total.text().get() + ";";
        }
        return all;
    }
    // "Approved APPROVED", "Declined ALREADY VOIDED", ...
    static std::string Verdict(const SimResponse& r) {
        return r.Get("CmdStatus") + " " + r.Get("TextResponse");
    }

    test::TempDir dir_;
    std::unique_ptr<PaymentClient> client_;
    std::list<SimResponse> responses_;
};

TEST_F(SimJournalTest, VoidCarriesTheOriginalAndTheBatchNetsToZero) {
    SimRequestText sale;
    sale.Field("CardType", "DEBIT").Field("InvoiceNo", "77").Amount("Purchase", "22.99");
    const SimResponse& s = Send(sale);
    ASSERT_EQ(Verdict(s), "Approved APPROVED");
    SimRequestText voidSale("EMVVoidSale");
    voidSale.Field("RefNo", s.Get("RefNo"))
        .Field("AuthCode", s.Get("AuthCode"))
        .Field("AcqRefData", s.Get("AcqRefData"))
        .Amount("Purchase", "19.99");  // a typo in the amount: the host voids what it holds
    const SimResponse& v = Send(voidSale);
    EXPECT_EQ(Verdict(v), "Approved APPROVED");
    EXPECT_EQ(v.Get("CardType"), "DEBIT");
    EXPECT_EQ(v.Get("AcctNo"), "XXXXXXXXXXXX0018");
    EXPECT_EQ(v.Get("Purchase"), "22.99");
    EXPECT_EQ(v.Get("Authorize"), "22.99");
    EXPECT_EQ(v.Get("RefNo"), s.Get("RefNo"));
    const SimResponse& t = Admin("BatchSummary");
    EXPECT_EQ(t.Get("NetBatchTotal"), "0.00");
    EXPECT_EQ(t.Get("DebitPurchaseCount"), "0");
    EXPECT_EQ(t.Get("CorrectionCount"), "1");
    EXPECT_EQ(t.Get("CorrectionAmount"), "-22.99");
    EXPECT_EQ(t.Get("BatchItemCount"), "1");
}

TEST_F(SimJournalTest, DeclinesNameTheReasonAndChangeNothing) {
    const std::string sale = Send("EMVSale", "10.00").Get("RefNo");
    const std::string ret = Send("EMVReturn", "4.00").Get("RefNo");
    const std::string auth = Send("EMVPreAuth", "30.00").Get("RefNo");
    const std::string before = Totals(Admin("BatchSummary"));

    struct Case {
        SimRequestText request;
        const char* verdict;
    };
    SimRequestText wrongAuth("EMVVoidSale");
    wrongAuth.Field("RefNo", sale).Field("AuthCode", "A99999").Amount("Purchase", "10.00");
    SimRequestText shrink("EMVPartialReversal");
    shrink.Field("RefNo", auth)
        .Amount("LastAuthorized", "25.00")  // the journal holds 30.00
        .Amount("Decrement", "5.00");
    const Case cases[] = {
        {SimRequestText("EMVVoidSale").Field("RefNo", "9999").Amount("Purchase", "1.00"),
         "Declined NO MATCHING TRANSACTION"},
        {SimRequestText("EMVVoidSale").Amount("Purchase", "1.00"),
         "Declined NO MATCHING TRANSACTION"},
        {wrongAuth, "Declined REFERENCE MISMATCH"},
        {SimRequestText("EMVVoidReturn").Field("RefNo", sale).Amount("Purchase", "10.00"),
         "Declined WRONG TRANSACTION TYPE"},
        {SimRequestText("EMVVoidSale").Field("RefNo", ret).Amount("Purchase", "4.00"),
         "Declined WRONG TRANSACTION TYPE"},
        {SimRequestText("EMVPreAuthCapture").Field("RefNo", sale).Amount("Purchase", "10.00"),
         "Declined ALREADY CAPTURED"},
        {SimRequestText("EMVPreAuthCapture").Field("RefNo", auth).Amount("Purchase", "30.01"),
         "Declined AMOUNT EXCEEDS AUTHORIZATION"},
        {shrink, "Declined LAST AUTHORIZED MISMATCH"},
        {SimRequestText("EMVAdjust")
             .Field("RefNo", auth)
             .Amount("Purchase", "30.00")
             .Amount("Gratuity", "3.00"),
         "Declined NOT CAPTURED"},
        {SimRequestText("EMVVoidSale").Field("RefNo", auth).Amount("Purchase", "30.00"),
         "Declined NOT CAPTURED"},
    };
    for (const Case& c : cases) {
        const SimResponse& r = Send(c.request);
        EXPECT_EQ(Verdict(r), c.verdict) << c.request.Text();
        EXPECT_EQ(r.Get("AuthCode"), "<none>");
        const std::vector<std::string> lines = r.Lines("PrintData", "Line");
        const std::string reason = r.Get("TextResponse");
        EXPECT_NE(std::find(lines.begin(), lines.end(), sim::CentreLine(reason)), lines.end())
            << reason;
    }
    EXPECT_EQ(Totals(Admin("BatchSummary")), before);

    // The originals still take what fits them, once.
    EXPECT_EQ(Verdict(Send("EMVVoidSale", "10.00", sale)), "Approved APPROVED");
    EXPECT_EQ(Verdict(Send("EMVVoidSale", "10.00", sale)), "Declined ALREADY VOIDED");
    EXPECT_EQ(Verdict(Send("EMVVoidReturn", "4.00", ret)), "Approved APPROVED");
    SimRequestText capture("EMVPreAuthCapture");
    capture.Field("RefNo", auth).Amount("Purchase", "30.00").Amount("Gratuity", "4.50");
    EXPECT_EQ(Verdict(Send(capture)), "Approved APPROVED");  // a tip on top of the authorisation
    EXPECT_EQ(Verdict(Send(capture)), "Declined ALREADY CAPTURED");
    EXPECT_EQ(Admin("BatchSummary").Get("NetBatchTotal"), "34.50");
}

TEST_F(SimJournalTest, AuthorizationChangesAreKeptAndCaptureAndAdjustFollowThem) {
    const SimResponse& a = Send("EMVPreAuth", "40.00");
    const std::string ref = a.Get("RefNo");
    SimRequestText more("EMVIncrementalAuth");
    more.Field("RefNo", ref).Amount("LastAuthorized", "40.00").Amount("Increment", "10.00");
    EXPECT_EQ(Send(more).Get("Authorize"), "50.00");
    EXPECT_EQ(Verdict(Send(more)), "Declined LAST AUTHORIZED MISMATCH");  // now 50.00
    SimRequestText less("EMVPartialReversal");
    less.Field("RefNo", ref).Amount("LastAuthorized", "50.00").Amount("Decrement", "5.00");
    const SimResponse& reduced = Send(less);
    EXPECT_EQ(Verdict(reduced), "Approved APPROVED");
    EXPECT_EQ(reduced.Get("Authorize"), "45.00");
    EXPECT_EQ(Verdict(Send("EMVPreAuthCapture", "45.01", ref)),
              "Declined AMOUNT EXCEEDS AUTHORIZATION");
    // The capture carries the latest approval code, as the window's fields hold it.
    SimRequestText capture("EMVPreAuthCapture");
    capture.Field("RefNo", ref).Field("AuthCode", reduced.Get("AuthCode"));
    EXPECT_EQ(Verdict(Send(capture.Amount("Purchase", "45.00"))), "Approved APPROVED");
    EXPECT_EQ(Admin("BatchSummary").Get("CreditPurchaseAmount"), "45.00");
    SimRequestText adjust("EMVAdjust");
    adjust.Field("RefNo", ref).Amount("Purchase", "45.00").Amount("Gratuity", "6.00");
    EXPECT_EQ(Send(adjust).Get("Authorize"), "51.00");
    adjust.amount.back().second = "2.00";  // the new tip replaces the old one
    EXPECT_EQ(Send(adjust).Get("Authorize"), "47.00");
    const SimResponse& t = Admin("BatchSummary");
    EXPECT_EQ(t.Get("CreditPurchaseAmount"), "47.00");
    EXPECT_EQ(t.Get("CreditPurchaseCount"), "1");
}

TEST_F(SimJournalTest, RecordNoFormsFindTheLatestFittingOriginalByToken) {
    SimRequestText sale;
    sale.Field("RecordNo", "RecordNumberRequested").Amount("Purchase", "12.00");
    const std::string first = Send(sale).Get("RefNo");
    const std::string second = Send(sale).Get("RefNo");
    SimRequestText byToken("VoidSaleByRecordNo");
    byToken.Field("RecordNo", "NTVTOKEN0119").Amount("Purchase", "12.00");
    EXPECT_EQ(Send(byToken).Get("RefNo"), second);
    EXPECT_EQ(Send(byToken).Get("RefNo"), first);
    EXPECT_EQ(Verdict(Send(byToken)), "Declined NO MATCHING TRANSACTION");
    SimRequestText otherToken("VoidSaleByRecordNo");
    otherToken.Field("RecordNo", "NTMTOKEN0012").Field("RefNo", first);
    EXPECT_EQ(Verdict(Send(otherToken.Amount("Purchase", "12.00"))), "Declined REFERENCE MISMATCH");
}

TEST_F(SimJournalTest, BatchCloseStartsTheNextBatchAndClosedReferencesAreDeclined) {
    const std::string old = Send("EMVSale", "3.00").Get("RefNo");
    EXPECT_EQ(Admin("BatchClose").Get("NewBatchNo"), "2");
    EXPECT_EQ(Verdict(Send("EMVVoidSale", "3.00", old)), "Declined BATCH CLOSED");
    const SimResponse& t = Admin("BatchSummary");
    EXPECT_EQ(t.Get("BatchNo"), "2");
    EXPECT_EQ(t.Get("BatchItemCount"), "0");
    Restart();
    EXPECT_EQ(Verdict(Send("EMVVoidSale", "3.00", old)), "Declined BATCH CLOSED");
    EXPECT_EQ(Admin("BatchSummary").Get("BatchNo"), "2");
}

TEST_F(SimJournalTest, JournalOutlivesTheInstanceAndNumbersGoOn) {
    const SimResponse& sale = Send("EMVSale", "8.00");
    Send(SimRequestText().Field("ForceOffline", "Y").Amount("Purchase", "5.00"));
    Send("EMVSale", "1.51");  // declined: its number is given out all the same
    Restart();
    EXPECT_EQ(Verdict(Send("EMVVoidSale", "8.00", sale.Get("RefNo"))), "Approved APPROVED");
    EXPECT_EQ(Send("EMVSale", "2.00").Get("RefNo"), "0005");
    EXPECT_EQ(Admin("SAF_Statistics").Get("SAFAmount"), "5.00");
    Restart();
    const std::string once = ReadFile(sim::kJournalFileName);
    Restart();  // compacting what is already compact changes nothing
    EXPECT_EQ(ReadFile(sim::kJournalFileName), once);
    EXPECT_TRUE(once.starts_with(std::string(sim::kJournalVersionLine) + "\n")) << once;
    const SimResponse& t = Admin("BatchSummary");
    EXPECT_EQ(t.Get("CreditPurchaseAmount"), "2.00");
    EXPECT_EQ(t.Get("CorrectionAmount"), "-8.00");

    test::ScopedEnv fresh("NORDTELLER_SIM_FRESH", "1");
    Restart();
    EXPECT_EQ(Admin("BatchSummary").Get("BatchItemCount"), "0");
    EXPECT_EQ(Send("EMVSale", "2.00").Get("RefNo"), "0001");
}

TEST_F(SimJournalTest, DamagedFileIsSetAsideAndATornTailIsDropped) {
    Send("EMVSale", "8.00");
    Restart();  // compacted
    client_.reset();
    const std::string whole = ReadFile(sim::kJournalFileName);
    // A line cut short by a killed process: its request was never answered.
    test::WriteFile(sim::kJournalFileName, whole + "E|1|1|9|0");
    testing::internal::CaptureStderr();
    Restart();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(ReadFile(sim::kJournalFileName), whole);

    std::string flipped = whole;
    flipped[flipped.find("EMVSale")] = 'F';
    client_.reset();
    test::WriteFile(sim::kJournalFileName, flipped);
    test::WriteFile(std::string(sim::kJournalFileName) + ".damaged-1", "taken");
    testing::internal::CaptureStderr();
    Restart();
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "nordteller: the simulator journal simjournal.dat is damaged (line 3: fails its "
              "check); set aside as simjournal.dat.damaged-2, starting a fresh journal\n");
    EXPECT_EQ(ReadFile("simjournal.dat.damaged-2"), flipped);
    EXPECT_EQ(Admin("BatchSummary").Get("BatchItemCount"), "0");

    client_.reset();
    test::WriteFile(sim::kJournalFileName, "NORDTELLER SIMULATOR JOURNAL 2\n");
    testing::internal::CaptureStderr();
    Restart();
    EXPECT_NE(
        testing::internal::GetCapturedStderr().find("(line 1: not a journal of this version)"),
        std::string::npos);
}

TEST_F(SimJournalTest, DuplicatesAreDeclinedOnlyWhenCheckingIsOn) {
    SimRequestText sale;
    sale.Field("InvoiceNo", "42").Amount("Purchase", "9.00");
    EXPECT_EQ(Verdict(Send(sale)), "Approved APPROVED");
    EXPECT_EQ(Verdict(Send(sale)), "Approved APPROVED");  // off by default

    test::ScopedEnv on("NORDTELLER_SIM_DUPLICATES", "1");
    Restart();
    EXPECT_EQ(Verdict(Send(sale)), "Declined DUPLICATE TRANSACTION");
    SimRequestText otherInvoice;
    otherInvoice.Field("InvoiceNo", "43").Amount("Purchase", "9.00");
    EXPECT_EQ(Verdict(Send(otherInvoice)), "Approved APPROVED");
    SimRequestText overridden = sale;
    overridden.Field("Duplicate", "Override");
    EXPECT_EQ(Verdict(Send(overridden)), "Approved APPROVED");
    EXPECT_EQ(Admin("BatchSummary").Get("CreditPurchaseCount"), "4");
}

}  // namespace
}  // namespace nt
