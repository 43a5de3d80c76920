#include "headless/UnattendedScript.h"

#include "app/TestPosDlg.h"
#include "headless/ScriptProgress.h"
#include "platform/QuotedInput.h"
#include "script/HtmlReport.h"
#include "script/JUnitReport.h"
#include "script/ScriptFile.h"
#include "script/ScriptLineReader.h"
#include "script/ScriptReport.h"

namespace nt {

int RunScriptUnattended(CTestPosDlg& dlg, const std::string& junitPath, Clock& clock,
                        std::ostream& err, const std::string& htmlPath,
                        const std::string& control) {
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
    const auto cannotWrite = [&err](const std::string& path, const std::string& why) {
        err << "nordteller: cannot write the report " << QuoteInput(path) << ": " << why << '\n';
        return 2;
    };
    JUnitReport junit;
    if (!junitPath.empty() && !junit.Open(junitPath)) {
        return cannotWrite(junitPath, junit.Error());
    }
    HtmlReport html(control);
    if (!htmlPath.empty() && !html.Open(htmlPath)) {
        return cannotWrite(htmlPath, html.Error());
    }
    ScriptProgress progress(err);
    ScriptReport report(clock);
    if (!junitPath.empty()) {
        report.AddSink(&junit);
    }
    if (!htmlPath.empty()) {
        report.AddSink(&html);
    }
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
    if (!junitPath.empty() && !junit.Written()) {
        return cannotWrite(junitPath, junit.Error());
    }
    if (!htmlPath.empty() && !html.Written()) {
        return cannotWrite(htmlPath, html.Error());
    }
    if (counts.tests == 0) {
        err << "nordteller: " << kScriptFileName << " has no runnable row\n";
        return 1;
    }
    return counts.failures == 0 ? 0 : 1;
}

}  // namespace nt
