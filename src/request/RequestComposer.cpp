#include "request/RequestComposer.h"

#include "dialogs/AdditionalAmountsDlg.h"
#include "form/Controls.h"
#include "platform/UserName.h"

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
    if (!AskManualEntryValues(op, remembered)) {
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

std::string AmountMembers(const Form& form, const ComposerInputs& in, AmountRows rows) {
    std::string members;
    std::string purchase = in.amount.GetAmountText();
    if (purchase != "0.00" || rows != AmountRows::PurchaseUnlessZero) {
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

// The texts a request carries, read before any dialog opens.
struct FieldTexts {
    std::string host, ipPort, comPort, merchantId, terminalId, operatorId, authCode, refNumber,
        acqRefData, recordNumber, pinPadAddress, pinPadPort, invoice, processData, rebootTime;
};

FieldTexts ReadFieldTexts(const Form& form) {
    return {form.Text(id::kHostOrIp),        form.Text(id::kIpPort),
            form.Text(id::kComPort),         form.Text(id::kMerchantId),
            form.Text(id::kTerminalId),      form.Text(id::kOperatorId),
            form.Text(id::kAuthCode),        form.Text(id::kRefNumber),
            form.Text(id::kAcqRefData),      form.Text(id::kRecordNumber),
            form.Text(id::kPinPadIpAddress), form.Text(id::kPinPadIpPort),
            form.Text(id::kInvoice),         form.Text(id::kProcessData),
            form.Text(id::kPadRebootTime)};
}

// The rows inside the command's element, two TABs deep; most are written only when a field has
// a value or a box is checked.
class Rows {
  public:
    Rows(std::string& out, const Form& form) : out_(out), form_(form) {}
    void Always(const char* name, const std::string& value) { Element(out_, 2, name, value); }
    void IfSet(const char* name, const std::string& value) {
        if (!value.empty()) {
            Always(name, value);
        }
    }
    void IfChecked(int control, const char* name, const char* value) {
        if (form_.Checked(control)) {
            Always(name, value);
        }
    }

  private:
    std::string& out_;
    const Form& form_;
};

}  // namespace

std::string BuildRequest(const Form& form, Operator& op, const ComposerInputs& in,
                         ManualEntries& remembered, const std::string& tranCode,
                         const std::string& wrapperName, const std::string& extraElements) {
    // Inputs first, the pad type line included; then the dialogs; then the document.
    const FieldTexts f = ReadFieldTexts(form);
    const bool useTokens = form.Checked(id::kUseTokens);
    const bool manualEntry = form.Checked(id::kPromptManual);

    // A RecordNo form handed in takes no manual entry but keeps its additional amounts.
    const WrittenTranCode given = ReadTranCode(tranCode);
    const AmountRows amountRows =
        given.spec != nullptr ? given.spec->amounts : AmountRows::Purchase;
    ManualEntryLines manual;
    if (in.padTypeLine.find("P400") == std::string::npos && given.spec != nullptr &&
        !given.byRecordNo && given.spec->manualEntry && manualEntry) {
        manual = AskManualEntry(op, remembered);
    }
    const bool decrement = amountRows == AmountRows::Decrement;
    const bool increment = amountRows == AmountRows::Increment;
    std::string additional;
    if (decrement || increment) {
        additional = AskAdditionalAmounts(op, decrement);
    }

    std::string out = "<?xml version=\"1.0\"?>\r\n<TStream>\r\n";
    out += "\t<" + wrapperName + ">\r\n";
    Rows rows(out, form);
    rows.Always("HostOrIP", f.host);
    rows.IfSet("IpPort", f.ipPort);
    rows.Always("MerchantID", f.merchantId);
    rows.IfSet("TerminalID", f.terminalId);
    rows.IfSet("OperatorID", f.operatorId);
    rows.Always("UserTrace", in.userName);
    rows.Always("MerchantLanguage", form.Checked(id::kEnglishLocal) ? "English" : "French");
    if (form.Checked(id::kEnglishFallback)) {
        rows.Always("FallbackLanguage", "English");
    } else {
        rows.IfChecked(id::kFrenchFallback, "FallbackLanguage", "French");
    }
    std::string writtenTranCode = tranCode;
    if (useTokens) {
        if (f.recordNumber.empty() || f.recordNumber == "RecordNumberRequested") {
            rows.Always("RecordNo", "RecordNumberRequested");
        } else {
            rows.Always("RecordNo", f.recordNumber);
            writtenTranCode = RecordNoTranCode(tranCode);
        }
        rows.Always("Frequency", "OneTime");
    }
    rows.IfChecked(id::kSuppressAmountOk, "OKAmount", "Disallow");
    rows.Always("TranCode", writtenTranCode);
    rows.IfChecked(id::kInteracDebitOnly, "CardType", "DEBIT");
    rows.IfChecked(id::kCreditOnly, "CardType", "CREDIT");
    rows.IfChecked(id::kOverride, "Duplicate", "Override");
    out += in.padTypeLine;
    rows.Always("ComPort", Trimmed(f.comPort));
    rows.IfChecked(id::kCardNotPresent, "CardNotPresent", "Allow");
    rows.IfChecked(id::kSuppressSignature, "ReceiptSignature", "Disallow");
    rows.IfSet("PinPadIpAddress", f.pinPadAddress);
    rows.IfSet("PinPadIpPort", f.pinPadPort);
    if (manualEntry) {
        out += "\t\t<Account>\r\n\t\t\t<AcctNo>Prompt</AcctNo>\r\n\t\t</Account>\r\n";
    }
    const bool prePaidStripe = given.spec == &SpecOf(TranCode::GetPrePaidStripe);
    if (!prePaidStripe) {
        rows.IfSet("InvoiceNo", f.invoice);
        rows.IfSet("RefNo", f.refNumber);
    }
    rows.IfSet("AuthCode", f.authCode);
    std::string members =
        (decrement || increment) ? additional : AmountMembers(form, in, amountRows);
    if (!members.empty()) {
        out += "\t\t<Amount>\r\n" + members + "\t\t</Amount>\r\n";
    }
    rows.Always("SequenceNo", in.sequenceNo);
    rows.IfChecked(id::kAllowPartialAuth, "PartialAuth", "Allow");
    rows.IfSet("AcqRefData", f.acqRefData);
    rows.IfSet("ProcessData", f.processData);
    rows.IfChecked(id::kForceOffline, "ForceOffline", "Y");
    if (in.purchaseLimit.GetAmountText() != "0.00") {
        rows.Always("OfflineTransactionPurchaseLimit", in.purchaseLimit.GetAmountText());
    }
    rows.IfSet("MaxTransactions", form.Text(id::kMaxTrans));
    rows.IfSet("PinPadRebootTime", f.rebootTime);
    rows.IfChecked(id::kReturnClearExpDate, "ReturnClearExpDate", "Allow");
    if (prePaidStripe) {
        out += "\t\t<MinLen>5</MinLen>\r\n\t\t<MaxLen>30</MaxLen>\r\n\t\t<Preamble></Preamble>\r\n";
    }
    out += manual.avs;
    out += manual.cvv;
    out += extraElements;
    out += "\t</" + wrapperName + ">\r\n</TStream>\r\n";
    return out;
}

std::string RequestComposer::BuildRequest(const TranCodeSpec& code,
                                          const std::string& extraElements) {
    const ComposerInputs inputs{form_.amount(),          form_.tipAmount(),  form_.purchaseLimit(),
                                pads_.PadTypeElement(2), pos_.PosSequenceNo, WorkstationUserName()};
    return nt::BuildRequest(form_, op_, inputs, manualEntries_, code.name, code.wrapper,
                            extraElements);
}

}  // namespace nt
