#pragma once

#include <ostream>

#include "front/LogFailureNotice.h"
#include "front/RunInfo.h"
#include "platform/Clock.h"

namespace nt {

class CTestPosDlg;

// Runs Script.csv on the open window with progress on `err`, failing rows a field refused;
// streams each report `run` asks for once the file was read. Returns the exit status: 0 when no
// test case failed (skipped ones do not fail), 1 when one did or the file has no runnable row
// (with a line on `err`), 2 after a line on `err` when Script.csv could not be opened or a
// report could not be written (a folder that cannot take it: before any row), 4 when the run's
// evidence (the daily log, a receipt, a report, the journal) could not be written whole: each
// such loss is told once through `notice`, and the test cases that lost theirs fail.
int RunScriptUnattended(CTestPosDlg& dlg, const RunInfo& run, Clock& clock, std::ostream& err,
                        LogFailureNotice& notice);
// The same, telling losses on `err`.
int RunScriptUnattended(CTestPosDlg& dlg, const RunInfo& run, Clock& clock, std::ostream& err);

// Whether evidence of this process's run could not be written: a write that failed, or logging
// that stopped before its time.
bool RunEvidenceLost();

}  // namespace nt
