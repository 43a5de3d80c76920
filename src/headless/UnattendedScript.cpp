#include "headless/UnattendedScript.h"

#include <optional>

#include "app/TestPosDlg.h"
#include "front/ReportWriters.h"
#include "headless/ScriptProgress.h"
#include "platform/QuotedInput.h"
#include "script/ScriptFile.h"
#include "script/ScriptLineReader.h"
#include "script/ScriptReport.h"

namespace nt {

int RunScriptUnattended(CTestPosDlg& dlg, const RunInfo& run, Clock& clock, std::ostream& err) {
    // Read as the window reads it, a file with CR-only line ends would run its first row with
    // the rest of the file in its last column; an unattended run refuses it instead.
    if (ScriptLineReader file(kScriptFileName); file.Opened()) {
        if (const int line = LoneCarriageReturnLine(file)) {
            err << "nordteller: " << kScriptFileName << " line " << line
                << ": carriage return without line feed (CR-only line ends are not read as "
                   "line ends); save the file with LF or CR LF line ends\n";
            return 2;
        }
        if (file.FirstLongLine() != 0) {
            err << "nordteller: " << kScriptFileName << " line " << file.FirstLongLine()
                << ": longer than 1 MiB, not a test case\n";
        }
    }
    const auto cannotWrite = [&err](const ReportFault& fault) {
        err << "nordteller: cannot write the report " << QuoteInput(fault.path) << ": " << fault.why
            << '\n';
        return 2;
    };
    ReportWriters reports(run);
    if (std::optional<ReportFault> fault = reports.Open()) {
        return cannotWrite(*fault);
    }
    ScriptProgress progress(err);
    ScriptReport report(clock);
    reports.AddTo(report);
    ScriptObserverList observers(true);
    observers.Add(&progress);
    observers.Add(&report);
    dlg.SetScriptObserver(&observers);
    dlg.SetCommandObserver(&report);
    dlg.scriptRunner().OnRunScript();
    dlg.SetCommandObserver(nullptr);
    dlg.SetScriptObserver(nullptr);

    if (!report.Opened()) {
        err << "nordteller: Could not open " << kScriptFileName << '\n';
        return 2;
    }
    const ReportCounts& counts = report.Counts();
    err << "nordteller: script: " << counts.tests << " test cases, "
        << counts.tests - counts.failures - counts.skipped << " passed, " << counts.failures
        << " failed, " << counts.skipped << " skipped\n";
    if (std::optional<ReportFault> fault = reports.Unwritten()) {
        return cannotWrite(*fault);
    }
    if (counts.tests == 0) {
        err << "nordteller: " << kScriptFileName << " has no runnable row\n";
        return 1;
    }
    return counts.failures == 0 ? 0 : 1;
}

}  // namespace nt
