#pragma once

#include <QFrame>
#include <QPointer>

class QLabel;
class QPushButton;

namespace nt {

// "Please Wait . . ." while a command runs: a small frameless window over the main window,
// which is disabled as long as this shows. Enter and Esc do not close it. While a payment client
// call that can be stopped waits, it shows a Cancel button.
class WaitWindow : public QFrame {
    Q_OBJECT

  public:
    WaitWindow();

    // Disables `owner` when it is enabled and enables it again on Hide.
    void ShowOver(QWidget* owner);
    void Hide();
    void SetMessage(const QString& message);
    QString Message() const;
    void SetCancelOffered(bool offered);
    QPushButton* CancelButton() const { return cancel_; }

  signals:
    void CancelClicked();

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    // Sized to its contents and centred over the owner's client area.
    void Place();

    QLabel* message_;
    QPushButton* cancel_;
    QPointer<QWidget> owner_;
    bool ownerDisabled_ = false;
};

}  // namespace nt
