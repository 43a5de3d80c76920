#include "headless/ScriptProgress.h"

#include "headless/Transcript.h"

namespace nt {

void ScriptProgress::OnTestCaseStarted(const ScriptTestCase& testCase, int total) {
    err_ << "nordteller: test case " << testCase.index << " of " << total << ": "
         << EscapeText(testCase.unreadable ? testCase.notEntered : testCase.row.Info()) << '\n';
}

}  // namespace nt
