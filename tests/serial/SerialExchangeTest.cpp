#include <sys/stat.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "log/LogWriter.h"
#include "serial/SerialTestKit.h"
#include "support/TempDir.h"

namespace nt {
namespace {

using test::ReadFile;
using test::SerialWindow;
using Entries = std::vector<std::string>;

std::string Pad(int left, const std::string& text, int right) {
    return std::string(static_cast<size_t>(left), ' ') + text +
           std::string(static_cast<size_t>(right), ' ');
}

// Expected bytes written out by hand, independent of the receipt tables.
const Entries kMerchant = {Pad(14, "MERCHANT NAME", 13), Pad(13, "MERCHANT STREET", 12),
                           Pad(11, "CITY, PROVINCE CODE", 10), Pad(15, "POSTAL CODE", 14),
                           Pad(14, "123-456-7890", 14)};
const Entries kClosing = {Pad(5, "No Refund/Pas de remboursement", 5),
                          "Store Credit Only/Cr\xEF\xBF\xBD"
                          "dit au magasin un",
                          "",
                          Pad(13, "Thank You/Merci", 12),
                          Pad(3, "Please Come Again/Revenez nous voir", 2),
                          ""};

Entries ReceiptEntries(const std::string& info, const std::string& body) {
    Entries copy = kMerchant;
    copy.insert(copy.end(), {"", "DESCRIPTION: Merchandise", "", "", body, ""});
    copy.insert(copy.end(), kClosing.begin(), kClosing.end());
    Entries all = {"", info, ""};
    all.insert(all.end(), copy.begin(), copy.end());
    all.insert(all.end(), {Pad(3, "CardHolder Copy/Copie Du Titulaire", 3),
                           "Retain this copy for statement verificat",
                           "Conservez cette copie pour la v\xEF\xBF\xBDrifica", ""});
    all.insert(all.end(), copy.begin(), copy.end());
    all.insert(all.end(), {Pad(5, "Merchant Copy/Copie Du Marchand", 4), ""});
    return all;
}

// The receipt file as the writer's text mode stores entries: every LF written as CR LF.
std::string FileOf(const Entries& entries) {
    std::string file;
    for (const std::string& entry : entries) {
        for (char c : entry) {
            file += c == '\n' ? std::string("\r\n") : std::string(1, c);
        }
        file += "\r\n";
    }
    return file;
}

std::string LogEntry(const std::string& text) {
    return FileOf({"[09:15:02]" + text, "----------"});
}

class SerialExchangeTest : public ::testing::Test {
  protected:
    void SetUp() override {
        w.dlg.terminalLink().link().log = &writer;
        w.dlg.posState().ReceiptFileName = "SerialTest";
        w.form.SetText(id::kInvoice, "INV7");
        w.form.SetText(id::kAuthCode, "OLD");
        w.form.SetText(id::kRefNumber, "1");
        w.form.SetText(id::kTestCaseInfo, "Case 5%s");
        w.dlg.form().amount().SetAmountCents(1234);
    }
    void Answer(const std::string& reply, uint64_t delay = 300) {
        w.line->answers.push_back({{delay, reply}});
    }
    std::string DailyLog() {
        writer.Flush();
        return ReadFile("logs/CAN03072026.log");
    }
    std::string ReceiptFile() {
        writer.Flush();
        return ReadFile("logs/SerialTest.txt");
    }

    test::TempDir dir;
    bool logsMade = ::mkdir("logs", 0777) == 0;
    SerialWindow w;
    CLogWriter writer{"logs", w.clock};
};

const std::string kSaleLine =
    "AT&UM104 99 1 0 0 * * 12.34 OLD 1 * * 030726 091502 0 * INV7 * * * *";
const std::string kApproved = "\r\n200 1 2 3 ABC123 REF9 X\r\n";
const std::string kDetails = "\r\nSALE\r\nTOTAL $12.34\r\n\r\nEOD 0001 trailer\r\n";
const std::string kBody = "SALE\r\nTOTAL $12.34\r\n";

TEST_F(SerialExchangeTest, FinancialCommandRunsTheWholeExchange) {
    Answer(kApproved);
    Answer(kDetails, 200);
    EXPECT_TRUE(w.dlg.terminalLink().RunSerialTransaction(SpecOf(TranCode::EMVSale), false));

    EXPECT_EQ(w.line->written, kSaleLine + "\rAT&UI109 INV7 222\r");
    EXPECT_FALSE(w.line->open);
    EXPECT_EQ(w.form.Text(id::kAuthCode), "ABC123");
    EXPECT_EQ(w.form.Text(id::kRefNumber), "REF9");
    EXPECT_EQ(w.op.transcript, (Entries{"edit-xml: ok", "message: " + kApproved,
                                        "receipt: " + w.op.receiptTexts.at(0)}));
    std::string dialog = "\r\nCase 5%s\r\n";
    for (const std::string& line : kMerchant) {
        dialog += line + "\r\n";
    }
    EXPECT_EQ(w.op.receiptTexts.at(0), dialog + "\r\n" + kBody);
    EXPECT_EQ(ReceiptFile(), FileOf(ReceiptEntries("Case 5%s", kBody)));
    EXPECT_EQ(DailyLog(), LogEntry("ATquest->" + kSaleLine));
}

TEST_F(SerialExchangeTest, DeclineKeepsTheReferencesAndStillPrints) {
    Answer("\r\n051 1 2 3 ABC123 REF9 X\r\n");
    Answer("\r\nDECLINED\r\n");  // no end marker: the whole reply is the body
    EXPECT_TRUE(w.dlg.terminalLink().RunSerialTransaction(SpecOf(TranCode::EMVReturn), false));
    EXPECT_EQ(w.form.Text(id::kAuthCode), "OLD");
    EXPECT_EQ(w.form.Text(id::kRefNumber), "1");
    EXPECT_EQ(ReceiptFile(), FileOf(ReceiptEntries("Case 5%s", "DECLINED\r\n")));
}

TEST_F(SerialExchangeTest, SilentTerminalStillGoesThrough) {
    EXPECT_TRUE(w.dlg.terminalLink().RunSerialTransaction(SpecOf(TranCode::EMVSale), false));
    EXPECT_EQ(w.clock.TickMs(), 40 + 300000 + 40 + 10000u);
    EXPECT_EQ(w.line->written, kSaleLine + "\rAT&UI109 INV7 222\r");
    EXPECT_EQ(w.op.messages, Entries{""});
    EXPECT_EQ(w.op.receiptTexts.size(), 1u);
    EXPECT_EQ(w.form.Text(id::kAuthCode), "OLD");
}

TEST_F(SerialExchangeTest, AdministrativeCommandShowsTheReplyOnly) {
    Answer("\r\n200 B3 CLOSED\r\n");
    EXPECT_TRUE(w.dlg.terminalLink().RunSerialTransaction(SpecOf(TranCode::BatchClose), false));
    EXPECT_EQ(w.line->written, "AT&UB3 * 030726 * * *\r");
    EXPECT_EQ(w.op.transcript, (Entries{"edit-xml: ok", "message: \r\n200 B3 CLOSED\r\n"}));
    EXPECT_EQ(ReceiptFile(), "<missing>");
}

TEST_F(SerialExchangeTest, EditedLineIsLoggedAndSent) {
    w.op.editTo = "AT&UP96 100% edited";
    Answer("\r\n200 P96\r\n");
    EXPECT_TRUE(w.dlg.terminalLink().RunSerialTransaction(SpecOf(TranCode::ServerVersion), false));
    EXPECT_EQ(w.line->written, "AT&UP96 100% edited\r");
    EXPECT_EQ(DailyLog(),
              LogEntry("ATquest->AT&UP96") + LogEntry("EDITED REQUEST:\nAT&UP96 100% edited"));
}

TEST_F(SerialExchangeTest, CancelledEditSendsNothing) {
    w.op.dialogAnswers = {false};
    EXPECT_TRUE(w.dlg.terminalLink().RunSerialTransaction(SpecOf(TranCode::EMVSale), false));
    EXPECT_EQ(w.line->written, "");
    EXPECT_EQ(w.op.transcript, Entries{"edit-xml: cancel"});
    EXPECT_FALSE(w.line->open);
}

struct RefusalCase {
    const char* name;
    bool tranEmv;
    TranCode code;
    const char* comPort;
    bool openFails;
    bool dsr;
    bool result;
    Entries messages;
};

class SerialRefusalTest : public SerialExchangeTest,
                          public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(SerialRefusalTest, NothingIsSent) {
    const RefusalCase& c = GetParam();
    w.form.SetChecked(id::kTranEmv, c.tranEmv);
    w.form.SetText(id::kComPort, c.comPort);
    w.line->openFails = c.openFails;
    w.line->dsr = c.dsr;
    EXPECT_EQ(w.dlg.terminalLink().RunSerialTransaction(SpecOf(c.code), false), c.result);
    EXPECT_EQ(w.op.messages, c.messages);
    EXPECT_EQ(w.line->written, "");
    EXPECT_FALSE(w.line->open);
    EXPECT_EQ(DailyLog(), "<missing>");
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, SerialRefusalTest,
    ::testing::Values(
        RefusalCase{"NotTheTerminal", false, TranCode::EMVSale, "1", false, true, false, {}},
        RefusalCase{"NotSupported", true, TranCode::EMVPublicKeyReport, "1", false, true, true, {}},
        RefusalCase{"NeverOffered", true, TranCode::SAF_ForwardAll, "1", false, true, false, {}},
        RefusalCase{"PortFails",
                    true,
                    TranCode::EMVSale,
                    "1",
                    true,
                    true,
                    false,
                    {"Failed on Com Port Access."}},
        RefusalCase{"PortOutOfRange",
                    true,
                    TranCode::EMVSale,
                    "COM1",
                    false,
                    true,
                    false,
                    {"Failed on Com Port Access."}},
        RefusalCase{"DsrOff",
                    true,
                    TranCode::EMVSale,
                    "1",
                    false,
                    false,
                    false,
                    {"DSR Found Inactive on this Port!"}}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_F(SerialExchangeTest, PadResetSendsTheResetAndDropsTheReply) {
    w.form.SetChecked(id::kPromptManual, true);
    Answer("\r\n999 garbage\r\n");
    EXPECT_TRUE(w.dlg.terminalLink().SerialPadReset());
    EXPECT_EQ(w.line->written, "AT&UE7 * * * * * *\r");
    EXPECT_TRUE(w.op.transcript.empty());
    EXPECT_FALSE(w.line->open);

    w.line->dsr = false;
    EXPECT_FALSE(w.dlg.terminalLink().SerialPadReset());
    w.line->openFails = true;
    EXPECT_FALSE(w.dlg.terminalLink().SerialPadReset());
    EXPECT_EQ(w.op.messages,
              (Entries{"DSR Found Inactive on this Port!", "Failed on Com Port Access."}));
}

TEST_F(SerialExchangeTest, TranTestModeButton) {
    Answer("\r\n200 T90\r\n");
    w.dlg.OnCommand(id::kTranTestMode);
    EXPECT_EQ(w.line->written, "AT&UT90\r");
    EXPECT_EQ(w.op.messages, Entries{"\r\n200 T90\r\n"});

    w.form.SetChecked(id::kTranEmv, false);
    w.dlg.OnCommand(id::kTranTestMode);
    EXPECT_EQ(w.line->paths.size(), 1u);
    EXPECT_EQ(w.op.messages.back(), "Invalid Selection");
}

}  // namespace
}  // namespace nt
