#pragma once

class QPlainTextEdit;

namespace nt {

// In a multi-line editor of a dialog, Tab and Shift+Tab move the focus as in every other field
// and Ctrl+Tab types a TAB.
void TabMovesFocus(QPlainTextEdit& edit);

}  // namespace nt
