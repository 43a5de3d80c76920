#pragma once

#include "form/CommandObserver.h"
#include "platform/Operator.h"

namespace nt {

// The operator as the main window uses it: everything goes to the real operator, and every
// message box is also told to the command observer, so a report can see what the operator saw.
class ObservingOperator : public Operator {
  public:
    explicit ObservingOperator(Operator& inner) : inner_(inner) {}

    void SetObserver(CommandObserver* observer) { observer_ = observer; }
    // The observer set, or one that ignores everything.
    CommandObserver& Observer();

    void ResponseMessage(const std::string& text) override;

    void Message(const std::string& text) override;
    bool Question(const std::string& text) override { return inner_.Question(text); }
    bool RunEditXml(CEditXmlDlg& dlg) override { return inner_.RunEditXml(dlg); }
    bool RunManualEntry(CManualEntryDlg& dlg) override { return inner_.RunManualEntry(dlg); }
    bool RunAdditionalAmounts(CAdditionalAmountsDlg& dlg) override {
        return inner_.RunAdditionalAmounts(dlg);
    }
    bool RunGiftTranType(CGiftTranTypeDlg& dlg) override { return inner_.RunGiftTranType(dlg); }
    void RunReceipt(CReceiptDlg& dlg) override { inner_.RunReceipt(dlg); }
    void RunPadTypesInfo(CPadTypesInfoDlg& dlg) override { inner_.RunPadTypesInfo(dlg); }
    void RunTestCasePrompt(CRunTestDlg& dlg) override { inner_.RunTestCasePrompt(dlg); }
    void RunAbout() override { inner_.RunAbout(); }
    void ShowWait() override { inner_.ShowWait(); }
    void SetWaitMessage(const std::string& message) override { inner_.SetWaitMessage(message); }
    void HideWait() override { inner_.HideWait(); }
    void Tone(int frequencyHz, int milliseconds) override {
        inner_.Tone(frequencyHz, milliseconds);
    }
    void Beep() override { inner_.Beep(); }
    void PumpMessages() override { inner_.PumpMessages(); }

  private:
    Operator& inner_;
    CommandObserver* observer_ = nullptr;
};

}  // namespace nt
