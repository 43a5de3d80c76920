#include "ui/EditXmlDialog.h"

#include <QDialogButtonBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/EditXmlDlg.h"
#include "ui/FixedTextView.h"
#include "ui/Guard.h"
#include "ui/QtText.h"
#include "ui/TabKeys.h"

namespace nt {

EditXmlDialog::EditXmlDialog(CEditXmlDlg& dlg, QWidget* parent)
    : QDialog(parent), dlg_(dlg), edit_(new QPlainTextEdit(this)) {
    setObjectName(QStringLiteral("142"));
    setWindowTitle(tr("Edit XML Request"));
    edit_->setObjectName(QStringLiteral("1200"));
    edit_->setAccessibleName(tr("XML request"));
    MakeFixedTextView(*edit_);
    // Sized for the whole request with room for both scroll bars (FitDialogToText): they show
    // only when a request is larger than the screen or grows while edited.
    edit_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    edit_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // The request is reviewed more often than edited: OK has the focus, Tab leaves the text.
    TabMovesFocus(*edit_);
    edit_->setPlainText(LinesToQt(dlg_.m_requestText));
    edit_->document()->setModified(false);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(edit_);
    layout->addWidget(buttons);
    FitDialogToText(*this, *edit_);
    buttons->button(QDialogButtonBox::Ok)->setFocus();
}

void EditXmlDialog::accept() {
    Guarded("Edit XML Request", [&] {
        // Untouched, the request goes back byte for byte, whatever its line ends.
        if (edit_->document()->isModified()) {
            dlg_.m_requestText = LinesFromQt(edit_->toPlainText());
        }
        QDialog::accept();
    });
}

}  // namespace nt
