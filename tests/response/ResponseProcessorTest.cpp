#include "response/ResponseProcessor.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "form/Controls.h"
#include "platform/Clock.h"
#include "support/FieldForm.h"
#include "support/RecordingOperator.h"
#include "support/TempDir.h"

namespace nt {
namespace {

class ReceiptNames : public CommandObserver {
  public:
    void OnRequestSent(const std::string&) override {}
    void OnResponse(const std::string&) override {}
    void OnNoResponse(NoResponse) override {}
    void OnReceipt(const std::string& baseName, const RenderedReceipt&) override {
        names.push_back(baseName);
    }
    void OnMessage(const std::string&, bool) override {}
    std::vector<std::string> names;
};

// Only what response processing uses: a form, an operator, a pad catalog, a POS state, a log.
struct Processor {
    test::TempDir dir;
    test::FieldForm form;
    test::RecordingOperator shown;
    ObservingOperator op{shown};
    PadCatalog pads{form, op};
    PosState pos;
    ManualClock clock;
    std::unique_ptr<CLogWriter> log;
    ResponseProcessor processor{form, op, pads, pos, *MakeLog()};

    CLogWriter* MakeLog() {
        std::filesystem::create_directory(kLogDirectory);
        log = std::make_unique<CLogWriter>(kLogDirectory, clock);
        return log.get();
    }
};

std::string Response(const std::string& number, const std::string& elements) {
    return "<TStream><CmdResponse><SequenceNo>" + number +
           "</SequenceNo></CmdResponse><TranResponse><Purchase>1.00</Purchase>"
           "<Gratuity>0.00</Gratuity>" +
           elements + "</TranResponse></TStream>";
}

TEST(ResponseProcessor, SequenceNumberRulesFollowThePadType) {
    const struct {
        const char* number;
        const char* padType;
        const char* message;
    } cases[] = {
        {"0010010020", "P1", nullptr},
        {"0010010021", "P1", "Invalid Sequence Number-0010010021"},
        {"0010010021", "KT-POSPAD", nullptr},
        {"0020010020", "KT-POSPAD", "Invalid Sequence Number-0020010020"},
    };
    for (const auto& k : cases) {
        Processor p;
        p.pads.BuildPadCatalog(std::string("<PadTypeID1>") + k.padType + "</PadTypeID1>",
                               k.padType);
        EXPECT_TRUE(p.processor.HandleResponse(Response(k.number, "")));
        EXPECT_EQ(p.pos.PosSequenceNo, k.number);
        EXPECT_EQ(p.form.Text(id::kReceivedSeqNo), k.number);
        EXPECT_EQ(p.shown.messages,
                  k.message ? std::vector<std::string>{k.message} : std::vector<std::string>{});
    }
}

TEST(ResponseProcessor, TextThatIsNotXmlChangesNothing) {
    Processor p;
    p.pos.PosSequenceNo = "0010010030";
    EXPECT_FALSE(p.processor.HandleResponse("<TStream><SequenceNo>1"));
    EXPECT_EQ(p.pos.PosSequenceNo, "0010010030");
    EXPECT_TRUE(p.form.texts.empty());
    EXPECT_TRUE(p.shown.transcript.empty());
}

// The name stays in the POS state: the serial terminal's receipts go to the same file.
TEST(ResponseProcessor, TheReceiptNameTravelsToItsFileAndToTheObserver) {
    Processor p;
    ReceiptNames observer;
    p.op.SetObserver(&observer);
    p.form.SetText(id::kTestCaseInfo, "case 7");
    const std::string receipt = "<PrintData><Line1>TOTAL 1.00</Line1></PrintData>";
    ASSERT_TRUE(p.processor.HandleResponse(Response("0010010020", receipt)));
    p.form.SetText(id::kTestCaseInfo, "case 8");
    ASSERT_TRUE(p.processor.HandleResponse(Response("0010010030", receipt)));
    EXPECT_EQ(p.pos.ReceiptFileName, "case 8");
    ASSERT_TRUE(p.log->Flush());
    EXPECT_EQ(observer.names, (std::vector<std::string>{"case 7", "case 8"}));
    EXPECT_TRUE(std::filesystem::exists("QUORLIN_LOGS/case 7.txt"));
    EXPECT_TRUE(std::filesystem::exists("QUORLIN_LOGS/case 8.txt"));
    EXPECT_FALSE(std::filesystem::exists("QUORLIN_LOGS/Receipt.txt"));
}

// Line breaks, a leading TAB, a NUL or a DEL in the test case info make no file name: the
// receipt goes to Receipt.txt, and the name is never cut at the NUL.
TEST(ResponseProcessor, ControlCharactersInTheTestCaseInfoSendTheReceiptToReceiptTxt) {
    const std::string receipt = "<PrintData><Line1>TOTAL 1.00</Line1></PrintData>";
    for (const std::string& info : {std::string("line1\r\nline2"), std::string("\tTC 1"),
                                    std::string("TC\0 1", 5), std::string("TC 1\x7F")}) {
        SCOPED_TRACE(info);
        Processor p;
        p.form.SetText(id::kTestCaseInfo, info);
        ASSERT_TRUE(p.processor.HandleResponse(Response("0010010020", receipt)));
        ASSERT_TRUE(p.log->Flush());
        EXPECT_EQ(p.pos.ReceiptFileName, "Receipt");
        EXPECT_EQ(test::Entries(kLogDirectory), std::vector<std::string>{"Receipt.txt"});
    }
}

}  // namespace
}  // namespace nt
