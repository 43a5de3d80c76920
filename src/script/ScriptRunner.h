#pragma once

#include <functional>
#include <optional>

#include "dialogs/Operator.h"
#include "form/WindowForm.h"
#include "pos/SequenceStore.h"
#include "script/ScriptObserver.h"
#include "script/ScriptShard.h"

namespace nt {

// "Run Script" (hidden): replays the test cases of Script.csv in the current directory, each
// one filled into the window and run by a click on its command button.
class ScriptRunner {
  public:
    // `click` runs the handler bound to a control, as a click on it would.
    ScriptRunner(WindowForm& form, Operator& op, SequenceStore& store,
                 std::function<bool(int)> click)
        : form_(form), op_(op), store_(store), click_(std::move(click)) {}
    ScriptRunner(const ScriptRunner&) = delete;
    ScriptRunner& operator=(const ScriptRunner&) = delete;

    void OnRunScript();
    // Progress of the runs; null for none. Not owned.
    void SetObserver(ScriptObserver* observer) { observer_ = observer; }
    // Runs only the shard's test cases (indexes stay those of the whole script); nullopt: all.
    // A follow-on row (a void) that takes its reference from the row before it, when that row is
    // another shard's, is not run: it ends as kNotEntered with notRun set.
    void SetShard(std::optional<ScriptShard> shard) { shard_ = shard; }

  private:
    // Fills the window, prompts and runs one test case; false when the tester stopped the script.
    bool RunTestCase(ScriptTestCase& testCase, int total, ScriptObserver& observer);

    WindowForm& form_;
    Operator& op_;
    SequenceStore& store_;
    std::function<bool(int)> click_;
    ScriptObserver* observer_ = nullptr;
    std::optional<ScriptShard> shard_;
};

}  // namespace nt
