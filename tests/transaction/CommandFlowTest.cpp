#include <gtest/gtest.h>

#include "form/Controls.h"
#include "pos/SequenceStore.h"
#include "support/FlowHarness.h"
#include "transaction/CommandFlow.h"

namespace nt {
namespace {

using test::FlowHarness;
using test::ReadFile;
using test::Response;
using test::WriteFile;

const std::string kFull =
    "<Amount><Purchase>5.00</Purchase><Gratuity>0.50</Gratuity></Amount><RefNo>R77</RefNo>"
    "<InvoiceNo>I77</InvoiceNo><AuthCode>A77</AuthCode><AcqRefData>Q77</AcqRefData>"
    "<RecordNo>N77</RecordNo><ProcessData>P77</ProcessData>";

TEST(CommandFlow, UnchangedRequestIsLoggedOnceAndSentAsBuilt) {
    FlowHarness h;
    h.Reply(Response("0010010020", kFull));
    h.dlg->OnCommand(id::kSale);
    ASSERT_EQ(h.script->requests.size(), 1u);
    EXPECT_EQ(h.script->requests[0], h.op.shownRequests[0]);
    auto entries = h.LogEntries();
    ASSERT_EQ(entries.size(), 3u);  // start-up, TRACE DATA, response
    EXPECT_EQ(entries[1], "TRACE DATA:00000001\n" + h.script->requests[0]);
    EXPECT_EQ(entries[2], "\n" + Response("0010010020", kFull));
    EXPECT_EQ(h.op.transcript.front(), "wait: show");
    EXPECT_EQ(h.op.transcript[1], "wait: OnSaleButton");
    EXPECT_EQ(h.op.transcript.back(), "wait: hide");
    EXPECT_EQ(h.op.messages, std::vector<std::string>{Response("0010010020", kFull)});
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
    EXPECT_TRUE(h.op.tones.empty());
}

TEST(CommandFlow, EditedRequestIsLoggedAndSent) {
    FlowHarness h;
    h.op.edits = {"<edited/>"};
    h.Reply(Response("0010010020", kFull));
    h.dlg->OnCommand(id::kReturn);
    ASSERT_EQ(h.script->requests, std::vector<std::string>{"<edited/>"});
    auto entries = h.LogEntries();
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[2], "EDITED REQUEST:\n<edited/>");
}

TEST(CommandFlow, CancelledEditSendsNothingButSavesAndUsesUpItsNumber) {
    FlowHarness h;
    WriteFile(kSequenceFileName, "12345");  // a bad number is repaired by the save
    h.op.edits = {"cancel"};
    h.dlg->OnCommand(id::kVoidSale);
    EXPECT_TRUE(h.script->requests.empty());
    EXPECT_EQ(ReadFile(kSequenceFileName), "0010010010");
    EXPECT_EQ(h.op.transcript.back(), "wait: hide");
    h.Reply(Response("0010010020", kFull));
    h.dlg->OnCommand(id::kVoidSale);
    auto entries = h.LogEntries();
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_TRUE(entries[1].starts_with("TRACE DATA:00000001\n"));
    EXPECT_TRUE(entries[2].starts_with("TRACE DATA:00000002\n"));
}

TEST(CommandFlow, BalanceInquirySetsAmountToZeroFirst) {
    FlowHarness h;
    h.dlg->form().SetText(id::kAmount, "1234");
    ASSERT_EQ(h.form.Text(id::kAmount), "12.34");
    h.dlg->OnCommand(id::kBalanceInq);
    EXPECT_EQ(h.form.Text(id::kAmount), "0.00");
    ASSERT_EQ(h.script->requests.size(), 1u);
    EXPECT_EQ(h.script->requests[0].find("<Amount>"), std::string::npos);
    EXPECT_NE(h.script->requests[0].find("<TranCode>EMVBalance</TranCode>"), std::string::npos);
}

TEST(CommandFlow, TokenQuestionAnsweredNoDoesNothing) {
    FlowHarness h;
    WriteFile(kSequenceFileName, "0010010090");
    h.op.questionAnswers = {false};
    h.dlg->OnCommand(id::kPreAuthCapture);
    EXPECT_EQ(h.op.transcript,
              std::vector<std::string>{"question: You Aren't using Tokens. Is that Ok? -> no"});
    EXPECT_TRUE(h.script->requests.empty());
    EXPECT_EQ(h.LogEntries().size(), 1u);
    EXPECT_EQ(ReadFile(kSequenceFileName), "0010010090");
    h.form.SetChecked(id::kUseTokens, true);
    h.op.transcript.clear();
    h.dlg->OnCommand(id::kAdjust);
    EXPECT_EQ(h.op.transcript[0], "wait: show");  // no question with tokens in use
}

TEST(CommandFlow, StoreAndForwardCommands) {
    FlowHarness h;
    h.dlg->OnCommand(id::kFwdAll);
    h.dlg->OnCommand(id::kStats);
    ASSERT_EQ(h.script->requests.size(), 2u);
    EXPECT_NE(h.script->requests[0].find("\t<Admin>\r\n"), std::string::npos);
    EXPECT_NE(h.script->requests[0].find("<TranCode>SAF_ForwardAll</TranCode>"), std::string::npos);
    EXPECT_NE(h.script->requests[1].find("<TranCode>SAF_Statistics</TranCode>"), std::string::npos);
    EXPECT_EQ(h.op.transcript[1], "wait: OnFwdAllButton");
}

TEST(CommandFlow, ForcedPadResetSendsTwoRequests) {
    FlowHarness h;
    h.form.SetChecked(id::kForcePadReset, true);
    h.Reply(Response("0010010990", ""));  // the reset's own answer is dropped
    h.Reply(Response("0010010020", kFull));
    h.dlg->OnCommand(id::kSale);
    ASSERT_EQ(h.script->requests.size(), 2u);
    EXPECT_NE(h.script->requests[0].find("<TranCode>EMVPadReset</TranCode>"), std::string::npos);
    EXPECT_NE(h.script->requests[1].find("<TranCode>EMVSale</TranCode>"), std::string::npos);
    EXPECT_EQ(h.dlg->posState().PosSequenceNo, "0010010020");
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
        FlowHarness h;
        h.dlg->padCatalog().BuildPadCatalog(
            std::string("<PadTypeID1>") + k.padType + "X</PadTypeID1>", "");
        if (*k.padType != '\0') {
            h.dlg->padCatalog().SelectPadNode(
                h.dlg->padCatalog().padTree().FindLeaf(std::string(k.padType) + "X"));
        }
        h.Reply(Response(k.number, kFull));
        h.dlg->OnCommand(id::kSale);
        ASSERT_GE(h.op.messages.size(), 1u);
        EXPECT_EQ(h.op.messages.size(), k.message ? 2u : 1u) << k.number;
        if (k.message) {
            EXPECT_EQ(h.op.messages[0], k.message);
        }
        EXPECT_EQ(h.form.Text(id::kReceivedSeqNo), k.number);
        EXPECT_EQ(ReadFile(kSequenceFileName), k.number);
    }
}

TEST(CommandFlow, MissingSequenceNumberEmptiesTheNumberAndKeepsTheDisplay) {
    FlowHarness h;
    h.Reply("<TStream><TranResponse>" + kFull + "</TranResponse></TStream>");
    h.dlg->OnCommand(id::kSale);
    EXPECT_EQ(h.op.messages[0], "Could Not Extract Sequence No From Response!");
    EXPECT_EQ(h.form.Text(id::kReceivedSeqNo), "0010010010");
    EXPECT_EQ(ReadFile(kSequenceFileName), "");
    h.dlg->OnCommand(id::kSale);  // the next load turns the empty file into the default
    EXPECT_NE(h.script->requests[1].find("<SequenceNo>0010010010</SequenceNo>"), std::string::npos);
}

TEST(CommandFlow, MissingPurchaseAndGratuitySoundTwoTonesEmptyRefNoEmptiesTheField) {
    FlowHarness h;
    h.dlg->form().SetText(id::kAmount, "700");
    h.Reply(Response("0010010020", "<RefNo/>"));
    h.dlg->OnCommand(id::kSale);
    EXPECT_EQ(h.op.tones, (std::vector<std::pair<int, int>>{{1000, 750}, {5000, 750}}));
    EXPECT_EQ(h.form.Text(id::kAmount), "7.00");
    EXPECT_EQ(h.form.Text(id::kRefNumber), "");
    EXPECT_EQ(h.form.Text(id::kInvoice), "1");
}

TEST(CommandFlow, ResponsesThatAreNotXmlChangeNothing) {
    for (std::string text : {std::string(), std::string("not xml"), std::string("<a>\0<b>", 7),
                             std::string(3u << 20, '<')}) {
        FlowHarness h;
        h.Reply(text);
        h.dlg->OnCommand(id::kSale);
        EXPECT_EQ(h.form.Text(id::kReceivedSeqNo), "0010010010");
        EXPECT_EQ(h.form.Text(id::kRefNumber), "1");
        EXPECT_TRUE(h.op.tones.empty());
        ASSERT_EQ(h.op.messages.size(), 1u);
        EXPECT_EQ(h.op.messages[0], text);
        EXPECT_EQ(ReadFile(kSequenceFileName), "0010010010");
    }
}

TEST(CommandFlow, FailingClientEndsTheCommandSoundly) {
    FlowHarness h;
    h.script->replies.push_back(ClientReply{static_cast<int32_t>(0x80004005), "", "pad offline"});
    h.dlg->OnCommand(id::kSale);
    const std::string message =
        "The payment client failed the call (error 0x80004005): pad offline.";
    EXPECT_EQ(h.op.messages, std::vector<std::string>{message});
    EXPECT_EQ(h.op.transcript.back(), "wait: hide");
    auto entries = h.LogEntries();
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[2], "PAYMENT CLIENT ERROR: " + message);
    EXPECT_EQ(ReadFile(kSequenceFileName), "0010010010");
}

TEST(CommandFlow, NoControlEndsTheCommandSoundly) {
    FlowHarness h(false);
    WriteFile(kSequenceFileName, "0010010070");
    h.dlg->OnCommand(id::kSale);
    ASSERT_EQ(h.op.messages.size(), 1u);
    EXPECT_EQ(h.op.messages[0],
              "The payment client is not available: it could not be created at start-up. "
              "Nothing was sent.");
    EXPECT_EQ(h.op.transcript.back(), "wait: hide");
    EXPECT_EQ(ReadFile(kSequenceFileName), "0010010070");
    h.op.transcript.clear();
    h.dlg->OnCommand(id::kGetPadTypesInfo);
    EXPECT_EQ(h.op.transcript.size(), 1u);  // the message only, no dialog
}

TEST(CommandFlow, GiftCardsPickerChoosesTheTranCode) {
    FlowHarness h;
    h.dlg->OnCommand(id::kGiftCards);
    EXPECT_EQ(h.op.transcript, std::vector<std::string>{"gift: "});
    h.op.giftPick = "EMVCashOut";
    h.dlg->OnCommand(id::kGiftCards);
    EXPECT_EQ(h.op.transcript[3], "wait: OnGiftCard/CashOut Button");
    ASSERT_EQ(h.script->requests.size(), 1u);
    EXPECT_NE(h.script->requests[0].find("<TranCode>EMVCashOut</TranCode>"), std::string::npos);
}

const std::string kSummary =
    Response("0010010030",
             "<BatchItemCount>4</BatchItemCount><BatchNo>12</BatchNo><CreditAmount></CreditAmount>"
             "<NetBatchTotal>10.00</NetBatchTotal><CreditCount>0</CreditCount>");

TEST(BatchClose, SendsTheSummaryTotalsBackUnderOneTraceNumber) {
    FlowHarness h;
    h.Reply(kSummary);
    h.Reply(Response("0010010040", ""));
    h.dlg->OnCommand(id::kBatchClose);
    ASSERT_EQ(h.script->requests.size(), 2u);
    EXPECT_NE(h.script->requests[0].find("<TranCode>BatchSummary</TranCode>"), std::string::npos);
    const std::string& close = h.script->requests[1];
    EXPECT_NE(close.find("<SequenceNo>0010010030</SequenceNo>\r\n"), std::string::npos);
    EXPECT_NE(close.find("\t\t<BatchItemCount>4</BatchItemCount>\r\n\t\t<BatchNo>12</BatchNo>\r\n"
                         "\t\t<NetBatchTotal>10.00</NetBatchTotal>\r\n"
                         "\t\t<CreditCount>0</CreditCount>\r\n\t</Admin>\r\n</TStream>\r\n"),
              std::string::npos);
    auto entries = h.LogEntries();
    ASSERT_EQ(entries.size(), 5u);
    EXPECT_TRUE(entries[1].starts_with("TRACE DATA:00000001\n"));
    EXPECT_TRUE(entries[3].starts_with("TRACE DATA:00000001\n"));
    EXPECT_EQ(ReadFile(kSequenceFileName), "0010010040");
    EXPECT_EQ(h.op.transcript[1], "wait: OnBatchcloseButton");
}

TEST(BatchClose, CancelInEitherEditDialog) {
    FlowHarness first;
    first.op.edits = {"cancel"};
    first.dlg->OnCommand(id::kBatchClose);
    EXPECT_TRUE(first.script->requests.empty());
    EXPECT_EQ(first.LogEntries().size(), 2u);
    EXPECT_EQ(ReadFile(kSequenceFileName), "0010010010");

    FlowHarness second;
    second.op.edits = {"ok", "cancel"};
    second.Reply(kSummary);
    second.dlg->OnCommand(id::kBatchClose);
    EXPECT_EQ(second.script->requests.size(), 1u);
    EXPECT_EQ(ReadFile(kSequenceFileName), "0010010030");
}

TEST(CommandFlow, ReceiptGoesToTheTestCaseFile) {
    FlowHarness h;
    h.form.SetText(id::kTestCaseInfo, "case 12");
    h.Reply(Response("0010010020", kFull + "<PrintData><Line1>..  TOTAL 5.00</Line1>"
                                           "<Line2>APPROVED 100%</Line2></PrintData>"));
    h.dlg->OnCommand(id::kSale);
    ASSERT_EQ(h.op.receiptTexts.size(), 1u);
    h.DailyLog();
    std::string receipt = ReadFile("QUORLIN_LOGS/case 12.txt");
    // The lines of a block keep their CR LF, whose LF the file's text mode writes as CR LF.
    EXPECT_NE(receipt.find("\r\n  TOTAL 5.00\r\r\nAPPROVED 100%\r\n"), std::string::npos);
    EXPECT_NE(h.op.receiptTexts[0].find("case 12\r\n"), std::string::npos);
}

}  // namespace
}  // namespace nt
