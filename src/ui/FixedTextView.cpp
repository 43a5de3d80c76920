#include "ui/FixedTextView.h"

#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QTextBlock>
#include <algorithm>

namespace nt {

void MakeFixedTextView(QPlainTextEdit& view) {
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    view.setFont(fixed);
    view.setLineWrapMode(QPlainTextEdit::NoWrap);
    view.setTabStopDistance(4 * QFontMetricsF(fixed).horizontalAdvance(QLatin1Char(' ')));
}

QSize WholeTextSize(const QPlainTextEdit& view) {
    const QFontMetrics metrics(view.font());
    QTextOption tabs;
    tabs.setTabStopDistance(view.tabStopDistance());
    int width = 0;
    int lines = 0;
    for (QTextBlock block = view.document()->begin(); block.isValid(); block = block.next()) {
        width = std::max(width, metrics.horizontalAdvance(block.text(), tabs));
        ++lines;
    }
    const int margins =
        2 * (view.frameWidth() + static_cast<int>(view.document()->documentMargin()));
    const int bar = view.style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    // A character's worth of slack keeps the cursor at a line's end from scrolling.
    return QSize(width + metrics.averageCharWidth() + margins + bar,
                 std::max(lines, 1) * metrics.lineSpacing() + margins + bar);
}

void FitDialogToText(QWidget& dialog, const QPlainTextEdit& view) {
    const QSize chrome = dialog.sizeHint() - view.sizeHint();
    QSize want = chrome + WholeTextSize(view);
    want = want.expandedTo(dialog.minimumSizeHint());
    if (const QScreen* screen = dialog.screen()) {
        want = want.boundedTo(screen->availableGeometry().size());
    }
    dialog.resize(want);
}

}  // namespace nt
