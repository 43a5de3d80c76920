#include "ui/TabKeys.h"

#include <QKeyEvent>
#include <QPlainTextEdit>

namespace nt {

namespace {

class CtrlTabTypesTab : public QObject {
  public:
    explicit CtrlTabTypesTab(QPlainTextEdit& edit) : QObject(&edit), edit_(edit) {}

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride) {
            return false;
        }
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_Tab || key->modifiers() != Qt::ControlModifier) {
            return false;
        }
        // Claimed at the shortcut stage so no window shortcut takes it first.
        if (event->type() == QEvent::ShortcutOverride) {
            event->accept();
            return true;
        }
        if (!edit_.isReadOnly()) {
            edit_.insertPlainText(QStringLiteral("\t"));
        }
        return true;
    }

  private:
    QPlainTextEdit& edit_;
};

}  // namespace

void TabMovesFocus(QPlainTextEdit& edit) {
    edit.setTabChangesFocus(true);
    edit.installEventFilter(new CtrlTabTypesTab(edit));
}

}  // namespace nt
