#include "ui/GiftTranTypeDialog.h"

#include <QGridLayout>
#include <QPushButton>

#include "dialogs/GiftTranTypeDlg.h"
#include "ui/CoreText.h"
#include "ui/Guard.h"

namespace nt {

GiftTranTypeDialog::GiftTranTypeDialog(CGiftTranTypeDlg& dlg, QWidget* parent)
    : QDialog(parent), dlg_(dlg) {
    setObjectName(QStringLiteral("134"));
    setWindowTitle(tr("Pick Gift Gard Tran Type"));
    auto* grid = new QGridLayout(this);
    int row = 0;
    int column = 0;
    for (const auto& choice : CGiftTranTypeDlg::kChoices) {
        auto* button = new QPushButton(TrCore(QString::fromLatin1(choice.caption)), this);
        button->setObjectName(QString::number(choice.id));
        connect(button, &QPushButton::clicked, this, [this, id = choice.id] {
            Guarded("gift card picker", [&] {
                if (dlg_.OnButton(id)) {
                    accept();
                }
            });
        });
        grid->addWidget(button, row, column);
        if (++column == 2) {
            column = 0;
            ++row;
        }
    }
    auto* cancel = new QPushButton(tr("Cancel"), this);
    cancel->setObjectName(QStringLiteral("2"));
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    grid->addWidget(cancel, row + 1, 0, 1, 2);
}

}  // namespace nt
