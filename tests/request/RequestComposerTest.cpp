#include "request/RequestComposer.h"

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>

#include "dialogs/AdditionalAmountsDlg.h"
#include "dialogs/ManualEntryDlg.h"
#include "form/Controls.h"
#include "headless/MemoryForm.h"
#include "support/RecordingOperator.h"

namespace nt {
namespace {

// The dialogs answer as told: manual entry with three texts, additional amounts with typing.
class DialogOperator : public test::RecordingOperator {
  public:
    bool manualOk = true;
    ManualEntries typed;
    std::vector<ManualEntries> shown;  // what each manual entry dialog showed when it opened
    enum class Amounts { kEscape, kOkUntouched, kOkTyped } amounts = Amounts::kOkUntouched;
    bool lastDecrement = false;

    bool RunManualEntry(CManualEntryDlg& dlg) override {
        shown.push_back({dlg.m_zipCode, dlg.m_streetNumber, dlg.m_cvv});
        transcript.push_back("manual-entry");
        if (manualOk) {
            dlg.m_zipCode = typed.zipCode;
            dlg.m_streetNumber = typed.streetNumber;
            dlg.m_cvv = typed.cvv;
        }
        return manualOk;
    }
    bool RunAdditionalAmounts(CAdditionalAmountsDlg& dlg) override {
        transcript.push_back("additional-amounts");
        dlg.OnInitDialog();
        lastDecrement = dlg.m_decrement;
        if (amounts == Amounts::kEscape) {
            return false;
        }
        if (amounts == Amounts::kOkTyped) {
            dlg.Field(CAdditionalAmountsDlg::kOriginalId)->OnAmountUpdate("1000");
            dlg.Field(CAdditionalAmountsDlg::kLastId)->OnAmountUpdate("800");
            dlg.Field(CAdditionalAmountsDlg::kThirdId)->OnAmountUpdate("125");
        }
        dlg.OnOK();
        return true;
    }
};

// A window with every text field empty, the language radios as the window opens them, amounts
// at "0.00", no pad type selected.
struct Composer {
    MemoryForm form;
    DialogOperator op;
    CAmountEdit amount, tip, limit;
    ManualEntries remembered;
    std::string padLine = "\t\t<PadType></PadType>\r\n";

    Composer() {
        for (const ControlSpec& c : MainWindowControls()) {
            if (c.kind == ControlKind::Edit || c.kind == ControlKind::DigitsEdit ||
                c.kind == ControlKind::MultiLineEdit) {
                form.SetText(c.id, "");
            }
        }
        form.SetChecked(id::kEnglishLocal, true);
        form.SetChecked(id::kNoFallback, true);
        for (CAmountEdit* a : {&amount, &tip, &limit}) {
            a->SetAmountCents(0);
        }
    }
    std::string Build(const std::string& tranCode, const std::string& wrapper = "Transaction",
                      const std::string& extra = "") {
        ComposerInputs in{amount, tip, limit, padLine, "0010010010", "tester"};
        return BuildRequest(form, op, in, remembered, tranCode, wrapper, extra);
    }
};

// The document from its lines, each ended by CR LF.
std::string Doc(std::initializer_list<const char*> lines) {
    std::string out;
    for (const char* l : lines) {
        out += l;
        out += "\r\n";
    }
    return out;
}

TEST(BuildRequest, PlainSale) {
    Composer c;
    c.form.SetText(id::kHostOrIp, "127.0.0.1");
    c.form.SetText(id::kMerchantId, "70");
    c.amount.OnAmountUpdate("123");
    EXPECT_EQ(
        c.Build("EMVSale"),
        Doc({"<?xml version=\"1.0\"?>", "<TStream>", "\t<Transaction>",
             "\t\t<HostOrIP>127.0.0.1</HostOrIP>", "\t\t<MerchantID>70</MerchantID>",
             "\t\t<UserTrace>tester</UserTrace>",
             "\t\t<MerchantLanguage>English</MerchantLanguage>", "\t\t<TranCode>EMVSale</TranCode>",
             "\t\t<PadType></PadType>", "\t\t<ComPort></ComPort>", "\t\t<Amount>",
             "\t\t\t<Purchase>1.23</Purchase>", "\t\t</Amount>",
             "\t\t<SequenceNo>0010010010</SequenceNo>", "\t</Transaction>", "</TStream>"}));
    EXPECT_TRUE(c.op.transcript.empty());
}

TEST(BuildRequest, EveryOptionalRowInDocumentOrder) {
    Composer c;
    const std::pair<int, const char*> texts[] = {{id::kHostOrIp, "host & <name>"},
                                                 {id::kIpPort, "9000"},
                                                 {id::kMerchantId, " 70 "},
                                                 {id::kTerminalId, "T1"},
                                                 {id::kOperatorId, "op"},
                                                 {id::kComPort, " \t3 \t"},
                                                 {id::kPinPadIpAddress, "10.0.0.5"},
                                                 {id::kPinPadIpPort, "12000"},
                                                 {id::kInvoice, "inv"},
                                                 {id::kRefNumber, "ref"},
                                                 {id::kAuthCode, "auth"},
                                                 {id::kAcqRefData, "acq"},
                                                 {id::kProcessData, "pd"},
                                                 {id::kMaxTrans, "5"},
                                                 {id::kPadRebootTime, "0230"},
                                                 {id::kRecordNumber, "REC9"}};
    for (auto [control, text] : texts) {
        c.form.SetText(control, text);
    }
    for (int box : {id::kUseTokens, id::kSuppressAmountOk, id::kInteracDebitOnly, id::kCreditOnly,
                    id::kOverride, id::kCardNotPresent, id::kSuppressSignature,
                    id::kAllowPartialAuth, id::kForceOffline, id::kReturnClearExpDate}) {
        c.form.SetChecked(box, true);
    }
    c.form.SetChecked(id::kFrenchLocal, true);
    c.form.SetChecked(id::kFrenchFallback, true);
    c.amount.OnAmountUpdate("500");
    c.tip.OnAmountUpdate("100");
    c.limit.OnAmountUpdate("25000");
    EXPECT_EQ(c.Build("EMVReturn"), Doc({"<?xml version=\"1.0\"?>",
                                         "<TStream>",
                                         "\t<Transaction>",
                                         "\t\t<HostOrIP>host & <name></HostOrIP>",
                                         "\t\t<IpPort>9000</IpPort>",
                                         "\t\t<MerchantID> 70 </MerchantID>",
                                         "\t\t<TerminalID>T1</TerminalID>",
                                         "\t\t<OperatorID>op</OperatorID>",
                                         "\t\t<UserTrace>tester</UserTrace>",
                                         "\t\t<MerchantLanguage>French</MerchantLanguage>",
                                         "\t\t<FallbackLanguage>French</FallbackLanguage>",
                                         "\t\t<RecordNo>REC9</RecordNo>",
                                         "\t\t<Frequency>OneTime</Frequency>",
                                         "\t\t<OKAmount>Disallow</OKAmount>",
                                         "\t\t<TranCode>ReturnByRecordNo</TranCode>",
                                         "\t\t<CardType>DEBIT</CardType>",
                                         "\t\t<CardType>CREDIT</CardType>",
                                         "\t\t<Duplicate>Override</Duplicate>",
                                         "\t\t<PadType></PadType>",
                                         "\t\t<ComPort>3</ComPort>",
                                         "\t\t<CardNotPresent>Allow</CardNotPresent>",
                                         "\t\t<ReceiptSignature>Disallow</ReceiptSignature>",
                                         "\t\t<PinPadIpAddress>10.0.0.5</PinPadIpAddress>",
                                         "\t\t<PinPadIpPort>12000</PinPadIpPort>",
                                         "\t\t<InvoiceNo>inv</InvoiceNo>",
                                         "\t\t<RefNo>ref</RefNo>",
                                         "\t\t<AuthCode>auth</AuthCode>",
                                         "\t\t<Amount>",
                                         "\t\t\t<Purchase>5.00</Purchase>",
                                         "\t\t\t<Gratuity>1.00</Gratuity>",
                                         "\t\t</Amount>",
                                         "\t\t<SequenceNo>0010010010</SequenceNo>",
                                         "\t\t<PartialAuth>Allow</PartialAuth>",
                                         "\t\t<AcqRefData>acq</AcqRefData>",
                                         "\t\t<ProcessData>pd</ProcessData>",
                                         "\t\t<ForceOffline>Y</ForceOffline>",
                                         "\t\t<OfflineTransactionPurchaseLimit>250.00</"
                                         "OfflineTransactionPurchaseLimit>",
                                         "\t\t<MaxTransactions>5</MaxTransactions>",
                                         "\t\t<PinPadRebootTime>0230</PinPadRebootTime>",
                                         "\t\t<ReturnClearExpDate>Allow</ReturnClearExpDate>",
                                         "\t</Transaction>",
                                         "</TStream>"}));
}

// The rows between the wrapper's opening and the TranCode, for token cases.
TEST(BuildRequest, TokensMapTheTranCodeOnlyWithARecordNumber) {
    struct Case {
        const char* record;
        const char* tranCode;
        const char* wrapper;
        const char* recordLine;
        const char* written;
    };
    const Case cases[] = {
        {"", "EMVSale", "Transaction", "RecordNumberRequested", "EMVSale"},
        {"RecordNumberRequested", "EMVSale", "Transaction", "RecordNumberRequested", "EMVSale"},
        {"R1", "EMVSale", "Transaction", "R1", "SaleByRecordNo"},
        {"R1", "EMVPreAuth", "Transaction", "R1", "PreAuthByRecordNo"},
        {"R1", "EMVZeroAuth", "Transaction", "R1", "ZeroAuthByRecordNo"},
        {"R1", "EMVPreAuthCapture", "Transaction", "R1", "PreAuthCaptureByRecordNo"},
        {"R1", "EMVAdjust", "Transaction", "R1", "AdjustByRecordNo"},
        {"R1", "EMVVoidSale", "Transaction", "R1", "VoidSaleByRecordNo"},
        {"R1", "EMVVoidReturn", "Transaction", "R1", "VoidReturnByRecordNo"},
        {"R1", "EMVPartialReversal", "Transaction", "R1", "PartialReversalByRecordNo"},
        {"R1", "EMVIncrementalAuth", "Transaction", "R1", "IncrementalAuthByRecordNo"},
        {"R1", "EMVVoiceAuth", "Transaction", "R1", "EMVVoiceAuth"},
        {"R1", "EMVBalance", "Transaction", "R1", "EMVBalance"},
        {"R1", "BatchSummary", "Admin", "R1", "BatchSummary"},
        {"", "ServerVersion", "Admin", "RecordNumberRequested", "ServerVersion"},
    };
    for (const Case& k : cases) {
        Composer c;
        c.op.amounts = DialogOperator::Amounts::kEscape;
        c.form.SetChecked(id::kUseTokens, true);
        c.form.SetText(id::kRecordNumber, k.record);
        std::string request = c.Build(k.tranCode, k.wrapper);
        std::string expected = std::string("\t\t<MerchantLanguage>English</MerchantLanguage>\r\n") +
                               "\t\t<RecordNo>" + k.recordLine + "</RecordNo>\r\n" +
                               "\t\t<Frequency>OneTime</Frequency>\r\n" + "\t\t<TranCode>" +
                               k.written + "</TranCode>\r\n";
        EXPECT_NE(request.find(expected), std::string::npos) << k.tranCode << " " << k.record;
    }
    Composer off;
    off.form.SetText(id::kRecordNumber, "R1");
    EXPECT_EQ(off.Build("EMVSale").find("RecordNo"), std::string::npos);
}

// What stands between ComPort and SequenceNo decides the amount block.
std::string AmountPart(const std::string& request) {
    size_t from = request.find("</ComPort>\r\n") + 12;
    size_t to = request.find("\t\t<SequenceNo>");
    return request.substr(from, to - from);
}

TEST(BuildRequest, AmountBlockByTranCode) {
    const char* noPurchaseAtZero[] = {"EMVKeyChange",    "EMVPadReset",    "EMVParamDownload",
                                      "EMVBalance",      "SAF_ForwardAll", "SAF_Statistics",
                                      "GetPrePaidStripe"};
    for (const char* tranCode : noPurchaseAtZero) {
        Composer c;
        EXPECT_EQ(AmountPart(c.Build(tranCode, "Admin")), "") << tranCode;
        c.amount.OnAmountUpdate("250");
        EXPECT_EQ(AmountPart(c.Build(tranCode, "Admin")),
                  Doc({"\t\t<Amount>", "\t\t\t<Purchase>2.50</Purchase>", "\t\t</Amount>"}))
            << tranCode;
    }
    for (const char* tranCode : {"BatchSummary", "ServerVersion", "EMVVoiceAuth", "EMVCashOut"}) {
        Composer c;
        EXPECT_EQ(AmountPart(c.Build(tranCode, "Admin")),
                  Doc({"\t\t<Amount>", "\t\t\t<Purchase>0.00</Purchase>", "\t\t</Amount>"}))
            << tranCode;
    }
}

TEST(BuildRequest, TipPromptCashBackAndTipAmount) {
    Composer c;
    c.tip.OnAmountUpdate("200");
    c.form.SetChecked(id::kPromptCashBack, true);
    EXPECT_EQ(AmountPart(c.Build("EMVSale")),
              Doc({"\t\t<Amount>", "\t\t\t<Purchase>0.00</Purchase>",
                   "\t\t\t<CashBack>Prompt</CashBack>", "\t\t</Amount>"}));
    c.form.SetChecked(id::kPromptCashBack, false);
    c.form.SetChecked(id::kPromptTip, true);
    EXPECT_EQ(
        AmountPart(c.Build("EMVSale")),
        Doc({"\t\t<Amount>", "\t\t\t<Purchase>0.00</Purchase>", "\t\t\t<Gratuity>Prompt</Gratuity>",
             "\t\t\t<Gratuity>2.00</Gratuity>", "\t\t</Amount>"}));
    Composer zeroTip;
    zeroTip.form.SetChecked(id::kPromptTip, true);
    EXPECT_EQ(AmountPart(zeroTip.Build("EMVPadReset")),
              Doc({"\t\t<Amount>", "\t\t\t<Gratuity>Prompt</Gratuity>", "\t\t</Amount>"}));
}

TEST(BuildRequest, AdditionalAmountsReplaceTheAmountMembers) {
    struct Case {
        const char* tranCode;
        DialogOperator::Amounts answer;
        bool decrement;
        const char* original;
        const char* last;
        const char* third;
    };
    using A = DialogOperator::Amounts;
    const Case cases[] = {
        {"EMVPartialReversal", A::kEscape, true, "", "", ""},
        {"PartialReversalByRecordNo", A::kOkUntouched, true, "0.00", "0.00", "0.00"},
        {"EMVIncrementalAuth", A::kOkTyped, false, "10.00", "8.00", "1.25"},
        {"IncrementalAuthByRecordNo", A::kOkTyped, false, "10.00", "8.00", "1.25"},
    };
    for (const Case& k : cases) {
        Composer c;
        c.amount.OnAmountUpdate("999");
        c.form.SetChecked(id::kPromptTip, true);
        c.op.amounts = k.answer;
        const std::string third = k.decrement ? "Decrement" : "Increment";
        EXPECT_EQ(AmountPart(c.Build(k.tranCode)),
                  "\t\t<Amount>\r\n\t\t\t<OriginalAuthorized>" + std::string(k.original) +
                      "</OriginalAuthorized>\r\n\t\t\t<LastAuthorized>" + k.last +
                      "</LastAuthorized>\r\n\t\t\t<" + third + ">" + k.third + "</" + third +
                      ">\r\n\t\t</Amount>\r\n")
            << k.tranCode;
        EXPECT_EQ(c.op.lastDecrement, k.decrement);
    }
}

// The lines after MaxTransactions/ReturnClearExpDate: AVS, CVV, the extra text, the closing.
std::string Tail(const std::string& request) {
    return request.substr(request.find("</SequenceNo>\r\n") + 15);
}

TEST(BuildRequest, ManualEntryAvsAndCvvRules) {
    struct Case {
        ManualEntries typed;
        const char* tail;
        const char* rememberedCvv;
    };
    const Case cases[] = {
        {{"K1A0B1", "123", "456"},
         "\t\t<AVS>\r\n\t\t\t<Zip>K1A0B1</Zip>\r\n\t\t\t<Address>123</Address>\r\n\t\t</AVS>\r\n"
         "\t\t<CVVData>456</CVVData>\r\n",
         "456"},
        {{"K1A0B1", "", ""}, "\t\t<AVS>\r\n\t\t\t<Zip>K1A0B1</Zip>\r\n\t\t</AVS>\r\n", ""},
        {{"", "123", "X"}, "\t\t<CVVData>Illegible</CVVData>\r\n", "Illegible"},
        {{"", "", "x"}, "\t\t<CVVData>x</CVVData>\r\n", "x"},
        {{"", "", ""}, "", ""},
    };
    for (const Case& k : cases) {
        Composer c;
        c.form.SetChecked(id::kPromptManual, true);
        c.op.typed = k.typed;
        EXPECT_EQ(Tail(c.Build("EMVSale")),
                  std::string(k.tail) + "\t</Transaction>\r\n</TStream>\r\n");
        EXPECT_EQ(c.remembered.cvv, k.rememberedCvv);
        // The next dialog shows what was remembered.
        c.Build("EMVPreAuth");
        ASSERT_EQ(c.op.shown.size(), 2u);
        EXPECT_EQ(c.op.shown[1].cvv, k.rememberedCvv);
    }
}

TEST(BuildRequest, ManualEntryCancelledKeepsEarlierValuesAndWritesNone) {
    Composer c;
    c.form.SetChecked(id::kPromptManual, true);
    c.op.typed = {"Z1", "S1", "C1"};
    c.Build("EMVSale");
    c.op.manualOk = false;
    c.op.typed = {"Z2", "S2", "C2"};
    std::string request = c.Build("EMVZeroAuth");
    EXPECT_EQ(Tail(request), "\t</Transaction>\r\n</TStream>\r\n");
    EXPECT_EQ(c.remembered.zipCode, "Z1");
    EXPECT_EQ(c.remembered.cvv, "C1");
    EXPECT_NE(request.find("\t\t<Account>\r\n\t\t\t<AcctNo>Prompt</AcctNo>\r\n\t\t</Account>\r\n"),
              std::string::npos);
}

TEST(BuildRequest, ManualEntryDialogOnlyForItsTranCodesAndNotForP400) {
    Composer c;
    c.form.SetChecked(id::kPromptManual, true);
    for (const char* tranCode : {"EMVSale", "EMVPreAuth", "EMVPreAuthCapture", "EMVZeroAuth",
                                 "EMVAdjust", "EMVReturn", "EMVVoidSale", "SaleByRecordNo"}) {
        c.Build(tranCode);
    }
    EXPECT_EQ(c.op.shown.size(), 5u);
    c.padLine = "\t\t<PadType>KT820-P400x</PadType>\r\n";
    std::string request = c.Build("EMVSale");
    EXPECT_EQ(c.op.shown.size(), 5u);
    EXPECT_NE(request.find("<AcctNo>Prompt</AcctNo>"), std::string::npos);
    EXPECT_NE(request.find("\t\t<PadType>KT820-P400x</PadType>\r\n\t\t<ComPort>"),
              std::string::npos);
}

TEST(BuildRequest, PrePaidStripeAndExtraElements) {
    Composer c;
    c.form.SetText(id::kInvoice, "7");
    c.form.SetText(id::kRefNumber, "8");
    std::string request = c.Build("GetPrePaidStripe");
    EXPECT_EQ(request.find("InvoiceNo"), std::string::npos);
    EXPECT_EQ(request.find("RefNo"), std::string::npos);
    EXPECT_EQ(Tail(request), Doc({"\t\t<MinLen>5</MinLen>", "\t\t<MaxLen>30</MaxLen>",
                                  "\t\t<Preamble></Preamble>", "\t</Transaction>", "</TStream>"}));
    std::string batch = c.Build("BatchClose", "Admin", "\t\t<BatchNo>3</BatchNo>\r\n");
    EXPECT_EQ(Tail(batch), Doc({"\t\t<BatchNo>3</BatchNo>", "\t</Admin>", "</TStream>"}));
}

TEST(BuildRequest, FallbackLanguageAndReadOnlyForm) {
    Composer c;
    c.form.SetChecked(id::kEnglishFallback, true);
    EXPECT_NE(c.Build("EMVSale").find(
                  "</MerchantLanguage>\r\n\t\t<FallbackLanguage>English</FallbackLanguage>\r\n"),
              std::string::npos);
    c.form.SetChecked(id::kNoFallback, true);
    EXPECT_EQ(c.Build("EMVSale").find("FallbackLanguage"), std::string::npos);
    EXPECT_EQ(c.form.Text(id::kComPort), "");
    EXPECT_TRUE(c.form.Checked(id::kNoFallback));
}

}  // namespace
}  // namespace nt
