#include "request/RequestComposer.h"

#include "form/Controls.h"
#include "platform/UserName.h"
#include "request/AdditionalAmountsDlg.h"

namespace nt {

namespace {

std::string Trimmed(const std::string& text) {
    static constexpr const char* kSpace = " \t\r\n\v\f";
    size_t first = text.find_first_not_of(kSpace);
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(kSpace) - first + 1);
}

// "\t\t<Name>value</Name>\r\n" at the given depth.
void Element(std::string& out, int tabs, const char* name, const std::string& value) {
    out.append(static_cast<size_t>(tabs), '\t');
    out += '<';
    out += name;
    out += '>';
    out += value;
    out += "</";
    out += name;
    out += ">\r\n";
}

struct ManualEntryLines {
    std::string avs;
    std::string cvv;
};

ManualEntryLines AskManualEntry(Operator& op, ManualEntries& remembered) {
    ManualEntryLines lines;
    if (!AskManualEntryValues(op, remembered, remembered)) {
        return lines;
    }
    if (!remembered.zipCode.empty()) {
        lines.avs = "\t\t<AVS>\r\n";
        Element(lines.avs, 3, "Zip", remembered.zipCode);
        if (!remembered.streetNumber.empty()) {
            Element(lines.avs, 3, "Address", remembered.streetNumber);
        }
        lines.avs += "\t\t</AVS>\r\n";
    }
    if (!remembered.cvv.empty()) {
        if (remembered.cvv == "X") {
            remembered.cvv = "Illegible";
        }
        Element(lines.cvv, 2, "CVVData", remembered.cvv);
    }
    return lines;
}

std::string AskAdditionalAmounts(Operator& op, bool decrement) {
    CAdditionalAmountsDlg dlg;
    dlg.m_decrement = decrement;
    op.RunAdditionalAmounts(dlg);  // the members stay empty unless it ended with OK
    std::string members;
    Element(members, 3, "OriginalAuthorized", dlg.m_originalAmount);
    Element(members, 3, "LastAuthorized", dlg.m_lastAuthorizedAmount);
    Element(members, 3, decrement ? "Decrement" : "Increment", dlg.m_thirdAmount);
    return members;
}

std::string AmountMembers(const Form& form, const ComposerInputs& in, const std::string& tranCode) {
    std::string members;
    std::string purchase = in.amount.GetAmountText();
    if (purchase != "0.00" ||
        !IsOneOf(tranCode, {"EMVKeyChange", "EMVPadReset", "EMVParamDownload", "EMVBalance",
                            "SAF_ForwardAll", "SAF_Statistics", "GetPrePaidStripe"})) {
        Element(members, 3, "Purchase", purchase);
    }
    if (form.Checked(id::kPromptTip)) {
        members += "\t\t\t<Gratuity>Prompt</Gratuity>\r\n";
    }
    if (form.Checked(id::kPromptCashBack)) {
        members += "\t\t\t<CashBack>Prompt</CashBack>\r\n";
    } else if (in.tipAmount.GetAmountCents() > 0) {
        Element(members, 3, "Gratuity", in.tipAmount.GetAmountText());
    }
    return members;
}

}  // namespace

std::string RecordNoTranCode(const std::string& tranCode) {
    static constexpr std::pair<const char*, const char*> kMapped[] = {
        {"EMVSale", "SaleByRecordNo"},
        {"EMVPreAuth", "PreAuthByRecordNo"},
        {"EMVZeroAuth", "ZeroAuthByRecordNo"},
        {"EMVPreAuthCapture", "PreAuthCaptureByRecordNo"},
        {"EMVAdjust", "AdjustByRecordNo"},
        {"EMVReturn", "ReturnByRecordNo"},
        {"EMVVoidSale", "VoidSaleByRecordNo"},
        {"EMVVoidReturn", "VoidReturnByRecordNo"},
        {"EMVPartialReversal", "PartialReversalByRecordNo"},
        {"EMVIncrementalAuth", "IncrementalAuthByRecordNo"},
    };
    for (const auto& [from, to] : kMapped) {
        if (tranCode == from) {
            return to;
        }
    }
    return tranCode;
}

std::string BuildRequest(const Form& form, Operator& op, const ComposerInputs& in,
                         ManualEntries& remembered, const std::string& tranCode,
                         const std::string& wrapperName, const std::string& extraElements) {
    // Inputs first, the pad type line included; then the dialogs; then the document.
    const std::string host = form.Text(id::kHostOrIp);
    const std::string ipPort = form.Text(id::kIpPort);
    const std::string comPort = form.Text(id::kComPort);
    const std::string merchantId = form.Text(id::kMerchantId);
    const std::string terminalId = form.Text(id::kTerminalId);
    const std::string operatorId = form.Text(id::kOperatorId);
    const std::string authCode = form.Text(id::kAuthCode);
    const std::string refNumber = form.Text(id::kRefNumber);
    const std::string acqRefData = form.Text(id::kAcqRefData);
    const std::string recordNumber = form.Text(id::kRecordNumber);
    const std::string pinPadAddress = form.Text(id::kPinPadIpAddress);
    const std::string pinPadPort = form.Text(id::kPinPadIpPort);
    const std::string invoice = form.Text(id::kInvoice);
    const std::string processData = form.Text(id::kProcessData);
    const std::string rebootTime = form.Text(id::kPadRebootTime);
    const bool useTokens = form.Checked(id::kUseTokens);
    const bool manualEntry = form.Checked(id::kPromptManual);

    ManualEntryLines manual;
    if (in.padTypeLine.find("P400") == std::string::npos && TakesManualEntry(tranCode) &&
        manualEntry) {
        manual = AskManualEntry(op, remembered);
    }
    const bool decrement = IsOneOf(tranCode, {"PartialReversalByRecordNo", "EMVPartialReversal"});
    const bool increment = IsOneOf(tranCode, {"IncrementalAuthByRecordNo", "EMVIncrementalAuth"});
    std::string additional;
    if (decrement || increment) {
        additional = AskAdditionalAmounts(op, decrement);
    }

    std::string out = "<?xml version=\"1.0\"?>\r\n<TStream>\r\n";
    out += "\t<" + wrapperName + ">\r\n";
    Element(out, 2, "HostOrIP", host);
    if (!ipPort.empty()) {
        Element(out, 2, "IpPort", ipPort);
    }
    Element(out, 2, "MerchantID", merchantId);
    if (!terminalId.empty()) {
        Element(out, 2, "TerminalID", terminalId);
    }
    if (!operatorId.empty()) {
        Element(out, 2, "OperatorID", operatorId);
    }
    Element(out, 2, "UserTrace", in.userName);
    Element(out, 2, "MerchantLanguage", form.Checked(id::kEnglishLocal) ? "English" : "French");
    if (form.Checked(id::kEnglishFallback)) {
        out += "\t\t<FallbackLanguage>English</FallbackLanguage>\r\n";
    } else if (form.Checked(id::kFrenchFallback)) {
        out += "\t\t<FallbackLanguage>French</FallbackLanguage>\r\n";
    }
    std::string writtenTranCode = tranCode;
    if (useTokens) {
        if (recordNumber.empty() || recordNumber == "RecordNumberRequested") {
            out += "\t\t<RecordNo>RecordNumberRequested</RecordNo>\r\n";
        } else {
            Element(out, 2, "RecordNo", recordNumber);
            writtenTranCode = RecordNoTranCode(tranCode);
        }
        out += "\t\t<Frequency>OneTime</Frequency>\r\n";
    }
    if (form.Checked(id::kSuppressAmountOk)) {
        out += "\t\t<OKAmount>Disallow</OKAmount>\r\n";
    }
    Element(out, 2, "TranCode", writtenTranCode);
    if (form.Checked(id::kInteracDebitOnly)) {
        out += "\t\t<CardType>DEBIT</CardType>\r\n";
    }
    if (form.Checked(id::kCreditOnly)) {
        out += "\t\t<CardType>CREDIT</CardType>\r\n";
    }
    if (form.Checked(id::kOverride)) {
        out += "\t\t<Duplicate>Override</Duplicate>\r\n";
    }
    out += in.padTypeLine;
    Element(out, 2, "ComPort", Trimmed(comPort));
    if (form.Checked(id::kCardNotPresent)) {
        out += "\t\t<CardNotPresent>Allow</CardNotPresent>\r\n";
    }
    if (form.Checked(id::kSuppressSignature)) {
        out += "\t\t<ReceiptSignature>Disallow</ReceiptSignature>\r\n";
    }
    if (!pinPadAddress.empty()) {
        Element(out, 2, "PinPadIpAddress", pinPadAddress);
    }
    if (!pinPadPort.empty()) {
        Element(out, 2, "PinPadIpPort", pinPadPort);
    }
    if (manualEntry) {
        out += "\t\t<Account>\r\n\t\t\t<AcctNo>Prompt</AcctNo>\r\n\t\t</Account>\r\n";
    }
    const bool prePaidStripe = tranCode == "GetPrePaidStripe";
    if (!invoice.empty() && !prePaidStripe) {
        Element(out, 2, "InvoiceNo", invoice);
    }
    if (!refNumber.empty() && !prePaidStripe) {
        Element(out, 2, "RefNo", refNumber);
    }
    if (!authCode.empty()) {
        Element(out, 2, "AuthCode", authCode);
    }
    std::string members = (decrement || increment) ? additional : AmountMembers(form, in, tranCode);
    if (!members.empty()) {
        out += "\t\t<Amount>\r\n" + members + "\t\t</Amount>\r\n";
    }
    Element(out, 2, "SequenceNo", in.sequenceNo);
    if (form.Checked(id::kAllowPartialAuth)) {
        out += "\t\t<PartialAuth>Allow</PartialAuth>\r\n";
    }
    if (!acqRefData.empty()) {
        Element(out, 2, "AcqRefData", acqRefData);
    }
    if (!processData.empty()) {
        Element(out, 2, "ProcessData", processData);
    }
    if (form.Checked(id::kForceOffline)) {
        out += "\t\t<ForceOffline>Y</ForceOffline>\r\n";
    }
    if (in.purchaseLimit.GetAmountText() != "0.00") {
        Element(out, 2, "OfflineTransactionPurchaseLimit", in.purchaseLimit.GetAmountText());
    }
    const std::string maxTrans = form.Text(id::kMaxTrans);
    if (!maxTrans.empty()) {
        Element(out, 2, "MaxTransactions", maxTrans);
    }
    if (!rebootTime.empty()) {
        Element(out, 2, "PinPadRebootTime", rebootTime);
    }
    if (form.Checked(id::kReturnClearExpDate)) {
        out += "\t\t<ReturnClearExpDate>Allow</ReturnClearExpDate>\r\n";
    }
    if (prePaidStripe) {
        out += "\t\t<MinLen>5</MinLen>\r\n\t\t<MaxLen>30</MaxLen>\r\n\t\t<Preamble></Preamble>\r\n";
    }
    out += manual.avs;
    out += manual.cvv;
    out += extraElements;
    out += "\t</" + wrapperName + ">\r\n</TStream>\r\n";
    return out;
}

std::string RequestComposer::BuildRequest(const std::string& tranCode,
                                          const std::string& wrapperName,
                                          const std::string& extraElements) {
    const ComposerInputs inputs{form_.amount(),          form_.tipAmount(),  form_.purchaseLimit(),
                                pads_.PadTypeElement(2), pos_.PosSequenceNo, WorkstationUserName()};
    return nt::BuildRequest(form_, op_, inputs, manualEntries_, tranCode, wrapperName,
                            extraElements);
}

}  // namespace nt
