#pragma once

#include <optional>
#include <string>
#include <vector>

#include "front/ReportWriters.h"
#include "front/RunInfo.h"
#include "platform/Clock.h"
#include "script/ScriptObserver.h"
#include "script/ScriptReport.h"

namespace nt {

class CTestPosDlg;

// The reports of the script runs of a window: every run the operator starts writes each of
// them, replacing the one before, while the window keeps its own view of the progress.
class WindowEvidence {
  public:
    WindowEvidence(const RunInfo& run, Clock& clock)
        : requests_(run.reports), reports_(run), report_(clock, &GetLogWriter()) {}
    WindowEvidence(const WindowEvidence&) = delete;
    WindowEvidence& operator=(const WindowEvidence&) = delete;

    // Before start-up: why one of the run's reports cannot be written, or nullopt.
    std::optional<std::string> Open();
    // The window logic reports to it and to `window` from here on; both must outlive the rest
    // of its use.
    void Attach(CTestPosDlg& dlg, ScriptObserver& window);
    // Every report of the last run is in place.
    bool Written() const { return !reports_.Unwritten(); }

  private:
    std::vector<ReportRequest> requests_;
    ReportWriters reports_;
    ScriptReport report_;
    ScriptObserverList observers_;
};

}  // namespace nt
