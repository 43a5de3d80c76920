#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/WindowForm.h"
#include "log/LogWriter.h"
#include "pads/PadTree.h"
#include "platform/Form.h"
#include "platform/Operator.h"
#include "request/AmountEdit.h"
#include "request/RequestComposer.h"
#include "script/ScriptObserver.h"
#include "serial/SerialLink.h"
#include "transaction/CommandObserver.h"
#include "transaction/CommandTable.h"
#include "transaction/ControlHost.h"
#include "transaction/ObservingOperator.h"

namespace nt {

inline constexpr const char* kProductVersionText = "Nord Teller Version 1.11";
inline constexpr unsigned kAboutCommand = 0x0010;
// The pad type the operator picked last, read at start-up.
inline constexpr const char* kPadSelectionFile = "padselection.dat";

// The main window's logic: its members, start-up and shutdown, its own small handlers and its
// message table. It draws nothing: the Qt window and headless mode show what its form holds
// and forward clicks and typing to it.
class CTestPosDlg {
  public:
    CTestPosDlg(Form& drawn, Operator& op, PaymentClientFactory controlFactory);
    ~CTestPosDlg();
    CTestPosDlg(const CTestPosDlg&) = delete;
    CTestPosDlg& operator=(const CTestPosDlg&) = delete;

    // Start-up; false after a fatal start-up error (the window opens all the same).
    bool OnInitDialog();
    // Enter: the main window never closes on it.
    void OnOK() {}
    // Esc, the close box and "E&xit": shutdown, then the window closes.
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

    // Handlers of the message table.
    void OnTipCheck();
    void OnCreditOnlyCheck();
    void OnInteracDebitOnlyCheck();
    void OnClearRespFieldsButton();
    void OnTranTestModeButton();
    void OnResetSequenceNoButton();

    // The request line naming the pad type in use, indented by `indent` TABs.
    std::string PadTypeElement(int indent) const;
    // The TStream request of one command, from the window's fields at the moment of the call.
    std::string BuildRequest(std::string tranCode, std::string wrapperName,
                             std::string extraElements);

    // The command flow every command button runs; gift cards and batch close have their own.
    void OnCommandButton(const CommandSpec& command);
    void OnGiftCardButton();
    void OnBatchcloseButton();

    // "Run Script" (hidden): replays the test cases of Script.csv in the current directory.
    void OnRunScript();
    // Progress of script runs and what each command did; null for none. Not owned.
    void SetScriptObserver(ScriptObserver* observer) { scriptObserver_ = observer; }
    void SetCommandObserver(CommandObserver* observer) { op_.SetObserver(observer); }

    // Sends a request through the payment client, after a forced PIN pad reset when asked for.
    // nullopt when the client failed or there is none: the operator has been told and the
    // failure logged; the command ends.
    std::optional<std::string> ProcessRequest(const std::string& request);
    // The client's pad types information; nullopt as above.
    std::optional<std::string> GetPadTypesInfo();
    // Takes over a response: sequence number, reference fields, tones, receipt. False when the
    // text is not XML (nothing changed then).
    bool HandleResponse(std::string response);

    // The pad type catalog: built from the client's pad types information at start-up; the
    // operator's pick steers the requests and is remembered in padselection.dat.
    void LoadPadCatalog();
    void BuildPadCatalog(const std::string& info, const std::string& savedPadType);
    std::string LoadPadSelection();
    void SavePadSelection();
    // A node of the tree was selected (a click, or a scenario's select).
    void SelectPadNode(int node);
    void OnPadTreeSelChanged(int node);
    void ApplyPadType(const std::string& name);
    void EnablePinPadIpFields();
    void OnTranEmvCheck();
    void OnGetPadTypesInfo();
    void OnDestroy();

    // The serial test terminal's line for a command, from the window's fields (no line end).
    std::string BuildTerminalCommand(const std::string& tranCode, bool giftCard);
    // The serial test terminal's chance to run a command: false when the pad type is not the
    // terminal or its port cannot be used (the caller goes on with the payment client).
    bool RunSerialTransaction(const std::string& tranCode, bool financial, bool giftCard);
    // The forced PIN pad reset over the serial test terminal; false when the port could not
    // be used (the operator has been told and the request must not be sent).
    bool SerialPadReset();

    WindowForm& form() { return form_; }
    Operator& op() { return op_; }
    bool HasControl() const { return m_pControl != nullptr && m_pControl->Created(); }
    // The payment client's host; one whose client could not be created is kept, for its reason.
    ControlHost* Control() { return m_pControl.get(); }

    PadTree m_padTree;
    std::vector<std::unique_ptr<PadTypeRecord>> m_padRecords;
    CAmountEdit m_tipAmount;
    CAmountEdit m_amount;
    CAmountEdit m_purchaseLimit;
    int m_merchantLanguage = 0;
    int m_fallbackLanguage = 0;

    ManualEntries m_manualEntries;
    SerialLink m_serial;

  private:
    using Handler = std::function<void()>;
    void DoDataExchange();
    void BuildMessageTable();
    // False with the loader's reason (Windows-1252) when the payment client cannot be created.
    bool CreateControl(std::string& reason);
    // The number a command sends: re-read from its file and shown in "Sending POS Seq No.".
    void LoadSequenceForCommand();
    // Logging, editing, sending and processing of one request; the response when it was sent.
    std::optional<std::string> Exchange(std::string request, const std::string& counter);
    void ReportClientFailure(const ClientReply& reply);
    CommandObserver& commandObserver() { return op_.Observer(); }

    WindowForm form_;
    ObservingOperator op_;
    PaymentClientFactory controlFactory_;
    std::unique_ptr<ControlHost> m_pControl;
    std::map<int, Handler> messageTable_;
    ScriptObserver* scriptObserver_ = nullptr;
    bool closed_ = false;
};

}  // namespace nt
