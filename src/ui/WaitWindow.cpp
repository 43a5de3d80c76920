#include "ui/WaitWindow.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWindow>

#include "ui/Placement.h"

namespace nt {

WaitWindow::WaitWindow()
    : QFrame(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus),
      message_(new QLabel(this)),
      cancel_(new QPushButton(tr("Cancel"), this)) {
    setObjectName(QStringLiteral("107"));
    setFrameShape(QFrame::Box);
    setLineWidth(1);
    message_->setObjectName(QStringLiteral("1005"));
    message_->setAlignment(Qt::AlignCenter);
    auto* please = new QLabel(tr("Please Wait . . ."), this);
    please->setAlignment(Qt::AlignCenter);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 16, 24, 16);
    layout->addWidget(message_);
    layout->addWidget(please);
    cancel_->setObjectName(QStringLiteral("cancel"));
    cancel_->setFocusPolicy(Qt::NoFocus);
    cancel_->hide();
    layout->addWidget(cancel_, 0, Qt::AlignHCenter);
    connect(cancel_, &QPushButton::clicked, this, &WaitWindow::CancelClicked);
    setMinimumSize(280, 100);
}

void WaitWindow::SetCancelOffered(bool offered) {
    if (cancel_->isVisibleTo(this) != offered) {
        cancel_->setVisible(offered);
        Place();
    }
}

void WaitWindow::ShowOver(QWidget* owner) {
    owner_ = owner;
    if (owner != nullptr && owner->isEnabled()) {
        owner->setEnabled(false);
        ownerDisabled_ = true;
    }
    Place();
    show();
    raise();
}

void WaitWindow::Place() {
    adjustSize();
    if (owner_ != nullptr && owner_->isVisible()) {
        winId();
        windowHandle()->setTransientParent(owner_->window()->windowHandle());
        move(CentredOver(ClientRectOnScreen(*owner_->window()), frameGeometry().size()));
    }
}

void WaitWindow::Hide() {
    if (ownerDisabled_ && owner_ != nullptr) {
        owner_->setEnabled(true);
    }
    ownerDisabled_ = false;
    hide();
}

void WaitWindow::SetMessage(const QString& message) {
    message_->setText(message);
}

QString WaitWindow::Message() const {
    return message_->text();
}

void WaitWindow::keyPressEvent(QKeyEvent* event) {
    event->accept();
}

}  // namespace nt
