#include <gtest/gtest.h>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTreeWidget>

#include "form/Controls.h"
#include "ui/MainWindow.h"
#include "ui/QtForm.h"

namespace nt::test {
namespace {

// The form over a window that has no window logic attached: only what the form itself does.
class QtFormTest : public ::testing::Test {
  protected:
    MainWindow window_;
    QtForm form_{window_.Controls()};
};

TEST_F(QtFormTest, TextsCrossAsWindows1252) {
    const std::string text =
        "Cr\xE9"
        "dit \x80 5";
    form_.SetText(id::kAuthCode, text);
    EXPECT_EQ(qobject_cast<QLineEdit*>(window_.Control(id::kAuthCode))->text(),
              QString::fromUtf8("Cr\u00e9dit \u20ac 5"));
    EXPECT_EQ(form_.Text(id::kAuthCode), text);
}

TEST_F(QtFormTest, MultiLineTextKeepsCrLfForTheCore) {
    form_.SetText(id::kTestCaseInfo, "case 7\r\nsecond line");
    auto* edit = qobject_cast<QPlainTextEdit*>(window_.Control(id::kTestCaseInfo));
    EXPECT_EQ(edit->toPlainText(), QStringLiteral("case 7\nsecond line"));
    edit->appendPlainText(QStringLiteral("typed"));
    EXPECT_EQ(form_.Text(id::kTestCaseInfo), "case 7\r\nsecond line\r\ntyped");
}

TEST_F(QtFormTest, CaptionsReadBackAsTheCoreWroteThem) {
    auto* gift = qobject_cast<QPushButton*>(window_.Control(id::kGiftCards));
    EXPECT_EQ(gift->text(), QStringLiteral("GIFT\nCARDS"));  // two lines on screen
    EXPECT_EQ(form_.Text(id::kGiftCards), "GIFT\rCARDS");
    EXPECT_EQ(form_.Text(id::kPinPadIpAddressLabel), "PINPadIPAddress");
    EXPECT_EQ(form_.Text(id::kSendingSeqNo), "Sending POS Seq No.");

    form_.SetText(id::kReceivedSeqNo, "0010010042");
    EXPECT_EQ(qobject_cast<QLabel*>(window_.Control(id::kReceivedSeqNo))->text(),
              QStringLiteral("0010010042"));
    EXPECT_EQ(form_.Text(id::kReceivedSeqNo), "0010010042");
}

TEST_F(QtFormTest, CheckingByProgramRunsNoHandlerAndMayClearARadioGroup) {
    auto* english = qobject_cast<QRadioButton*>(window_.Control(id::kEnglishLocal));
    auto* french = qobject_cast<QRadioButton*>(window_.Control(id::kFrenchLocal));
    QSignalSpy clicks(french, &QAbstractButton::clicked);

    form_.SetChecked(id::kEnglishLocal, true);
    form_.SetChecked(id::kFrenchLocal, true);
    EXPECT_TRUE(form_.Checked(id::kFrenchLocal));
    EXPECT_FALSE(english->isChecked());  // checking one clears its group

    form_.SetChecked(id::kFrenchLocal, false);
    EXPECT_FALSE(french->isChecked());
    EXPECT_FALSE(english->isChecked());
    EXPECT_EQ(clicks.count(), 0);

    form_.SetChecked(id::kOverride, true);
    EXPECT_TRUE(form_.Checked(id::kOverride));
    EXPECT_FALSE(form_.Checked(id::kSale));  // a push button has no check state
}

TEST_F(QtFormTest, StatesAreTheControlsOwn) {
    // Before the window shows, what will show.
    EXPECT_TRUE(form_.Visible(id::kSale));
    EXPECT_FALSE(form_.Visible(id::kRunScript));
    window_.show();
    EXPECT_TRUE(form_.Visible(id::kMerchantId));
    EXPECT_FALSE(form_.Visible(id::kRunScript));
    EXPECT_FALSE(form_.Visible(id::kGiftCards));
    form_.SetVisible(id::kGiftCards, true);
    EXPECT_TRUE(window_.Control(id::kGiftCards)->isVisible());
    EXPECT_TRUE(form_.Visible(id::kGiftCards));

    // The wait window disables the whole window; the controls keep their own state.
    window_.setEnabled(false);
    EXPECT_TRUE(form_.Enabled(id::kMerchantId));
    EXPECT_FALSE(form_.Enabled(id::kPinPadIpAddress));
    form_.SetEnabled(id::kPinPadIpAddress, true);
    EXPECT_TRUE(form_.Enabled(id::kPinPadIpAddress));
    window_.setEnabled(true);
    EXPECT_TRUE(window_.Control(id::kPinPadIpAddress)->isEnabled());
}

TEST_F(QtFormTest, TreeTextIsTheSelectedNode) {
    auto* tree = qobject_cast<QTreeWidget*>(window_.Control(id::kPadTree));
    EXPECT_EQ(form_.Text(id::kPadTree), "");
    auto* root = new QTreeWidgetItem(tree, QStringList{QStringLiteral("Processor")});
    auto* leaf = new QTreeWidgetItem(root, QStringList{QStringLiteral("P400")});
    tree->setCurrentItem(leaf);
    EXPECT_EQ(form_.Text(id::kPadTree), "P400");
}

TEST_F(QtFormTest, UnknownIdentifiersReadEmpty) {
    form_.SetText(4242, "x");
    form_.SetChecked(4242, true);
    EXPECT_EQ(form_.Text(4242), "");
    EXPECT_FALSE(form_.Checked(4242));
    EXPECT_FALSE(form_.Enabled(4242));
    EXPECT_FALSE(form_.Visible(4242));
}

}  // namespace
}  // namespace nt::test
