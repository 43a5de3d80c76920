#include "request/ManualEntries.h"

#include "dialogs/ManualEntryDlg.h"

namespace nt {

bool AskManualEntryValues(Operator& op, ManualEntries& remembered) {
    CManualEntryDlg dlg;
    dlg.m_zipCode = remembered.zipCode;
    dlg.m_streetNumber = remembered.streetNumber;
    dlg.m_cvv = remembered.cvv;
    if (!op.RunManualEntry(dlg)) {
        return false;
    }
    remembered = ManualEntries{dlg.m_zipCode, dlg.m_streetNumber, dlg.m_cvv};
    return true;
}

}  // namespace nt
