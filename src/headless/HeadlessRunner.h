#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "front/RunInfo.h"
#include "headless/MemoryForm.h"
#include "headless/Scenario.h"
#include "headless/ScriptedOperator.h"
#include "headless/Transcript.h"

namespace nt {

class CTestPosDlg;

// Carries out a scenario's actions on an open main window, as the operator's hand would.
class HeadlessRunner {
  public:
    HeadlessRunner(MemoryForm& form, ScriptedOperator& op, Transcript& out)
        : form_(form), op_(op), out_(out) {}

    // Runs the actions in order; the first one that cannot be carried out stops the run.
    std::optional<ScenarioError> Run(CTestPosDlg& dlg, const std::vector<Action>& actions);

  private:
    std::optional<std::string> Perform(CTestPosDlg& dlg, const Action& action);
    void Click(CTestPosDlg& dlg, int id);

    MemoryForm& form_;
    ScriptedOperator& op_;
    Transcript& out_;
};

// Headless mode from start-up to exit: the window's start-up, the actions, Script.csv and its
// reports when `run` asks, the shutdown of "E&xit", the log drained. Script progress goes to
// `err`. Returns the exit status: 0; 1 when a test case of the script failed; 2 after one line
// on `err`; 3 when the payment client could not be created and a command of the scenario needed
// it (the reason on `err`); 4 when the script ran and its evidence could not be written whole.
int RunHeadless(const RunInfo& run, const std::vector<Action>& actions, std::ostream& out,
                std::ostream& err);

// The same from a scenario file ("-": standard input; empty: no actions), read and checked,
// with the report paths, before start-up so that a refused run changes no file.
int RunHeadlessFile(const RunInfo& run, const std::string& path, std::ostream& out,
                    std::ostream& err);

}  // namespace nt
