#include "transaction/CommandFlow.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "form/Controls.h"
#include "log/LogWriter.h"
#include "support/DailyLog.h"
#include "support/FieldForm.h"
#include "support/FlowOperator.h"
#include "support/ScriptedClient.h"
#include "support/TempDir.h"

namespace nt {
namespace {

using test::LogEntries;
using test::ReadFile;
using test::Response;
using test::WriteFile;

// The command flow built from only its parts, over a scripted payment client (none created when
// asked), in a folder of its own. The amount fields, the numbers and the reference fields start
// as the window's start-up leaves them. The flow logs to a writer of its own, in that folder.
struct Flow {
    test::TempDir dir;
    bool logFolder = std::filesystem::create_directory(kLogDirectory);
    CLogWriter writer;
    std::shared_ptr<test::ClientScript> script = std::make_shared<test::ClientScript>();
    test::FieldForm drawn;
    test::FlowOperator shown;
    WindowForm form{drawn, shown};
    ObservingOperator op{shown};
    PosState pos;
    SequenceStore store{pos, writer};
    PadCatalog pads{form, op};
    RequestComposer composer{form, op, pads, pos};
    // No serial device opens here: the pad types these tests pick never use the terminal.
    TerminalLink terminal{
        form, op, pads, pos,
        SerialLink(
            SystemClock(),
            [](const std::string&, Clock&) { return std::unique_ptr<SerialDevice>(); }, writer)};
    ClientGateway gateway{
        test::ScriptedClientFactory(script), form, op, pads, composer, terminal, writer};
    ResponseProcessor responses{form, op, pads, pos, writer};
    CommandFlow flow{form, op, pos, store, composer, terminal, gateway, responses, writer};

    explicit Flow(bool withClient = true) {
        for (int field : {id::kAmount, id::kTipAmount, id::kPurchaseLimit}) {
            form.SetAmountCents(field, 0);
        }
        form.SetText(id::kReceivedSeqNo, pos.PosSequenceNo);
        form.SetText(id::kRefNumber, "1");
        form.SetText(id::kInvoice, "1");
        if (withClient) {
            std::string reason;
            EXPECT_TRUE(gateway.CreateControl(reason)) << reason;
        }
    }

    // A click on a command button, as the window's message table runs it.
    void Click(int id) {
        if (id == id::kGiftCards) {
            flow.OnGiftCardButton();
            return;
        }
        const TranCodeSpec* command = FindCommandButton(id);
        if (command == nullptr) {
            ADD_FAILURE() << "no command button " << id;
            return;
        }
        id == id::kBatchClose ? flow.OnBatchcloseButton(*command) : flow.OnCommandButton(*command);
    }
    void Reply(const std::string& text) { script->replies.push_back(ClientReply{0, text, {}}); }
};

const std::string kFull =
    "<Amount><Purchase>5.00</Purchase><Gratuity>0.50</Gratuity></Amount><RefNo>R77</RefNo>"
    "<InvoiceNo>I77</InvoiceNo><AuthCode>A77</AuthCode><AcqRefData>Q77</AcqRefData>"
    "<RecordNo>N77</RecordNo><ProcessData>P77</ProcessData>";

TEST(CommandFlow, UnchangedRequestIsLoggedOnceAndSentAsBuilt) {
    Flow h;
    h.Reply(Response("0010010020", kFull));
    h.Click(id::kSale);
    ASSERT_EQ(h.script->requests.size(), 1u);
    EXPECT_EQ(h.script->requests[0], h.shown.shownRequests[0]);
    auto entries = LogEntries(h.writer);
    ASSERT_EQ(entries.size(), 2u);  // TRACE DATA, response
    EXPECT_EQ(entries[0], "TRACE DATA:00000001\n" + h.script->requests[0]);
    EXPECT_EQ(entries[1], "\n" + Response("0010010020", kFull));
    EXPECT_EQ(h.shown.transcript.front(), "wait: show");
    EXPECT_EQ(h.shown.transcript[1], "wait: OnSaleButton");
    EXPECT_EQ(h.shown.transcript.back(), "wait: hide");
    EXPECT_EQ(h.shown.messages, std::vector<std::string>{Response("0010010020", kFull)});
    EXPECT_EQ(ReadFile(kSequenceFileName), "0010010020");
    EXPECT_EQ(h.form.Text(id::kReceivedSeqNo), "0010010020");
    EXPECT_EQ(h.form.Text(id::kAmount), "5.00");
    EXPECT_EQ(h.form.Text(id::kTipAmount), "0.50");
    const std::pair<int, const char*> fields[] = {
        {id::kRefNumber, "R77"},  {id::kInvoice, "I77"},      {id::kAuthCode, "A77"},
        {id::kAcqRefData, "Q77"}, {id::kRecordNumber, "N77"}, {id::kProcessData, "P77"}};
    for (auto [control, text] : fields) {
        EXPECT_EQ(h.form.Text(control), text);
    }
    EXPECT_TRUE(h.shown.tones.empty());
}

TEST(CommandFlow, EditedRequestIsLoggedAndSent) {
    Flow h;
    h.shown.edits = {"<edited/>"};
    h.Reply(Response("0010010020", kFull));
    h.Click(id::kReturn);
    ASSERT_EQ(h.script->requests, std::vector<std::string>{"<edited/>"});
    auto entries = LogEntries(h.writer);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[1], "EDITED REQUEST:\n<edited/>");
}

TEST(CommandFlow, CancelledEditSendsNothingButSavesAndUsesUpItsNumber) {
    Flow h;
    WriteFile(kSequenceFileName, "12345");  // a bad number is repaired by the save
    h.shown.edits = {"cancel"};
    h.Click(id::kVoidSale);
    EXPECT_TRUE(h.script->requests.empty());
    EXPECT_EQ(ReadFile(kSequenceFileName), "0010010010");
    EXPECT_EQ(h.shown.transcript.back(), "wait: hide");
    h.Reply(Response("0010010020", kFull));
    h.Click(id::kVoidSale);
    auto entries = LogEntries(h.writer);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_TRUE(entries[0].starts_with("TRACE DATA:00000001\n"));
    EXPECT_TRUE(entries[1].starts_with("TRACE DATA:00000002\n"));
}

TEST(CommandFlow, BalanceInquirySetsAmountToZeroFirst) {
    Flow h;
    h.form.SetText(id::kAmount, "1234");
    ASSERT_EQ(h.form.Text(id::kAmount), "12.34");
    h.Click(id::kBalanceInq);
    EXPECT_EQ(h.form.Text(id::kAmount), "0.00");
    ASSERT_EQ(h.script->requests.size(), 1u);
    EXPECT_EQ(h.script->requests[0].find("<Amount>"), std::string::npos);
    EXPECT_NE(h.script->requests[0].find("<TranCode>EMVBalance</TranCode>"), std::string::npos);
}

TEST(CommandFlow, TokenQuestionAnsweredNoDoesNothing) {
    Flow h;
    WriteFile(kSequenceFileName, "0010010090");
    h.shown.questionAnswers = {false};
    h.Click(id::kPreAuthCapture);
    EXPECT_EQ(h.shown.transcript,
              std::vector<std::string>{"question: You Aren't using Tokens. Is that Ok? -> no"});
    EXPECT_TRUE(h.script->requests.empty());
    EXPECT_TRUE(LogEntries(h.writer).empty());
    EXPECT_EQ(ReadFile(kSequenceFileName), "0010010090");
    h.form.SetChecked(id::kUseTokens, true);
    h.shown.transcript.clear();
    h.Click(id::kAdjust);
    EXPECT_EQ(h.shown.transcript[0], "wait: show");  // no question with tokens in use
}

TEST(CommandFlow, StoreAndForwardCommands) {
    Flow h;
    h.Click(id::kFwdAll);
    h.Click(id::kStats);
    ASSERT_EQ(h.script->requests.size(), 2u);
    EXPECT_NE(h.script->requests[0].find("\t<Admin>\r\n"), std::string::npos);
    EXPECT_NE(h.script->requests[0].find("<TranCode>SAF_ForwardAll</TranCode>"), std::string::npos);
    EXPECT_NE(h.script->requests[1].find("<TranCode>SAF_Statistics</TranCode>"), std::string::npos);
    EXPECT_EQ(h.shown.transcript[1], "wait: OnFwdAllButton");
}

TEST(CommandFlow, ForcedPadResetSendsTwoRequests) {
    Flow h;
    h.form.SetChecked(id::kForcePadReset, true);
    h.Reply(Response("0010010990", ""));  // the reset's own answer is dropped
    h.Reply(Response("0010010020", kFull));
    h.Click(id::kSale);
    ASSERT_EQ(h.script->requests.size(), 2u);
    EXPECT_NE(h.script->requests[0].find("<TranCode>EMVPadReset</TranCode>"), std::string::npos);
    EXPECT_NE(h.script->requests[1].find("<TranCode>EMVSale</TranCode>"), std::string::npos);
    EXPECT_EQ(h.pos.PosSequenceNo, "0010010020");
}

TEST(CommandFlow, SequenceNumberRules) {
    struct Case {
        const char* number;
        const char* padType;
        const char* message;
    };
    const Case cases[] = {
        {"0010010020", "", nullptr},
        {"0010010021", "", "Invalid Sequence Number-0010010021"},
        {"0010010021", "VX-POSPAD-1", nullptr},
        {"0020010020", "VX-POSPAD-1", "Invalid Sequence Number-0020010020"},
        {"001001002", "", "Invalid Sequence Number-001001002"},
    };
    for (const Case& k : cases) {
        Flow h;
        h.pads.BuildPadCatalog(std::string("<PadTypeID1>") + k.padType + "X</PadTypeID1>", "");
        if (*k.padType != '\0') {
            h.pads.SelectPadNode(h.pads.padTree().FindLeaf(std::string(k.padType) + "X"));
        }
        h.Reply(Response(k.number, kFull));
        h.Click(id::kSale);
        ASSERT_GE(h.shown.messages.size(), 1u);
        EXPECT_EQ(h.shown.messages.size(), k.message ? 2u : 1u) << k.number;
        if (k.message) {
            EXPECT_EQ(h.shown.messages[0], k.message);
        }
        EXPECT_EQ(h.form.Text(id::kReceivedSeqNo), k.number);
        EXPECT_EQ(ReadFile(kSequenceFileName), k.number);
    }
}

TEST(CommandFlow, MissingSequenceNumberEmptiesTheNumberAndKeepsTheDisplay) {
    Flow h;
    h.Reply("<TStream><TranResponse>" + kFull + "</TranResponse></TStream>");
    h.Click(id::kSale);
    EXPECT_EQ(h.shown.messages[0], "Could Not Extract Sequence No From Response!");
    EXPECT_EQ(h.form.Text(id::kReceivedSeqNo), "0010010010");
    EXPECT_EQ(ReadFile(kSequenceFileName), "");
    h.Click(id::kSale);  // the next load turns the empty file into the default
    EXPECT_NE(h.script->requests[1].find("<SequenceNo>0010010010</SequenceNo>"), std::string::npos);
}

TEST(CommandFlow, MissingPurchaseAndGratuitySoundTwoTonesEmptyRefNoEmptiesTheField) {
    Flow h;
    h.form.SetText(id::kAmount, "700");
    h.Reply(Response("0010010020", "<RefNo/>"));
    h.Click(id::kSale);
    EXPECT_EQ(h.shown.tones, (std::vector<std::pair<int, int>>{{1000, 750}, {5000, 750}}));
    EXPECT_EQ(h.form.Text(id::kAmount), "7.00");
    EXPECT_EQ(h.form.Text(id::kRefNumber), "");
    EXPECT_EQ(h.form.Text(id::kInvoice), "1");
}

TEST(CommandFlow, ResponsesThatAreNotXmlChangeNothing) {
    for (std::string text : {std::string(), std::string("not xml"), std::string("<a>\0<b>", 7),
                             std::string(3u << 20, '<')}) {
        Flow h;
        h.Reply(text);
        h.Click(id::kSale);
        EXPECT_EQ(h.form.Text(id::kReceivedSeqNo), "0010010010");
        EXPECT_EQ(h.form.Text(id::kRefNumber), "1");
        EXPECT_TRUE(h.shown.tones.empty());
        ASSERT_EQ(h.shown.messages.size(), 1u);
        EXPECT_EQ(h.shown.messages[0], text);
        EXPECT_EQ(ReadFile(kSequenceFileName), "0010010010");
    }
}

TEST(CommandFlow, FailingClientEndsTheCommandSoundly) {
    Flow h;
    h.script->replies.push_back(ClientReply{static_cast<int32_t>(0x80004005), "", "pad offline"});
    h.Click(id::kSale);
    const std::string message =
        "The payment client failed the call (error 0x80004005): pad offline.";
    EXPECT_EQ(h.shown.messages, std::vector<std::string>{message});
    EXPECT_EQ(h.shown.transcript.back(), "wait: hide");
    auto entries = LogEntries(h.writer);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[1], "PAYMENT CLIENT ERROR: " + message);
    EXPECT_EQ(ReadFile(kSequenceFileName), "0010010010");
}

// A client's error text of any size is told and logged with its first 4 KiB and its size; the
// message box and the daily log stay readable.
TEST(CommandFlow, HugeClientErrorTextIsBounded) {
    Flow h;
    const std::string huge = std::string(5000, 'e') + "\x1B]0;tail\x07";
    h.script->replies.push_back(ClientReply{static_cast<int32_t>(0x80004005), "", huge});
    h.Click(id::kSale);
    const std::string message =
        "The payment client failed the call (error 0x80004005): " + std::string(4096, 'e') +
        "... (5009 bytes in all).";
    EXPECT_EQ(h.shown.messages, std::vector<std::string>{message});
    auto entries = LogEntries(h.writer);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[1], "PAYMENT CLIENT ERROR: " + message);
}

TEST(CommandFlow, NoControlEndsTheCommandSoundly) {
    Flow h(false);
    WriteFile(kSequenceFileName, "0010010070");
    h.Click(id::kSale);
    ASSERT_EQ(h.shown.messages.size(), 1u);
    EXPECT_EQ(h.shown.messages[0],
              "The payment client is not available: it could not be created at start-up. "
              "Nothing was sent.");
    EXPECT_EQ(h.shown.transcript.back(), "wait: hide");
    EXPECT_EQ(ReadFile(kSequenceFileName), "0010010070");
    h.shown.transcript.clear();
    EXPECT_FALSE(h.gateway.GetPadTypesInfo());
    EXPECT_EQ(h.shown.transcript.size(), 1u);  // the message only
}

TEST(CommandFlow, GiftCardsPickerChoosesTheTranCode) {
    Flow h;
    h.Click(id::kGiftCards);
    EXPECT_EQ(h.shown.transcript, std::vector<std::string>{"gift: "});
    h.shown.giftPick = "EMVCashOut";
    h.Click(id::kGiftCards);
    EXPECT_EQ(h.shown.transcript[3], "wait: OnGiftCard/CashOut Button");
    ASSERT_EQ(h.script->requests.size(), 1u);
    EXPECT_NE(h.script->requests[0].find("<TranCode>EMVCashOut</TranCode>"), std::string::npos);
}

const std::string kSummary =
    Response("0010010030",
             "<BatchItemCount>4</BatchItemCount><BatchNo>12</BatchNo><CreditAmount></CreditAmount>"
             "<NetBatchTotal>10.00</NetBatchTotal><CreditCount>0</CreditCount>");

TEST(BatchClose, SendsTheSummaryTotalsBackUnderOneTraceNumber) {
    Flow h;
    h.Reply(kSummary);
    h.Reply(Response("0010010040", ""));
    h.Click(id::kBatchClose);
    ASSERT_EQ(h.script->requests.size(), 2u);
    EXPECT_NE(h.script->requests[0].find("<TranCode>BatchSummary</TranCode>"), std::string::npos);
    const std::string& close = h.script->requests[1];
    EXPECT_NE(close.find("<SequenceNo>0010010030</SequenceNo>\r\n"), std::string::npos);
    EXPECT_NE(close.find("\t\t<BatchItemCount>4</BatchItemCount>\r\n\t\t<BatchNo>12</BatchNo>\r\n"
                         "\t\t<NetBatchTotal>10.00</NetBatchTotal>\r\n"
                         "\t\t<CreditCount>0</CreditCount>\r\n\t</Admin>\r\n</TStream>\r\n"),
              std::string::npos);
    auto entries = LogEntries(h.writer);
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_TRUE(entries[0].starts_with("TRACE DATA:00000001\n"));
    EXPECT_TRUE(entries[2].starts_with("TRACE DATA:00000001\n"));
    EXPECT_EQ(ReadFile(kSequenceFileName), "0010010040");
    EXPECT_EQ(h.shown.transcript[1], "wait: OnBatchcloseButton");
}

TEST(BatchClose, CancelInEitherEditDialog) {
    Flow first;
    first.shown.edits = {"cancel"};
    first.Click(id::kBatchClose);
    EXPECT_TRUE(first.script->requests.empty());
    EXPECT_EQ(LogEntries(first.writer).size(), 1u);
    EXPECT_EQ(ReadFile(kSequenceFileName), "0010010010");

    Flow second;
    second.shown.edits = {"ok", "cancel"};
    second.Reply(kSummary);
    second.Click(id::kBatchClose);
    EXPECT_EQ(second.script->requests.size(), 1u);
    EXPECT_EQ(ReadFile(kSequenceFileName), "0010010030");
}

TEST(CommandFlow, ReceiptGoesToTheTestCaseFile) {
    Flow h;
    h.form.SetText(id::kTestCaseInfo, "case 12");
    h.Reply(Response("0010010020", kFull + "<PrintData><Line1>..  TOTAL 5.00</Line1>"
                                           "<Line2>APPROVED 100%</Line2></PrintData>"));
    h.Click(id::kSale);
    ASSERT_EQ(h.shown.receiptTexts.size(), 1u);
    ASSERT_TRUE(h.writer.Flush());
    std::string receipt = ReadFile("QUORLIN_LOGS/case 12.txt");
    // The lines of a block keep their CR LF, whose LF the file's text mode writes as CR LF.
    EXPECT_NE(receipt.find("\r\n  TOTAL 5.00\r\r\nAPPROVED 100%\r\n"), std::string::npos);
    EXPECT_NE(h.shown.receiptTexts[0].find("case 12\r\n"), std::string::npos);
}

}  // namespace
}  // namespace nt
