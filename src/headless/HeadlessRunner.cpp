#include "headless/HeadlessRunner.h"

#include "app/TestPosApp.h"
#include "form/Controls.h"
#include "front/LogFailureNotice.h"
#include "front/ReportPath.h"
#include "headless/FormDump.h"
#include "headless/ScriptProgress.h"
#include "headless/UnattendedScript.h"
#include "log/LogDrain.h"
#include "platform/StopSignal.h"

namespace nt {

std::optional<ScenarioError> HeadlessRunner::Run(CTestPosDlg& dlg,
                                                 const std::vector<Action>& actions) {
    for (const Action& action : actions) {
        if (StopRequested()) {
            break;  // a signal: the shutdown runs, the rest of the scenario does not
        }
        if (auto reason = Perform(dlg, action)) {
            return ScenarioError{action.line, *reason};
        }
    }
    return std::nullopt;
}

std::optional<std::string> HeadlessRunner::Perform(CTestPosDlg& dlg, const Action& action) {
    // Answers are only queued; everything else needs the window.
    if (action.kind == ActionKind::Answer) {
        op_.Queue(action.answer, action.line);
        return std::nullopt;
    }
    if (dlg.Closed()) {
        return "the window is already closed";
    }
    switch (action.kind) {
        case ActionKind::Set:
            dlg.form().SetText(action.id, action.text);
            break;
        case ActionKind::Check:
        case ActionKind::Uncheck:
            dlg.form().SetChecked(action.id, action.kind == ActionKind::Check);
            break;
        case ActionKind::Click:
            Click(dlg, action.id);
            break;
        case ActionKind::Select:
        case ActionKind::SelectNode: {
            const bool leaf = action.kind == ActionKind::Select;
            int node = leaf ? dlg.padCatalog().padTree().FindLeaf(action.text)
                            : dlg.padCatalog().padTree().FindNode(action.text);
            if (node == PadTree::kNone) {
                return leaf ? "no such pad type" : "no such pad tree node";
            }
            dlg.padCatalog().SelectPadNode(node);
            break;
        }
        case ActionKind::Dump:
            DumpForm(form_, dlg.padCatalog().padTree(), out_);
            break;
        case ActionKind::Answer:
            break;
    }
    return std::nullopt;
}

// A click acts whatever the control's enabled or visible state.
void HeadlessRunner::Click(CTestPosDlg& dlg, int id) {
    switch (FindControl(id)->kind) {
        case ControlKind::CheckBox:
            dlg.form().SetChecked(id, !dlg.form().Checked(id));
            dlg.OnCommand(id);
            break;
        case ControlKind::Radio:
            dlg.form().SetChecked(id, true);
            dlg.OnCommand(id);
            break;
        case ControlKind::Button:
            dlg.OnCommand(id);
            break;
        default:
            break;  // a click in a field or on a label runs nothing
    }
}

int RunHeadless(const RunInfo& run, const std::vector<Action>& actions, std::ostream& out,
                std::ostream& err) {
    MemoryForm form;
    Transcript transcript(out);
    ScriptedOperator op(transcript);
    HeadlessRunner runner(form, op, transcript);
    std::optional<ScenarioError> failure;
    int scriptStatus = 0;
    std::optional<std::string> clientMissed;  // why the client a scenario needed is missing
    LogFailureNotice logFailure(err);
    CTestPosApp(run.control).InitInstance(form, op, [&](CTestPosDlg& dlg) {
        logFailure.AfterStartUp();
        ScriptProgress progress(err);  // a scenario may click the hidden "Run Script" itself
        dlg.SetScriptObserver(&progress);
        failure = runner.Run(dlg, actions);
        dlg.SetScriptObserver(nullptr);
        // The unattended script's rows are judged on their own: there, no client fails them.
        if (const ControlHost* host = dlg.gateway().Control(); host != nullptr && host->Missed()) {
            clientMissed = host->CreateError();
        }
        if (failure || !run.runScript) {
            return;
        }
        if (dlg.Closed()) {
            err << "nordteller: the window was closed before the script could run\n";
            scriptStatus = 2;
            return;
        }
        scriptStatus = RunScriptUnattended(dlg, run, SystemClock(), err, logFailure);
    });
    if (!failure && !StopRequested()) {
        failure = op.Leftover();
    }
    DrainLogWriter();
    logFailure.Poll();
    transcript.Flush();
    if (StopRequested()) {
        return StopExitStatus(StopSignal());
    }
    if (failure) {
        err << FormatScenarioError(*failure) << '\n';
        return 2;
    }
    if (clientMissed && scriptStatus != 2) {  // a refusal of the script run says more
        err << "nordteller: a command needed the payment client, which could not be created: "
            << *clientMissed << '\n';
        return 3;
    }
    // The shutdown's own entries count too: they are written by the drain above.
    if (run.runScript && (scriptStatus == 0 || scriptStatus == 1) && RunEvidenceLost()) {
        return 4;
    }
    return scriptStatus;
}

int RunHeadlessFile(const RunInfo& run, const std::string& path, std::ostream& out,
                    std::ostream& err) {
    if (run.runScript) {
        if (std::optional<std::string> fault = ReportPathFault(run.reports)) {
            err << "nordteller: " << *fault << '\n';
            return 2;
        }
    }
    if (path.empty()) {
        return RunHeadless(run, {}, out, err);
    }
    std::string text;
    std::string error;
    if (!ReadScenarioText(path, text, error)) {
        err << "nordteller: " << error << '\n';
        return 2;
    }
    Scenario scenario = ParseScenario(text);
    if (scenario.error) {
        err << FormatScenarioError(*scenario.error) << '\n';
        return 2;
    }
    return RunHeadless(run, scenario.actions, out, err);
}

}  // namespace nt
