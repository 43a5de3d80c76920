#include "ui/AmountLineEdit.h"

#include <QApplication>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QMouseEvent>

#include "ui/Guard.h"
#include "ui/QtText.h"

namespace nt {

namespace {

bool IsDigitKey(const QKeyEvent& event) {
    const QString text = event.text();
    if (text.size() != 1 ||
        (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
        return false;
    }
    // Keypad digits count too: only their key-down is swallowed, their characters arrive.
    return text[0] >= QLatin1Char('0') && text[0] <= QLatin1Char('9');
}

}  // namespace

AmountLineEdit::AmountLineEdit(QWidget* parent)
    : QLineEdit(parent), beep_([] { QApplication::beep(); }) {
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    connect(this, &QLineEdit::textEdited, this, &AmountLineEdit::OnEdited);
}

void AmountLineEdit::ShowText(const QString& text) {
    if (QLineEdit::text() != text) {
        setText(text);
    }
    CaretToEnd();
}

void AmountLineEdit::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Backspace:
            QLineEdit::keyPressEvent(event);
            return;
        case Qt::Key_Delete: {
            QKeyEvent backspace(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier,
                                QStringLiteral("\b"), event->isAutoRepeat(),
                                static_cast<quint16>(event->count()));
            QLineEdit::keyPressEvent(&backspace);
            event->accept();
            return;
        }
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
            event->ignore();  // the dialog's keys: OK, Cancel, or nothing in the main window
            return;
        default:
            break;
    }
    if (IsDigitKey(*event)) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    event->accept();  // arrows, Home, End, Insert, function keys, "." "-", letters, shortcuts
}

void AmountLineEdit::mousePressEvent(QMouseEvent* event) {
    QLineEdit::mousePressEvent(event);
    if (event->button() == Qt::LeftButton) {
        CaretToEnd();
    }
}

void AmountLineEdit::OnEdited(const QString& text) {
    Guarded("amount field", [&] {
        if (!update_) {
            return;
        }
        const AmountUpdate update = update_(FromQt(text));
        ShowText(ToQt(update.shown));
        for (int i = 0; i < update.beeps; ++i) {
            if (beep_) {
                beep_();
            }
        }
    });
}

void AmountLineEdit::CaretToEnd() {
    setCursorPosition(static_cast<int>(text().size()));
}

}  // namespace nt
