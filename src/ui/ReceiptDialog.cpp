#include "ui/ReceiptDialog.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QTextBlock>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "dialogs/ReceiptDlg.h"
#include "ui/Placement.h"
#include "ui/QtText.h"

namespace nt {

namespace {

constexpr int kColumns = 40;

QLabel* Ruler(QWidget* parent) {
    auto* ruler = new QLabel(QString::fromLatin1(CReceiptDlg::kRuler), parent);
    ruler->setTextFormat(Qt::PlainText);
    ruler->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    ruler->setIndent(0);
    ruler->setMargin(0);
    return ruler;
}

}  // namespace

ReceiptDialog::ReceiptDialog(const CReceiptDlg& dlg, QWidget* parent)
    : QDialog(parent), above_(Ruler(this)), text_(new QPlainTextEdit(this)), below_(Ruler(this)) {
    setObjectName(QStringLiteral("131"));
    setWindowTitle(tr("Receipt Info"));
    text_->setObjectName(QStringLiteral("1041"));
    text_->setAccessibleName(tr("Receipt"));
    text_->setReadOnly(true);
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    text_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    text_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    text_->setPlainText(LinesToQt(dlg.m_receiptText));

    auto* ok = new QPushButton(tr("OK"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* top = new QHBoxLayout;
    top->addStretch();
    top->addWidget(ok);
    top->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(2);
    layout->addLayout(top);
    layout->addWidget(above_);
    layout->addWidget(text_, 1);
    layout->addWidget(below_);
    SetReceiptFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
}

void ReceiptDialog::SetReceiptFont(const QFont& font) {
    for (QWidget* w : {static_cast<QWidget*>(above_), static_cast<QWidget*>(text_),
                       static_cast<QWidget*>(below_)}) {
        w->setFont(font);
    }
    AlignRulers();
}

// The text starts inside the editor's frame and document margin; the rulers start as far in.
void ReceiptDialog::AlignRulers() {
    const int inset = text_->frameWidth() + static_cast<int>(text_->document()->documentMargin());
    above_->setContentsMargins(inset, 0, 0, 0);
    below_->setContentsMargins(inset, 0, 0, 0);
    // Wide enough for 40 columns and the scroll bar; tall enough for a screen of receipt.
    const QFontMetrics metrics(text_->font());
    const int width = metrics.horizontalAdvance(QString(kColumns + 1, QLatin1Char('M'))) +
                      2 * inset + text_->verticalScrollBar()->sizeHint().width();
    text_->setMinimumWidth(width);
    text_->setMinimumHeight(metrics.lineSpacing() * kMinimumLines);
    FitToSlip();
}

// Tall enough for every line of the slip, up to the screen's available height (its frame
// included); cut short, the text shows whole lines.
void ReceiptDialog::FitToSlip() {
    const QFontMetrics metrics(text_->font());
    // Lines are laid out at the font's exact spacing, which whole pixels round down.
    const qreal spacing = QFontMetricsF(text_->font()).lineSpacing();
    const int inset = text_->frameWidth() + static_cast<int>(text_->document()->documentMargin());
    int widest = 0;
    int lines = 0;
    for (QTextBlock block = text_->document()->begin(); block.isValid(); block = block.next()) {
        widest = std::max(widest, metrics.horizontalAdvance(block.text()));
        ++lines;
    }
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    // A line wider than the slip brings the horizontal scroll bar.
    const int across = text_->minimumWidth() - 2 * inset - bar;
    const int below = widest > across ? bar : 0;
    const int chrome =
        sizeHint().height() - text_->sizeHint().expandedTo(text_->minimumSize()).height();
    int room = lines;
    if (const QScreen* screen = this->screen()) {
        const int height = screen->availableGeometry().height() - ExpectedFrame(*this).height();
        room = static_cast<int>((height - chrome - 2 * inset - below) / spacing);
    }
    // A line of slack: the editor keeps the last line whole in view only with room to spare.
    const int shown = std::clamp(lines + 1, kMinimumLines, std::max(kMinimumLines, room));
    resize(sizeHint().width(),
           chrome + static_cast<int>(std::ceil(shown * spacing)) + 2 * inset + below);
}

}  // namespace nt
