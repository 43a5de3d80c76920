#include <gtest/gtest.h>
#include <QFontDatabase>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>
#include <QTextBlock>

#include "UiTestSupport.h"
#include "dialogs/ReceiptDlg.h"
#include "ui/ReceiptDialog.h"

namespace nt::test {
namespace {

CReceiptDlg Receipt() {
    CReceiptDlg dlg;
    dlg.m_receiptText =
        "           TRANSACTION RECORD           \r\n"
        "              MERCHANT NAME             \r\n"
        "\r\n"
        "SALE                              $12.34\r\n"
        "Store Credit Only/Cr\xEF\xBF\xBD"
        "dit au magasin un";
    return dlg;
}

// Where column `column` (1-based) of the first receipt line starts, in dialog coordinates.
int TextColumnX(const ReceiptDialog& d, int column) {
    QPlainTextEdit* text = d.Text();
    QTextCursor cursor(text->document()->firstBlock());
    cursor.setPosition(column - 1);
    const QRect caret = text->cursorRect(cursor);
    return text->viewport()->mapTo(&d, QPoint(caret.center().x(), 0)).x();
}

int RulerColumnX(const ReceiptDialog& d, const QLabel* ruler, int column) {
    const QFontMetrics metrics(ruler->font());
    const int left = ruler->mapTo(&d, ruler->contentsRect().topLeft()).x();
    return left + metrics.horizontalAdvance(ruler->text().left(column - 1));
}

TEST(ReceiptDialog, ShowsTheReceiptBetweenTwoRulers) {
    CReceiptDlg dlg = Receipt();
    ReceiptDialog d(dlg);
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Receipt Info"));
    EXPECT_EQ(d.RulerAbove()->text(), QString::fromLatin1(CReceiptDlg::kRuler));
    EXPECT_EQ(d.RulerBelow()->text(), QString::fromLatin1(CReceiptDlg::kRuler));
    EXPECT_EQ(d.RulerAbove()->text().size(), 40);
    EXPECT_TRUE(d.Text()->isReadOnly());
    const QStringList lines = d.Text()->toPlainText().split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(lines[3], QStringLiteral("SALE                              $12.34"));
    // The three bytes of the replacement character show as three characters, as in the file.
    EXPECT_EQ(lines[4],
              QString::fromUtf8("Store Credit Only/Cr\u00ef\u00bf\u00bddit au magasin un"));
    EXPECT_EQ(lines[4].size(), 40);
}

TEST(ReceiptDialog, RulerAndTextLineUpColumnForColumnAtAnySize) {
    CReceiptDlg dlg = Receipt();
    ReceiptDialog d(dlg);
    for (int points : {8, 10, 14, 22}) {
        QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        font.setPointSize(points);
        d.SetReceiptFont(font);
        d.adjustSize();
        d.show();
        for (const QLabel* ruler : {d.RulerAbove(), d.RulerBelow()}) {
            EXPECT_EQ(ruler->font(), d.Text()->font());
            EXPECT_TRUE(FixedPitch(ruler->font()));
            for (int column : {1, 10, 20, 30, 40}) {
                EXPECT_NEAR(RulerColumnX(d, ruler, column), TextColumnX(d, column), 1)
                    << points << " pt, column " << column;
            }
        }
        // All 40 columns fit without scrolling sideways.
        const int end = TextColumnX(d, 41);
        EXPECT_LE(end,
                  d.Text()->viewport()->mapTo(&d, QPoint(d.Text()->viewport()->width(), 0)).x())
            << points << " pt";
    }
}

// A slip opens whole when the screen has room for it, else as tall as the screen allows.
TEST(ReceiptDialog, OpensTallEnoughForTheWholeSlip) {
    for (int count : {40, 200}) {
        CReceiptDlg dlg;
        for (int i = 1; i <= count; ++i) {
            dlg.m_receiptText += "LINE " + std::to_string(i) + "\r\n";
        }
        dlg.m_receiptText += "LAST";
        ReceiptDialog d(dlg);
        d.show();
        QScrollBar* bar = d.Text()->verticalScrollBar();
        const int screen = d.screen()->availableGeometry().height();
        EXPECT_LE(d.frameGeometry().height(), screen) << count;
        if (count == 40) {
            EXPECT_EQ(bar->maximum(), 0) << "the whole slip shows";
        } else {
            EXPECT_GT(d.frameGeometry().height(),
                      screen - 2 * QFontMetrics(d.Text()->font()).lineSpacing());
        }
    }
}

}  // namespace
}  // namespace nt::test
