#pragma once

#include <string>
#include <vector>

#include "script/ScriptRow.h"

namespace nt {

// One runnable row of Script.csv.
struct ScriptTestCase {
    int index = 0;  // 1-based among the runnable rows
    int line = 0;   // 1-based line of the file
    ScriptRow row;
    // Why the row could not be put into the window (a column a field refused, or the line could
    // not be read); empty when it was.
    std::string notEntered;
    // Unattended runs only: a Run row whose line could not be read (row holds its marker only).
    bool unreadable = false;
    // A run of one shard (--shard K/N): its name ("2/4"); empty otherwise.
    std::string shard{};
    // A shard's follow-on row whose original ran in another shard: not run, and notEntered says
    // why.
    bool notRun = false;
};

// How a test case ended: the prompt's choice, and what the runner did with it.
enum class TestCaseOutcome {
    kRan,          // "Do The Test": the command ran to its end
    kInvalidType,  // "Do The Test" with a transaction type not in the table: message shown
    kSkipped,      // "Skip the Test"
    kStopped,      // "Stop the Script": nothing ran, the script ends
    kNotEntered,   // unattended: a column could not be put into the window, nothing ran
};

// kInterrupted: SIGINT or SIGTERM asked the program to stop; the rows after it were not reached.
enum class ScriptEnd { kCouldNotOpen, kStopped, kCompleted, kInterrupted };

// Progress of a script run, for the window's "Test case i of n" and headless reports. Free of
// any toolkit; all calls come on the window's thread, inside OnRunScript.
class ScriptObserver {
  public:
    virtual ~ScriptObserver() = default;
    // The file was read; it has `total` runnable rows.
    virtual void OnScriptStarted(int total) = 0;
    // The row's fields are set and its prompt is about to show.
    virtual void OnTestCaseStarted(const ScriptTestCase& testCase, int total) = 0;
    virtual void OnTestCaseEnded(const ScriptTestCase& testCase, int choice,
                                 TestCaseOutcome outcome) = 0;
    // After a stop: each runnable row the run did not reach, in file order.
    virtual void OnTestCaseNotReached(const ScriptTestCase&) {}
    // Always the last call of a run, also when the file could not be opened.
    virtual void OnScriptEnded(ScriptEnd end) = 0;
    // An unattended run fails a row it could not put into the window instead of prompting.
    virtual bool Unattended() const { return false; }
};

// Hands every call on to several observers, in the order they were added.
class ScriptObserverList : public ScriptObserver {
  public:
    explicit ScriptObserverList(bool unattended = false) : unattended_(unattended) {}
    void Add(ScriptObserver* observer) { observers_.push_back(observer); }

    void OnScriptStarted(int total) override {
        for (ScriptObserver* o : observers_) {
            o->OnScriptStarted(total);
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
    void OnTestCaseNotReached(const ScriptTestCase& testCase) override {
        for (ScriptObserver* o : observers_) {
            o->OnTestCaseNotReached(testCase);
        }
    }
    void OnScriptEnded(ScriptEnd end) override {
        for (ScriptObserver* o : observers_) {
            o->OnScriptEnded(end);
        }
    }
    bool Unattended() const override { return unattended_; }

  private:
    std::vector<ScriptObserver*> observers_;
    bool unattended_;
};

}  // namespace nt
