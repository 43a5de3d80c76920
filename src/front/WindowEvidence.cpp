#include "front/WindowEvidence.h"

#include "app/TestPosDlg.h"
#include "front/ReportPath.h"

namespace nt {

std::optional<std::string> WindowEvidence::Open() {
    if (std::optional<std::string> fault = ReportPathFault(requests_)) {
        return fault;
    }
    if (std::optional<ReportFault> fault = reports_.Open()) {
        return "cannot write the report '" + fault->path + "': " + fault->why;
    }
    reports_.AddTo(report_);
    return std::nullopt;
}

void WindowEvidence::Attach(CTestPosDlg& dlg, ScriptObserver& window) {
    observers_.Add(&window);
    observers_.Add(&report_);
    dlg.SetScriptObserver(&observers_);
    dlg.SetCommandObserver(&report_);
}

}  // namespace nt
