#pragma once

#include <optional>
#include <string>

#include "platform/Clock.h"
#include "script/HtmlReport.h"
#include "script/ScriptObserver.h"
#include "script/ScriptReport.h"

namespace nt {

class CTestPosDlg;

// The HTML evidence report of the script runs of a window: every run the operator starts writes
// it, replacing the one before, while the window keeps its own view of the progress.
class WindowEvidence {
  public:
    WindowEvidence(std::string control, Clock& clock) : html_(std::move(control)), report_(clock) {}
    WindowEvidence(const WindowEvidence&) = delete;
    WindowEvidence& operator=(const WindowEvidence&) = delete;

    // Before start-up: why the report cannot be written there, or nullopt.
    std::optional<std::string> Open(const std::string& path);
    // The window logic reports to it and to `window` from here on; both must outlive the rest
    // of its use.
    void Attach(CTestPosDlg& dlg, ScriptObserver& window);
    bool Written() const { return html_.Written(); }

  private:
    HtmlReport html_;
    ScriptReport report_;
    ScriptObserverList observers_;
};

}  // namespace nt
