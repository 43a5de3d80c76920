#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include "MainWindowFixture.h"
#include "form/Controls.h"
#include "ui/QtText.h"

namespace nt::test {
namespace {

using MainWindowTest = MainWindowFixture;

TEST_F(MainWindowTest, StartsWithTheDefaultsOfStartUp) {
    EXPECT_EQ(window_.windowTitle(), QStringLiteral("Nordteller"));
    const std::pair<int, const char*> texts[] = {
        {id::kMerchantId, "70"}, {id::kComPort, "1"},      {id::kHostOrIp, "127.0.0.1"},
        {id::kIpPort, "9000"},   {id::kRefNumber, "1"},    {id::kInvoice, "1"},
        {id::kAmount, "0.00"},   {id::kTipAmount, "0.00"}, {id::kPurchaseLimit, "0.00"},
        {id::kTerminalId, ""},   {id::kOperatorId, ""},
    };
    for (auto [control, text] : texts) {
        EXPECT_EQ(Control<QLineEdit>(control)->text(), QString::fromLatin1(text)) << control;
    }
    // Both displays show the number start-up loaded and wrote back.
    const QString stored = QString::fromStdString(ReadFile("testseqNo.dat"));
    EXPECT_EQ(stored.size(), 10);
    EXPECT_EQ(Control<QLabel>(id::kSendingSeqNo)->text(), stored);
    EXPECT_EQ(Control<QLabel>(id::kReceivedSeqNo)->text(), stored);

    EXPECT_TRUE(Control<QRadioButton>(id::kEnglishLocal)->isChecked());
    EXPECT_TRUE(Control<QRadioButton>(id::kNoFallback)->isChecked());
    EXPECT_FALSE(Control<QRadioButton>(id::kFrenchLocal)->isChecked());
    for (int hidden : {id::kRunScript, id::kGiftCards}) {
        EXPECT_FALSE(Control(hidden)->isVisible()) << hidden;
    }
    // Loading the pad catalog applies a pad type, which enables the PIN pad address fields.
    for (int enabled : {id::kPinPadIpAddress, id::kPinPadIpPort, id::kPinPadIpAddressLabel,
                        id::kPinPadIpPortLabel}) {
        EXPECT_TRUE(Control(enabled)->isEnabled()) << enabled;
    }
    EXPECT_TRUE(Control(id::kTipAmount)->isEnabled());  // the tip rule ran
    for (int box : {id::kPromptTip, id::kCreditOnly, id::kInteracDebitOnly, id::kTranEmv}) {
        EXPECT_FALSE(Control<QCheckBox>(box)->isChecked()) << box;
    }
}

TEST_F(MainWindowTest, EveryControlSitsInItsGroupWithItsCaption) {
    for (const ControlSpec& spec : MainWindowControls()) {
        QWidget* w = Control(spec.id);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->objectName(), QString::number(spec.id));
        EXPECT_EQ(w->window(), &window_) << spec.id;
        QGroupBox* box = nullptr;
        for (QWidget* p = w->parentWidget(); p != nullptr && box == nullptr;
             p = p->parentWidget()) {
            box = qobject_cast<QGroupBox*>(p);
        }
        const QString group = QString::fromLatin1(spec.group);
        EXPECT_EQ(box != nullptr ? box->title() : QString(), group) << spec.id;
        if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            EXPECT_EQ(button->text(), LinesToQt(spec.caption)) << spec.id;
        }
    }
    // Fields carry their label beside them; the two PIN pad fields are labelled by controls.
    for (int field : {id::kMerchantId, id::kAmount, id::kTipAmount, id::kSendingSeqNo,
                      id::kPadRebootTime, id::kTestCaseInfo, id::kMaxTrans}) {
        const QString caption = LinesToQt(FindControl(field)->caption).trimmed();
        bool found = false;
        for (auto* label : window_.findChildren<QLabel*>()) {
            found |= label->buddy() == Control(field) && label->text() == caption;
        }
        EXPECT_TRUE(found) << field;
    }
}

TEST_F(MainWindowTest, FitsALaptopScreen) {
    const QSize needed = window_.minimumSizeHint();
    EXPECT_LE(needed.width(), 1366);
    EXPECT_LE(needed.height(), 768 - 40);  // title bar and panel
}

TEST_F(MainWindowTest, TipRuleFollowsClicksOnPromptForTip) {
    auto* tip = Control<QLineEdit>(id::kTipAmount);
    QTest::keyClicks(tip, "250");
    ASSERT_EQ(tip->text(), QStringLiteral("2.50"));

    Click(Control<QCheckBox>(id::kPromptTip));
    EXPECT_TRUE(Control<QCheckBox>(id::kPromptTip)->isChecked());
    EXPECT_FALSE(tip->isEnabled());
    EXPECT_EQ(tip->text(), QStringLiteral("0.00"));

    Click(Control<QCheckBox>(id::kPromptTip));
    EXPECT_TRUE(tip->isEnabled());
    EXPECT_EQ(tip->text(), QStringLiteral("0.00"));
}

TEST_F(MainWindowTest, CreditOnlyAndInteracDebitOnlyExcludeEachOther) {
    auto* credit = Control<QCheckBox>(id::kCreditOnly);
    auto* interac = Control<QCheckBox>(id::kInteracDebitOnly);

    Click(interac);
    Click(credit);  // undone: Interac Debit Only is checked
    EXPECT_TRUE(interac->isChecked());
    EXPECT_FALSE(credit->isChecked());

    Click(interac);
    Click(credit);
    EXPECT_TRUE(credit->isChecked());
    Click(interac);  // undone the other way round
    EXPECT_FALSE(interac->isChecked());
    EXPECT_TRUE(credit->isChecked());
}

TEST_F(MainWindowTest, RadioGroupsAreExclusiveByClick) {
    Click(Control<QRadioButton>(id::kFrenchLocal));
    EXPECT_TRUE(Control<QRadioButton>(id::kFrenchLocal)->isChecked());
    EXPECT_FALSE(Control<QRadioButton>(id::kEnglishLocal)->isChecked());
    // The other group is not touched.
    EXPECT_TRUE(Control<QRadioButton>(id::kNoFallback)->isChecked());
    Click(Control<QRadioButton>(id::kFrenchFallback));
    EXPECT_FALSE(Control<QRadioButton>(id::kNoFallback)->isChecked());
    EXPECT_TRUE(Control<QRadioButton>(id::kFrenchLocal)->isChecked());
}

TEST_F(MainWindowTest, EnterPressesNothingAndKeepsTheWindowOpen) {
    std::vector<std::pair<QString, std::unique_ptr<QSignalSpy>>> clicks;
    for (auto* button : window_.findChildren<QPushButton*>()) {
        clicks.emplace_back(button->objectName(),
                            std::make_unique<QSignalSpy>(button, &QAbstractButton::clicked));
    }
    QSignalSpy finished(&window_, &QDialog::finished);

    QTest::keyClick(Control(id::kMerchantId), Qt::Key_Return);
    QTest::keyClick(Control(id::kAmount), Qt::Key_Enter);
    Control(id::kSale)->setFocus();
    QTest::keyClick(Control(id::kSale), Qt::Key_Return);
    QTest::keyClick(&window_, Qt::Key_Return);

    for (const auto& [name, spy] : clicks) {
        EXPECT_EQ(spy->count(), 0) << name.toStdString();
    }
    EXPECT_EQ(finished.count(), 0);
    EXPECT_TRUE(window_.isVisible());
    EXPECT_FALSE(dlg_->Closed());
}

TEST_F(MainWindowTest, TabWalksEveryEnabledControlInReadingOrder) {
    // Column by column, each from the top down; a row of buttons from left to right.
    const std::vector<std::vector<int>> columns = {
        {id::kMerchantId, id::kTerminalId, id::kOperatorId, id::kHostOrIp, id::kIpPort,
         id::kComPort, id::kPinPadIpAddress, id::kPinPadIpPort, id::kPreAuth, id::kIncrementalAuth,
         id::kPartialReversal, id::kPreAuthCapture, id::kZeroAuth, id::kTranEmv,
         id::kGetPadTypesInfo, id::kPadTree},  // the set-up column
        {id::kAmount, id::kTipAmount, id::kRefNumber, id::kInvoice, id::kAuthCode, id::kAcqRefData,
         id::kRecordNumber, id::kProcessData, id::kClearRespFields, id::kPadRebootTime,
         id::kTestCaseInfo, id::kResetSequenceNo},  // the transaction column
        {id::kSale, id::kReturn, id::kVoidSale, id::kVoidReturn, id::kVoiceAuth, id::kBalanceInq,
         id::kGetPrePaidStripe, id::kPadReset, id::kKeyChange, id::kParamDownload,
         id::kForcePadReset},  // the command column: commands
        {id::kServerVersion, id::kBatchSummary, id::kBatchClose, id::kOfflineDeclineReport,
         id::kPublicKeyReport, id::kEmvParamsReport, id::kEmvStatisticsReport, id::kAdjust,
         id::kMaxTrans, id::kPurchaseLimit, id::kForceOffline, id::kFwdAll,
         id::kStats},  // admin, reports, store and forward
        {id::kPromptTip, id::kPromptManual, id::kPromptCashBack, id::kAllowPartialAuth,
         id::kOverride, id::kInteracDebitOnly, id::kCreditOnly, id::kSuppressSignature,
         id::kUseTokens, id::kSuppressAmountOk, id::kReturnClearExpDate, id::kCardNotPresent,
         id::kEnglishLocal, id::kFrenchLocal, id::kNoFallback, id::kEnglishFallback,
         id::kFrenchFallback, id::kTranTestMode, id::kExit},  // the option column and E&xit
    };
    std::vector<int> walked;
    QWidget* first = Control(id::kMerchantId);
    first->setFocus();
    ASSERT_EQ(window_.focusWidget(), first);
    for (QWidget* at = first; walked.size() < 200;) {
        walked.push_back(at->objectName().toInt());
        QTest::keyClick(at, Qt::Key_Tab);
        at = window_.focusWidget();
        ASSERT_NE(at, nullptr);
        if (at == first) {
            break;
        }
    }
    std::vector<int> order;
    for (const auto& column : columns) {
        order.insert(order.end(), column.begin(), column.end());
    }
    EXPECT_EQ(walked, order);

    // Test Case Info: Ctrl+Tab types a TAB, Tab leaves it.
    auto* info = Control<QPlainTextEdit>(id::kTestCaseInfo);
    info->setFocus();
    QTest::keyClicks(info, "a");
    QTest::keyClick(info, Qt::Key_Tab, Qt::ControlModifier);
    QTest::keyClicks(info, "b");
    QTest::keyClick(info, Qt::Key_Tab);
    EXPECT_EQ(info->toPlainText(), QStringLiteral("a\tb"));
    EXPECT_EQ(window_.focusWidget(), Control(id::kResetSequenceNo));
}

// "E&xit", Esc in a field and the close box: each shuts down once and closes the window.
class WaysOut : public MainWindowFixture, public ::testing::WithParamInterface<int> {};

TEST_P(WaysOut, ShutDownAndClose) {
    QSignalSpy finished(&window_, &QDialog::finished);
    switch (GetParam()) {
        case 0:
            Click(Control<QPushButton>(id::kExit));
            break;
        case 1:
            QTest::keyClick(Control(id::kAuthCode), Qt::Key_Escape);
            break;
        default:
            EXPECT_TRUE(window_.close());
    }
    EXPECT_TRUE(dlg_->Closed());
    EXPECT_FALSE(window_.isVisible());
    ASSERT_EQ(finished.count(), 1);
    EXPECT_EQ(finished.at(0).at(0).toInt(), QDialog::Rejected);
}

std::string WayName(const ::testing::TestParamInfo<int>& way) {
    const char* names[] = {"Exit", "Escape", "CloseBox"};
    return names[way.param];
}

INSTANTIATE_TEST_SUITE_P(MainWindow, WaysOut, ::testing::Values(0, 1, 2), WayName);

TEST_F(MainWindowTest, CloseBoxIsRefusedWhileACommandRuns) {
    op_.ShowWait();
    EXPECT_FALSE(window_.isEnabled());
    EXPECT_FALSE(window_.close());
    EXPECT_FALSE(dlg_->Closed());
    op_.HideWait();
    EXPECT_TRUE(window_.isEnabled());
    EXPECT_TRUE(window_.close());
    EXPECT_TRUE(dlg_->Closed());
}

void ExpectAboutBox(QDialog& about) {
    EXPECT_EQ(about.windowTitle(), QStringLiteral("About Nordteller"));
    QStringList texts;
    bool icon = false;
    for (auto* label : about.findChildren<QLabel*>()) {
        texts << label->text();
        icon |= !label->pixmap().isNull();
    }
    EXPECT_TRUE(icon);
    EXPECT_TRUE(texts.contains(QStringLiteral("Nordteller Version 1.23")));
    EXPECT_TRUE(texts.contains(QStringLiteral("nordteller " NORDTELLER_VERSION)));  // as --version
    EXPECT_EQ(texts.size(), 4);  // icon, version, one more line, the build's version
    const auto buttons = about.findChildren<QAbstractButton*>();
    ASSERT_EQ(buttons.size(), 1);
    EXPECT_EQ(buttons[0]->text().remove(QLatin1Char('&')), QStringLiteral("OK"));
    buttons[0]->click();
}

// Logging that stopped is told in the title bar, not in a box, and stays through script progress.
TEST_F(MainWindowTest, NoticeStaysInTheTitleThroughScriptProgress) {
    window_.ShowNotice(QStringLiteral("logging stopped: cannot open X: Not a directory"));
    const QString notice = QStringLiteral(" [logging stopped: cannot open X: Not a directory]");
    EXPECT_EQ(window_.windowTitle(), "Nordteller" + notice);
    ScriptTestCase testCase;
    testCase.index = 1;
    testCase.row.columns[8] = "first";
    window_.OnTestCaseStarted(testCase, 2);
    EXPECT_EQ(window_.windowTitle(), "Nordteller - test case 1 of 2: first" + notice);
    window_.OnScriptEnded(ScriptEnd::kCompleted);
    EXPECT_EQ(window_.windowTitle(), "Nordteller" + notice);
}

TEST_F(MainWindowTest, AboutIsTheLastEntryOfTheSystemMenu) {
    const auto actions = window_.SystemMenu()->actions();
    ASSERT_GE(actions.size(), 2);
    EXPECT_TRUE(actions[actions.size() - 2]->isSeparator());
    EXPECT_EQ(actions.back()->text(), QStringLiteral("&About Nordteller..."));

    DialogDriver driver;
    driver.Then(ExpectAboutBox);
    actions.back()->trigger();
    EXPECT_EQ(driver.Titles(), std::vector<QString>{QStringLiteral("About Nordteller")});
    EXPECT_TRUE(window_.isVisible());
}

TEST_F(MainWindowTest, AboutButtonOpensTheAboutBox) {
    DialogDriver driver;
    driver.Then(ExpectAboutBox);
    window_.findChild<QToolButton*>(QStringLiteral("about"))->click();
    EXPECT_EQ(driver.Titles().size(), 1u);
}

// Window managers take Alt+Space: About and recording have keys of their own, named at the
// bottom of the window.
TEST_F(MainWindowTest, AboutAndRecordingHaveKeysTheWindowNames) {
    window_.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
    DialogDriver driver;
    driver.Then(ExpectAboutBox);
    QTest::keyClick(&window_, Qt::Key_F1);
    EXPECT_EQ(driver.Titles().size(), 1u);
    EXPECT_EQ(window_.findChild<QLabel*>(QStringLiteral("keys"))->text(),
              QStringLiteral("F1: About, Ctrl+Shift+E: Recording"));
    // Without a recorder (no --record, no file to pick to) the entry stays off.
    EXPECT_FALSE(window_.findChild<QToolButton*>(QStringLiteral("record"))->isEnabled());
}

TEST(MainWindowStartUp, MissingClientIsReportedOnceAndTheWindowStillWorks) {
    TempDir dir;
    MainWindow window;
    QtOperator op(&window);
    QtForm form(window.Controls());
    CTestPosDlg dlg(form, op, MissingClientFactory());
    DialogDriver driver;
    driver.Then([](QDialog& d) {
        auto& box = dynamic_cast<QMessageBox&>(d);
        EXPECT_EQ(box.windowTitle(), QStringLiteral("Nordteller"));
        EXPECT_EQ(box.icon(), QMessageBox::NoIcon);
        // The loader's reason follows on a line of its own.
        EXPECT_EQ(box.text(),
                  QStringLiteral("Failed to Create CardBridgeX.ocx you may need to reinstall the "
                                 "product - Fatal Error!\nnot installed"));
        EXPECT_EQ(box.buttons().size(), 1);
        EXPECT_EQ(box.standardButton(box.buttons().at(0)), QMessageBox::Ok);
        box.buttons().at(0)->click();
    });
    EXPECT_FALSE(dlg.OnInitDialog());
    EXPECT_EQ(driver.Titles().size(), 1u);
    EXPECT_EQ(ReadFile("testseqNo.dat").size(), 10u);

    window.Attach(dlg);
    window.show();
    Click(qobject_cast<QCheckBox*>(window.Control(id::kPromptTip)));
    EXPECT_FALSE(window.Control(id::kTipAmount)->isEnabled());
}

}  // namespace
}  // namespace nt::test

namespace nt::test {
namespace {

class PadTreeTest : public MainWindowFixture {};

TEST_F(PadTreeTest, DrawsTheCatalogAndForwardsTheOperatorsPick) {
    dlg_->padCatalog().BuildPadCatalog(
        "<PadTypeID1>LM320</PadTypeID1><Processor1>Northwind</Processor1>"
        "<Manufacturer1>Lumatek</Manufacturer1><PadTypeID2>KT820-POSPAD</PadTypeID2>"
        "<Processor2>Northwind</Processor2><Manufacturer2>Kestrel</Manufacturer2>",
        "LM320");
    auto* tree = Control<QTreeWidget>(id::kPadTree);
    ASSERT_EQ(tree->topLevelItemCount(), 1);
    QTreeWidgetItem* root = tree->topLevelItem(0);
    EXPECT_EQ(root->text(0), "Processor");
    ASSERT_EQ(root->childCount(), 1);
    ASSERT_EQ(root->child(0)->childCount(), 2);
    ASSERT_NE(tree->currentItem(), nullptr);
    EXPECT_EQ(tree->currentItem()->text(0), "LM320");
    EXPECT_FALSE(Control<QCheckBox>(id::kAllowPartialAuth)->isChecked());

    QTreeWidgetItem* pospad = root->child(0)->child(1)->child(0);
    tree->setCurrentItem(pospad);  // as a click does
    EXPECT_EQ(dlg_->padCatalog().PadTypeElement(0), "<PadType>KT820-POSPAD</PadType>\r\n");
    EXPECT_TRUE(Control<QCheckBox>(id::kAllowPartialAuth)->isChecked());

    dlg_->padCatalog().padTree().SetEnabled(false);
    EXPECT_FALSE(tree->isEnabled());
}

}  // namespace
}  // namespace nt::test

namespace nt::test {
namespace {

class ScriptFromTheWindowTest : public MainWindowFixture {};

TEST_F(ScriptFromTheWindowTest, ShortcutRunsTheScriptWithProgressInTheTitle) {
    WriteFile("Script.csv",
              "Run,Amount,Tip,RefNo,AuthCode,TranType,Options,Language,TestCaseInfo\r\n"
              "Run,10,,7,Skip,Sale,0,0,first case\r\n"
              "Run,5,,8,Skip,Return,0,0,second case\r\n");
    DialogDriver driver;
    std::vector<QString> titles;
    for (int row = 0; row < 2; ++row) {
        driver.Then([&](QDialog& d) {
            titles.push_back(window_.windowTitle());
            ButtonByText(d, QStringLiteral("Do The Test"))->click();
        });
        driver.Then([](QDialog& d) { ButtonByText(d, QStringLiteral("OK"))->click(); });
        driver.Then([](QDialog& d) { ButtonByText(d, QStringLiteral("OK"))->click(); });
    }
    QApplication::setActiveWindow(&window_);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
    QTest::keyClick(&window_, Qt::Key_R, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(titles, (std::vector<QString>{"Nordteller - test case 1 of 2: first case",
                                            "Nordteller - test case 2 of 2: second case"}));
    EXPECT_EQ(window_.windowTitle(), "Nordteller");
    EXPECT_EQ(Control<QLineEdit>(id::kRefNumber)->text(), "8");
    EXPECT_FALSE(Control(id::kRunScript)->isVisible());
}

}  // namespace
}  // namespace nt::test
