#include "script/ScriptRunner.h"

#include <vector>

#include "form/Controls.h"
#include "pos/SequenceSaveBehind.h"
#include "script/RunTestDlg.h"
#include "script/ScriptFile.h"
#include "script/ScriptRow.h"

namespace nt {

namespace {

class NullScriptObserver : public ScriptObserver {
  public:
    void OnScriptStarted(std::span<const ScriptTestCase>) override {}
    void OnTestCaseStarted(const ScriptTestCase&, int) override {}
    void OnTestCaseEnded(const ScriptTestCase&, int, TestCaseOutcome) override {}
    void OnScriptEnded(ScriptEnd) override {}
};

// The runnable rows; the rest of the file is skipped silently.
std::vector<ScriptTestCase> RunnableRows(std::string_view content) {
    std::vector<ScriptTestCase> rows;
    int line = 0;
    for (std::string_view text : ScriptLines(content)) {
        ++line;
        ScriptRow row = SplitScriptRow(text);
        if (IsRunnableRow(row)) {
            rows.push_back(ScriptTestCase{static_cast<int>(rows.size()) + 1, line, std::move(row)});
        }
    }
    return rows;
}

// Fields and options from one row; they stay in the window whatever the tester chooses.
void FillWindow(WindowForm& form, const ScriptRow& row, const std::string& amount) {
    form.SetText(id::kAmount, amount);
    form.SetText(id::kTipAmount, row.Tip());
    if (row.RefNumber() != "Skip") {
        form.SetText(id::kRefNumber, row.RefNumber());
        form.SetText(id::kInvoice, row.RefNumber());
    }
    if (row.AuthCode() != "Skip") {
        form.SetText(id::kAuthCode, row.AuthCode());
    }
    const int flags = LeadingNumber(row.Options());
    form.SetChecked(id::kPromptTip, (flags & kTipFlag) != 0);
    form.OnTipCheck();
    form.SetChecked(id::kPromptManual, (flags & kManualEntryFlag) != 0);
    form.SetChecked(id::kAllowPartialAuth, (flags & kPartialAuthFlag) != 0);
    form.SetChecked(id::kOverride, (flags & kOverrideFlag) != 0);
    const bool french = IsFrenchLanguage(row.Language());
    form.SetChecked(id::kFrenchLocal, french);
    form.SetChecked(id::kEnglishLocal, !french);
    form.SetText(id::kTestCaseInfo, row.Info());
}

}  // namespace

void ScriptRunner::OnRunScript() {
    NullScriptObserver none;
    ScriptObserver& observer = observer_ != nullptr ? *observer_ : none;
    std::optional<std::string> content = ReadScriptFile(kScriptFileName);
    if (!content) {
        op_.Message(std::string("Could not open ") + kScriptFileName);
        observer.OnScriptEnded(ScriptEnd::kCouldNotOpen);
        return;
    }
    const std::vector<ScriptTestCase> testCases = RunnableRows(*content);
    content.reset();
    const int total = static_cast<int>(testCases.size());
    // Each command's save of the sequence number runs behind the next test case; the last one
    // is in the file before this returns.
    SequenceSaveBehind savesBehind(store_);
    observer.OnScriptStarted(testCases);
    for (const ScriptTestCase& testCase : testCases) {
        const ScriptRow& row = testCase.row;
        const std::string amount = ScriptAmount(row.Amount());
        FillWindow(form_, row, amount);
        observer.OnTestCaseStarted(testCase, total);

        int choice = 0;
        while (choice < CRunTestDlg::kDo || choice > CRunTestDlg::kStop) {
            CRunTestDlg prompt;
            prompt.m_message = TestCasePrompt(row.Info(), amount);
            op_.RunTestCasePrompt(prompt);
            choice = prompt.m_choice;
        }
        if (choice == CRunTestDlg::kStop) {
            observer.OnTestCaseEnded(testCase, choice, TestCaseOutcome::kStopped);
            observer.OnScriptEnded(ScriptEnd::kStopped);
            return;
        }
        if (choice == CRunTestDlg::kSkip) {
            observer.OnTestCaseEnded(testCase, choice, TestCaseOutcome::kSkipped);
            continue;
        }
        std::optional<int> button = TransactionButton(row.Type());
        if (button) {
            click_(*button);
        } else {
            op_.Message(" TranType [" + row.Type() + "] is invalid. skipping...");
        }
        observer.OnTestCaseEnded(testCase, choice,
                                 button ? TestCaseOutcome::kRan : TestCaseOutcome::kInvalidType);
    }
    observer.OnScriptEnded(ScriptEnd::kCompleted);
}

}  // namespace nt
