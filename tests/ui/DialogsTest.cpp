#include <gtest/gtest.h>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>

#include "UiTestSupport.h"
#include "dialogs/AdditionalAmountsDlg.h"
#include "dialogs/EditXmlDlg.h"
#include "dialogs/GiftTranTypeDlg.h"
#include "dialogs/ManualEntryDlg.h"
#include "dialogs/PadTypesInfoDlg.h"
#include "dialogs/RunTestDlg.h"
#include "ui/MainWindow.h"
#include "ui/Placement.h"
#include "ui/QtText.h"
#include "ui/WaitWindow.h"

namespace nt::test {
namespace {

// Each dialog run by the operator over a shown main window and answered like a person would.
class DialogsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        window_.resize(1200, 700);
        window_.show();
    }

    template <class T>
    static T* Child(QDialog& d, const char* name) {
        auto* w = d.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }

    QRect Client() const { return ClientRectOnScreen(window_); }

    MainWindow window_;
    CountingOperator op_{&window_};
    DialogDriver driver_;
};

TEST_F(DialogsTest, MessageAndQuestionBoxes) {
    driver_.Then([](QDialog& d) {
        auto& box = dynamic_cast<QMessageBox&>(d);
        EXPECT_EQ(box.text(), QStringLiteral("Reset?\nAre You Sure?"));
        EXPECT_EQ(box.icon(), QMessageBox::NoIcon);
        EXPECT_EQ(box.buttons().size(), 2);
        box.button(QMessageBox::Yes)->click();
    });
    driver_.Then(
        [](QDialog& d) { dynamic_cast<QMessageBox&>(d).button(QMessageBox::No)->click(); });
    driver_.Then([](QDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); });
    EXPECT_TRUE(op_.Question("Reset?\r\nAre You Sure?"));
    EXPECT_FALSE(op_.Question("Reset?\r\nAre You Sure?"));
    EXPECT_FALSE(op_.Question("Reset?\r\nAre You Sure?"));
    for (const QString& title : driver_.Titles()) {
        EXPECT_EQ(title, QStringLiteral("Nordteller"));
    }
}

TEST_F(DialogsTest, EditXmlGivesBackTheRequestUntouchedOrAsEdited) {
    const std::string request = "<TStream>\r\n\t<Admin>\r\n\t\t<TranCode>EMVSale</TranCode>\r\n";
    CEditXmlDlg dlg;
    dlg.m_requestText = request;
    driver_.Then([&](QDialog& d) {
        auto* edit = Child<QPlainTextEdit>(d, "1200");
        EXPECT_TRUE(FixedPitch(edit->font()));
        EXPECT_EQ(edit->lineWrapMode(), QPlainTextEdit::NoWrap);
        EXPECT_EQ(edit->horizontalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
        EXPECT_EQ(edit->verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
        EXPECT_EQ(d.pos(), CentredOver(Client(), d.frameGeometry().size()));
        ButtonByText(d, QStringLiteral("OK"))->click();
    });
    EXPECT_TRUE(op_.RunEditXml(dlg));
    EXPECT_EQ(dlg.m_requestText, request);

    driver_.Then([](QDialog& d) {
        auto* edit = Child<QPlainTextEdit>(d, "1200");
        edit->moveCursor(QTextCursor::End);
        QTest::keyClicks(edit, "</Admin>");
        QTest::keyClick(edit, Qt::Key_Return);  // Enter breaks the line, it does not press OK
        ASSERT_TRUE(d.isVisible());
        ButtonByText(d, QStringLiteral("OK"))->click();
    });
    EXPECT_TRUE(op_.RunEditXml(dlg));
    EXPECT_EQ(dlg.m_requestText, request + "</Admin>\r\n");

    driver_.Then([](QDialog& d) {
        QTest::keyClicks(Child<QPlainTextEdit>(d, "1200"), "junk");
        ButtonByText(d, QStringLiteral("Cancel"))->click();
    });
    EXPECT_FALSE(op_.RunEditXml(dlg));
    EXPECT_EQ(dlg.m_requestText, request + "</Admin>\r\n");
}

TEST_F(DialogsTest, EditXmlOpensWholeWithOkFocusedAndTabLeavingTheText) {
    const std::string request =
        "<?xml version=\"1.0\"?>\r\n<TStream>\r\n\t<Transaction>\r\n\t\t<MerchantID>700123"
        "</MerchantID>\r\n\t\t<OperatorID>test</OperatorID>\r\n\t\t<TranCode>EMVSale</TranCode>"
        "\r\n\t\t<PadType>Lumatek LM250 POSPAD</PadType>\r\n\t</Transaction>\r\n</TStream>";
    CEditXmlDlg dlg;
    dlg.m_requestText = request;
    driver_.Then([](QDialog& d) {
        auto* edit = Child<QPlainTextEdit>(d, "1200");
        EXPECT_EQ(edit->horizontalScrollBar()->maximum(), 0);  // no line goes out of view
        EXPECT_EQ(edit->verticalScrollBar()->maximum(), 0);
        // Everything fits: neither scroll bar shows.
        EXPECT_FALSE(edit->horizontalScrollBar()->isVisible());
        EXPECT_FALSE(edit->verticalScrollBar()->isVisible());
        EXPECT_EQ(edit->tabStopDistance(),
                  4 * QFontMetricsF(edit->font()).horizontalAdvance(QLatin1Char(' ')));
        QAbstractButton* ok = ButtonByText(d, QStringLiteral("OK"));
        EXPECT_EQ(d.focusWidget(), ok);
        edit->setFocus();
        edit->moveCursor(QTextCursor::Start);
        QTest::keyClick(edit, Qt::Key_Tab, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_Tab);
        EXPECT_NE(d.focusWidget(), edit);
        ok->click();
    });
    EXPECT_TRUE(op_.RunEditXml(dlg));
    EXPECT_EQ(dlg.m_requestText, "\t" + request);
}

TEST_F(DialogsTest, ResponseShowsItsOutcomeAboveTheUnchangedText) {
    struct Case {
        const char* response;
        const char* outcome;  // null: no outcome line
    };
    QColor approved;
    for (const Case& c : {
             Case{"<RStream>\r\n\t<CmdResponse>\r\n\t\t<CmdStatus>Approved</CmdStatus>\r\n"
                  "\t\t<TextResponse>APPROVED</TextResponse>\r\n\t</CmdResponse>\r\n</RStream>",
                  "Approved \u2014 APPROVED"},
             Case{"<RStream><CmdStatus>Error</CmdStatus><TextResponse>INVALID AMOUNT"
                  "</TextResponse></RStream>",
                  "Error \u2014 INVALID AMOUNT"},
             Case{"", nullptr},
         }) {
        driver_.Then([&](QDialog& d) {
            EXPECT_EQ(d.windowTitle(), QStringLiteral("Nordteller"));
            auto* text = Child<QPlainTextEdit>(d, "response");
            EXPECT_EQ(text->toPlainText(), LinesToQt(c.response));
            EXPECT_TRUE(text->isReadOnly());
            EXPECT_TRUE(FixedPitch(text->font()));
            EXPECT_EQ(text->lineWrapMode(), QPlainTextEdit::NoWrap);
            auto* outcome = Child<QLabel>(d, "outcome");
            EXPECT_EQ(outcome->isVisible(), c.outcome != nullptr);
            QAbstractButton* ok = ButtonByText(d, QStringLiteral("OK"));
            EXPECT_EQ(d.focusWidget(), ok);
            if (c.outcome != nullptr) {
                EXPECT_EQ(outcome->text(), QString::fromUtf8(c.outcome));
                const QColor colour = outcome->palette().color(QPalette::WindowText);
                if (approved.isValid()) {
                    EXPECT_NE(colour, approved);
                }
                approved = colour;
            }
            QTest::keyClick(ok, Qt::Key_Return);
        });
        op_.ResponseMessage(c.response);
        EXPECT_FALSE(driver_.Titles().empty());
    }
    EXPECT_EQ(driver_.Titles().size(), 3u);
}

// The response's TVR, TSI and AID decoded under the outcome line, in English whatever the
// receipt language; none of them, no block.
TEST_F(DialogsTest, ResponseShowsItsEmvDataUnderTheOutcome) {
    const std::string withEmv =
        "<RStream><CmdResponse><CmdStatus>Approved</CmdStatus></CmdResponse><TranResponse>"
        "<ReceiptLanguage>French</ReceiptLanguage><TVR>0000008000</TVR><TSI>E80</TSI>"
        "<AID>A0000000031010</AID></TranResponse></RStream>";
    for (const std::string& response : {withEmv, std::string("<RStream><TVR> </TVR></RStream>")}) {
        driver_.Then([&](QDialog& d) {
            auto* emv = Child<QLabel>(d, "emv");
            if (response == withEmv) {
                EXPECT_TRUE(emv->isVisible());
                EXPECT_TRUE(FixedPitch(emv->font()));
                EXPECT_EQ(emv->text(),
                          QStringLiteral("EMV data\n"
                                         "TVR 0000008000\n"
                                         "    byte 4 bit 8: transaction exceeds floor limit\n"
                                         "TSI E80 (not decoded: 4 hex digits expected, 3 given)\n"
                                         "AID A0000000031010\n"
                                         "    registered application provider: Visa (RID "
                                         "A000000003)\n"
                                         "    application: Visa credit or debit (PIX 1010)"));
                // Under the outcome line, above the response text.
                const int y = emv->mapTo(&d, QPoint(0, 0)).y();
                EXPECT_GT(y, Child<QLabel>(d, "outcome")->mapTo(&d, QPoint(0, 0)).y());
                EXPECT_LT(y, Child<QPlainTextEdit>(d, "response")->mapTo(&d, QPoint(0, 0)).y());
            } else {
                EXPECT_FALSE(emv->isVisible());
            }
            ButtonByText(d, QStringLiteral("OK"))->click();
        });
        op_.ResponseMessage(response);
    }
    EXPECT_EQ(driver_.Titles().size(), 2u);
}

TEST_F(DialogsTest, ManualEntryShowsPresetsAndReturnsThemOnlyOnOk) {
    CManualEntryDlg dlg;
    dlg.m_zipCode = "K1A0B1";
    dlg.m_streetNumber = "24";
    driver_.Then([](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Manual Items Entry"));
        EXPECT_EQ(Child<QLineEdit>(d, "1031")->text(), QStringLiteral("K1A0B1"));
        Child<QLineEdit>(d, "1033")->setText(QStringLiteral("X"));
        ButtonByText(d, QStringLiteral("Cancel"))->click();
    });
    EXPECT_FALSE(op_.RunManualEntry(dlg));
    EXPECT_EQ(dlg.m_cvv, "");

    driver_.Then([](QDialog& d) {
        QTest::keyClicks(Child<QLineEdit>(d, "1032"), "0");
        QTest::keyClicks(Child<QLineEdit>(d, "1033"), "123");
        ButtonByText(d, QStringLiteral("OK"))->click();
    });
    EXPECT_TRUE(op_.RunManualEntry(dlg));
    EXPECT_EQ(dlg.m_zipCode, "K1A0B1");
    EXPECT_EQ(dlg.m_streetNumber, "240");
    EXPECT_EQ(dlg.m_cvv, "123");
}

TEST_F(DialogsTest, AdditionalAmountsEscapeLeavesEmptyTexts) {
    CAdditionalAmountsDlg dlg;
    dlg.m_decrement = true;
    driver_.Then([](QDialog& d) {
        EXPECT_EQ(Child<QLabel>(d, "1175")->text(), QStringLiteral("Decrement Amount"));
        EXPECT_EQ(d.findChildren<QAbstractButton*>().size(), 1);  // OK only
        QTest::keyClicks(Child<QLineEdit>(d, "1176"), "5");
        QTest::keyClick(&d, Qt::Key_Escape);
    });
    EXPECT_FALSE(op_.RunAdditionalAmounts(dlg));
    EXPECT_EQ(dlg.m_originalAmount, "");
    EXPECT_EQ(dlg.m_lastAuthorizedAmount, "");
    EXPECT_EQ(dlg.m_thirdAmount, "");
}

TEST_F(DialogsTest, AdditionalAmountsTypedLikeTheMainWindowsFields) {
    CAdditionalAmountsDlg dlg;
    driver_.Then([&](QDialog& d) {
        EXPECT_EQ(Child<QLabel>(d, "1175")->text(), QStringLiteral("Increment Amount"));
        for (const char* field : {"1176", "1177", "1178"}) {
            EXPECT_EQ(Child<QLineEdit>(d, field)->text(), QStringLiteral("0.00"));
        }
        auto* third = Child<QLineEdit>(d, "1178");
        QTest::keyClicks(third, "123456789");  // the ninth digit is refused
        EXPECT_EQ(third->text(), QStringLiteral("123456.78"));
        QTest::keyClick(third, Qt::Key_Delete);
        QTest::keyClicks(Child<QLineEdit>(d, "1176"), "250");
        QTest::keyClick(Child<QLineEdit>(d, "1176"), Qt::Key_Return);  // Enter is OK here
    });
    EXPECT_TRUE(op_.RunAdditionalAmounts(dlg));
    EXPECT_EQ(dlg.m_originalAmount, "2.50");
    EXPECT_EQ(dlg.m_lastAuthorizedAmount, "0.00");
    EXPECT_EQ(dlg.m_thirdAmount, "12345.67");
    EXPECT_EQ(op_.beeps, 1);
}

TEST_F(DialogsTest, GiftPickerChoosesATranCodeOrNothing) {
    CGiftTranTypeDlg dlg;
    driver_.Then([](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Pick Gift Gard Tran Type"));
        EXPECT_EQ(d.findChildren<QAbstractButton*>().size(), 9);
        ButtonByText(d, QStringLiteral("Cashout"))->click();
    });
    EXPECT_TRUE(op_.RunGiftTranType(dlg));
    EXPECT_EQ(dlg.m_tranCode, "EMVCashOut");

    CGiftTranTypeDlg cancelled;
    driver_.Then([](QDialog& d) { ButtonByText(d, QStringLiteral("Cancel"))->click(); });
    driver_.Then([](QDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); });
    EXPECT_FALSE(op_.RunGiftTranType(cancelled));
    EXPECT_FALSE(op_.RunGiftTranType(cancelled));
    EXPECT_EQ(cancelled.m_tranCode, "");
}

TEST_F(DialogsTest, TestCasePromptSitsBottomCentreAndReportsTheChoice) {
    struct Case {
        const char* button;  // null: Escape
        int choice;
    };
    for (Case c :
         {Case{"Do The Test", CRunTestDlg::kDo}, Case{"Skip the Test", CRunTestDlg::kSkip},
          Case{"Stop the Script", CRunTestDlg::kStop}, Case{nullptr, CRunTestDlg::kSkip}}) {
        CRunTestDlg dlg;
        dlg.m_message = "Run Test case: T1\r\nfor: 12.00";
        driver_.Then([&](QDialog& d) {
            EXPECT_EQ(d.windowTitle(), QStringLiteral("Run Script"));
            EXPECT_EQ(Child<QLabel>(d, "1047")->text(),
                      QStringLiteral("Run Test case: T1\nfor: 12.00"));
            EXPECT_EQ(d.pos(), BottomCentredOver(Client(), d.frameGeometry().size()));
            if (c.button != nullptr) {
                ButtonByText(d, QString::fromLatin1(c.button))->click();
            } else {
                QTest::keyClick(&d, Qt::Key_Escape);
            }
        });
        op_.RunTestCasePrompt(dlg);
        EXPECT_EQ(dlg.m_choice, c.choice) << (c.button ? c.button : "Escape");
    }
}

TEST_F(DialogsTest, PadTypesInfoIsShownReadOnly) {
    CPadTypesInfoDlg dlg;
    dlg.m_text = "<PadTypeID1>P400</PadTypeID1>\r\n<Processor1>Northwind</Processor1>";
    driver_.Then([](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Get Pad Types Info Result"));
        auto* text = Child<QPlainTextEdit>(d, "1201");
        EXPECT_TRUE(text->isReadOnly());
        EXPECT_TRUE(FixedPitch(text->font()));
        EXPECT_EQ(text->lineWrapMode(), QPlainTextEdit::NoWrap);  // never inside a tag
        EXPECT_EQ(
            text->toPlainText(),
            QStringLiteral("<PadTypeID1>P400</PadTypeID1>\n<Processor1>Northwind</Processor1>"));
        ButtonByText(d, QStringLiteral("OK"))->click();
    });
    op_.RunPadTypesInfo(dlg);
    EXPECT_EQ(driver_.Titles().size(), 1u);
}

TEST_F(DialogsTest, WaitWindowHoldsTheMainWindowUntilHidden) {
    op_.ShowWait();
    op_.SetWaitMessage("OnSaleButton");
    WaitWindow* wait = op_.Wait();
    ASSERT_NE(wait, nullptr);
    EXPECT_TRUE(wait->isVisible());
    EXPECT_EQ(wait->Message(), QStringLiteral("OnSaleButton"));
    EXPECT_FALSE(window_.isEnabled());
    QTest::keyClick(wait, Qt::Key_Escape);
    QTest::keyClick(wait, Qt::Key_Return);
    EXPECT_TRUE(wait->isVisible());

    // A dialog of the running command still takes input while the main window is disabled.
    CGiftTranTypeDlg dlg;
    driver_.Then([](QDialog& d) {
        EXPECT_TRUE(d.isEnabled());
        ButtonByText(d, QStringLiteral("Sale"))->click();
    });
    EXPECT_TRUE(op_.RunGiftTranType(dlg));

    op_.HideWait();
    EXPECT_FALSE(wait->isVisible());
    EXPECT_TRUE(window_.isEnabled());
}

TEST_F(DialogsTest, WaitWindowLeavesAnAlreadyDisabledWindowDisabled) {
    window_.setEnabled(false);
    op_.ShowWait();
    op_.HideWait();
    EXPECT_FALSE(window_.isEnabled());
}

}  // namespace
}  // namespace nt::test
