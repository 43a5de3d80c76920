#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include <gtest/gtest.h>

#include "form/Controls.h"
#include "script/ScriptRecorder.h"
#include "support/FlowHarness.h"

namespace nt {
namespace {

using Events = std::vector<std::string>;
using test::Response;
using test::WriteFile;

class ScriptRunner : public ::testing::Test {
  protected:
    ScriptRunner() { h.dlg->SetScriptObserver(&rec); }
    void Run(const std::string& script) {
        WriteFile("Script.csv", script);
        h.dlg->OnCommand(id::kRunScript);
    }
    std::string Text(int control) { return h.form.Text(control); }

    test::FlowHarness h;
    test::ScriptRecorder rec;
};

TEST_F(ScriptRunner, UnopenableScriptShowsTheMessageOnly) {
    const std::pair<const char*, std::function<int()>> cases[] = {
        {"missing", [] { return -1; }},
        {"directory", [] { return std::filesystem::create_directory("Script.csv") ? -1 : -2; }},
        {"locked",
         [] {
             WriteFile("Script.csv", "Run,5,,R,A,Sale,0,0,x\n");
             int fd = ::open("Script.csv", O_RDONLY);
             ::flock(fd, LOCK_EX);
             return fd;
         }},
    };
    for (const auto& [name, prepare] : cases) {
        test::FlowHarness fresh;
        test::ScriptRecorder recorder;
        fresh.dlg->SetScriptObserver(&recorder);
        int fd = prepare();
        fresh.dlg->OnCommand(id::kRunScript);
        EXPECT_EQ(fresh.op.messages, Events{"Could not open Script.csv"}) << name;
        EXPECT_EQ(recorder.events, Events{"end kCouldNotOpen"}) << name;
        EXPECT_TRUE(fresh.op.prompts.empty()) << name;
        if (fd >= 0) {
            ::close(fd);
        }
    }
}

TEST_F(ScriptRunner, RowsThatDoNotRunAreSkippedSilently) {
    h.op.testCaseChoices = {2, 2};
    Run("Run,Amount,Tip,RefNo,AuthCode,TranType,Options,Lang,Info\r\n"
        "Run,TotalAmount,,,,Sale,0,0,total\r\n"
        "\r\n"
        "run,5,,,,Sale,0,0,lower marker\r\n"
        "Run,,,,,Sale,0,0,empty amount\r\n"
        "Run ,5,,,,Sale,0,0,blank in marker\r\n"
        "Run,5,,,,Sale,0,0,first\r\n"
        "Run,6,,,,Sale,0,0,second");
    EXPECT_EQ(rec.events,
              (Events{"started 2", "case 1/2 line 7: first", "ended 1: 2 kSkipped",
                      "case 2/2 line 8: second", "ended 2: 2 kSkipped", "end kCompleted"}));
    EXPECT_TRUE(h.op.messages.empty());
    EXPECT_TRUE(h.script->requests.empty());
}

TEST_F(ScriptRunner, ByteOrderMarkAndLineEndsStayOutOfTheColumns) {
    h.op.testCaseChoices = {2, 2, 2};
    Run("\xEF\xBB\xBFRun,5,,R,A,Sale,0,1,Info A\r\nRun,6,,R,A,Sale,0,1,Info "
        "B\nRun,7,,R,A,Sale,0,1,C");
    EXPECT_EQ(h.op.prompts,
              (Events{"Run Test case: Info A\r\nfor: 5.00", "Run Test case: Info B\r\nfor: 6.00",
                      "Run Test case: C\r\nfor: 7.00"}));
    EXPECT_EQ(Text(id::kTestCaseInfo), "C");
}

TEST_F(ScriptRunner, FieldsFromTheRow) {
    struct Case {
        const char* line;
        const char* amount;
        const char* tip;
        const char* ref;
        const char* auth;
        const char* info;
        const char* prompt;
    };
    const Case cases[] = {
        {"Run,12,,R1,A1,Sale,0,0,twelve", "12.00", "0.00", "R1", "A1", "twelve",
         "Run Test case: twelve\r\nfor: 12.00"},
        // The prompt shows the column; the field formats it as typed digits.
        {"Run,12.5,,R1,A1,Sale,0,0,half", "1.25", "0.00", "R1", "A1", "half",
         "Run Test case: half\r\nfor: 12.5"},
        {"Run,1,000,250,R,A,Sale,0,0,I", "1.00", "0.00", "250", "R", "0",
         "Run Test case: 0\r\nfor: 1.00"},
        {"Run,5,250,R \"q\",,Sale,0,0, x ", "5.00", "2.50", "R \"q\"", "", " x ",
         "Run Test case:  x \r\nfor: 5.00"},
    };
    for (const Case& c : cases) {
        test::FlowHarness fresh;
        fresh.op.testCaseChoices = {2};
        WriteFile("Script.csv", c.line);
        fresh.dlg->OnCommand(id::kRunScript);
        EXPECT_EQ(fresh.form.Text(id::kAmount), c.amount) << c.line;
        EXPECT_EQ(fresh.form.Text(id::kTipAmount), c.tip) << c.line;
        EXPECT_EQ(fresh.form.Text(id::kRefNumber), c.ref) << c.line;
        EXPECT_EQ(fresh.form.Text(id::kInvoice), c.ref) << c.line;
        EXPECT_EQ(fresh.form.Text(id::kAuthCode), c.auth) << c.line;
        EXPECT_EQ(fresh.form.Text(id::kTestCaseInfo), c.info) << c.line;
        EXPECT_EQ(fresh.op.prompts, Events{c.prompt}) << c.line;
    }
}

TEST_F(ScriptRunner, SkipLeavesReferenceFieldsAsTheyWere) {
    h.dlg->form().SetText(id::kRefNumber, "T");
    h.dlg->form().SetText(id::kInvoice, "TI");
    h.dlg->form().SetText(id::kAuthCode, "TA");
    h.op.testCaseChoices = {2, 2, 2};
    Run("Run,5,,Skip,Skip,Sale,0,0,tester's\n");
    EXPECT_EQ(Text(id::kRefNumber), "T");
    EXPECT_EQ(Text(id::kInvoice), "TI");
    EXPECT_EQ(Text(id::kAuthCode), "TA");

    Run("Run,5,,R1,A1,Sale,0,0,one\nRun,5,,Skip,Skip,Sale,0,0,two\n");
    EXPECT_EQ(Text(id::kRefNumber), "R1");
    EXPECT_EQ(Text(id::kInvoice), "R1");
    EXPECT_EQ(Text(id::kAuthCode), "A1");
    EXPECT_EQ(Text(id::kTestCaseInfo), "two");

    h.op.testCaseChoices = {2};
    Run("Run,5,,Skip ,skip,Sale,0,0,not quite\n");
    EXPECT_EQ(Text(id::kRefNumber), "Skip ");
    EXPECT_EQ(Text(id::kInvoice), "Skip ");
    EXPECT_EQ(Text(id::kAuthCode), "skip");
}

TEST_F(ScriptRunner, OptionFlagsSetAndClearTheFourBoxes) {
    struct Case {
        const char* flags;
        bool tip, manual, partial, override_;
    };
    const Case cases[] = {
        {"9", true, false, false, true},     {"6", false, true, true, false},
        {"0", false, false, false, false},   {"", false, false, false, false},
        {"abc", false, false, false, false}, {"15x", true, true, true, true},
        {"-1", true, true, true, true},      {"16", false, false, false, false},
        {" 1", true, false, false, false},
    };
    for (const Case& c : cases) {
        test::FlowHarness fresh;
        Form& form = fresh.dlg->form();
        // Every box starts the other way round, so a row that left it alone would show.
        form.SetChecked(id::kPromptTip, !c.tip);
        fresh.dlg->OnTipCheck();
        form.SetChecked(id::kPromptManual, !c.manual);
        form.SetChecked(id::kAllowPartialAuth, !c.partial);
        form.SetChecked(id::kOverride, !c.override_);
        fresh.op.testCaseChoices = {2};
        WriteFile("Script.csv", std::string("Run,5,250,R,A,Sale,") + c.flags + ",0,flags\r\n");
        fresh.dlg->OnCommand(id::kRunScript);
        EXPECT_EQ(fresh.form.Checked(id::kPromptTip), c.tip) << c.flags;
        EXPECT_EQ(fresh.form.Checked(id::kPromptManual), c.manual) << c.flags;
        EXPECT_EQ(fresh.form.Checked(id::kAllowPartialAuth), c.partial) << c.flags;
        EXPECT_EQ(fresh.form.Checked(id::kOverride), c.override_) << c.flags;
        // The tip rule runs after the box is set: TIP Amount 0.00 and disabled, whatever column 3.
        EXPECT_EQ(fresh.form.Text(id::kTipAmount), c.tip ? "0.00" : "2.50") << c.flags;
        EXPECT_EQ(fresh.form.Enabled(id::kTipAmount), !c.tip) << c.flags;
    }
}

TEST_F(ScriptRunner, MerchantLanguageFrenchOnlyForOne) {
    const std::pair<const char*, bool> cases[] = {
        {"1", true},   {"01", true},  {" 1", true}, {"1\r", true}, {"0", false},
        {"-1", false}, {"11", false}, {"2", false}, {"", false},   {"French", false},
    };
    for (auto [column, french] : cases) {
        test::FlowHarness fresh;
        fresh.dlg->form().SetChecked(french ? id::kEnglishLocal : id::kFrenchLocal, true);
        fresh.dlg->form().SetChecked(french ? id::kFrenchLocal : id::kEnglishLocal, false);
        fresh.op.testCaseChoices = {2};
        WriteFile("Script.csv", std::string("Run,5,,R,A,Sale,0,") + column + ",lang\r\n");
        fresh.dlg->OnCommand(id::kRunScript);
        EXPECT_EQ(fresh.form.Checked(id::kFrenchLocal), french) << column;
        EXPECT_EQ(fresh.form.Checked(id::kEnglishLocal), !french) << column;
    }
}

TEST_F(ScriptRunner, LowerCaseTypeGivesTheInvalidMessageAndSendsNothing) {
    Run("Run,5,,R,A,sale,0,0,lower\r\nRun,6,,R,A,Sale ,0,0,blank\r\n");
    EXPECT_EQ(h.op.messages, (Events{" TranType [sale] is invalid. skipping...",
                                     " TranType [Sale ] is invalid. skipping..."}));
    EXPECT_TRUE(h.script->requests.empty());
    EXPECT_EQ(rec.events,
              (Events{"started 2", "case 1/2 line 1: lower", "ended 1: 1 kInvalidType",
                      "case 2/2 line 2: blank", "ended 2: 1 kInvalidType", "end kCompleted"}));
    EXPECT_EQ(Text(id::kAmount), "6.00");
}

TEST_F(ScriptRunner, StopOnTheThirdPromptRunsNothingMoreAndKeepsItsFields) {
    h.Reply(Response("0010010020", ""));
    h.Reply(Response("0010010030", ""));
    h.op.testCaseChoices = {1, 1, 3};
    Run("Run,5,,R1,A1,Sale,0,0,first\n"
        "Run,6,,R2,A2,Return,0,0,second\n"
        "Run,7,,R3,A3,Sale,9,1,third\n"
        "Run,8,,R4,A4,Sale,0,0,fourth\n");
    ASSERT_EQ(h.script->requests.size(), 2u);
    EXPECT_NE(h.script->requests[1].find("<TranCode>EMVReturn</TranCode>"), std::string::npos);
    EXPECT_EQ(h.op.prompts.size(), 3u);
    EXPECT_EQ(Text(id::kAmount), "7.00");
    EXPECT_EQ(Text(id::kRefNumber), "R3");
    EXPECT_EQ(Text(id::kAuthCode), "A3");
    EXPECT_EQ(Text(id::kTestCaseInfo), "third");
    EXPECT_TRUE(h.form.Checked(id::kOverride));
    EXPECT_TRUE(h.form.Checked(id::kFrenchLocal));
    EXPECT_EQ(rec.events.back(), "end kStopped");
    EXPECT_EQ(rec.events[rec.events.size() - 3], "ended 3: 3 kStopped");
    EXPECT_EQ(rec.events[rec.events.size() - 2], "not reached 4 line 4");
}

// The window's run keeps its prompt and beep for an amount the field refuses, and says so;
// the tip column a prompted tip replaces does not count.
TEST_F(ScriptRunner, RefusedAmountIsNamedInThePrompt) {
    h.Reply(Response("0010010020", ""));
    h.op.testCaseChoices = {1, 2, 2};
    Run("Run,5,,R,A,Sale,0,0,ok\n"
        "Run,10000000.00,,R,A,Sale,0,0,too long\n"
        "Run,6,123456789012,R,A,Sale,1,0,tip prompted\n");
    EXPECT_EQ(h.op.prompts,
              (Events{"Run Test case: ok\r\nfor: 5.00",
                      "Run Test case: too long\r\nfor: 10000000.00\r\nThe Amount field refused "
                      "this amount: 5.00 will be sent",
                      "Run Test case: tip prompted\r\nfor: 6.00"}));
    EXPECT_EQ(rec.events[4], "ended 2: 2 kSkipped");
    EXPECT_EQ(h.op.beeps, 2);
}

TEST_F(ScriptRunner, EightColumnsRunWithAnEmptyTestCaseInfo) {
    h.dlg->form().SetText(id::kTestCaseInfo, "left over");
    h.Reply(Response("0010010020", ""));
    Run("Run,5,,R,A,Sale,0,0");
    EXPECT_EQ(Text(id::kTestCaseInfo), "");
    EXPECT_EQ(h.op.prompts, Events{"Run Test case: \r\nfor: 5.00"});
    EXPECT_EQ(h.script->requests.size(), 1u);
}

TEST_F(ScriptRunner, PromptShowsAgainUntilAChoiceIsMade) {
    h.op.testCaseChoices = {0, 4, -1, 2};
    Run("Run,5,,R,A,Sale,0,0,again\n");
    EXPECT_EQ(h.op.prompts, Events(4, "Run Test case: again\r\nfor: 5.00"));
    EXPECT_EQ(rec.events[2], "ended 1: 2 kSkipped");
}

TEST_F(ScriptRunner, EveryTypeRunsItsCommand) {
    for (int i = 0; i < 6; ++i) {
        h.Reply(Response("0010010020", ""));
    }
    Run("Run,5,,R,A,Sale,0,0,a\nRun,5,,R,A,Return,0,0,b\nRun,5,,R,A,VoidSale,0,0,c\n"
        "Run,5,,R,A,VoidReturn,0,0,d\nRun,5,,R,A,PostAuth,0,0,e\nRun,5,,R,A,Balance,0,0,f\n");
    const char* tranCodes[] = {"EMVSale",       "EMVReturn",    "EMVVoidSale",
                               "EMVVoidReturn", "EMVVoiceAuth", "EMVBalance"};
    ASSERT_EQ(h.script->requests.size(), 6u);
    for (size_t i = 0; i < 6; ++i) {
        EXPECT_NE(h.script->requests[i].find(std::string("<TranCode>") + tranCodes[i] + "<"),
                  std::string::npos)
            << tranCodes[i];
    }
    Events waits;
    for (const std::string& line : h.op.transcript) {
        if (line.starts_with("wait: On")) {
            waits.push_back(line.substr(6));
        }
    }
    EXPECT_EQ(waits, (Events{"OnSaleButton", "OnReturnButton", "OnVoidsaleButton",
                             "OnVoidreturnButton", "OnVoicauthButton", "OnBalanceButton"}));
}

TEST_F(ScriptRunner, CommandObserverSeesWhatEachCommandDid) {
    h.dlg->SetCommandObserver(&rec);
    const std::string withReceipt =
        Response("0010010020", "<PrintData><Line1>APPROVED</Line1></PrintData>");
    h.Reply(withReceipt);
    h.script->replies.push_back(ClientReply{kClientFail, "", "boom"});
    h.op.edits = {"<edited/>", "cancel", "ok"};
    Run("Run,5,,R,A,Sale,0,0,Case A\nRun,5,,R,A,Sale,0,0,Case B\nRun,5,,R,A,Sale,0,0,Case C\n");
    EXPECT_EQ(
        rec.events,
        (Events{"started 3", "case 1/3 line 1: Case A", "sent: <edited/>",
                "response: " + withReceipt, "receipt: Case A", "response-box: " + withReceipt,
                "ended 1: 1 kRan", "case 2/3 line 2: Case B", "no-response: cancelled",
                "ended 2: 1 kRan", "case 3/3 line 3: Case C", "sent: " + h.op.shownRequests[2],
                "message: The payment client failed the call (error 0x80004005): boom.",
                "no-response: failed", "ended 3: 1 kRan", "end kCompleted"}));
}

}  // namespace
}  // namespace nt
