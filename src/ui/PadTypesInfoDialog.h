#pragma once

#include <QDialog>

namespace nt {

class CPadTypesInfoDlg;

// "Get Pad Types Info Result": the control's pad types information, read-only, and OK.
class PadTypesInfoDialog : public QDialog {
    Q_OBJECT

  public:
    explicit PadTypesInfoDialog(const CPadTypesInfoDlg& dlg, QWidget* parent = nullptr);
};

}  // namespace nt
