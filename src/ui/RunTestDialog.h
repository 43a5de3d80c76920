#pragma once

#include <QDialog>

namespace nt {

class CRunTestDlg;

// The script's test case prompt ("Run Script"): do, skip (also Escape and the close box) or stop.
class RunTestDialog : public QDialog {
    Q_OBJECT

  public:
    explicit RunTestDialog(CRunTestDlg& dlg, QWidget* parent = nullptr);

    void accept() override;
    void reject() override;

  private:
    void Stop();

    CRunTestDlg& dlg_;
};

}  // namespace nt
