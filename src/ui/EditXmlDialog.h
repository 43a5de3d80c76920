#pragma once

#include <QDialog>

class QPlainTextEdit;

namespace nt {

class CEditXmlDlg;

// "Edit XML Request": the request in a fixed-pitch editor, lines unwrapped, both scroll bars,
// sized to show the whole request where the screen allows; OK has the focus.
class EditXmlDialog : public QDialog {
    Q_OBJECT

  public:
    explicit EditXmlDialog(CEditXmlDlg& dlg, QWidget* parent = nullptr);

    QPlainTextEdit* Editor() const { return edit_; }
    // OK: the editor's text becomes the request.
    void accept() override;

  private:
    CEditXmlDlg& dlg_;
    QPlainTextEdit* edit_;
};

}  // namespace nt
