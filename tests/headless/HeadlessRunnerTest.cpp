#include "headless/HeadlessRunner.h"

#include <sstream>

#include <gtest/gtest.h>

#include "app/TestPosDlg.h"
#include "form/Controls.h"
#include "pos/SequenceStore.h"
#include "support/TempDir.h"

namespace nt {
namespace {

class HeadlessRunnerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dlg_.OnInitDialog();
        out_.str("");
    }

    std::optional<ScenarioError> Run(const char* text) {
        Scenario scenario = ParseScenario(text);
        EXPECT_FALSE(scenario.error) << text;
        return runner_.Run(dlg_, scenario.actions);
    }

    test::TempDir dir_;
    std::ostringstream out_;
    Transcript transcript_{out_};
    MemoryForm form_;
    ScriptedOperator op_{transcript_};
    // No client can be created: the window runs without control, as after a failed start-up.
    CTestPosDlg dlg_{form_, op_, PaymentClientFactory{}};
    HeadlessRunner runner_{form_, op_, transcript_};
};

TEST_F(HeadlessRunnerTest, CheckSetsStateOnlyClickAlsoRunsTheHandler) {
    EXPECT_FALSE(Run("check 1059\ncheck 1023\ncheck 1014"));
    EXPECT_TRUE(form_.Checked(id::kCreditOnly));  // no exclusion: no handler ran
    EXPECT_TRUE(form_.Enabled(id::kTipAmount));   // no tip rule either

    EXPECT_FALSE(Run("uncheck 1023\nclick 1023\nuncheck 1014\nclick 1014"));
    EXPECT_FALSE(form_.Checked(id::kCreditOnly));  // toggled on, then undone by its handler
    EXPECT_TRUE(form_.Checked(id::kPromptTip));
    EXPECT_FALSE(form_.Enabled(id::kTipAmount));

    EXPECT_FALSE(Run("click 1014\nclick 1035\nclick 1047"));
    EXPECT_FALSE(form_.Checked(id::kPromptTip));
    EXPECT_TRUE(form_.Enabled(id::kTipAmount));
    EXPECT_TRUE(form_.Checked(id::kFrenchLocal));
    EXPECT_FALSE(form_.Checked(id::kEnglishLocal));
    EXPECT_TRUE(form_.Checked(id::kEnglishFallback));
    EXPECT_FALSE(form_.Checked(id::kNoFallback));
    EXPECT_EQ(out_.str(), "");
}

TEST_F(HeadlessRunnerTest, SetGoesThroughAmountFormatting) {
    EXPECT_FALSE(Run("set 1002 1234\nset 1031 R\\t1\nset 1015 1234567890"));
    EXPECT_EQ(form_.Text(id::kAmount), "12.34");
    EXPECT_EQ(form_.Text(id::kRefNumber), "R\t1");
    EXPECT_EQ(form_.Text(id::kTipAmount), "0.00");
    EXPECT_EQ(out_.str(), "beep\n");  // the refused tip amount
}

TEST_F(HeadlessRunnerTest, ClicksActOnDisabledAndHiddenControls) {
    EXPECT_FALSE(Run("set 1030 A\nset 1079 P\nset 1031 9\nclick 1085"));
    EXPECT_EQ(form_.Text(id::kAuthCode), "");
    EXPECT_EQ(form_.Text(id::kProcessData), "");
    EXPECT_EQ(form_.Text(id::kRefNumber), "9");
    form_.SetVisible(id::kTranTestMode, false);
    form_.SetEnabled(id::kTranTestMode, false);
    EXPECT_FALSE(Run("click 1053\nclick 1046\nclick 1002"));
    // The hidden "Run Script" runs too: there is no Script.csv here.
    EXPECT_EQ(out_.str(), "message: Invalid Selection\nmessage: Could not open Script.csv\n");
}

TEST_F(HeadlessRunnerTest, SelectNeedsThePadTree) {
    auto error = Run("dump\nselect LM320\ndump");
    ASSERT_TRUE(error);
    EXPECT_EQ(error->line, 2);
    EXPECT_EQ(error->reason, "no such pad type");
    error = Run("select-node Processor");
    ASSERT_TRUE(error);
    EXPECT_EQ(error->reason, "no such pad tree node");

    dlg_.padCatalog().BuildPadCatalog(
        "<PadTypeID1>LM320</PadTypeID1><Processor1>Northwind</Processor1>"
        "<Manufacturer1>Lumatek</Manufacturer1>"
        "<PadTypeID2>KT820-POSPAD</PadTypeID2><Processor2>Northwind</Processor2>"
        "<Manufacturer2>Kestrel</Manufacturer2>",
        "");
    EXPECT_FALSE(Run("select KT820-POSPAD"));
    EXPECT_TRUE(form_.Checked(id::kAllowPartialAuth));  // the selection handler ran
    EXPECT_EQ(dlg_.padCatalog().PadTypeElement(0), "<PadType>KT820-POSPAD</PadType>\r\n");
    EXPECT_FALSE(Run("select-node Lumatek"));
    EXPECT_EQ(dlg_.padCatalog().PadTypeElement(0), "<PadType></PadType>\r\n");
    error = Run("select Processor");
    ASSERT_TRUE(error);
    EXPECT_EQ(error->reason, "no such pad type");
}

TEST_F(HeadlessRunnerTest, NothingRunsAfterTheWindowClosed) {
    auto error = Run("answer no\nclick 2\nanswer yes\nclick 1050");
    ASSERT_TRUE(error);
    EXPECT_EQ(error->line, 4);
    EXPECT_EQ(error->reason, "the window is already closed");
    EXPECT_TRUE(dlg_.Closed());
    EXPECT_EQ(out_.str(), "");
}

}  // namespace
}  // namespace nt
