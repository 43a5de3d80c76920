#pragma once

#include <deque>
#include <initializer_list>
#include <optional>
#include <string>

#include "dialogs/Operator.h"
#include "front/Answer.h"
#include "headless/Scenario.h"
#include "headless/Transcript.h"

namespace nt {

// The operator of headless mode. Prompts take the answer at the head of a first-in first-out
// queue when it fits them, otherwise their default (the answer stays queued); message boxes
// take none. Everything shown is written to the transcript:
//   message: TEXT                  question: TEXT -> yes|no
//   edit: TEXT -> ok|cancel|edited manual-entry: ZIP|STREET|CVV -> ok [A|B|C]|cancel
//   amounts: LABEL -> ok A|B|C|cancel (the amounts taken)
//   gift: -> TRANCODE|cancel       test-case: TEXT -> do|skip|stop
//   receipt: TEXT                  pad-types: TEXT
//   about: TEXT                    wait: MESSAGE
//   tone: FREQUENCY MILLISECONDS   beep
class ScriptedOperator : public Operator {
  public:
    explicit ScriptedOperator(Transcript& out) : out_(out) {}

    void Queue(const Answer& answer, int line) { queue_.push_back({answer, line, ""}); }
    // The first answer no prompt took, as the error of its scenario line.
    std::optional<ScenarioError> Leftover() const;

    void Message(const std::string& text) override;
    bool Question(const std::string& text) override;
    bool RunEditXml(CEditXmlDlg& dlg) override;
    bool RunManualEntry(CManualEntryDlg& dlg) override;
    bool RunAdditionalAmounts(CAdditionalAmountsDlg& dlg) override;
    bool RunGiftTranType(CGiftTranTypeDlg& dlg) override;
    void RunReceipt(CReceiptDlg& dlg) override;
    void RunPadTypesInfo(CPadTypesInfoDlg& dlg) override;
    void RunTestCasePrompt(CRunTestDlg& dlg) override;
    void RunAbout() override;
    void ShowWait() override {}
    void SetWaitMessage(const std::string& message) override;
    void HideWait() override {}
    void Tone(int frequencyHz, int milliseconds) override;
    void Beep() override;
    void PumpMessages() override {}

  private:
    struct Queued {
        Answer answer;
        int line;
        std::string firstMisfit;  // the first prompt it met and did not fit
    };
    // The head of the queue when it is one of `fitting`; nullopt (head stays) otherwise.
    std::optional<Answer> Take(const char* prompt, std::initializer_list<AnswerKind> fitting);

    Transcript& out_;
    std::deque<Queued> queue_;
};

}  // namespace nt
