#include "app/TestPosDlg.h"

#include <sys/stat.h>

#include <cerrno>

#include "codes/TranCodes.h"
#include "dialogs/PadTypesInfoDlg.h"
#include "form/Controls.h"
#include "log/LogWriter.h"
#include "platform/StaleTemporaries.h"

namespace nt {

CTestPosDlg::CTestPosDlg(Form& drawn, Operator& op, PaymentClientFactory controlFactory,
                         SerialOpener terminalOpener)
    : form_(drawn, op),
      op_(op),
      sequenceStore_(pos_, GetLogWriter()),
      padCatalog_(form_, op_),
      composer_(form_, op_, padCatalog_, pos_),
      terminalLink_(form_, op_, padCatalog_, pos_,
                    SerialLink(SystemClock(), std::move(terminalOpener), GetLogWriter())),
      gateway_(std::move(controlFactory), form_, op_, padCatalog_, composer_, terminalLink_,
               GetLogWriter()),
      responses_(form_, op_, padCatalog_, pos_, GetLogWriter()),
      commandFlow_(form_, op_, pos_, sequenceStore_, composer_, terminalLink_, gateway_, responses_,
                   GetLogWriter()),
      scriptRunner_(form_, op_, sequenceStore_, [this](int id) { return OnCommand(id); }) {
    BuildMessageTable();
}

// The control is released before the window object is gone.
CTestPosDlg::~CTestPosDlg() {
    padCatalog_.padTree().SetObserver(nullptr);  // the drawn tree may be gone with its window
    padCatalog_.OnDestroy();
    gateway_.ReleaseControl();
}

void CTestPosDlg::BuildMessageTable() {
    auto bind = [this](int control, Handler handler) {
        messageTable_[control] = std::move(handler);
    };
    for (const TranCodeSpec& command : kTranCodes) {
        if (command.code == TranCode::BatchClose) {
            bind(command.button.id, [this, &command] { commandFlow_.OnBatchcloseButton(command); });
        } else if (command.button.id != 0) {
            bind(command.button.id, [this, &command] { commandFlow_.OnCommandButton(command); });
        }
    }
    bind(id::kGiftCards, [this] { commandFlow_.OnGiftCardButton(); });
    bind(id::kPromptTip, [this] { OnTipCheck(); });
    bind(id::kResetSequenceNo, [this] { OnResetSequenceNoButton(); });
    bind(id::kTranTestMode, [this] { OnTranTestModeButton(); });
    bind(id::kCreditOnly, [this] { OnCreditOnlyCheck(); });
    bind(id::kInteracDebitOnly, [this] { OnInteracDebitOnlyCheck(); });
    bind(id::kClearRespFields, [this] { OnClearRespFieldsButton(); });
    bind(id::kExit, [this] { OnCancel(); });
    bind(id::kGetPadTypesInfo, [this] { OnGetPadTypesInfo(); });
    bind(id::kTranEmv, [this] { padCatalog_.OnTranEmvCheck(); });
    bind(id::kRunScript, [this] { scriptRunner_.OnRunScript(); });
}

void CTestPosDlg::DoDataExchange() {
    form_.SetChecked(id::kEnglishLocal, true);
    form_.SetChecked(id::kNoFallback, true);
}

bool CTestPosDlg::OnInitDialog() {
    DoDataExchange();
    for (int field : {id::kAmount, id::kTipAmount, id::kPurchaseLimit}) {
        form_.SetAmountCents(field, 0);
    }
    // A process killed mid-save leaves the save's temporary file; start-up clears old ones.
    RemoveStaleTemporaries(kSequenceFileName);
    RemoveStaleTemporaries(kPadSelectionFile);
    sequenceStore_.LoadSequenceNo();
    form_.SetText(id::kSendingSeqNo, pos_.PosSequenceNo);
    form_.SetText(id::kReceivedSeqNo, pos_.PosSequenceNo);

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
    if (!gateway_.CreateControl(reason)) {
        // The loader's reason on a line of its own tells the tester what to fix.
        op_.Message(
            "Failed to Create CardBridgeX.ocx you may need to reinstall the product - Fatal "
            "Error!" +
            (reason.empty() ? std::string() : "\r\n" + reason));
        sequenceStore_.SaveSequenceNo();
        return false;
    }
    padCatalog_.LoadPadCatalog(gateway_.GetPadTypesInfo().value_or(std::string()));
    sequenceStore_.SaveSequenceNo();
    return true;
}

void CTestPosDlg::OnCancel() {
    if (closed_) {
        return;
    }
    LogLine(GetLogWriter(), "Shutdown %s", kProductVersionText);
    padCatalog_.SavePadSelection();
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
    terminalLink_.RunSerialTransaction(SpecOf(TranCode::TestMode), false);
}

void CTestPosDlg::OnResetSequenceNoButton() {
    if (!op_.Question("Reset sequence number to '0010010010'\r\nAre You Sure?")) {
        return;
    }
    sequenceStore_.LoadSequenceNo();
    pos_.PosSequenceNo = kDefaultSequenceNo;
    form_.SetText(id::kSendingSeqNo, pos_.PosSequenceNo);
    form_.SetText(id::kReceivedSeqNo, pos_.PosSequenceNo);
    sequenceStore_.SaveSequenceNo();
}

void CTestPosDlg::OnGetPadTypesInfo() {
    std::optional<std::string> info = gateway_.GetPadTypesInfo();
    if (!info) {
        return;  // the operator has been told why; no dialog
    }
    CPadTypesInfoDlg dlg;
    dlg.m_text = std::move(*info);
    op_.RunPadTypesInfo(dlg);
}

}  // namespace nt
