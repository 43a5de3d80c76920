#include "sim/SimTerminal.h"

#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "serial/ReplyFields.h"
#include "serial/SerialTestKit.h"
#include "support/TempDir.h"

namespace nt {
namespace {

struct Exchange {
    std::string line;  // sent with its CR
    uint32_t delayMs;  // 0: no answer
    std::string reply;
};

// One terminal, one conversation: every answer byte for byte and no earlier than its delay.
TEST(SimTerminal, AnswersEveryLineAfterItsDelay) {
    ManualClock clock;
    clock.SetNow(LocalTime{2026, 3, 7, 14, 5, 9});
    SimTerminalBook book;
    SimTerminal terminal(clock, book);
    const std::vector<Exchange> conversation = {
        {"AT&UT90", 300, "\r\n200 T90 TEST MODE ON\r\n"},
        {"AT&UI109 INV7 222", 400, "\r\nNO TRANSACTION\r\nEOD 0000\r\n"},
        {"AT&UM104 99 1 0 0 * * 12.34 * * * * 030726 140509 0 * * * * * *", 800,
         "\r\n200 M104 0001 12.34 A00001 R0000001 APPROVED\r\n"},
        {"AT&UI109 INV7 222", 400,
         "\r\nSALE\r\nCARD: VISA ************4242\r\nDATE: 03/07/26  TIME: 14:05:09\r\n"
         "INVOICE: INV7\r\nSEQ: 0001\r\nAUTH: A00001\r\nREF: R0000001\r\nAMOUNT: $12.34\r\n"
         "APPROVED - THANK YOU\r\nEOD 0001\r\n"},
        {"AT&UM104 6 1 0 0 * * 5.51 * * * * 030726 140509 0 * * * * * *", 800,
         "\r\n051 M104 0002 5.51 000000 R0000002 DECLINED\r\n"},
        {"AT&UI109 a b 222", 400,
         "\r\nSALE\r\nCARD: GIFT ************0006\r\nDATE: 03/07/26  TIME: 14:05:09\r\n"
         "INVOICE: a b\r\nSEQ: 0002\r\nAUTH: 000000\r\nREF: R0000002\r\nAMOUNT: $5.51\r\n"
         "DECLINED 051\r\nEOD 0002\r\n"},
        {"AT&UM108 99 1 0 0 * * 20.00 * * * * 030726 140509 0 * * * * * *", 800,
         "\r\n200 M108 0003 20.00 A00003 R0000003 APPROVED\r\n"},
        {"99 1 0 0 * * 1.00 * * * * 030726 140509 0 * * * * * *", 800,
         "\r\n200 M000 0004 1.00 A00004 R0000004 APPROVED\r\n"},
        {"AT&UI7 * * * * * *", 300, "\r\n200 I7 BATCH TOTALS\r\nCOUNT 0003\r\nNET -$7.66\r\n"},
        {"AT&UB3 * 030726 * * *", 300, "\r\n200 B3 BATCH CLOSED\r\nCOUNT 0003\r\nNET -$7.66\r\n"},
        {"AT&UI7 * * * * * *", 300, "\r\n200 I7 BATCH TOTALS\r\nCOUNT 0000\r\nNET $0.00\r\n"},
        {"AT&UP96", 300, "\r\n200 P96 NORDSIM 1.0\r\n"},
        {"AT&UX1", 300, "\r\n999 X1 UNKNOWN COMMAND\r\n"},
        {"", 0, ""},
    };
    char buffer[4096];
    for (const Exchange& e : conversation) {
        const std::string sent = e.line + "\r\n";
        ASSERT_EQ(terminal.WriteSome(sent.data(), sent.size()), sent.size());
        clock.Advance(e.delayMs == 0 ? 5000 : e.delayMs - 1);
        EXPECT_EQ(terminal.QueryStatus()->inQueue, 0u) << e.line;
        clock.Advance(1);
        ASSERT_EQ(terminal.QueryStatus()->inQueue, e.reply.size()) << e.line;
        const size_t got = *terminal.ReadSome(buffer, sizeof buffer);
        EXPECT_EQ(std::string(buffer, got), e.reply);
    }
    EXPECT_EQ(terminal.Dsr(), true);
}

// Voids are checked against the journal of the open batch; the net leaves voided ones out.
TEST(SimTerminal, VoidsFindTheirOriginalByReference) {
    SimTerminalBook book;
    const auto reply = [&](const std::string& line) { return book.Respond(line, {})->reply; };
    const std::string tail = " * * 030726 140509 0 * * * * * *";
    EXPECT_EQ(reply("AT&UM104 99 1 0 0 * * 12.34 * *" + tail),
              "\r\n200 M104 0001 12.34 A00001 R0000001 APPROVED\r\n");
    EXPECT_EQ(reply("AT&UM110 99 1 0 0 * * 12.34 A00001 R0000001" + tail),
              "\r\n051 M110 0002 12.34 000000 R0000002 WRONG TRANSACTION TYPE\r\n");
    EXPECT_EQ(reply("AT&UM109 99 1 0 0 * * 1.00 A00001 R0000001" + tail),
              "\r\n200 M109 0003 1.00 A00003 R0000003 APPROVED\r\n");
    EXPECT_EQ(reply("AT&UM109 99 1 0 0 * * 12.34 A00001 R0000001" + tail),
              "\r\n051 M109 0004 12.34 000000 R0000004 ALREADY VOIDED\r\n");
    EXPECT_EQ(reply("AT&UM109 99 1 0 0 * * 12.34 * R0000099" + tail),
              "\r\n051 M109 0005 12.34 000000 R0000005 NO MATCHING TRANSACTION\r\n");
    EXPECT_EQ(reply("AT&UI7 * * * * * *"),
              "\r\n200 I7 BATCH TOTALS\r\nCOUNT 0002\r\nNET $0.00\r\n");
    reply("AT&UB3 * 030726 * * *");
    EXPECT_EQ(reply("AT&UM104 99 1 0 0 * * 2.00 * *" + tail),
              "\r\n200 M104 0006 2.00 A00006 R0000006 APPROVED\r\n");
    EXPECT_EQ(reply("AT&UM109 99 1 0 0 * * 2.00 * R0000001" + tail),
              "\r\n051 M109 0007 2.00 000000 R0000007 NO MATCHING TRANSACTION\r\n");
}

TEST(SimTerminal, AnswersInTurn) {
    ManualClock clock;
    SimTerminalBook book;
    SimTerminal terminal(clock, book);
    const std::string two = "AT&UM104 99 1 0 0 * * 1.00\rAT&UT90\r";
    terminal.WriteSome(two.data(), two.size());
    clock.Advance(800);
    EXPECT_EQ(terminal.QueryStatus()->inQueue, 47u);  // the sale only
    clock.Advance(300);
    EXPECT_EQ(terminal.QueryStatus()->inQueue, 47u + 24u);
}

// The whole serial path against the simulated terminal, as a tester without hardware runs it.
TEST(SimTerminal, SaleAndTestModeThroughTheWindow) {
    test::TempDir dir;  // the shared terminal keeps its journal file here
    ::setenv("NORDTELLER_COM5", "sim", 1);
    test::SerialWindow w;
    w.dlg.terminalLink().link().opener = SimTerminalOpener();
    w.form.SetText(id::kComPort, "5");
    w.form.SetText(id::kInvoice, "42");
    w.dlg.form().amount().SetAmountCents(1234);
    CLogWriter writer("/nonexistent-directory", w.clock);
    w.dlg.terminalLink().link().log = &writer;

    EXPECT_TRUE(w.dlg.terminalLink().RunSerialTransaction(SpecOf(TranCode::EMVSale), false));
    ASSERT_EQ(w.op.messages.size(), 1u);
    const CReplyFields fields(w.op.messages[0]);
    EXPECT_EQ(fields.Token(1), "200");
    EXPECT_EQ(w.form.Text(id::kAuthCode), fields.Token(5));
    EXPECT_EQ(w.form.Text(id::kRefNumber), fields.Token(6));
    ASSERT_EQ(w.op.receiptTexts.size(), 1u);
    const std::string& receipt = w.op.receiptTexts[0];
    EXPECT_NE(receipt.find("\r\nSALE\r\n"), std::string::npos);
    EXPECT_NE(receipt.find("INVOICE: 42\r\nSEQ: "), std::string::npos);
    EXPECT_TRUE(receipt.ends_with("AMOUNT: $12.34\r\nAPPROVED - THANK YOU\r\n"));

    w.dlg.OnTranTestModeButton();
    EXPECT_EQ(w.op.messages.back(), "\r\n200 T90 TEST MODE ON\r\n");
    ::unsetenv("NORDTELLER_COM5");
}

}  // namespace
}  // namespace nt
