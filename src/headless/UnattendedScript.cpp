#include "headless/UnattendedScript.h"

#include "app/TestPosDlg.h"
#include "headless/ScriptProgress.h"
#include "script/JUnitReport.h"
#include "script/ScriptFile.h"
#include "script/ScriptReport.h"

namespace nt {

int RunScriptUnattended(CTestPosDlg& dlg, const std::string& junitPath, Clock& clock,
                        std::ostream& err) {
    JUnitReport junit;
    if (!junitPath.empty() && !junit.Open(junitPath)) {
        err << "nordteller: cannot write the report '" << junitPath << "': " << junit.Error()
            << '\n';
        return 2;
    }
    ScriptProgress progress(err);
    ScriptReport report(clock);
    if (!junitPath.empty()) {
        report.AddSink(&junit);
    }
    ScriptObserverList observers(true);
    observers.Add(&progress);
    observers.Add(&report);
    dlg.SetScriptObserver(&observers);
    dlg.SetCommandObserver(&report);
    dlg.OnRunScript();
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
    if (!junitPath.empty() && !junit.Written()) {
        err << "nordteller: cannot write the report '" << junitPath << "': " << junit.Error()
            << '\n';
        return 2;
    }
    if (counts.tests == 0) {
        err << "nordteller: " << kScriptFileName << " has no runnable row\n";
        return 1;
    }
    return counts.failures == 0 ? 0 : 1;
}

}  // namespace nt
