#include "ui/PadTypesInfoDialog.h"

#include <QDialogButtonBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/PadTypesInfoDlg.h"
#include "ui/FixedTextView.h"
#include "ui/QtText.h"

namespace nt {

PadTypesInfoDialog::PadTypesInfoDialog(const CPadTypesInfoDlg& dlg, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("143"));
    setWindowTitle(tr("Get Pad Types Info Result"));
    auto* text = new QPlainTextEdit(LinesToQt(dlg.m_text), this);
    text->setObjectName(QStringLiteral("1201"));
    text->setAccessibleName(tr("Pad types information"));
    text->setReadOnly(true);
    MakeFixedTextView(*text);
    text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(buttons);
    FitDialogToText(*this, *text);
    buttons->button(QDialogButtonBox::Ok)->setFocus();
}

}  // namespace nt
