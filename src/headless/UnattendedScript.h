#pragma once

#include <ostream>
#include <string>

#include "platform/Clock.h"

namespace nt {

class CTestPosDlg;

// What --run-script asks for.
struct ScriptOptions {
    bool run = false;
    std::string junitPath;  // empty: no report file
    std::string htmlPath;   // empty: no evidence report
};

// Runs Script.csv on the open window with progress on `err`, failing rows a field refused;
// streams the JUnit report when a path is given and the file was read. Returns the exit status:
// 0 when no test case failed (skipped ones do not fail), 1 when one did or the file has no
// runnable row (with a line on `err`), 2 after a line on `err` when Script.csv could not be
// opened or the report could not be written (a folder that cannot take it: before any row).
// The HTML evidence report, when `htmlPath` is given, is written the same way; `control` names
// the payment client in its header.
int RunScriptUnattended(CTestPosDlg& dlg, const std::string& junitPath, Clock& clock,
                        std::ostream& err, const std::string& htmlPath = {},
                        const std::string& control = {});

}  // namespace nt
