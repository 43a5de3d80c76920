#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "serial/SerialTestKit.h"
#include "serial/TerminalCommand.h"

namespace nt {
namespace {

using test::SerialWindow;
using Setup = std::function<void(SerialWindow&)>;

// The window's clock reads 7 March 2026, 09:15:02.
constexpr const char* kStamp = "030726 091502 ";

struct LineCase {
    const char* name;
    const char* tranCode;
    bool giftCard;
    Setup setup;
    std::string line;
};

void Sale1234(SerialWindow& w) {
    w.dlg.form().amount().SetAmountCents(1234);
}

// The terminal's line for a TranCode, composed as the window's terminal link composes it.
std::string Line(SerialWindow& w, const std::string& tranCode, bool giftCard) {
    const TranCodeSpec* code = FindTranCode(tranCode);
    if (code == nullptr) {
        ADD_FAILURE() << "no TranCode " << tranCode;
        return {};
    }
    return BuildTerminalCommand(*code, giftCard, w.dlg.form(), w.dlg.op(),
                                w.dlg.terminalLink().link());
}

std::string Tx(const std::string& head, const std::string& tail) {
    return head + kStamp + tail;
}

const LineCase kLineCases[] = {
    {"TestMode", "TestMode", false, Sale1234, "AT&UT90"},
    {"PadReset", "EMVPadReset", false, Sale1234, "AT&UE7 * * * * * *"},
    {"KeyChange", "EMVKeyChange", false, nullptr, "AT&UI107 * * * * * *"},
    {"ParamDownload", "EMVParamDownload", false, nullptr, "AT&UI108 * * * * * *"},
    {"BatchSummary", "BatchSummary", false, nullptr, "AT&UI7 * * * * * *"},
    {"BatchClose", "BatchClose", false, nullptr, "AT&UB3 * 030726 * * *"},
    {"ServerVersion", "ServerVersion", false, nullptr, "AT&UP96"},
    {"Sale", "EMVSale", false, Sale1234,
     Tx("AT&UM104 99 1 0 0 * * 12.34 * * * * ", "0 * * * * * *")},
    {"PreAuth", "EMVPreAuth", false, Sale1234,
     Tx("AT&UM101 99 1 0 0 * * 12.34 * * * * ", "0 * * * * * *")},
    {"ZeroAuth", "EMVZeroAuth", false, nullptr,
     Tx("AT&UM101 99 1 0 0 * * * * * * * ", "0 * * * * * *")},
    {"Return", "EMVReturn", false, Sale1234,
     Tx("AT&UM108 99 1 0 0 * * 12.34 * * * * ", "0 * * * * * *")},
    {"VoidSale", "EMVVoidSale", false, Sale1234,
     Tx("AT&UM109 99 1 0 0 * * 12.34 * * * * ", "0 * * * * * *")},
    {"VoidReturn", "EMVVoidReturn", false, Sale1234,
     Tx("AT&UM110 99 1 0 0 * * 12.34 * * * * ", "0 * * * * * *")},
    {"VoiceAuth", "EMVVoiceAuth", false, Sale1234,
     Tx("AT&UM113 99 1 0 0 * * 12.34 * * * * ", "0 * * * * * *")},
    {"Issue", "EMVIssue", true, Sale1234,
     Tx("AT&UM120 6 1 0 0 * * 12.34 * * * * ", "0 * * * * * *")},
    {"VoidIssue", "EMVVoidIssue", true, Sale1234,
     Tx("AT&UM139 6 1 0 0 * * 12.34 * * * * ", "0 * * * * * *")},
    {"CashOutHasNoAmount", "EMVCashOut", true, Sale1234,
     Tx("AT&UM112 6 1 0 0 * * 0.00 * * * * ", "0 * * * * * *")},
    {"BalanceHasNoAmount", "EMVBalance", false, Sale1234,
     Tx("AT&UM101 99 1 0 0 * * 0.00 * * * * ", "0 * * * * * *")},
    {"CaptureHasNoWord", "EMVPreAuthCapture", false, Sale1234,
     Tx("99 1 0 0 * * 12.34 * * * * ", "0 * * * * * *")},
    {"AdjustHasNoWord", "EMVAdjust", false, nullptr,
     Tx("99 1 0 0 * * * * * * * ", "0 * * * * * *")},
    {"UnknownIsFollowOn", "EMVPartialReversal", true, Sale1234,
     Tx("6 1 0 0 * * 12.34 * * * * ", "0 * * * * * *")},
    {"AllOptions", "EMVSale", false,
     [](SerialWindow& w) {
         Sale1234(w);
         for (int box :
              {id::kOverride, id::kInteracDebitOnly, id::kPromptTip, id::kAllowPartialAuth}) {
             w.form.SetChecked(box, true);
         }
         w.form.SetText(id::kAuthCode, "AB12");
         w.form.SetText(id::kRefNumber, "77");
         w.form.SetText(id::kOperatorId, "op");
         w.form.SetText(id::kInvoice, "INV9");
     },
     Tx("AT&UM104 99 1 1 1 * * 12.34 AB12 77 * op ", "1 * INV9 * * * P")},
    {"TipAmount", "EMVSale", false,
     [](SerialWindow& w) { w.dlg.form().tipAmount().SetAmountCents(250); },
     Tx("AT&UM104 99 1 0 0 * * * * * * * ", "0 2.50 * * * * *")},
    {"BlanksAreKept", "EMVReturn", false,
     [](SerialWindow& w) { w.form.SetText(id::kOperatorId, "a b"); },
     Tx("AT&UM108 99 1 0 0 * * * * * * a b ", "0 * * * * * *")},
};

class TerminalLineTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(TerminalLineTest, LineIsByteExact) {
    SerialWindow w;
    if (GetParam().setup) {
        GetParam().setup(w);
    }
    EXPECT_EQ(Line(w, GetParam().tranCode, GetParam().giftCard), GetParam().line);
    EXPECT_TRUE(w.op.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(Commands, TerminalLineTest, ::testing::ValuesIn(kLineCases),
                         [](const auto& p) { return std::string(p.param.name); });

TEST(TerminalCommand, ManualEntryFillsZipAndCvv) {
    SerialWindow w;
    w.form.SetChecked(id::kPromptManual, true);
    w.op.entered = CManualEntryDlg{"K1A0B1", "12", "123"};
    EXPECT_EQ(Line(w, "EMVSale", false),
              Tx("AT&UM104 99 0 0 0 * * * * * * * ", "0 * * * K1A0B1 123 *"));

    // "X" is an illegible CVV: stored empty. The previous values are the prompt's defaults.
    w.op.entered = CManualEntryDlg{"H0H0H0", "", "X"};
    EXPECT_EQ(Line(w, "EMVPreAuthCapture", false),
              Tx("99 0 0 0 * * * * * * * ", "0 * * * H0H0H0 * *"));
    ASSERT_EQ(w.op.shown.size(), 2u);
    EXPECT_EQ(w.op.shown[1].m_zipCode, "K1A0B1");
    EXPECT_EQ(w.op.shown[1].m_streetNumber, "12");
    EXPECT_EQ(w.op.shown[1].m_cvv, "123");

    // Cancel keeps the remembered values; commands without the prompt never ask.
    w.op.entered.reset();
    EXPECT_EQ(Line(w, "EMVZeroAuth", false),
              Tx("AT&UM101 99 0 0 0 * * * * * * * ", "0 * * * H0H0H0 * *"));
    EXPECT_EQ(Line(w, "EMVReturn", false),
              Tx("AT&UM108 99 0 0 0 * * * * * * * ", "0 * * * H0H0H0 * *"));
    EXPECT_EQ(w.op.shown.size(), 3u);
    EXPECT_EQ(w.dlg.terminalLink().link().manualEntries.cvv, "");
}

TEST(TerminalCommand, ManualEntriesAreNotTheRequestComposers) {
    SerialWindow w;
    w.form.SetChecked(id::kPromptManual, true);
    w.dlg.composer().manualEntries() = ManualEntries{"REQZIP", "1", "999"};
    w.op.entered.reset();
    EXPECT_EQ(Line(w, "EMVAdjust", false), Tx("99 0 0 0 * * * * * * * ", "0 * * * * * *"));
    ASSERT_EQ(w.op.shown.size(), 1u);
    EXPECT_EQ(w.op.shown[0].m_zipCode, "");
}

// A clock whose reading moves on every call: a line must not mix two readings.
class SteppingClock : public ManualClock {
  public:
    LocalTime Now() override {
        ++reads;
        return LocalTime{2026, 12, 31, 23, 59, 59 - reads};
    }
    int reads = 0;
};

TEST(TerminalCommand, OneClockReadingPerLine) {
    SerialWindow w;
    SteppingClock clock;
    w.dlg.terminalLink().link().clock = &clock;
    EXPECT_EQ(Line(w, "EMVVoidSale", false),
              "AT&UM109 99 1 0 0 * * * * * * * 123126 235958 0 * * * * * *");
    EXPECT_EQ(clock.reads, 1);
}

}  // namespace
}  // namespace nt
