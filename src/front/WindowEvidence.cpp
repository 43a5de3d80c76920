#include "front/WindowEvidence.h"

#include "app/TestPosDlg.h"
#include "front/ReportPath.h"

namespace nt {

std::optional<std::string> WindowEvidence::Open(const std::string& path) {
    if (std::optional<std::string> fault = ReportPathFault(path)) {
        return fault;
    }
    if (!html_.Open(path)) {
        return "cannot write the report '" + path + "': " + html_.Error();
    }
    report_.AddSink(&html_);
    return std::nullopt;
}

void WindowEvidence::Attach(CTestPosDlg& dlg, ScriptObserver& window) {
    observers_.Add(&window);
    observers_.Add(&report_);
    dlg.SetScriptObserver(&observers_);
    dlg.SetCommandObserver(&report_);
}

}  // namespace nt
