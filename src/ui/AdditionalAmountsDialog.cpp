#include "ui/AdditionalAmountsDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "dialogs/AdditionalAmountsDlg.h"
#include "ui/AmountLineEdit.h"
#include "ui/CoreText.h"
#include "ui/Guard.h"
#include "ui/QtText.h"

namespace nt {

AdditionalAmountsDialog::AdditionalAmountsDialog(CAdditionalAmountsDlg& dlg,
                                                 std::function<void()> beep, QWidget* parent)
    : QDialog(parent), dlg_(dlg) {
    setObjectName(QStringLiteral("141"));
    setWindowTitle(tr("Additional Amounts"));
    dlg_.OnInitDialog();

    auto* form = new QFormLayout;
    auto addField = [&](int id, QLabel* label) {
        auto* field = new AmountLineEdit(this);
        field->setObjectName(QString::number(id));
        CAmountEdit* model = dlg_.Field(id);
        field->SetUpdate(
            [model](const std::string& reported) { return model->OnAmountUpdate(reported); });
        field->SetBeep(beep);
        field->ShowText(ToQt(model->GetAmountText()));
        label->setBuddy(field);
        field->setAccessibleName(label->text());
        form->addRow(label, field);
    };
    addField(CAdditionalAmountsDlg::kOriginalId, new QLabel(tr("Original Auth Amount")));
    addField(CAdditionalAmountsDlg::kLastId, new QLabel(tr("Last Authorizied Amount")));
    auto* third = new QLabel(TrCore(ToQt(dlg_.ThirdLabel())));
    third->setObjectName(QString::number(CAdditionalAmountsDlg::kThirdLabelId));
    addField(CAdditionalAmountsDlg::kThirdId, third);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

void AdditionalAmountsDialog::accept() {
    Guarded("Additional Amounts", [&] {
        dlg_.OnOK();
        QDialog::accept();
    });
}

}  // namespace nt
