#include "ui/ManualEntryDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <utility>

#include "dialogs/ManualEntryDlg.h"
#include "ui/Guard.h"
#include "ui/QtText.h"

namespace nt {

namespace {

QLineEdit* Field(int id, const std::string& text, QWidget* parent) {
    auto* edit = new QLineEdit(ToQt(text), parent);
    edit->setObjectName(QString::number(id));
    return edit;
}

}  // namespace

ManualEntryDialog::ManualEntryDialog(CManualEntryDlg& dlg, QWidget* parent)
    : QDialog(parent),
      dlg_(dlg),
      zip_(Field(CManualEntryDlg::kZipCodeId, dlg.m_zipCode, this)),
      street_(Field(CManualEntryDlg::kStreetNumberId, dlg.m_streetNumber, this)),
      cvv_(Field(CManualEntryDlg::kCvvId, dlg.m_cvv, this)) {
    setObjectName(QStringLiteral("132"));
    setWindowTitle(tr("Manual Items Entry"));
    auto* form = new QFormLayout;
    for (auto [field, label] :
         {std::pair{zip_, tr("Zip Code")}, std::pair{street_, tr("Street Number")},
          std::pair{cvv_, tr("CVV")}}) {
        field->setAccessibleName(label);
        form->addRow(label, field);
    }
    form->addRow(new QLabel(tr("(X) = Illegible"), this));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

void ManualEntryDialog::accept() {
    Guarded("Manual Items Entry", [&] {
        dlg_.m_zipCode = FromQt(zip_->text());
        dlg_.m_streetNumber = FromQt(street_->text());
        dlg_.m_cvv = FromQt(cvv_->text());
        QDialog::accept();
    });
}

}  // namespace nt
