#pragma once

#include <functional>
#include <map>
#include <string>

#include "dialogs/Operator.h"
#include "form/ObservingOperator.h"
#include "form/WindowForm.h"
#include "pads/PadCatalog.h"
#include "platform/Form.h"
#include "pos/PosState.h"
#include "pos/SequenceStore.h"
#include "request/RequestComposer.h"
#include "response/ResponseProcessor.h"
#include "script/ScriptObserver.h"
#include "script/ScriptRunner.h"
#include "serial/TerminalLink.h"
#include "sim/SimTerminalOpener.h"
#include "transaction/ClientGateway.h"
#include "transaction/CommandFlow.h"
#include "transaction/PaymentClient.h"

namespace nt {

inline constexpr const char* kProductVersionText = "Nord Teller Version 1.11";
inline constexpr unsigned kAboutCommand = 0x0010;

// The main window's logic: it creates the subsystems and wires them in dependency order, binds
// the controls to their handlers in its message table, runs start-up and shutdown and keeps
// its own small handlers. It draws nothing: the Qt window and headless mode show what its form
// holds and forward clicks and typing to it.
class CTestPosDlg {
  public:
    // The serial test terminal's devices come from `terminalOpener`: by default the simulated
    // terminal for "sim", termios devices otherwise.
    CTestPosDlg(Form& drawn, Operator& op, PaymentClientFactory controlFactory,
                SerialOpener terminalOpener = SimTerminalOpener());
    ~CTestPosDlg();
    CTestPosDlg(const CTestPosDlg&) = delete;
    CTestPosDlg& operator=(const CTestPosDlg&) = delete;

    // Start-up; false after a fatal start-up error (the window opens all the same).
    bool OnInitDialog();
    // Esc, the close box and "E&xit": shutdown, then the window closes. Enter never closes it.
    void OnCancel();
    bool Closed() const { return closed_; }

    // A click on a control: runs the handler the message table binds to it. False when the
    // table has no entry for the control (nothing happens then).
    bool OnCommand(int id);
    bool IsBound(int id) const { return messageTable_.count(id) != 0; }
    // The system menu: the About entry runs the About box; nothing else is the window's.
    void OnSysCommand(unsigned value);
    // The operator changed the text of an amount field; returns what the field shows now.
    AmountUpdate OnAmountEdited(int id, const std::string& reported);

    // Handlers of the message table that are the window's own.
    void OnTipCheck() { form_.OnTipCheck(); }
    void OnCreditOnlyCheck();
    void OnInteracDebitOnlyCheck();
    void OnClearRespFieldsButton();
    void OnTranTestModeButton();
    void OnResetSequenceNoButton();
    void OnGetPadTypesInfo();

    // Progress of script runs and what each command did; null for none. Not owned.
    void SetScriptObserver(ScriptObserver* observer) { scriptRunner_.SetObserver(observer); }
    void SetCommandObserver(CommandObserver* observer) { op_.SetObserver(observer); }

    WindowForm& form() { return form_; }
    Operator& op() { return op_; }
    PosState& posState() { return pos_; }
    SequenceStore& sequenceStore() { return sequenceStore_; }
    PadCatalog& padCatalog() { return padCatalog_; }
    RequestComposer& composer() { return composer_; }
    TerminalLink& terminalLink() { return terminalLink_; }
    ClientGateway& gateway() { return gateway_; }
    ResponseProcessor& responses() { return responses_; }
    CommandFlow& commandFlow() { return commandFlow_; }
    ScriptRunner& scriptRunner() { return scriptRunner_; }

  private:
    using Handler = std::function<void()>;
    void DoDataExchange();
    void BuildMessageTable();

    WindowForm form_;
    ObservingOperator op_;
    PosState pos_;
    SequenceStore sequenceStore_;
    PadCatalog padCatalog_;
    RequestComposer composer_;
    TerminalLink terminalLink_;
    ClientGateway gateway_;
    ResponseProcessor responses_;
    CommandFlow commandFlow_;
    ScriptRunner scriptRunner_;
    std::map<int, Handler> messageTable_;
    bool closed_ = false;
};

}  // namespace nt
