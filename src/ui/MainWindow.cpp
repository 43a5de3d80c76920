#include "ui/MainWindow.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QShortcut>
#include <QToolButton>
#include <QTreeWidget>

#include "app/TestPosDlg.h"
#include "ui/AmountLineEdit.h"
#include "ui/AppIcon.h"
#include "ui/Guard.h"
#include "ui/MainWindowLayout.h"
#include "ui/PadTreeView.h"
#include "ui/QtText.h"

namespace nt {

MainWindow::MainWindow(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("102"));
    setWindowTitle(QStringLiteral("Nordteller"));
    setWindowIcon(AppIcon());
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    BuildControls();
    BuildSystemMenu();
    ArrangeMainWindow(*this, controls_, MakeAboutButton());
}

QWidget* MainWindow::Control(int id) const {
    auto it = controls_.find(id);
    return it == controls_.end() ? nullptr : it->second;
}

void MainWindow::BuildControls() {
    for (const ControlSpec& spec : MainWindowControls()) {
        QWidget* w = MakeControl(spec, this);
        controls_[spec.id] = w;
        if (spec.radioGroup != 0) {
            QButtonGroup*& group = radioGroups_[spec.radioGroup];
            if (group == nullptr) {
                group = new QButtonGroup(this);
                group->setExclusive(true);
            }
            group->addButton(qobject_cast<QAbstractButton*>(w), spec.id);
        }
    }
}

void MainWindow::BuildSystemMenu() {
    systemMenu_ = new QMenu(this);
    systemMenu_->addAction(tr("Mi&nimize"), this, &QWidget::showMinimized);
    systemMenu_->addAction(tr("&Close"), this, &QWidget::close);
    systemMenu_->addSeparator();
    systemMenu_->addAction(AppIcon(), tr("&About Nordteller..."), this, &MainWindow::ShowAbout);
    // The "Run Script" button stays hidden; testers reach the script runner from the keyboard.
    auto* script = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_R), this);
    connect(script, &QShortcut::activated, this, &MainWindow::RunScript);
    // Alt+Space opens it as on the platform the testers came from.
    auto* shortcut = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Space), this);
    connect(shortcut, &QShortcut::activated, this,
            [this] { systemMenu_->popup(mapToGlobal(QPoint(0, 0))); });
}

QWidget* MainWindow::MakeAboutButton() {
    auto* about = new QToolButton(this);
    about->setObjectName(QStringLiteral("about"));
    about->setIcon(AppIcon());
    about->setText(tr("About Nordteller..."));
    about->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    about->setAutoRaise(true);
    about->setFocusPolicy(Qt::NoFocus);
    connect(about, &QToolButton::clicked, this, &MainWindow::ShowAbout);
    return about;
}

void MainWindow::Attach(CTestPosDlg& dlg) {
    const bool first = dlg_ == nullptr;
    dlg_ = &dlg;
    if (first) {
        Connect();
    }
    dlg.SetScriptObserver(this);
    delete treeView_;
    treeView_ = new PadTreeView(qobject_cast<QTreeWidget*>(Control(id::kPadTree)), dlg);
    treeView_->setParent(this);
}

void MainWindow::Connect() {
    for (auto [control, w] : controls_) {
        if (auto* amount = qobject_cast<AmountLineEdit*>(w)) {
            amount->SetUpdate([this, control = control](const std::string& reported) {
                AmountUpdate update = dlg_->OnAmountEdited(control, reported);
                update.beeps = 0;  // the window logic sounded them through the operator
                return update;
            });
        } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            // clicked comes after a check box has toggled, as the handlers expect.
            connect(button, &QAbstractButton::clicked, this,
                    [this, control = control] { Forward(control); });
        }
    }
}

void MainWindow::Forward(int id) {
    Guarded("command", [&] {
        if (dlg_ == nullptr) {
            return;
        }
        dlg_->OnCommand(id);
        CloseIfShutDown();
    });
}

void MainWindow::CloseIfShutDown() {
    if (dlg_ != nullptr && dlg_->Closed() && isVisible()) {
        QDialog::done(QDialog::Rejected);
    }
}

void MainWindow::reject() {
    // While a command runs the window is disabled; the close box must not end the program then.
    if (!isEnabled()) {
        return;
    }
    Guarded("shutdown", [&] {
        if (dlg_ != nullptr) {
            dlg_->OnCancel();
        }
        QDialog::reject();
    });
}

void MainWindow::RunScript() {
    Forward(id::kRunScript);
}

void MainWindow::OnScriptStarted(int) {}

void MainWindow::OnTestCaseStarted(const ScriptTestCase& testCase, int total) {
    SetTitle(tr("Nordteller - test case %1 of %2: %3")
                 .arg(testCase.index)
                 .arg(total)
                 .arg(ToQt(testCase.row.Info())));
}

void MainWindow::OnScriptEnded(ScriptEnd) {
    SetTitle(QStringLiteral("Nordteller"));
}

void MainWindow::ShowNotice(const QString& notice) {
    notice_ = notice;
    SetTitle(title_);
}

void MainWindow::SetTitle(const QString& title) {
    title_ = title;
    setWindowTitle(notice_.isEmpty() ? title_ : title_ + QStringLiteral(" [") + notice_ + ']');
}

void MainWindow::ShowAbout() {
    Guarded("About", [&] {
        if (dlg_ != nullptr) {
            dlg_->OnSysCommand(kAboutCommand);
        }
    });
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void MainWindow::contextMenuEvent(QContextMenuEvent* event) {
    systemMenu_->popup(event->globalPos());
    event->accept();
}

}  // namespace nt
