#pragma once

#include <QDialog>
#include <string>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace nt {

// The message box that shows a command's response: its outcome on one coloured line with an
// icon ("Approved — APPROVED") when the response names one, under it the response's TVR, TSI and
// AID decoded ("EMV data") when it has any, the text itself below in a read-only fixed-pitch
// view, and OK, which has the focus.
class ResponseDialog : public QDialog {
    Q_OBJECT

  public:
    explicit ResponseDialog(const std::string& response, QWidget* parent = nullptr);

    // The outcome line; hidden when the response names no outcome.
    QLabel* Outcome() const { return outcome_; }
    // The EMV data block; hidden when the response has no TVR, TSI or AID.
    QLabel* Emv() const { return emv_; }
    QPlainTextEdit* Text() const { return text_; }
    QPushButton* Ok() const { return ok_; }

  private:
    static QString VerdictName(const QString& cmdStatus);

    QLabel* icon_;
    QLabel* outcome_;
    QLabel* emv_;
    QPlainTextEdit* text_;
    QPushButton* ok_;
};

}  // namespace nt
