#include "headless/ScriptProgress.h"

#include "headless/Transcript.h"

namespace nt {

namespace {

// Test Case Info is the script's text: shown escaped and, like every quote of input on stderr,
// bounded, with the size of what was left out.
constexpr size_t kShownInfoBytes = 80;

std::string ShownInfo(const std::string& info) {
    if (info.size() <= kShownInfoBytes) {
        return EscapeText(info);
    }
    return EscapeText(std::string_view(info).substr(0, kShownInfoBytes)) + "... (" +
           std::to_string(info.size()) + " bytes)";
}

}  // namespace

void ScriptProgress::OnTestCaseStarted(const ScriptTestCase& testCase, int total) {
    err_ << "nordteller: test case " << testCase.index << " of " << total << ": "
         << ShownInfo(testCase.unreadable ? testCase.notEntered : testCase.row.Info()) << '\n';
}

}  // namespace nt
