#pragma once

#include "dialogs/Operator.h"

namespace nt {

// An operator that passes everything on to another; operators that add to a few calls derive
// from it and override those.
class ForwardingOperator : public Operator {
  public:
    explicit ForwardingOperator(Operator& inner) : inner_(inner) {}

    void Message(const std::string& text) override { inner_.Message(text); }
    void ResponseMessage(const std::string& text) override { inner_.ResponseMessage(text); }
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
    void OfferWaitCancel(bool offered) override { inner_.OfferWaitCancel(offered); }
    bool TakeWaitCancel() override { return inner_.TakeWaitCancel(); }
    void Tone(int frequencyHz, int milliseconds) override {
        inner_.Tone(frequencyHz, milliseconds);
    }
    void Beep() override { inner_.Beep(); }
    void PumpMessages() override { inner_.PumpMessages(); }

  protected:
    Operator& inner_;
};

}  // namespace nt
