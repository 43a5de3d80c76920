#pragma once

#include <QFrame>
#include <QPointer>

class QLabel;

namespace nt {

// "Please Wait . . ." while a command runs: a small frameless window over the main window,
// which is disabled as long as this shows. Enter and Esc do not close it.
class WaitWindow : public QFrame {
    Q_OBJECT

  public:
    WaitWindow();

    // Disables `owner` when it is enabled and enables it again on Hide.
    void ShowOver(QWidget* owner);
    void Hide();
    void SetMessage(const QString& message);
    QString Message() const;

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    QLabel* message_;
    QPointer<QWidget> owner_;
    bool ownerDisabled_ = false;
};

}  // namespace nt
