#include "app/TestPosApp.h"

#include "app/ClientFactory.h"

namespace nt {

bool CTestPosApp::InitInstance(Form& drawn, Operator& op,
                               const std::function<void(CTestPosDlg&)>& modal) {
    CTestPosDlg dlg(drawn, op, MakeClientFactory(control_));
    bool started = dlg.OnInitDialog();
    if (modal) {
        modal(dlg);
    }
    if (!dlg.Closed()) {
        dlg.OnCancel();
    }
    return started;
}

}  // namespace nt
