#pragma once

#include <string>

namespace nt {

class CEditXmlDlg;
class CManualEntryDlg;
class CAdditionalAmountsDlg;
class CGiftTranTypeDlg;
class CReceiptDlg;
class CPadTypesInfoDlg;
class CRunTestDlg;

// Everything the operator sees or answers: message boxes, questions, the modal dialogs, the wait
// window and tones. Qt shows real windows; headless mode answers from a scenario. Texts are
// Windows-1252. Dialogs are small toolkit-free classes; Run* shows one modally and returns true
// when it ended with OK (the dialog's members then hold what the operator entered).
class Operator {
  public:
    virtual ~Operator() = default;

    // Application message box, OK button, no icon.
    virtual void Message(const std::string& text) = 0;
    // The message box that shows a command's response text; a window may show it in a view
    // that suits XML, with the same text.
    virtual void ResponseMessage(const std::string& text) { Message(text); }
    // Yes/No message box; true for Yes.
    virtual bool Question(const std::string& text) = 0;

    virtual bool RunEditXml(CEditXmlDlg& dlg) = 0;
    virtual bool RunManualEntry(CManualEntryDlg& dlg) = 0;
    virtual bool RunAdditionalAmounts(CAdditionalAmountsDlg& dlg) = 0;
    virtual bool RunGiftTranType(CGiftTranTypeDlg& dlg) = 0;
    virtual void RunReceipt(CReceiptDlg& dlg) = 0;
    virtual void RunPadTypesInfo(CPadTypesInfoDlg& dlg) = 0;
    virtual void RunTestCasePrompt(CRunTestDlg& dlg) = 0;
    virtual void RunAbout() = 0;

    // The modeless "Please Wait . . ." window; while it shows the main window takes no input.
    virtual void ShowWait() = 0;
    virtual void SetWaitMessage(const std::string& message) = 0;
    virtual void HideWait() = 0;
    // While a payment client call that can be stopped waits, the wait window offers Cancel;
    // TakeWaitCancel is true once after the operator confirmed it. Offering anew (or ending the
    // offer) forgets a confirmation not taken.
    virtual void OfferWaitCancel(bool offered) { (void)offered; }
    virtual bool TakeWaitCancel() { return false; }

    // A tone of the given frequency and length; blocks for its length.
    virtual void Tone(int frequencyHz, int milliseconds) = 0;
    // The platform's default beep (a refused amount digit).
    virtual void Beep() = 0;
    // Dispatches pending window events without blocking (serial waits keep the window alive).
    virtual void PumpMessages() = 0;
};

}  // namespace nt
