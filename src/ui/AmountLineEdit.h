#pragma once

#include <QLineEdit>
#include <functional>
#include <string>

#include "dialogs/AmountEdit.h"

namespace nt {

// The cash-register amount field on screen: digits and Backspace only, Delete acting as
// Backspace, the caret always at the end. Every text the operator produces (typing, pasting,
// cutting, dropping) goes to the update callback, and what it returns is shown.
class AmountLineEdit : public QLineEdit {
    Q_OBJECT

  public:
    using Update = std::function<AmountUpdate(const std::string& reported)>;

    explicit AmountLineEdit(QWidget* parent = nullptr);

    void SetUpdate(Update update) { update_ = std::move(update); }
    // The default beep is QApplication::beep().
    void SetBeep(std::function<void()> beep) { beep_ = std::move(beep); }
    // A text that is already formatted; the update callback does not run.
    void ShowText(const QString& text);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    void OnEdited(const QString& text);
    void CaretToEnd();

    Update update_;
    std::function<void()> beep_;
};

}  // namespace nt
