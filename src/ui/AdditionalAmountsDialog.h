#pragma once

#include <QDialog>
#include <functional>

namespace nt {

class CAdditionalAmountsDlg;

// "Additional Amounts": three amount fields and OK; Escape and the close box end without OK.
class AdditionalAmountsDialog : public QDialog {
    Q_OBJECT

  public:
    AdditionalAmountsDialog(CAdditionalAmountsDlg& dlg, std::function<void()> beep,
                            QWidget* parent = nullptr);
    // OK: the fields' accepted texts become the members.
    void accept() override;

  private:
    CAdditionalAmountsDlg& dlg_;
};

}  // namespace nt
