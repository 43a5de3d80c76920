#pragma once

#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "dialogs/Operator.h"
#include "dialogs/PadTypesInfoDlg.h"
#include "dialogs/ReceiptDlg.h"

namespace nt::test {

// An operator that answers at once and writes down what it was shown, one transcript line each:
//   "message: <text>"          "question: <text> -> yes|no"
//   "edit-xml: ok|cancel"      "manual-entry: ok|cancel"
//   "additional-amounts: ok|cancel"                "gift-tran-type: ok|cancel"
//   "receipt: <text>"  "pad-types-info: <text>"  "test-case-prompt"  "about"
//   "wait: show"               "wait: <message>"   "wait: hide"
//   "tone: <Hz> <ms>"          "beep"
// Questions and the dialogs that end with OK or Cancel take their answers from the front of a
// queue; an empty queue answers yes / OK. Dialog members are left as the caller set them.
// Message pumps are only counted: serial waits pump thousands of times.
class RecordingOperator : public Operator {
  public:
    std::vector<std::string> transcript;
    std::deque<bool> questionAnswers;
    std::deque<bool> dialogAnswers;
    std::vector<std::string> messages;
    std::vector<std::string> receiptTexts;
    std::vector<std::pair<int, int>> tones;
    int beeps = 0;
    int pumps = 0;

    void Message(const std::string& text) override {
        messages.push_back(text);
        transcript.push_back("message: " + text);
    }
    bool Question(const std::string& text) override {
        const bool yes = Next(questionAnswers);
        transcript.push_back("question: " + text + (yes ? " -> yes" : " -> no"));
        return yes;
    }

    bool RunEditXml(CEditXmlDlg&) override { return Dialog("edit-xml"); }
    bool RunManualEntry(CManualEntryDlg&) override { return Dialog("manual-entry"); }
    bool RunAdditionalAmounts(CAdditionalAmountsDlg&) override {
        return Dialog("additional-amounts");
    }
    bool RunGiftTranType(CGiftTranTypeDlg&) override { return Dialog("gift-tran-type"); }
    void RunReceipt(CReceiptDlg& dlg) override {
        receiptTexts.push_back(dlg.m_receiptText);
        transcript.push_back("receipt: " + dlg.m_receiptText);
    }
    void RunPadTypesInfo(CPadTypesInfoDlg& dlg) override {
        transcript.push_back("pad-types-info: " + dlg.m_text);
    }
    void RunTestCasePrompt(CRunTestDlg&) override { transcript.push_back("test-case-prompt"); }
    void RunAbout() override { transcript.push_back("about"); }

    void ShowWait() override { transcript.push_back("wait: show"); }
    void SetWaitMessage(const std::string& message) override {
        transcript.push_back("wait: " + message);
    }
    void HideWait() override { transcript.push_back("wait: hide"); }

    void Tone(int frequencyHz, int milliseconds) override {
        tones.emplace_back(frequencyHz, milliseconds);
        transcript.push_back("tone: " + std::to_string(frequencyHz) + " " +
                             std::to_string(milliseconds));
    }
    void Beep() override {
        ++beeps;
        transcript.push_back("beep");
    }
    void PumpMessages() override { ++pumps; }

  private:
    static bool Next(std::deque<bool>& answers) {
        if (answers.empty()) {
            return true;
        }
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    bool Dialog(const char* name) {
        const bool ok = Next(dialogAnswers);
        transcript.push_back(std::string(name) + (ok ? ": ok" : ": cancel"));
        return ok;
    }
};

}  // namespace nt::test
