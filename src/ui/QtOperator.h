#pragma once

#include <QPointer>
#include <QWidget>
#include <memory>

#include "dialogs/Operator.h"
#include "platform/TonePlayer.h"

namespace nt {

class WaitWindow;

// The operator as a person at the Qt window: message boxes and the real modal dialogs, placed
// over the main window; the wait window; tones on the sound device.
class QtOperator : public Operator {
  public:
    explicit QtOperator(QWidget* mainWindow = nullptr);
    ~QtOperator() override;

    void SetMainWindow(QWidget* mainWindow) { main_ = mainWindow; }
    // The wait window, for whoever needs to see it; null before the first command.
    WaitWindow* Wait() const { return wait_.get(); }

    void Message(const std::string& text) override;
    void ResponseMessage(const std::string& text) override;
    bool Question(const std::string& text) override;
    bool RunEditXml(CEditXmlDlg& dlg) override;
    bool RunManualEntry(CManualEntryDlg& dlg) override;
    bool RunAdditionalAmounts(CAdditionalAmountsDlg& dlg) override;
    bool RunGiftTranType(CGiftTranTypeDlg& dlg) override;
    void RunReceipt(CReceiptDlg& dlg) override;
    void RunPadTypesInfo(CPadTypesInfoDlg& dlg) override;
    void RunTestCasePrompt(CRunTestDlg& dlg) override;
    void RunAbout() override;
    void ShowWait() override;
    void SetWaitMessage(const std::string& message) override;
    void HideWait() override;
    void OfferWaitCancel(bool offered) override;
    bool TakeWaitCancel() override;
    void Tone(int frequencyHz, int milliseconds) override;
    void Beep() override;
    void PumpMessages() override;

    // The wait window's Cancel: after the operator confirms, the waiting call is stopped.
    void AskStopWaiting();

  private:
    QWidget* Owner() const { return main_.data(); }

    QPointer<QWidget> main_;
    std::unique_ptr<WaitWindow> wait_;
    bool cancelOffered_ = false;
    bool cancelConfirmed_ = false;
    bool asking_ = false;
    TonePlayer tone_;
};

}  // namespace nt
