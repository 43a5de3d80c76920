#include "ui/RunTestDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/RunTestDlg.h"
#include "ui/CoreText.h"
#include "ui/QtText.h"

namespace nt {

namespace {

QPushButton* Button(const QString& caption, int id, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::number(id));
    return button;
}

}  // namespace

RunTestDialog::RunTestDialog(CRunTestDlg& dlg, QWidget* parent) : QDialog(parent), dlg_(dlg) {
    setObjectName(QStringLiteral("133"));
    setWindowTitle(tr("Run Script"));
    auto* message = new QLabel(TrCore(LinesToQt(dlg_.m_message)), this);
    message->setObjectName(QStringLiteral("1047"));
    message->setTextFormat(Qt::PlainText);
    message->setMinimumWidth(320);

    QPushButton* run = Button(tr("Do The Test"), 1, this);
    run->setDefault(true);
    QPushButton* skip = Button(tr("Skip the Test"), 2, this);
    QPushButton* stop = Button(tr("Stop the Script"), 1048, this);
    connect(run, &QPushButton::clicked, this, &QDialog::accept);
    connect(skip, &QPushButton::clicked, this, &QDialog::reject);
    connect(stop, &QPushButton::clicked, this, &RunTestDialog::Stop);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(run);
    buttons->addWidget(skip);
    buttons->addStretch();
    buttons->addWidget(stop);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(message);
    layout->addLayout(buttons);
}

void RunTestDialog::accept() {
    dlg_.OnOK();
    QDialog::accept();
}

void RunTestDialog::reject() {
    dlg_.OnCancel();
    QDialog::reject();
}

void RunTestDialog::Stop() {
    dlg_.OnStopScript();
    QDialog::accept();
}

}  // namespace nt
