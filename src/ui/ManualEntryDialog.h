#pragma once

#include <QDialog>

class QLineEdit;

namespace nt {

class CManualEntryDlg;

// "Manual Items Entry": zip code, street number and CVV of a keyed card, unchecked.
class ManualEntryDialog : public QDialog {
    Q_OBJECT

  public:
    explicit ManualEntryDialog(CManualEntryDlg& dlg, QWidget* parent = nullptr);
    // OK: the fields become the members; Cancel leaves the members as they were.
    void accept() override;

  private:
    CManualEntryDlg& dlg_;
    QLineEdit* zip_;
    QLineEdit* street_;
    QLineEdit* cvv_;
};

}  // namespace nt
