#include "app/TestPosDlg.h"

#include <sys/stat.h>

#include <cerrno>

#include "app/Controls.h"
#include "app/SequenceStore.h"
#include "log/LogWriter.h"
#include "pads/PadTypeLine.h"
#include "platform/Codepage.h"
#include "platform/StaleTemporaries.h"
#include "platform/UserName.h"

namespace nt {

CTestPosDlg::CTestPosDlg(Form& drawn, Operator& op, PaymentClientFactory controlFactory)
    : form_(drawn, op), op_(op), controlFactory_(std::move(controlFactory)) {
    BuildMessageTable();
}

// The control is released before the window object is gone.
CTestPosDlg::~CTestPosDlg() {
    m_padTree.SetObserver(nullptr);  // the drawn tree may be gone with its window
    OnDestroy();
    m_pControl.reset();
}

void CTestPosDlg::BuildMessageTable() {
    auto bind = [this](int control, void (CTestPosDlg::*handler)()) {
        messageTable_[control] = [this, handler] { (this->*handler)(); };
    };
    for (const CommandSpec& command : Commands()) {
        if (command.id != id::kGiftCards && command.id != id::kBatchClose) {
            messageTable_[command.id] = [this, &command] { OnCommandButton(command); };
        }
    }
    bind(id::kGiftCards, &CTestPosDlg::OnGiftCardButton);
    bind(id::kBatchClose, &CTestPosDlg::OnBatchcloseButton);
    bind(id::kPromptTip, &CTestPosDlg::OnTipCheck);
    bind(id::kResetSequenceNo, &CTestPosDlg::OnResetSequenceNoButton);
    bind(id::kTranTestMode, &CTestPosDlg::OnTranTestModeButton);
    bind(id::kCreditOnly, &CTestPosDlg::OnCreditOnlyCheck);
    bind(id::kInteracDebitOnly, &CTestPosDlg::OnInteracDebitOnlyCheck);
    bind(id::kClearRespFields, &CTestPosDlg::OnClearRespFieldsButton);
    bind(id::kExit, &CTestPosDlg::OnCancel);
    bind(id::kGetPadTypesInfo, &CTestPosDlg::OnGetPadTypesInfo);
    bind(id::kTranEmv, &CTestPosDlg::OnTranEmvCheck);
    bind(id::kRunScript, &CTestPosDlg::OnRunScript);
}

void CTestPosDlg::DoDataExchange() {
    form_.BindAmountField(id::kTipAmount, m_tipAmount);
    form_.BindAmountField(id::kAmount, m_amount);
    form_.BindAmountField(id::kPurchaseLimit, m_purchaseLimit);
    // The radio members hold the index of the checked button of each group.
    form_.SetChecked(m_merchantLanguage == 0 ? id::kEnglishLocal : id::kFrenchLocal, true);
    static constexpr int kFallbackGroup[] = {id::kNoFallback, id::kEnglishFallback,
                                             id::kFrenchFallback};
    form_.SetChecked(kFallbackGroup[m_fallbackLanguage], true);
}

bool CTestPosDlg::OnInitDialog() {
    DoDataExchange();
    for (int field : {id::kAmount, id::kTipAmount, id::kPurchaseLimit}) {
        form_.SetAmountCents(field, 0);
    }
    // A process killed mid-save leaves the save's temporary file; start-up clears old ones.
    RemoveStaleTemporaries(kSequenceFileName);
    RemoveStaleTemporaries(kPadSelectionFile);
    LoadSequenceNo();
    form_.SetText(id::kSendingSeqNo, PosSequenceNo);
    form_.SetText(id::kReceivedSeqNo, PosSequenceNo);

    form_.SetText(id::kMerchantId, "70");
    form_.SetText(id::kTerminalId, "");
    form_.SetText(id::kComPort, "1");
    form_.SetText(id::kHostOrIp, "127.0.0.1");
    form_.SetText(id::kIpPort, "9000");
    form_.SetText(id::kRefNumber, "1");
    form_.SetText(id::kInvoice, "1");
    OnTipCheck();

    if (::mkdir(kLogDirectory, 0777) != 0 && errno != EEXIST) {
        op_.Message("Unable to create Log Directory - logging disabled!");
    }
    LogLine(GetLogWriter(), "Startup %s", kProductVersionText);

    std::string reason;
    if (!CreateControl(reason)) {
        // The loader's reason on a line of its own tells the tester what to fix.
        op_.Message(
            "Failed to Create CardBridgeX.ocx you may need to reinstall the product - Fatal "
            "Error!" +
            (reason.empty() ? std::string() : "\r\n" + reason));
        SaveSequenceNo();
        return false;
    }
    LoadPadCatalog();
    SaveSequenceNo();
    return true;
}

bool CTestPosDlg::CreateControl(std::string& reason) {
    if (!controlFactory_) {
        return false;
    }
    m_pControl = std::make_unique<ControlHost>(controlFactory_, [this] { op_.PumpMessages(); });
    if (!m_pControl->Created()) {
        reason = Utf8ToCp1252(m_pControl->CreateError());
        return false;
    }
    return true;
}

void CTestPosDlg::OnCancel() {
    if (closed_) {
        return;
    }
    LogLine(GetLogWriter(), "Shutdown %s", kProductVersionText);
    SavePadSelection();
    closed_ = true;
}

bool CTestPosDlg::OnCommand(int id) {
    auto it = messageTable_.find(id);
    if (it == messageTable_.end()) {
        return false;
    }
    it->second();
    return true;
}

void CTestPosDlg::OnSysCommand(unsigned value) {
    if ((value & 0xFFF0u) == kAboutCommand) {
        op_.RunAbout();
    }
}

AmountUpdate CTestPosDlg::OnAmountEdited(int id, const std::string& reported) {
    return form_.UpdateAmount(id, reported);
}

void CTestPosDlg::OnTipCheck() {
    if (form_.Checked(id::kPromptTip)) {
        form_.SetEnabled(id::kTipAmount, false);
        form_.SetText(id::kTipAmount, "0.00");
    } else {
        form_.SetEnabled(id::kTipAmount, true);
    }
}

void CTestPosDlg::OnCreditOnlyCheck() {
    if (form_.Checked(id::kInteracDebitOnly)) {
        form_.SetChecked(id::kCreditOnly, false);
    }
}

void CTestPosDlg::OnInteracDebitOnlyCheck() {
    if (form_.Checked(id::kCreditOnly)) {
        form_.SetChecked(id::kInteracDebitOnly, false);
    }
}

void CTestPosDlg::OnClearRespFieldsButton() {
    form_.SetText(id::kAuthCode, "");
    form_.SetText(id::kAcqRefData, "");
    form_.SetText(id::kRecordNumber, "");
    form_.SetText(id::kProcessData, "");
}

void CTestPosDlg::OnTranTestModeButton() {
    if (!form_.Checked(id::kTranEmv)) {
        op_.Message("Invalid Selection");
    }
    RunSerialTransaction("TestMode", false, false);
}

void CTestPosDlg::OnResetSequenceNoButton() {
    if (!op_.Question("Reset sequence number to '0010010010'\r\nAre You Sure?")) {
        return;
    }
    LoadSequenceNo();
    PosSequenceNo = kDefaultSequenceNo;
    form_.SetText(id::kSendingSeqNo, PosSequenceNo);
    form_.SetText(id::kReceivedSeqNo, PosSequenceNo);
    SaveSequenceNo();
}

std::string CTestPosDlg::PadTypeElement(int indent) const {
    return nt::PadTypeElement(form_, m_padTree, indent);
}

std::string CTestPosDlg::BuildRequest(std::string tranCode, std::string wrapperName,
                                      std::string extraElements) {
    ComposerInputs inputs{m_amount,          m_tipAmount,   m_purchaseLimit,
                          PadTypeElement(2), PosSequenceNo, WorkstationUserName()};
    return nt::BuildRequest(form_, op_, inputs, m_manualEntries, tranCode, wrapperName,
                            extraElements);
}

}  // namespace nt
