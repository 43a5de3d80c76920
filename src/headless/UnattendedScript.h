#pragma once

#include <ostream>

#include "front/RunInfo.h"
#include "platform/Clock.h"

namespace nt {

class CTestPosDlg;

// Runs Script.csv on the open window with progress on `err`, failing rows a field refused;
// streams each report `run` asks for once the file was read. Returns the exit status: 0 when no
// test case failed (skipped ones do not fail), 1 when one did or the file has no runnable row
// (with a line on `err`), 2 after a line on `err` when Script.csv could not be opened or a
// report could not be written (a folder that cannot take it: before any row).
int RunScriptUnattended(CTestPosDlg& dlg, const RunInfo& run, Clock& clock, std::ostream& err);

}  // namespace nt
