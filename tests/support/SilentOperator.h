#pragma once

#include <string>

#include "dialogs/Operator.h"

namespace nt {

// An operator that answers every prompt at once with OK / Yes and shows nothing: fuzz targets
// and benchmarks run the window's logic without anyone in front of it.
class SilentOperator : public Operator {
  public:
    int messages = 0;

    void Message(const std::string&) override { ++messages; }
    bool Question(const std::string&) override { return true; }
    bool RunEditXml(CEditXmlDlg&) override { return true; }
    bool RunManualEntry(CManualEntryDlg&) override { return true; }
    bool RunAdditionalAmounts(CAdditionalAmountsDlg&) override { return true; }
    bool RunGiftTranType(CGiftTranTypeDlg&) override { return false; }
    void RunReceipt(CReceiptDlg&) override {}
    void RunPadTypesInfo(CPadTypesInfoDlg&) override {}
    void RunTestCasePrompt(CRunTestDlg&) override {}
    void RunAbout() override {}
    void ShowWait() override {}
    void SetWaitMessage(const std::string&) override {}
    void HideWait() override {}
    void Tone(int, int) override {}
    void Beep() override {}
    void PumpMessages() override {}
};

}  // namespace nt
