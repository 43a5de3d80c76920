#include "support/FlowHarness.h"

#include "log/LogWriter.h"

namespace nt::test {

FlowHarness::FlowHarness(bool withControl) {
    GetLogWriter().Flush();
    PaymentClientFactory factory;
    if (withControl) {
        factory = ScriptedClientFactory(script);
    }
    dlg = std::make_unique<CTestPosDlg>(form, op, factory);
    dlg->OnInitDialog();
    op.transcript.clear();
    op.messages.clear();
}

}  // namespace nt::test
