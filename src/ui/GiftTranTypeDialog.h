#pragma once

#include <QDialog>

namespace nt {

class CGiftTranTypeDlg;

// "Pick Gift Gard Tran Type": a TranCode button ends the dialog with OK at once.
class GiftTranTypeDialog : public QDialog {
    Q_OBJECT

  public:
    explicit GiftTranTypeDialog(CGiftTranTypeDlg& dlg, QWidget* parent = nullptr);

  private:
    CGiftTranTypeDlg& dlg_;
};

}  // namespace nt
