#pragma once

#include <ostream>

#include "script/ScriptObserver.h"

namespace nt {

// Headless mode's progress of a script run: "nordteller: test case i of n: INFO" on stderr as
// each test case starts, INFO escaped as in the transcript.
class ScriptProgress : public ScriptObserver {
  public:
    explicit ScriptProgress(std::ostream& err) : err_(err) {}

    void OnScriptStarted(int) override {}
    void OnTestCaseStarted(const ScriptTestCase& testCase, int total) override;
    void OnTestCaseEnded(const ScriptTestCase&, int, TestCaseOutcome) override {}
    void OnScriptEnded(ScriptEnd) override {}

  private:
    std::ostream& err_;
};

}  // namespace nt
