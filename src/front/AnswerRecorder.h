#pragma once

#include "dialogs/ForwardingOperator.h"
#include "front/ScenarioRecorder.h"

namespace nt {

// The operator at the window, with every prompt's answer told to a recorder as the scenario
// answer that gives it back: the question's button, the dialog's OK with what was typed or its
// Cancel, the gift card picked, the test case prompt's choice. Message boxes, the About box, the
// wait window and tones take no answer and are only passed on.
class AnswerRecorder : public ForwardingOperator {
  public:
    AnswerRecorder(Operator& inner, ScenarioRecorder& recorder)
        : ForwardingOperator(inner), recorder_(recorder) {}

    bool Question(const std::string& text) override;
    bool RunEditXml(CEditXmlDlg& dlg) override;
    bool RunManualEntry(CManualEntryDlg& dlg) override;
    bool RunAdditionalAmounts(CAdditionalAmountsDlg& dlg) override;
    bool RunGiftTranType(CGiftTranTypeDlg& dlg) override;
    void RunReceipt(CReceiptDlg& dlg) override;
    void RunPadTypesInfo(CPadTypesInfoDlg& dlg) override;
    void RunTestCasePrompt(CRunTestDlg& dlg) override;

  private:
    void Record(AnswerKind kind) { recorder_.Answered(Answer{kind, {}, {}}); }
    void RecordFields(const std::string& a, const std::string& b, const std::string& c);

    ScenarioRecorder& recorder_;
};

}  // namespace nt
