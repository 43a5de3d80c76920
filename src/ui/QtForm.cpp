#include "ui/QtForm.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTreeWidget>

#include "ui/AmountLineEdit.h"
#include "ui/CoreText.h"
#include "ui/QtText.h"

namespace nt {

QWidget* QtForm::Find(int id) const {
    auto it = controls_.find(id);
    return it == controls_.end() ? nullptr : it->second;
}

std::string QtForm::Text(int id) const {
    QWidget* w = Find(id);
    if (w == nullptr) {
        return {};
    }
    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        return FromQt(edit->text());
    }
    if (auto* multi = qobject_cast<QPlainTextEdit*>(w)) {
        return LinesFromQt(multi->toPlainText());
    }
    if (auto* tree = qobject_cast<QTreeWidget*>(w)) {
        QTreeWidgetItem* item = tree->currentItem();
        if (item == nullptr || !item->isSelected()) {
            return {};
        }
        // The core's text of a node shown translated.
        const QVariant core = item->data(0, kCoreTextRole);
        return core.isValid() ? core.toByteArray().toStdString() : FromQt(item->text(0));
    }
    // Captions and labels: the text exactly as the core set it.
    return w->property(kCoreTextProperty).toByteArray().toStdString();
}

void QtForm::SetText(int id, const std::string& text) {
    QWidget* w = Find(id);
    if (w == nullptr) {
        return;
    }
    if (auto* amount = qobject_cast<AmountLineEdit*>(w)) {
        amount->ShowText(ToQt(text));
    } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        edit->setText(ToQt(text));
    } else if (auto* multi = qobject_cast<QPlainTextEdit*>(w)) {
        multi->setPlainText(LinesToQt(text));
    } else if (auto* label = qobject_cast<QLabel*>(w)) {
        label->setText(TrCore(LinesToQt(text)));
        w->setProperty(kCoreTextProperty, QByteArray::fromStdString(text));
    } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        button->setText(TrCore(LinesToQt(text)));
        w->setProperty(kCoreTextProperty, QByteArray::fromStdString(text));
    }
}

bool QtForm::Checked(int id) const {
    auto* button = qobject_cast<QAbstractButton*>(Find(id));
    return button != nullptr && button->isCheckable() && button->isChecked();
}

void QtForm::SetChecked(int id, bool checked) {
    auto* button = qobject_cast<QAbstractButton*>(Find(id));
    if (button == nullptr || !button->isCheckable()) {
        return;
    }
    QButtonGroup* group = button->group();
    if (!checked && group != nullptr && group->exclusive()) {
        // An exclusive group refuses to clear its checked button; the core may leave none.
        group->setExclusive(false);
        button->setChecked(false);
        group->setExclusive(true);
        return;
    }
    button->setChecked(checked);
}

bool QtForm::Enabled(int id) const {
    QWidget* w = Find(id);
    // The control's own state: the wait window disabling the whole window does not count.
    return w != nullptr && w->isEnabledTo(w->window());
}

void QtForm::SetEnabled(int id, bool enabled) {
    if (QWidget* w = Find(id)) {
        w->setEnabled(enabled);
    }
}

bool QtForm::Visible(int id) const {
    QWidget* w = Find(id);
    return w != nullptr && w->isVisibleTo(w->window());
}

void QtForm::SetVisible(int id, bool visible) {
    if (QWidget* w = Find(id)) {
        w->setVisible(visible);
    }
}

}  // namespace nt
