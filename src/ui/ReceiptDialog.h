#pragma once

#include <QDialog>

class QLabel;
class QPlainTextEdit;

namespace nt {

class CReceiptDlg;

// "Receipt Info": the receipt as a 40-column printer shows it, with the column ruler above and
// below. Ruler and text share one fixed-pitch font and one left edge, so they line up column
// for column at any font size.
class ReceiptDialog : public QDialog {
    Q_OBJECT

  public:
    explicit ReceiptDialog(const CReceiptDlg& dlg, QWidget* parent = nullptr);

    void SetReceiptFont(const QFont& font);
    QPlainTextEdit* Text() const { return text_; }
    QLabel* RulerAbove() const { return above_; }
    QLabel* RulerBelow() const { return below_; }

  private:
    static constexpr int kMinimumLines = 24;

    void AlignRulers();
    void FitToSlip();

    QLabel* above_;
    QPlainTextEdit* text_;
    QLabel* below_;
};

}  // namespace nt
