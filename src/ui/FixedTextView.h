#pragma once

#include <QSize>

class QPlainTextEdit;
class QWidget;

namespace nt {

// Shows XML and printer texts as written: the system fixed-pitch font, no wrapping (a tag is
// never split), TAB stops every four characters.
void MakeFixedTextView(QPlainTextEdit& view);

// The size of an editor that shows its whole text without scrolling.
QSize WholeTextSize(const QPlainTextEdit& view);

// Sizes `dialog` so that `view` shows its whole text, within the screen's available area.
void FitDialogToText(QWidget& dialog, const QPlainTextEdit& view);

}  // namespace nt
