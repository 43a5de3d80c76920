#include "headless/ScriptedOperator.h"

#include <sstream>

#include <gtest/gtest.h>

#include "dialogs/AdditionalAmountsDlg.h"
#include "dialogs/EditXmlDlg.h"
#include "dialogs/GiftTranTypeDlg.h"
#include "dialogs/ManualEntryDlg.h"
#include "dialogs/PadTypesInfoDlg.h"
#include "dialogs/ReceiptDlg.h"
#include "dialogs/RunTestDlg.h"

namespace nt {
namespace {

class ScriptedOperatorTest : public ::testing::Test {
  protected:
    void Queue(AnswerKind kind, int line = 1) { op_.Queue(Answer{kind, "", {}}, line); }
    std::string Taken() {
        std::string s = out_.str();
        out_.str("");
        return s;
    }

    std::ostringstream out_;
    Transcript transcript_{out_};
    ScriptedOperator op_{transcript_};
};

TEST_F(ScriptedOperatorTest, DefaultsWithEmptyQueue) {
    EXPECT_TRUE(op_.Question("Sure?"));

    CEditXmlDlg edit;
    edit.m_requestText = "<TStream>\r\n\t<x/>";
    EXPECT_TRUE(op_.RunEditXml(edit));
    EXPECT_EQ(edit.m_requestText, "<TStream>\r\n\t<x/>");

    CManualEntryDlg manual;
    manual.m_zipCode = "K1A";
    manual.m_cvv = "123";
    EXPECT_TRUE(op_.RunManualEntry(manual));
    EXPECT_EQ(manual.m_zipCode, "K1A");

    CAdditionalAmountsDlg amounts;
    EXPECT_TRUE(op_.RunAdditionalAmounts(amounts));
    EXPECT_EQ(amounts.m_originalAmount, "0.00");
    EXPECT_EQ(amounts.m_thirdAmount, "0.00");

    CGiftTranTypeDlg gift;
    EXPECT_FALSE(op_.RunGiftTranType(gift));
    EXPECT_EQ(gift.m_tranCode, "");

    CRunTestDlg test;
    test.m_message = "Run Test case: A\r\nfor: 1.00";
    op_.RunTestCasePrompt(test);
    EXPECT_EQ(test.m_choice, CRunTestDlg::kDo);

    CReceiptDlg receipt;
    receipt.m_receiptText = "\r\nMERCHANT";
    op_.RunReceipt(receipt);
    CPadTypesInfoDlg pads;
    pads.m_text = "<PadTypeID1>X</PadTypeID1>";
    op_.RunPadTypesInfo(pads);

    EXPECT_EQ(Taken(),
              "question: Sure? -> yes\n"
              "edit: <TStream>\\r\\n\\t<x/> -> ok\n"
              "manual-entry: K1A||123 -> ok\n"
              "amounts: Increment Amount -> ok 0.00|0.00|0.00\n"
              "gift: -> cancel\n"
              "test-case: Run Test case: A\\r\\nfor: 1.00 -> do\n"
              "receipt: \\r\\nMERCHANT\n"
              "pad-types: <PadTypeID1>X</PadTypeID1>\n");
    EXPECT_FALSE(op_.Leftover());
}

TEST_F(ScriptedOperatorTest, AnswerThatDoesNotFitStaysQueuedForALaterPrompt) {
    Queue(AnswerKind::No, 4);
    CEditXmlDlg edit;
    edit.m_requestText = "r";
    EXPECT_TRUE(op_.RunEditXml(edit));  // default OK; "no" is not an edit answer
    CReceiptDlg receipt;
    op_.RunReceipt(receipt);
    op_.Message("Done");  // message boxes take nothing
    EXPECT_FALSE(op_.Question("Again?"));
    EXPECT_TRUE(op_.Question("Once more?"));
    EXPECT_EQ(Taken(),
              "edit: r -> ok\nreceipt: \nmessage: Done\nquestion: Again? -> no\n"
              "question: Once more? -> yes\n");
    EXPECT_FALSE(op_.Leftover());
}

TEST_F(ScriptedOperatorTest, LeftoverNamesTheFirstAnswerAndWhereItFailedToFit) {
    Queue(AnswerKind::Ok, 7);
    Queue(AnswerKind::Yes, 8);
    op_.Question("Q");  // "ok" does not fit; the question takes its default
    CEditXmlDlg edit;
    op_.RunEditXml(edit);  // takes "ok"
    auto leftover = op_.Leftover();
    ASSERT_TRUE(leftover);
    EXPECT_EQ(leftover->line, 8);
    EXPECT_EQ(leftover->reason, "answer 'yes' was never taken (no prompt came)");

    ScriptedOperator other(transcript_);
    other.Queue(Answer{AnswerKind::Skip, "", {}}, 3);
    other.Question("Q");
    CReceiptDlg receipt;
    other.RunReceipt(receipt);
    ASSERT_TRUE(other.Leftover());
    EXPECT_EQ(other.Leftover()->reason,
              "answer 'skip' was never taken (it does not fit the question prompt)");
}

TEST_F(ScriptedOperatorTest, EditAnswers) {
    CEditXmlDlg edit;
    edit.m_requestText = "old";
    op_.Queue(Answer{AnswerKind::Text, "new\r\ntext", {}}, 1);
    Queue(AnswerKind::Cancel);
    EXPECT_TRUE(op_.RunEditXml(edit));
    EXPECT_EQ(edit.m_requestText, "new\r\ntext");
    EXPECT_FALSE(op_.RunEditXml(edit));
    EXPECT_EQ(Taken(), "edit: old -> edited\nedit: new\\r\\ntext -> cancel\n");
}

TEST_F(ScriptedOperatorTest, ManualEntryAnswers) {
    CManualEntryDlg manual;
    manual.m_zipCode = "K1A";
    op_.Queue(Answer{AnswerKind::Fields, "", {"H2X", "12", "99\xE9"}}, 1);
    Queue(AnswerKind::Cancel);
    EXPECT_TRUE(op_.RunManualEntry(manual));
    EXPECT_EQ(manual.m_streetNumber, "12");
    EXPECT_FALSE(op_.RunManualEntry(manual));
    EXPECT_EQ(manual.m_zipCode, "H2X");
    EXPECT_EQ(Taken(),
              "manual-entry: K1A|| -> ok H2X|12|99\xC3\xA9\n"
              "manual-entry: H2X|12|99\xC3\xA9 -> cancel\n");
}

TEST_F(ScriptedOperatorTest, AmountFieldsAreTypedAsProgramSetTexts) {
    CAdditionalAmountsDlg amounts;
    amounts.m_decrement = true;
    // The last text is too long for the field: refused with a beep, the field keeps 0.00.
    op_.Queue(Answer{AnswerKind::Fields, "", {"1234", "5.5", "1234567890"}}, 1);
    EXPECT_TRUE(op_.RunAdditionalAmounts(amounts));
    EXPECT_EQ(amounts.m_originalAmount, "12.34");
    EXPECT_EQ(amounts.m_lastAuthorizedAmount, "0.55");
    EXPECT_EQ(amounts.m_thirdAmount, "0.00");
    EXPECT_EQ(Taken(), "beep\namounts: Decrement Amount -> ok 12.34|0.55|0.00\n");

    CAdditionalAmountsDlg escaped;
    Queue(AnswerKind::Cancel);
    EXPECT_FALSE(op_.RunAdditionalAmounts(escaped));
    EXPECT_EQ(escaped.m_originalAmount, "");  // empty, not 0.00
    EXPECT_EQ(escaped.m_thirdAmount, "");
    EXPECT_EQ(Taken(), "amounts: Increment Amount -> cancel\n");
}

TEST_F(ScriptedOperatorTest, GiftPickAndTestCaseChoices) {
    CGiftTranTypeDlg gift;
    op_.Queue(Answer{AnswerKind::Pick, "EMVCashOut", {}}, 1);
    EXPECT_TRUE(op_.RunGiftTranType(gift));
    EXPECT_EQ(gift.m_tranCode, "EMVCashOut");

    Queue(AnswerKind::Skip);
    Queue(AnswerKind::Stop);
    CRunTestDlg skip;
    CRunTestDlg stop;
    skip.m_message = "a";
    stop.m_message = "b";
    op_.RunTestCasePrompt(skip);
    op_.RunTestCasePrompt(stop);
    EXPECT_EQ(skip.m_choice, CRunTestDlg::kSkip);
    EXPECT_EQ(stop.m_choice, CRunTestDlg::kStop);
    EXPECT_EQ(Taken(), "gift: -> EMVCashOut\ntest-case: a -> skip\ntest-case: b -> stop\n");
}

TEST_F(ScriptedOperatorTest, WindowsThatOnlyCloseTakeOk) {
    Queue(AnswerKind::Ok);
    Queue(AnswerKind::Ok);
    CReceiptDlg receipt;
    CPadTypesInfoDlg pads;
    op_.RunReceipt(receipt);
    op_.RunPadTypesInfo(pads);
    EXPECT_FALSE(op_.Leftover());
}

TEST_F(ScriptedOperatorTest, OtherThingsTheOperatorSees) {
    op_.ShowWait();
    op_.SetWaitMessage("OnSaleButton");
    op_.HideWait();
    op_.Tone(1200, 150);
    op_.Beep();
    op_.RunAbout();
    EXPECT_EQ(Taken(),
              "wait: OnSaleButton\ntone: 1200 150\nbeep\nabout: Nordteller Version 1.23\n");
}

}  // namespace
}  // namespace nt
