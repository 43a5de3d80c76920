#include "headless/UnattendedScript.h"

#include <optional>

#include "app/TestPosDlg.h"
#include "front/ReportWriters.h"
#include "headless/ScriptProgress.h"
#include "log/LogWriter.h"
#include "platform/EvidenceLoss.h"
#include "platform/QuotedInput.h"
#include "platform/StopSignal.h"
#include "script/ScriptFile.h"
#include "script/ScriptLineReader.h"
#include "script/ScriptReport.h"
#include "script/ScriptRow.h"

namespace nt {

namespace {

// A file with CR-only line ends (old Mac text) reads as one line holding CRs.
bool CrOnlyLineEnds(ScriptLineReader& file) {
    const std::optional<std::string_view> first = file.Next();
    return first && first->find('\r') != std::string_view::npos && !file.Next();
}

// The first line too long that is not a Run row (a Run row fails as a test case), or 0.
int FirstLongOtherLine(ScriptLineReader& file) {
    while (file.Next()) {
        if (file.TooLong() && !HasRunMarker(file.TooLongHead())) {
            return file.Line();
        }
    }
    return 0;
}

}  // namespace

bool RunEvidenceLost() {
    const CLogWriter& log = GetLogWriter();
    return EvidenceWasLost() || (log.Stopped() && !log.StopReason().empty());
}

int RunScriptUnattended(CTestPosDlg& dlg, const RunInfo& run, Clock& clock, std::ostream& err) {
    LogFailureNotice notice(err);
    return RunScriptUnattended(dlg, run, clock, err, notice);
}

int RunScriptUnattended(CTestPosDlg& dlg, const RunInfo& run, Clock& clock, std::ostream& err,
                        LogFailureNotice& notice) {
    // Read as the window reads it, a file with CR-only line ends would run its first row with
    // the rest of the file in its last column; an unattended run refuses it instead. A single
    // Run row that a CR splits, or that is too long, is a failed test case of the run.
    if (ScriptLineReader file(kScriptFileName); file.Opened()) {
        if (CrOnlyLineEnds(file)) {
            err << "nordteller: " << kScriptFileName
                << " line 1: carriage return without line feed (CR-only line ends are not read as "
                   "line ends); save the file with LF or CR LF line ends\n";
            return 2;
        }
        file.Rewind();
        if (const int line = FirstLongOtherLine(file)) {
            err << "nordteller: " << kScriptFileName << " line " << line
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
    ScriptReport report(clock, &GetLogWriter());
    reports.AddTo(report);
    ScriptObserverList observers(true);
    observers.Add(&progress);
    observers.Add(&report);
    dlg.SetScriptObserver(&observers);
    dlg.SetCommandObserver(&report);
    dlg.scriptRunner().SetShard(run.shard);
    dlg.scriptRunner().OnRunScript();
    dlg.scriptRunner().SetShard(std::nullopt);
    dlg.SetCommandObserver(nullptr);
    dlg.SetScriptObserver(nullptr);

    if (!report.Opened()) {
        err << "nordteller: Could not open " << kScriptFileName << '\n';
        return 2;
    }
    const ReportCounts& counts = report.Counts();
    if (!counts.interrupted.empty()) {
        err << "nordteller: script " << counts.interrupted << '\n';
    }
    if (run.shard) {
        err << "nordteller: shard " << run.shard->Name() << ": " << counts.tests << " of the "
            << report.Total() << " test cases of " << kScriptFileName << '\n';
    }
    err << "nordteller: script: " << counts.tests << " test cases, "
        << counts.tests - counts.failures - counts.skipped << " passed, " << counts.failures
        << " failed, " << counts.skipped << " skipped\n";
    if (const int lost = report.EvidenceLostCases()) {
        err << "nordteller: " << lost << " of them failed for evidence that could not be written\n";
    }
    notice.Poll();  // a report that could not be put in place is told here
    const bool evidenceLost = RunEvidenceLost() || reports.Unwritten();
    // A shard that holds none of the script's test cases ran nothing and failed nothing; the
    // script itself must have a runnable row.
    const bool emptyShard = run.shard && counts.tests == 0 && report.Total() > 0;
    if (counts.tests == 0 && !emptyShard) {
        err << "nordteller: " << kScriptFileName << " has no runnable row\n";
    }
    if (StopRequested()) {
        return StopExitStatus(StopSignal());
    }
    if (evidenceLost) {
        return 4;
    }
    return (counts.tests > 0 || emptyShard) && counts.failures == 0 ? 0 : 1;
}

}  // namespace nt
