#pragma once

#include <QDialog>
#include <QKeySequence>

#include "script/ScriptObserver.h"
#include "ui/ControlWidgets.h"

class QAction;
class QButtonGroup;
class QLabel;
class QMenu;
class QToolButton;

namespace nt {

class CTestPosDlg;
class PadTreeView;
class ScenarioRecorder;

// The window's own keys, which no window manager takes: the system menu's entries (reached by
// Alt+Space, which window managers such as openbox keep for their own menu) and the hidden
// "Run Script" button.
inline const QKeySequence kAboutKeys{Qt::Key_F1};
inline const QKeySequence kRecordKeys{Qt::CTRL | Qt::SHIFT | Qt::Key_E};
inline const QKeySequence kRunScriptKeys{Qt::CTRL | Qt::SHIFT | Qt::Key_R};

// The main window "Nordteller": draws every control of the table and forwards clicks, typing,
// the tree's selection, Esc, the close box and the system menu to the window logic.
class MainWindow : public QDialog, public ScriptObserver {
    Q_OBJECT

  public:
    explicit MainWindow(QWidget* parent = nullptr);

    const ControlMap& Controls() const { return controls_; }
    QWidget* Control(int id) const;
    // From here on events go to `dlg`, and its pad type tree is drawn; before, clicks do
    // nothing. The window must outlive `dlg`.
    void Attach(CTestPosDlg& dlg);
    // The window's system menu: Minimize, Close, the recording entry, a separator and the About
    // entry last.
    QMenu* SystemMenu() const { return systemMenu_; }
    // What the operator does is written to `recorder` while it records; the title says so.
    void SetRecorder(ScenarioRecorder& recorder);
    // The system menu's recording entry: stops recording, or starts it to a file the operator
    // picks.
    void ToggleRecording();

    // The hidden "Run Script" button's handler: replays Script.csv (also Ctrl+Shift+R).
    void RunScript();

    // A notice for the operator that is no question and needs no answer (logging that
    // stopped): it stays in the title bar, after the progress of a script, "[NOTICE]".
    void ShowNotice(const QString& notice);

    // Script progress shows in the title: "Nordteller - test case i of n: INFO".
    void OnScriptStarted(int total) override;
    void OnTestCaseStarted(const ScriptTestCase& testCase, int total) override;
    void OnTestCaseEnded(const ScriptTestCase&, int, TestCaseOutcome) override {}
    void OnScriptEnded(ScriptEnd end) override;

    // The first show places the window by its frame inside the screen's available area.
    void setVisible(bool visible) override;

    // Enter never closes the main window.
    void accept() override {}
    // Esc and the close box: shutdown, then the window closes. While a command runs they are
    // refused, except that a payment client call that can be stopped asks whether to stop
    // waiting; on yes the window closes once the command has ended.
    void reject() override;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    void BuildControls();
    void BuildSystemMenu();
    QWidget* MakeFooter();
    void ShowKeys();
    void Connect();
    void Forward(int id);
    void ForwardSelection(int node);
    ScenarioRecorder* Recording() const;
    void FinishRecording();
    void StartRecording();
    void ShowRecording();
    void CloseIfShutDown();
    void ShowAbout();
    void SetTitle(const QString& title);

    ControlMap controls_;
    std::map<int, QButtonGroup*> radioGroups_;
    QMenu* systemMenu_ = nullptr;
    CTestPosDlg* dlg_ = nullptr;
    PadTreeView* treeView_ = nullptr;
    ScenarioRecorder* recorder_ = nullptr;
    QAction* recordAction_ = nullptr;
    QAction* aboutAction_ = nullptr;
    QToolButton* recordButton_ = nullptr;
    QLabel* keysHint_ = nullptr;
    QString title_ = QStringLiteral("Nordteller");  // without the recording note and notice
    QString notice_;
    bool closeAfterCommand_ = false;
};

}  // namespace nt
