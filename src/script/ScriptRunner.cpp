#include "script/ScriptRunner.h"

#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "codes/TranCodes.h"
#include "dialogs/AmountEdit.h"
#include "dialogs/RunTestDlg.h"
#include "form/Controls.h"
#include "platform/StopSignal.h"
#include "pos/SequenceSaveBehind.h"
#include "script/ScriptFile.h"
#include "script/ScriptLineReader.h"
#include "script/ScriptRow.h"

namespace nt {

namespace {

class NullScriptObserver : public ScriptObserver {
  public:
    void OnScriptStarted(int) override {}
    void OnTestCaseStarted(const ScriptTestCase&, int) override {}
    void OnTestCaseEnded(const ScriptTestCase&, int, TestCaseOutcome) override {}
    void OnScriptEnded(ScriptEnd) override {}
};

// Why a Run row of an unattended run cannot be read, or nullopt: a line too long, or one that a
// CR no LF follows runs into the next row (the window reads such a row as it comes).
std::optional<std::string> UnreadableRunRow(const ScriptLineReader& file, std::string_view text) {
    if (file.TooLong()) {
        return HasRunMarker(file.TooLongHead()) ? std::optional<std::string>("longer than 1 MiB")
                                                : std::nullopt;
    }
    const size_t cr = text.find('\r');
    if (cr != std::string_view::npos &&
        (HasRunMarker(text) || HasRunMarker(text.substr(text.find("\rRun") + 1)))) {
        return "carriage return without line feed";
    }
    return std::nullopt;
}

// The row of a line when it is runnable; the rest of the file is skipped silently.
std::optional<ScriptTestCase> RunnableRow(const ScriptLineReader& file, std::string_view text,
                                          bool unattended) {
    const int line = file.Line();
    if (std::optional<std::string> why; unattended && (why = UnreadableRunRow(file, text))) {
        return ScriptTestCase{0, line, SplitScriptRow("Run"),
                              "line " + std::to_string(line) + " could not be read: " + *why, true};
    }
    ScriptRow row = SplitScriptRow(text);
    if (!IsRunnableRow(row)) {
        return std::nullopt;
    }
    return ScriptTestCase{0, line, std::move(row), {}};
}

int CountRunnableRows(ScriptLineReader& file, bool unattended) {
    int total = 0;
    while (std::optional<std::string_view> line = file.Next()) {
        total += RunnableRow(file, *line, unattended) ? 1 : 0;
    }
    return total;
}

// Sets an amount field; what it refused, for the tester, or empty when it took the text.
std::string SetAmount(WindowForm& form, int field, int column, const char* name,
                      const std::string& text) {
    if (form.UpdateAmount(field, text).beeps == 0) {
        return {};
    }
    const std::string quoted = text.size() > 80 ? text.substr(0, 80) + "..." : text;
    return "column " + std::to_string(column) + " (" + name + "): the " + name +
           " field refused '" + quoted + "' (more than " + std::to_string(CAmountEdit::kMaxLength) +
           " digits) and kept " + form.Text(field);
}

// What the amount fields refused of a row; empty texts when they took it.
struct Refusals {
    std::string amount;
    std::string tip;  // empty also when the tip is prompted for: the column does not count then
};

// Fields and options from one row; they stay in the window whatever the tester chooses.
Refusals FillWindow(WindowForm& form, const ScriptRow& row, const std::string& amount) {
    const int flags = LeadingNumber(row.Options());
    Refusals refused{SetAmount(form, id::kAmount, 2, "Amount", amount),
                     SetAmount(form, id::kTipAmount, 3, "Tip", row.Tip())};
    if ((flags & kTipFlag) != 0) {
        refused.tip.clear();
    }
    if (row.RefNumber() != "Skip") {
        form.SetText(id::kRefNumber, row.RefNumber());
        form.SetText(id::kInvoice, row.RefNumber());
    }
    if (row.AuthCode() != "Skip") {
        form.SetText(id::kAuthCode, row.AuthCode());
    }
    form.SetChecked(id::kPromptTip, (flags & kTipFlag) != 0);
    form.OnTipCheck();
    form.SetChecked(id::kPromptManual, (flags & kManualEntryFlag) != 0);
    form.SetChecked(id::kAllowPartialAuth, (flags & kPartialAuthFlag) != 0);
    form.SetChecked(id::kOverride, (flags & kOverrideFlag) != 0);
    const bool french = IsFrenchLanguage(row.Language());
    form.SetChecked(id::kFrenchLocal, french);
    form.SetChecked(id::kEnglishLocal, !french);
    form.SetText(id::kTestCaseInfo, row.Info());
    return refused;
}

// A row whose command refers to an earlier transaction (a void) and takes the reference the
// window holds (its RefNo column is Skip): the response of the row before it left that reference,
// so that row is its original.
bool TakesItsOriginalFromTheRowBefore(const ScriptRow& row) {
    if (row.RefNumber() != "Skip") {
        return false;
    }
    const std::optional<int> button = TransactionButton(row.Type());
    const TranCodeSpec* spec = button ? FindCommandButton(*button) : nullptr;
    return spec != nullptr && spec->sim.followOn;
}

}  // namespace

bool ScriptRunner::RunTestCase(ScriptTestCase& testCase, int total, ScriptObserver& observer) {
    if (testCase.unreadable || testCase.notRun) {
        observer.OnTestCaseStarted(testCase, total);
        observer.OnTestCaseEnded(testCase, 0, TestCaseOutcome::kNotEntered);
        return true;
    }
    const ScriptRow& row = testCase.row;
    const std::string amount = ScriptAmount(row.Amount());
    const Refusals refused = FillWindow(form_, row, amount);
    testCase.notEntered = refused.amount.empty() || refused.tip.empty()
                              ? refused.amount + refused.tip
                              : refused.amount + "; " + refused.tip;
    observer.OnTestCaseStarted(testCase, total);
    if (!testCase.notEntered.empty() && observer.Unattended()) {
        observer.OnTestCaseEnded(testCase, 0, TestCaseOutcome::kNotEntered);
        return true;
    }
    std::string message = TestCasePrompt(row.Info(), amount);
    if (!refused.amount.empty()) {
        message += "\r\nThe Amount field refused this amount: " + form_.Text(id::kAmount) +
                   " will be sent";
    }
    int choice = 0;
    while (choice < CRunTestDlg::kDo || choice > CRunTestDlg::kStop) {
        CRunTestDlg prompt;
        prompt.m_message = message;
        op_.RunTestCasePrompt(prompt);
        choice = prompt.m_choice;
        if (choice < CRunTestDlg::kDo && StopRequested()) {
            return false;  // the window's prompt closed unanswered by a signal: the case is not run
        }
    }
    if (choice == CRunTestDlg::kStop) {
        observer.OnTestCaseEnded(testCase, choice, TestCaseOutcome::kStopped);
        return false;
    }
    if (choice == CRunTestDlg::kSkip) {
        observer.OnTestCaseEnded(testCase, choice, TestCaseOutcome::kSkipped);
        return true;
    }
    std::optional<int> button = TransactionButton(row.Type());
    if (button) {
        click_(*button);
    } else {
        op_.Message(" TranType [" + row.Type() + "] is invalid. skipping...");
    }
    observer.OnTestCaseEnded(testCase, choice,
                             button ? TestCaseOutcome::kRan : TestCaseOutcome::kInvalidType);
    return true;
}

void ScriptRunner::OnRunScript() {
    NullScriptObserver none;
    ScriptObserver& observer = observer_ != nullptr ? *observer_ : none;
    // Read twice, as a stream: once to count the rows, once to run them.
    ScriptLineReader file(kScriptFileName);
    const bool unattended = observer.Unattended();
    const int total = CountRunnableRows(file, unattended);
    if (!file.Rewind()) {
        op_.Message(std::string("Could not open ") + kScriptFileName);
        observer.OnScriptEnded(ScriptEnd::kCouldNotOpen);
        return;
    }
    // Each command's save of the sequence number runs behind the next test case; the last one
    // is in the file before this returns.
    SequenceSaveBehind savesBehind(store_);
    observer.OnScriptStarted(total);
    ScriptEnd end = ScriptEnd::kCompleted;
    int index = 0;
    int lineBefore = 0;  // the line of the runnable row before this one, whichever shard's
    while (std::optional<std::string_view> line = file.Next()) {
        std::optional<ScriptTestCase> testCase = RunnableRow(file, *line, unattended);
        if (!testCase) {
            continue;
        }
        testCase->index = ++index;
        const int previousLine = std::exchange(lineBefore, testCase->line);
        if (shard_) {
            if (!shard_->Holds(index - 1)) {
                continue;  // another shard's
            }
            testCase->shard = shard_->Name();
            if (!testCase->unreadable && previousLine > 0 && !shard_->Holds(index - 2) &&
                TakesItsOriginalFromTheRowBefore(testCase->row)) {
                testCase->notRun = true;
                testCase->notEntered =
                    "its original (line " + std::to_string(previousLine) + ") ran in another shard";
            }
        }
        if (end == ScriptEnd::kStopped) {
            observer.OnTestCaseNotReached(*testCase);
            continue;
        }
        // A stop by a signal is taken between rows: the test case in progress has finished.
        if (StopRequested() || !RunTestCase(*testCase, total, observer)) {
            end = StopRequested() ? ScriptEnd::kInterrupted : ScriptEnd::kStopped;
        }
        if (end == ScriptEnd::kInterrupted) {
            break;
        }
    }
    if (end == ScriptEnd::kCompleted && StopRequested()) {
        end = ScriptEnd::kInterrupted;  // during the last row: the reports still say so
    }
    observer.OnScriptEnded(end);
}

}  // namespace nt
