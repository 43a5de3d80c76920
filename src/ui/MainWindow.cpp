#include "ui/MainWindow.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QContextMenuEvent>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QShortcut>
#include <QToolButton>
#include <QTreeWidget>
#include <utility>

#include "app/TestPosDlg.h"
#include "front/ScenarioLines.h"
#include "front/ScenarioRecorder.h"
#include "ui/AmountLineEdit.h"
#include "ui/AppIcon.h"
#include "ui/CoreText.h"
#include "ui/Guard.h"
#include "ui/MainWindowLayout.h"
#include "ui/ModalRun.h"
#include "ui/PadTreeView.h"
#include "ui/Placement.h"
#include "ui/QtText.h"

namespace nt {

MainWindow::MainWindow(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("102"));
    setWindowTitle(title_);
    setWindowIcon(AppIcon());
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    BuildControls();
    BuildSystemMenu();
    ArrangeMainWindow(*this, controls_, MakeFooter());
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
    recordAction_ =
        systemMenu_->addAction(tr("Start &Recording..."), this, &MainWindow::ToggleRecording);
    recordAction_->setEnabled(false);
    systemMenu_->addSeparator();
    aboutAction_ =
        systemMenu_->addAction(AppIcon(), tr("&About Nordteller..."), this, &MainWindow::ShowAbout);
    // Window managers take Alt+Space for their own menu: recording and About have keys of their
    // own, shown in the menu and beside the window's buttons, and buttons at the bottom.
    recordAction_->setShortcut(kRecordKeys);
    aboutAction_->setShortcut(kAboutKeys);
    addAction(recordAction_);
    addAction(aboutAction_);
    // The "Run Script" button stays hidden; testers reach the script runner from the keyboard.
    auto* script = new QShortcut(kRunScriptKeys, this);
    connect(script, &QShortcut::activated, this, &MainWindow::RunScript);
    // Alt+Space opens it as on the platform the testers came from.
    auto* shortcut = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Space), this);
    connect(shortcut, &QShortcut::activated, this,
            [this] { systemMenu_->popup(mapToGlobal(QPoint(0, 0))); });
}

namespace {

QToolButton* FooterButton(const QString& name, const QString& text, const QKeySequence& keys,
                          QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setText(text);
    button->setToolTip(keys.toString(QKeySequence::NativeText));
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setAutoRaise(true);
    // Reached by its key; the window's tab order stays the controls'.
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

}  // namespace

QWidget* MainWindow::MakeFooter() {
    auto* footer = new QWidget(this);
    auto* layout = new QHBoxLayout(footer);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* about =
        FooterButton(QStringLiteral("about"), tr("About Nordteller..."), kAboutKeys, footer);
    about->setIcon(AppIcon());
    connect(about, &QToolButton::clicked, this, &MainWindow::ShowAbout);
    recordButton_ =
        FooterButton(QStringLiteral("record"), tr("Start Recording..."), kRecordKeys, footer);
    recordButton_->setEnabled(false);
    connect(recordButton_, &QToolButton::clicked, this, &MainWindow::ToggleRecording);
    keysHint_ = new QLabel(footer);
    keysHint_->setObjectName(QStringLiteral("keys"));
    keysHint_->setEnabled(false);  // drawn dimmed: a reminder, not a control
    layout->addWidget(about);
    layout->addWidget(recordButton_);
    layout->addWidget(keysHint_);
    ShowKeys();
    return footer;
}

// The keys of the footer's buttons, in the window itself.
void MainWindow::ShowKeys() {
    keysHint_->setText(tr("%1: About, %2: Recording")
                           .arg(kAboutKeys.toString(QKeySequence::NativeText),
                                kRecordKeys.toString(QKeySequence::NativeText)));
}

void MainWindow::Attach(CTestPosDlg& dlg) {
    const bool first = dlg_ == nullptr;
    dlg_ = &dlg;
    if (first) {
        Connect();
    }
    dlg.SetScriptObserver(this);
    delete treeView_;
    treeView_ = new PadTreeView(qobject_cast<QTreeWidget*>(Control(id::kPadTree)), dlg,
                                [this](int node) { ForwardSelection(node); });
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
        if (id == id::kExit) {
            FinishRecording();  // the replay shuts down by itself, after the dump
        }
        {
            RecordedAction action(Recording(), dlg_->form(),
                                  ClickLine(dlg_->form(), id, dlg_->IsBound(id)));
            dlg_->OnCommand(id);
        }
        ShowRecording();
        CloseIfShutDown();
    });
    if (std::exchange(closeAfterCommand_, false) && isEnabled()) {
        reject();
    }
}

void MainWindow::ForwardSelection(int node) {
    if (dlg_ == nullptr) {
        return;
    }
    {
        RecordedAction action(Recording(), dlg_->form(),
                              SelectLine(dlg_->padCatalog().padTree(), node));
        dlg_->padCatalog().SelectPadNode(node);
    }
    ShowRecording();
}

void MainWindow::SetRecorder(ScenarioRecorder& recorder) {
    recorder_ = &recorder;
    recordAction_->setEnabled(true);
    recordButton_->setEnabled(true);
    ShowRecording();
}

ScenarioRecorder* MainWindow::Recording() const {
    return recorder_ != nullptr && recorder_->Active() ? recorder_ : nullptr;
}

void MainWindow::FinishRecording() {
    if (ScenarioRecorder* recorder = Recording()) {
        recorder->Finish(dlg_->form());
        ShowRecording();
    }
}

void MainWindow::ToggleRecording() {
    Guarded("recording", [&] {
        if (Recording() != nullptr) {
            FinishRecording();
        } else if (recorder_ != nullptr && dlg_ != nullptr) {
            StartRecording();
        }
    });
}

void MainWindow::StartRecording() {
    QFileDialog dialog(nullptr, tr("Record to"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setNameFilter(tr("Scenarios (*.txt);;All files (*)"));
    dialog.selectFile(QStringLiteral("scenario.txt"));
    if (RunModal(dialog, this) != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return;
    }
    std::string error;
    if (!recorder_->Start(dialog.selectedFiles().first().toStdString(), error)) {
        QMessageBox box(QMessageBox::Warning, QStringLiteral("Nordteller"),
                        TrCore(QString::fromStdString(error)), QMessageBox::Ok);
        RunModal(box, this);
        return;
    }
    recorder_->WriteState(dlg_->form(), dlg_->padCatalog().padTree());
    ShowRecording();
}

// The title and the menu entry follow the recorder; a write that failed is told once.
void MainWindow::ShowRecording() {
    if (recorder_ != nullptr) {
        if (std::optional<std::string> failure = recorder_->TakeFailure()) {
            QMessageBox box(QMessageBox::Warning, QStringLiteral("Nordteller"),
                            QString::fromStdString(*failure), QMessageBox::Ok);
            RunModal(box, this);
        }
    }
    const bool active = Recording() != nullptr;
    recordAction_->setText(active ? tr("Stop &Recording") : tr("Start &Recording..."));
    recordButton_->setText(active ? tr("Stop Recording") : tr("Start Recording..."));
    SetTitle(title_);
}

void MainWindow::CloseIfShutDown() {
    if (dlg_ != nullptr && dlg_->Closed() && isVisible()) {
        QDialog::done(QDialog::Rejected);
    }
}

void MainWindow::reject() {
    // While a command runs the window is disabled; the close box must not end the program then.
    if (!isEnabled()) {
        if (dlg_ != nullptr && dlg_->gateway().CallStoppable() && !closeAfterCommand_) {
            QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Nordteller"),
                            TrCore(QString::fromLatin1(kStopWaitingQuestion)),
                            QMessageBox::Yes | QMessageBox::No);
            // The call may have answered while the question was open.
            if (RunModal(box, this) == QMessageBox::Yes && dlg_->gateway().CallStoppable()) {
                closeAfterCommand_ = true;
                dlg_->gateway().StopWaiting();
            }
        }
        return;
    }
    Guarded("shutdown", [&] {
        if (dlg_ != nullptr) {
            FinishRecording();
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
    QString shown = title_;
    if (ScenarioRecorder* recorder = Recording()) {
        shown += tr(" - recording to %1").arg(QString::fromStdString(recorder->Path()));
    }
    setWindowTitle(notice_.isEmpty() ? shown : shown + QStringLiteral(" [") + notice_ + ']');
}

void MainWindow::ShowAbout() {
    Guarded("About", [&] {
        if (dlg_ != nullptr) {
            dlg_->OnSysCommand(kAboutCommand);
        }
    });
}

void MainWindow::setVisible(bool visible) {
    if (visible && !isVisible() && !testAttribute(Qt::WA_Moved)) {
        if (!testAttribute(Qt::WA_Resized)) {
            adjustSize();
        }
        PlaceFrameInside(*this);
    }
    QDialog::setVisible(visible);
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
