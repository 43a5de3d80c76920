#pragma once

#include <span>
#include <vector>

#include "script/ScriptRow.h"

namespace nt {

// One runnable row of Script.csv.
struct ScriptTestCase {
    int index = 0;  // 1-based among the runnable rows
    int line = 0;   // 1-based line of the file
    ScriptRow row;
};

// How a test case ended: the prompt's choice, and what the runner did with it.
enum class TestCaseOutcome {
    kRan,          // "Do The Test": the command ran to its end
    kInvalidType,  // "Do The Test" with a transaction type not in the table: message shown
    kSkipped,      // "Skip the Test"
    kStopped,      // "Stop the Script": nothing ran, the script ends
};

enum class ScriptEnd { kCouldNotOpen, kStopped, kCompleted };

// Progress of a script run, for the window's "Test case i of n" and headless reports. Free of
// any toolkit; all calls come on the window's thread, inside OnRunScript.
class ScriptObserver {
  public:
    virtual ~ScriptObserver() = default;
    // The file was read; these are its runnable rows, in file order (total = their number).
    virtual void OnScriptStarted(std::span<const ScriptTestCase> testCases) = 0;
    // The row's fields are set and its prompt is about to show.
    virtual void OnTestCaseStarted(const ScriptTestCase& testCase, int total) = 0;
    virtual void OnTestCaseEnded(const ScriptTestCase& testCase, int choice,
                                 TestCaseOutcome outcome) = 0;
    // Always the last call of a run, also when the file could not be opened.
    virtual void OnScriptEnded(ScriptEnd end) = 0;
};

// Hands every call on to several observers, in the order they were added.
class ScriptObserverList : public ScriptObserver {
  public:
    void Add(ScriptObserver* observer) { observers_.push_back(observer); }

    void OnScriptStarted(std::span<const ScriptTestCase> testCases) override {
        for (ScriptObserver* o : observers_) {
            o->OnScriptStarted(testCases);
        }
    }
    void OnTestCaseStarted(const ScriptTestCase& testCase, int total) override {
        for (ScriptObserver* o : observers_) {
            o->OnTestCaseStarted(testCase, total);
        }
    }
    void OnTestCaseEnded(const ScriptTestCase& testCase, int choice,
                         TestCaseOutcome outcome) override {
        for (ScriptObserver* o : observers_) {
            o->OnTestCaseEnded(testCase, choice, outcome);
        }
    }
    void OnScriptEnded(ScriptEnd end) override {
        for (ScriptObserver* o : observers_) {
            o->OnScriptEnded(end);
        }
    }

  private:
    std::vector<ScriptObserver*> observers_;
};

}  // namespace nt
