// Every dialog of the window on a 1366x768 screen, with the largest contents the simulator
// gives: each lies inside the screen with its buttons in view.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstdlib>
#include <functional>

#include "UiTestSupport.h"
#include "app/ClientFactory.h"
#include "app/TestPosDlg.h"
#include "dialogs/AdditionalAmountsDlg.h"
#include "dialogs/EditXmlDlg.h"
#include "dialogs/GiftTranTypeDlg.h"
#include "dialogs/ManualEntryDlg.h"
#include "dialogs/PadTypesInfoDlg.h"
#include "dialogs/ReceiptDlg.h"
#include "dialogs/RunTestDlg.h"
#include "form/Controls.h"
#include "support/TempDir.h"
#include "ui/MainWindow.h"
#include "ui/QtForm.h"

namespace nt::test {
namespace {

void ExpectInside(const QRect& outer, const QRect& inner, const QString& what) {
    EXPECT_TRUE(outer.contains(inner))
        << what.toStdString() << ": " << inner.x() << "," << inner.y() << " " << inner.width()
        << "x" << inner.height() << " not inside " << outer.width() << "x" << outer.height();
}

// The window and every button of it lie inside the screen's available area.
void ExpectFits(QWidget& window) {
    const QRect screen = window.screen()->availableGeometry();
    ExpectInside(screen, window.frameGeometry(), window.windowTitle());
    for (QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        if (!button->isVisibleTo(&window)) {
            continue;
        }
        const QRect onScreen(button->mapToGlobal(QPoint(0, 0)), button->size());
        ExpectInside(screen, onScreen, window.windowTitle() + QLatin1Char('/') + button->text());
        ExpectInside(QRect(window.mapToGlobal(QPoint(0, 0)), window.size()), onScreen,
                     window.windowTitle() + QLatin1Char('/') + button->text());
    }
}

// Checks every modal dialog as it shows, then accepts it.
class FitChecker : public QObject {
  public:
    FitChecker() { qApp->installEventFilter(this); }
    ~FitChecker() override { qApp->removeEventFilter(this); }
    std::vector<QString> titles;
    std::function<void(QDialog&)> extra;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* dialog = qobject_cast<QDialog*>(watched);
        if (event->type() != QEvent::Show || dialog == nullptr || !dialog->isWindow() ||
            dialog->windowModality() == Qt::NonModal) {
            return false;
        }
        QPointer<QDialog> target(dialog);
        QTimer::singleShot(0, dialog, [this, target] {
            if (target) {
                titles.push_back(target->windowTitle());
                ExpectFits(*target);
                if (extra) {
                    extra(*target);
                }
                target->accept();
            }
        });
        return false;
    }
};

std::string Lines(const char* prefix, int count) {
    std::string text;
    for (int i = 1; i <= count; ++i) {
        text += prefix + std::to_string(i) + "\r\n";
    }
    return text;
}

class ScreenFitTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(QApplication::primaryScreen()->availableGeometry().size(), QSize(1366, 768));
        dlg_ = std::make_unique<CTestPosDlg>(form_, op_, MakeClientFactory("sim"));
        ASSERT_TRUE(dlg_->OnInitDialog());
        window_.Attach(*dlg_);
        window_.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
    }

    QRect OnScreen(int id) const {
        QWidget* w = window_.Control(id);
        return QRect(w->mapToGlobal(QPoint(0, 0)), w->size());
    }

    TempDir dir_;
    MainWindow window_;
    CountingOperator op_{&window_};
    QtForm form_{window_.Controls()};
    std::unique_ptr<CTestPosDlg> dlg_;
    FitChecker checker_;
};

// Placed by its frame: the title bar lies on the screen and the frame sits about the middle of
// the available area (the frame's size is guessed until the window system tells it).
TEST_F(ScreenFitTest, MainWindowFrameCentredInTheAvailableArea) {
    const QRect area = window_.screen()->availableGeometry();
    const QRect frame = window_.frameGeometry();
    ExpectInside(area, frame, QStringLiteral("main window"));
    EXPECT_GT(window_.geometry().top(), frame.top());  // the title bar is part of the frame
    EXPECT_LE(std::abs(frame.center().x() - area.center().x()), 8);
    EXPECT_LE(std::abs(frame.center().y() - area.center().y()), 24);
}

TEST_F(ScreenFitTest, CommandDialogsWithTheBatchCloseResponse) {
    ExpectFits(window_);
    qobject_cast<QAbstractButton*>(window_.Control(id::kSale))->click();
    qobject_cast<QAbstractButton*>(window_.Control(id::kBatchClose))->click();
    EXPECT_GE(checker_.titles.size(), 6u);
    EXPECT_EQ(std::count(checker_.titles.begin(), checker_.titles.end(),
                         QStringLiteral("Edit XML Request")),
              3);
}

TEST_F(ScreenFitTest, TextDialogsWithTheLongestContents) {
    CReceiptDlg receipt;
    receipt.m_receiptText = Lines("RECEIPT LINE ", 100);
    op_.RunReceipt(receipt);
    CPadTypesInfoDlg info;
    for (int i = 1; i <= 60; ++i) {
        info.m_text += "<PadType" + std::to_string(i) + "><PadTypeID>VX" + std::to_string(i) +
                       "</PadTypeID><Processor>Northwind Payments</Processor><Manufacturer>"
                       "Contoso Devices</Manufacturer></PadType" +
                       std::to_string(i) + ">\r\n";
    }
    op_.RunPadTypesInfo(info);
    op_.ResponseMessage("<RStream>\r\n" + Lines("\t<Line>", 90) + "</RStream>");
    CEditXmlDlg edit;
    edit.m_requestText = Lines("\t\t<Field>", 90);
    op_.RunEditXml(edit);
    ASSERT_EQ(checker_.titles.size(), 4u);
}

TEST_F(ScreenFitTest, SmallDialogsAndTheTestCasePrompt) {
    CManualEntryDlg manual;
    op_.RunManualEntry(manual);
    CAdditionalAmountsDlg amounts;
    op_.RunAdditionalAmounts(amounts);
    CGiftTranTypeDlg gift;
    op_.RunGiftTranType(gift);
    op_.RunAbout();
    op_.Question("Reset sequence number to '0010010010'\r\nAre You Sure?");

    // The prompt sits on the window's bottom edge and leaves the fields it names in view.
    checker_.extra = [&](QDialog& prompt) {
        EXPECT_FALSE(prompt.frameGeometry().intersects(OnScreen(id::kAmount)));
        EXPECT_FALSE(prompt.frameGeometry().intersects(OnScreen(id::kTestCaseInfo)));
    };
    CRunTestDlg prompt;
    prompt.m_message = "Run Test case: chip sale with a long description\r\nfor: 12.00";
    op_.RunTestCasePrompt(prompt);
    EXPECT_EQ(checker_.titles.size(), 6u);
}

}  // namespace
}  // namespace nt::test
