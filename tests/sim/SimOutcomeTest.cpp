#include <gtest/gtest.h>

#include <algorithm>

#include "sim/SimTestSupport.h"
#include "sim/SimulatedClient.h"

namespace nt {
namespace {

using test::SimRequestText;
using test::SimResponse;

std::string Ask(PaymentClient& client, const std::string& request, SimResponse& r) {
    const ClientReply reply = client.ProcessTransaction(request);
    EXPECT_EQ(reply.code, 0);
    test::ParseSimResponse(reply.text, r);
    EXPECT_TRUE(r.ok) << reply.text;
    return reply.text;
}

struct TriggerCase {
    const char* name;
    const char* code;
    const char* purchase;
    bool partialAllowed;
    bool overrideDuplicate;
    const char* status;
    const char* text;
    const char* authorize;  // "<none>" when there is no TranResponse
    const char* verdict;    // the receipt's verdict line, centred
};

void PrintTo(const TriggerCase& c, std::ostream* os) {
    *os << c.name;
}

class AmountTrigger : public ::testing::TestWithParam<TriggerCase> {};

TEST_P(AmountTrigger, DecidesByTheCents) {
    const TriggerCase& c = GetParam();
    ManualClock clock;
    auto client = MakeSimulatedClient(clock);
    SimRequestText request(c.code);
    if (c.partialAllowed) {
        request.Field("PartialAuth", "Allow");
    }
    if (c.overrideDuplicate) {
        request.Field("Duplicate", "Override");
    }
    SimResponse r;
    Ask(*client, request.Amount("Purchase", c.purchase).Text(), r);
    EXPECT_EQ(r.Get("CmdStatus"), c.status);
    EXPECT_EQ(r.Get("TextResponse"), c.text);
    EXPECT_EQ(r.Get("Authorize"), c.authorize);
    EXPECT_EQ(r.Get("SequenceNo"), "0010010020");
    const auto lines = r.Lines("PrintData", "Line");
    const std::string verdict = c.verdict;
    if (verdict.empty()) {
        EXPECT_TRUE(lines.empty());
        EXPECT_EQ(r.Get("ReturnCode"), "002001");
        return;
    }
    EXPECT_EQ(r.Get("ReturnCode"), "000000");
    EXPECT_EQ(r.Get("AuthCode") == "<none>", c.authorize == std::string("0.00"));
    EXPECT_NE(std::find(lines.begin(), lines.end(), verdict), lines.end()) << verdict;
}

INSTANTIATE_TEST_SUITE_P(
    Table, AmountTrigger,
    ::testing::Values(TriggerCase{"Plain", "EMVSale", "10.50", false, false, "Approved", "APPROVED",
                                  "10.50", "                APPROVED"},
                      TriggerCase{"Decline", "EMVSale", "10.51", true, false, "Declined",
                                  "DECLINED", "0.00", "                DECLINED"},
                      TriggerCase{"DeclineReturn", "EMVReturn", "3.51", false, false, "Declined",
                                  "DECLINED", "0.00", "                DECLINED"},
                      TriggerCase{"CallForAuth", "EMVSale", "10.53", true, false, "Declined",
                                  "CALL FOR AUTHORIZATION", "0.00",
                                  "         CALL FOR AUTHORIZATION"},
                      TriggerCase{"Partial", "EMVSale", "11.52", true, false, "Approved",
                                  "PARTIAL AP", "5.76", "           PARTIALLY APPROVED"},
                      TriggerCase{"PartialPreAuth", "EMVPreAuth", "10.52", true, false, "Approved",
                                  "PARTIAL AP", "5.26", "           PARTIALLY APPROVED"},
                      TriggerCase{"PartialNotAllowed", "EMVSale", "11.52", false, false, "Declined",
                                  "DECLINED", "0.00", "                DECLINED"},
                      TriggerCase{"PartialNotPossible", "EMVReturn", "11.52", true, false,
                                  "Approved", "APPROVED", "11.52", "                APPROVED"},
                      TriggerCase{"Duplicate", "EMVSale", "4.55", false, false, "Declined",
                                  "DUPLICATE TRANSACTION", "0.00",
                                  "         DUPLICATE TRANSACTION"},
                      TriggerCase{"DuplicateOverridden", "EMVSale", "4.55", false, true, "Approved",
                                  "APPROVED", "4.55", "                APPROVED"},
                      TriggerCase{"HostDown", "EMVSale", "4.54", false, false, "Error",
                                  "HOST UNAVAILABLE", "<none>", ""}),
    [](const auto& param) { return std::string(param.param.name); });

struct BadCase {
    const char* name;
    std::string request;
    const char* returnCode;
    const char* text;
    const char* sequenceNo;
};

void PrintTo(const BadCase& c, std::ostream* os) {
    *os << c.name;
}

class BadRequest : public ::testing::TestWithParam<BadCase> {};

TEST_P(BadRequest, GetsAnErrorResponseNeverAFailure) {
    const BadCase& c = GetParam();
    ManualClock clock;
    auto client = MakeSimulatedClient(clock);
    SimResponse r;
    Ask(*client, c.request, r);
    EXPECT_EQ(r.Get("CmdStatus"), "Error");
    EXPECT_EQ(r.Get("ResponseOrigin"), "Client");
    EXPECT_EQ(r.Get("ReturnCode"), c.returnCode);
    EXPECT_EQ(r.Get("TextResponse").rfind(c.text, 0), 0u) << r.Get("TextResponse");
    EXPECT_EQ(r.Get("SequenceNo"), c.sequenceNo);
    EXPECT_EQ(r.Get("TranResponse"), "<none>");
}

std::string WithField(const char* name, const char* value, const char* purchase = "1.00") {
    return SimRequestText().Field(name, value).Amount("Purchase", purchase).Text();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BadRequest,
    ::testing::Values(
        BadCase{"Empty", "", "001001", "Invalid XML request: ", "<none>"},
        BadCase{"NotXmlWithNumber", "<a><SequenceNo>0010010050</SequenceNo>", "001001",
                "Invalid XML request: ", "0010010060"},
        BadCase{"UnescapedLessThan", WithField("OperatorID", "A<B"), "001001",
                "Invalid XML request: ", "0010010020"},
        BadCase{"InvalidNumberNotXml", "<a><SequenceNo>0010010051</SequenceNo>", "001001",
                "Invalid XML request: ", "<none>"},
        BadCase{"NoTStream", "<?xml version=\"1.0\"?><Other/>", "001002", "Invalid request",
                "<none>"},
        BadCase{"NoTranCode",
                "<TStream><Admin><SequenceNo>0010010010</SequenceNo></Admin></TStream>", "001002",
                "Invalid request: no TranCode", "0010010020"},
        BadCase{"UnknownTranCode", SimRequestText("EMVsale").Text(), "001003",
                "Invalid TranCode: EMVsale", "0010010020"},
        BadCase{"MalformedAmount", SimRequestText().Amount("Purchase", "1.234").Text(), "001004",
                "INVALID AMOUNT", "0010010020"},
        BadCase{"MissingAmount", SimRequestText("EMVReturn").Text(), "001004", "INVALID AMOUNT",
                "0010010020"},
        BadCase{"BadTip",
                SimRequestText().Amount("Purchase", "1.00").Amount("Gratuity", "x").Text(),
                "001004", "INVALID AMOUNT", "0010010020"},
        BadCase{"DecrementAboveLast",
                SimRequestText("EMVPartialReversal")
                    .Amount("LastAuthorized", "5.00")
                    .Amount("Decrement", "6.00")
                    .Text(),
                "001004", "INVALID AMOUNT", "0010010020"},
        BadCase{"CancelledAmountsDialog",
                SimRequestText("EMVIncrementalAuth")
                    .Amount("OriginalAuthorized", "")
                    .Amount("LastAuthorized", "")
                    .Amount("Increment", "")
                    .Text(),
                "001004", "INVALID AMOUNT", "0010010020"}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(SimulatedClient, RequestWithoutValidNumberIsAnsweredFromItsOwnCount) {
    ManualClock clock;
    auto client = MakeSimulatedClient(clock);
    SimResponse a, b, c;
    SimRequestText request("EMVPadReset");
    request.sequenceNo = "";
    Ask(*client, request.Text(), a);
    request.sequenceNo = "0010010011";  // what a POSPAD client may hold
    Ask(*client, request.Text(), b);
    request.sequenceNo = "0010770000";
    Ask(*client, request.Text(), c);
    EXPECT_EQ(a.Get("SequenceNo"), "0010010010");
    EXPECT_EQ(b.Get("SequenceNo"), "0010010020");
    EXPECT_EQ(c.Get("SequenceNo"), "0010770010");
}

}  // namespace
}  // namespace nt
