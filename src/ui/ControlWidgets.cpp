#include "ui/ControlWidgets.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QStyleFactory>
#include <QTreeWidget>

#include "ui/AmountLineEdit.h"
#include "ui/CoreText.h"
#include "ui/QtText.h"
#include "ui/TabKeys.h"

namespace nt {

namespace {

QWidget* MakeDisplay(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setFrameShape(QFrame::Box);
    label->setAlignment(Qt::AlignCenter);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("0000000000")) +
                           16);
    return label;
}

QWidget* MakeTree(QWidget* parent) {
    auto* tree = new QTreeWidget(parent);
    tree->setHeaderHidden(true);
    tree->setRootIsDecorated(true);
    tree->setSelectionMode(QAbstractItemView::SingleSelection);
    // The classic look the testers know: dotted lines, also at the root, and +/- buttons.
    if (QStyle* lines = QStyleFactory::create(QStringLiteral("Windows"))) {
        lines->setParent(tree);
        tree->setStyle(lines);
    }
    // The selection stays as visible when the tree does not have the focus.
    QPalette palette = tree->palette();
    for (auto role : {QPalette::Highlight, QPalette::HighlightedText}) {
        palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
    }
    tree->setPalette(palette);
    return tree;
}

QWidget* MakeWidget(const ControlSpec& spec, QWidget* parent) {
    const QString caption = TrCore(LinesToQt(spec.caption));
    switch (spec.kind) {
        case ControlKind::Edit:
            return new QLineEdit(parent);
        case ControlKind::DigitsEdit: {
            auto* edit = new QLineEdit(parent);
            edit->setValidator(new QRegularExpressionValidator(
                QRegularExpression(QStringLiteral("[0-9]*")), edit));
            return edit;
        }
        case ControlKind::AmountEdit:
            return new AmountLineEdit(parent);
        case ControlKind::MultiLineEdit: {
            // A TAB typed into Test Case Info would end up in the receipt file's name.
            auto* edit = new QPlainTextEdit(parent);
            TabMovesFocus(*edit);
            return edit;
        }
        case ControlKind::Label:
            return new QLabel(parent);
        case ControlKind::Display:
            return MakeDisplay(parent);
        case ControlKind::Button: {
            auto* button = new QPushButton(caption, parent);
            // Enter never presses a button of the main window.
            button->setAutoDefault(false);
            button->setDefault(false);
            return button;
        }
        case ControlKind::CheckBox:
            return new QCheckBox(caption, parent);
        case ControlKind::Radio:
            return new QRadioButton(caption, parent);
        case ControlKind::Tree:
            return MakeTree(parent);
    }
    return new QWidget(parent);
}

}  // namespace

QString AccessibleCaption(const ControlSpec& spec) {
    if (spec.id == id::kPadTree) {
        return QCoreApplication::translate("CoreText", "Pad type");
    }
    QString caption = TrCore(LinesToQt(spec.caption)).simplified();
    caption.remove(QLatin1Char('&'));
    return caption;
}

QWidget* MakeControl(const ControlSpec& spec, QWidget* parent) {
    QWidget* widget = MakeWidget(spec, parent);
    widget->setObjectName(QString::number(spec.id));
    widget->setAccessibleName(AccessibleCaption(spec));
    // What the amount fields and the pad type tree hold, for a screen reader.
    if (spec.kind == ControlKind::AmountEdit) {
        widget->setAccessibleDescription(
            QCoreApplication::translate("CoreText", "Dollars and cents; digits only"));
    } else if (spec.kind == ControlKind::Tree) {
        widget->setAccessibleDescription(QCoreApplication::translate(
            "CoreText", "Processor, manufacturer and pad type; requests name the selected one"));
    }
    widget->setProperty(kCoreTextProperty, QByteArray(spec.startText));
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        edit->setText(ToQt(spec.startText));
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
        label->setText(TrCore(LinesToQt(spec.startText)));
    }
    if (spec.kind == ControlKind::Button || spec.kind == ControlKind::CheckBox ||
        spec.kind == ControlKind::Radio) {
        widget->setProperty(kCoreTextProperty, QByteArray(spec.caption));
    }
    widget->setEnabled(spec.enabled);
    // Controls the core shows later keep their place, so nothing moves when they appear.
    QSizePolicy policy = widget->sizePolicy();
    policy.setRetainSizeWhenHidden(spec.id != id::kRunScript);
    widget->setSizePolicy(policy);
    if (!spec.visible) {
        widget->hide();
    }
    return widget;
}

}  // namespace nt
