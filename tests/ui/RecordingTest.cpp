// What the operator does at the real window, recorded and replayed headless against the scripted
// plugin: the same requests, byte for byte, and the same final state.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTest>
#include <QTreeWidget>
#include <filesystem>
#include <sstream>

#include "UiTestSupport.h"
#include "app/ClientFactory.h"
#include "app/TestPosDlg.h"
#include "form/Controls.h"
#include "front/AnswerRecorder.h"
#include "front/ScenarioRecorder.h"
#include "front/WindowEvidence.h"
#include "headless/FormDump.h"
#include "platform/Clock.h"
#include "support/ProgramRun.h"
#include "support/ScopedEnv.h"
#include "support/TempDir.h"
#include "ui/MainWindow.h"
#include "ui/QtForm.h"

namespace nt::test {
namespace {

namespace fs = std::filesystem;

const std::string kPlugin = NORDTELLER_BINARY_DIR "/libcb_scripted.so";
const char* const kResponse =
    "<TStream><CmdResponse><SequenceNo>0010010770</SequenceNo><TextResponse>AP</TextResponse>"
    "</CmdResponse><Purchase>12.34</Purchase><Gratuity>0.00</Gratuity><RefNo>R9</RefNo>"
    "<AuthCode>A1</AuthCode><PrintData><Line1>SALE</Line1><Line2>APPROVED</Line2></PrintData>"
    "</TStream>";
const char* const kScript = "Run,5,,R,A,Sale,0,0,scripted\r\nRun,6,,R,A,Sale,0,0,never\r\n";

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

// The lines of a dump: an identifier, a TAB, the rest.
std::vector<std::string> DumpLines(const std::string& text) {
    std::vector<std::string> dump;
    for (const std::string& line : Lines(text)) {
        const size_t tab = line.find('\t');
        if (tab != std::string::npos && tab > 0 && line.find_first_not_of("0123456789") == tab) {
            dump.push_back(line);
        }
    }
    return dump;
}

class RecordingTest : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const std::string folder : {".", "replay"}) {
            fs::create_directories(folder);
            WriteFile(folder + "/testseqNo.dat", "0010010440");
            WriteFile(folder + "/Script.csv", kScript);
        }
        WriteFile("response.xml", kResponse);
        WriteFile("padtypes.xml",
                  "<PadTypeID1>KX100</PadTypeID1><Processor1>Acme</Processor1>"
                  "<Manufacturer1>Lindqvist</Manufacturer1><PadTypeID2>KX200</PadTypeID2>"
                  "<Processor2>Acme</Processor2><Manufacturer2>Lindqvist</Manufacturer2>");
        clock_.SetNow({2026, 12, 8, 9, 15, 2});
        std::string error;
        ASSERT_TRUE(recorder_.Start("recorded.scenario", error)) << error;
        dlg_ = std::make_unique<CTestPosDlg>(form_, op_, MakeClientFactory(kPlugin));
        dlg_->OnInitDialog();
        window_.Attach(*dlg_);
        recorder_.Baseline(dlg_->form());
        window_.SetRecorder(recorder_);
        window_.show();
        window_.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
    }

    QWidget* Control(int id) { return window_.Control(id); }
    void Type(int id, const QString& text) {
        QWidget* field = Control(id);
        QTest::mouseClick(field, Qt::LeftButton);
        QTest::keyClicks(field, text);
    }
    void ClickControl(int id) { Click(qobject_cast<QAbstractButton*>(Control(id))); }
    static void Press(QDialog& d, const char* text) {
        if (QAbstractButton* button = ButtonByText(d, QString::fromLatin1(text))) {
            button->click();
        }
    }
    template <class T>
    static void TypeIn(QDialog& d, const char* name, const char* text) {
        auto* field = d.findChild<T*>(QString::fromLatin1(name));
        if (field == nullptr) {
            ADD_FAILURE() << "no " << name << " in " << d.windowTitle().toStdString();
            return;
        }
        field->setFocus();
        QTest::keyClicks(field, text);
    }
    std::string WindowDump() {
        std::ostringstream out;
        Transcript transcript(out);
        DumpForm(form_, dlg_->padCatalog().padTree(), transcript);
        return out.str();
    }

    TempDir dir_;
    ScopedEnv response_{"NORDTELLER_TEST_RESPONSE", dir_.path() + "/response.xml"};
    ScopedEnv padTypes_{"NORDTELLER_TEST_PAD_TYPES", dir_.path() + "/padtypes.xml"};
    ScopedEnv calls_{"NORDTELLER_TEST_CALL_LOG", dir_.path() + "/window.calls"};
    ManualClock clock_;
    ScenarioRecorder recorder_{kPlugin, clock_};
    MainWindow window_;
    CountingOperator qtOperator_{&window_};
    AnswerRecorder op_{qtOperator_, recorder_};
    QtForm form_{window_.Controls()};
    std::unique_ptr<CTestPosDlg> dlg_;
    DialogDriver driver_;
};

TEST_F(RecordingTest, WhatTheOperatorDidReplaysToTheSameRequestsAndState) {
    EXPECT_EQ(window_.windowTitle(), QStringLiteral("Nordteller - recording to recorded.scenario"));
    Type(id::kAmount, QStringLiteral("1234"));
    QTest::keyClick(Control(id::kAmount), Qt::Key_Tab);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("55"));
    Type(id::kTestCaseInfo, QStringLiteral("TC 1 <Sale>\\ caf"));
    QTest::sendKeyEvent(QTest::Click, Control(id::kTestCaseInfo), Qt::Key_Eacute,
                        QStringLiteral("\u00e9"), Qt::NoModifier);
    QTest::keyClick(Control(id::kTestCaseInfo), Qt::Key_Return);
    QTest::keyClicks(Control(id::kTestCaseInfo), QStringLiteral("second"));

    auto* tree = qobject_cast<QTreeWidget*>(Control(id::kPadTree));
    tree->expandAll();
    QTreeWidgetItem* root = tree->topLevelItem(0);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(root).center());
    QTreeWidgetItem* leaf = root->child(0)->child(0)->child(1);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(leaf).center());

    // A sale with manual entry and a receipt.
    ClickControl(id::kPromptManual);
    driver_
        .Then([](QDialog& d) {
            TypeIn<QLineEdit>(d, "1031", "K1A 0B1");
            TypeIn<QLineEdit>(d, "1033", "123");
            Press(d, "OK");
        })
        .Then([](QDialog& d) { Press(d, "OK"); })   // the request, unchanged
        .Then([](QDialog& d) { Press(d, "OK"); })   // the receipt
        .Then([](QDialog& d) { Press(d, "OK"); });  // the response
    ClickControl(id::kSale);
    ClickControl(id::kPromptManual);
    // A void whose request the operator edits.
    driver_
        .Then([](QDialog& d) {
            auto* edit = d.findChild<QPlainTextEdit*>(QStringLiteral("1200"));
            edit->moveCursor(QTextCursor::End);
            QTest::keyClicks(edit, "<!-- by hand -->");
            QTest::keyClick(edit, Qt::Key_Return);
            Press(d, "OK");
        })
        .Then([](QDialog& d) { Press(d, "OK"); })
        .Then([](QDialog& d) { Press(d, "OK"); });
    ClickControl(id::kVoidSale);
    // An incremental authorisation without tokens, with typed amounts.
    driver_.Then([](QDialog& d) { Press(d, "Yes"); })
        .Then([](QDialog& d) {
            TypeIn<QLineEdit>(d, "1176", "2000");
            TypeIn<QLineEdit>(d, "1178", "350");
            Press(d, "OK");
        })
        .Then([](QDialog& d) { Press(d, "OK"); })
        .Then([](QDialog& d) { Press(d, "OK"); })
        .Then([](QDialog& d) { Press(d, "OK"); });
    ClickControl(id::kIncrementalAuth);
    // A request cancelled; the question refused, then taken; the pad types; the gift card picker.
    driver_.Then([](QDialog& d) { Press(d, "Cancel"); });
    ClickControl(id::kBalanceInq);
    driver_.Then([](QDialog& d) { Press(d, "No"); });
    ClickControl(id::kResetSequenceNo);
    driver_.Then([](QDialog& d) { Press(d, "Yes"); });
    ClickControl(id::kResetSequenceNo);
    driver_.Then([](QDialog& d) { Press(d, "OK"); });
    ClickControl(id::kGetPadTypesInfo);
    driver_.Then([](QDialog& d) { Press(d, "OK"); });  // the terminal's notice
    ClickControl(id::kTranEmv);
    driver_.Then([](QDialog& d) { Press(d, "Cancel"); });
    ClickControl(id::kGiftCards);
    ClickControl(id::kTranEmv);
    // The script: the first test case done, the second stops the run.
    driver_.Then([](QDialog& d) { Press(d, "Do The Test"); })
        .Then([](QDialog& d) { Press(d, "OK"); })
        .Then([](QDialog& d) { Press(d, "OK"); })
        .Then([](QDialog& d) { Press(d, "OK"); })
        .Then([](QDialog& d) { Press(d, "Stop the Script"); });
    window_.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
    QTest::keyClick(&window_, Qt::Key_R, Qt::ControlModifier | Qt::ShiftModifier);
    Type(id::kOperatorId, QStringLiteral("op 7"));
    const std::string windowDump = WindowDump();
    QTest::keyClick(&window_, Qt::Key_Escape);
    ASSERT_FALSE(recorder_.Active());
    EXPECT_EQ(window_.windowTitle(), QStringLiteral("Nordteller"));

    const std::string recorded = ReadFile("recorded.scenario");
    const std::vector<std::string> lines = Lines(recorded);
    ASSERT_GT(lines.size(), 3u) << recorded;
    EXPECT_EQ(lines[0], "# nordteller " NORDTELLER_VERSION " recording");
    EXPECT_EQ(lines[1], "# date: 2026-12-08 09:15:02");
    EXPECT_EQ(lines[2], "# payment client: " + kPlugin);
    EXPECT_EQ(lines.back(), "dump");
    // Fields before the action that reads them, answers before the action that asks.
    const std::vector<std::string> expected = {"set 1002 12.34",
                                               "set 1015 0.55",
                                               "set 1037 TC 1 <Sale>\\\\ caf\u00e9\\r\\nsecond",
                                               "select-node Processor",
                                               "select KX200",
                                               "check 1017",
                                               "answer fields K1A 0B1||123",
                                               "answer ok",
                                               "answer ok",
                                               "click 1004",
                                               "uncheck 1017",
                                               "answer text <?xml version=\"1.0\"?>\\r\\n<TStream>",
                                               "answer ok",
                                               "click 1007",
                                               "answer yes",
                                               "answer fields 20.00|0.00|3.50",
                                               "answer ok",
                                               "answer ok",
                                               "click 1080",
                                               "answer cancel",
                                               "click 1062",
                                               "answer no",
                                               "click 1050",
                                               "answer yes",
                                               "click 1050",
                                               "answer ok",
                                               "click 1202",
                                               "click 1204",
                                               "answer cancel",
                                               "click 1054",
                                               "click 1204",
                                               "answer do",
                                               "answer ok",
                                               "answer ok",
                                               "answer stop",
                                               "click 1046",
                                               "set 1020 op 7",
                                               "dump"};
    size_t at = 0;
    for (const std::string& line : lines) {
        if (at < expected.size() && line.starts_with(expected[at])) {
            ++at;
        }
    }
    EXPECT_EQ(at, expected.size())
        << "missing or out of order: " << expected[std::min(at, expected.size() - 1)] << "\n"
        << recorded;

    // The replay, from the same starting folder.
    fs::current_path("replay");
    Outcome replay;
    {
        ScopedEnv calls{"NORDTELLER_TEST_CALL_LOG", dir_.path() + "/replay.calls"};
        replay =
            Nordteller("--control '" + kPlugin + "' --headless --scenario ../recorded.scenario");
    }
    fs::current_path("..");
    ASSERT_EQ(replay.status, 0) << replay.err << replay.out;
    const std::string requests = ReadFile("window.calls");
    EXPECT_NE(requests.find("<CVVData>123</CVVData>"), std::string::npos);
    EXPECT_NE(requests.find("<!-- by hand -->"), std::string::npos);
    EXPECT_NE(requests.find("<OriginalAuthorized>20.00</OriginalAuthorized>"), std::string::npos);
    EXPECT_EQ(ReadFile("replay.calls"), requests);
    EXPECT_EQ(DumpLines(replay.out), DumpLines(windowDump));
    EXPECT_EQ(DumpLines(windowDump).size(), MainWindowControls().size());
}

// The window's script runs write the evidence report and the record; a second run replaces the
// first's.
TEST_F(RecordingTest, ScriptRunsOfTheWindowWriteTheEvidenceReport) {
    WindowEvidence evidence({.control = kPlugin,
                             .reports = {{ReportFormat::Html, "evidence.html"},
                                         {ReportFormat::Results, "record.jsonl"}}},
                            clock_);
    ASSERT_EQ(evidence.Open(), std::nullopt);
    evidence.Attach(*dlg_, window_);
    driver_.Then([](QDialog& d) { Press(d, "Do The Test"); })
        .Then([](QDialog& d) { Press(d, "OK"); })
        .Then([](QDialog& d) { Press(d, "OK"); })
        .Then([](QDialog& d) { Press(d, "OK"); })
        .Then([](QDialog& d) { Press(d, "Stop the Script"); });
    window_.RunScript();
    ASSERT_TRUE(evidence.Written());
    const std::string first = ReadFile("evidence.html");
    EXPECT_NE(first.find("<nav class=\"strip\"><a class=\"p\" href=\"#tc1\""), std::string::npos);
    EXPECT_NE(first.find("<h2>1. scripted <span class=\"verdict p\">passed</span></h2>"),
              std::string::npos);
    EXPECT_NE(first.find("&lt;Purchase>5.00&lt;/Purchase>"), std::string::npos);  // the request
    const std::string record = ReadFile("record.jsonl");
    EXPECT_NE(record.find("\"options\":{\"front_end\":\"window\""), std::string::npos) << record;
    EXPECT_NE(record.find("\"record\":\"case\",\"index\":1,"), std::string::npos);

    driver_.Then([](QDialog& d) { Press(d, "Skip the Test"); }).Then([](QDialog& d) {
        Press(d, "Skip the Test");
    });
    window_.RunScript();
    const std::string second = ReadFile("evidence.html");
    EXPECT_NE(second.find("2: 0 passed, 0 failed, 2 skipped, 0 not reached"), std::string::npos);
    EXPECT_EQ(second.find("verdict p"), std::string::npos);
    EXPECT_NE(ReadFile("record.jsonl")
                  .find("{\"record\":\"summary\",\"test_cases\":2,\"passed\":0,\"failed\":0,"
                        "\"skipped\":2,"),
              std::string::npos);
}

// Started from the system menu on a window in use: lines that restore what it shows, then the
// actions; stopped from the menu with the dump.
TEST_F(RecordingTest, TheSystemMenuStartsAndStopsARecording) {
    recorder_.Finish(dlg_->form());
    Type(id::kMerchantId, QStringLiteral("9"));
    ClickControl(id::kCreditOnly);
    QAction* entry = nullptr;
    for (QAction* action : window_.SystemMenu()->actions()) {
        if (action->text() == QStringLiteral("Start &Recording...")) {
            entry = action;
        }
    }
    ASSERT_NE(entry, nullptr);
    driver_.Then([](QDialog& d) {
        auto& files = dynamic_cast<QFileDialog&>(d);
        files.selectFile(QStringLiteral("menu.scenario"));
        static_cast<QDialog&>(files).accept();
    });
    entry->trigger();
    ASSERT_TRUE(recorder_.Active());
    EXPECT_TRUE(window_.windowTitle().startsWith(QStringLiteral("Nordteller - recording to ")));
    EXPECT_EQ(entry->text(), QStringLiteral("Stop &Recording"));
    driver_.Then([](QDialog& d) { Press(d, "Cancel"); });
    ClickControl(id::kBalanceInq);
    entry->trigger();
    EXPECT_FALSE(recorder_.Active());
    EXPECT_EQ(window_.windowTitle(), QStringLiteral("Nordteller"));

    const std::vector<std::string> lines = Lines(ReadFile("menu.scenario"));
    ASSERT_GT(lines.size(), 6u);
    const std::vector<std::string> body(lines.begin() + 3, lines.end());
    auto has = [&](const std::string& line) {
        return std::find(body.begin(), body.end(), line) != body.end();
    };
    EXPECT_TRUE(has("set 1012 709"));
    EXPECT_TRUE(has("check 1023"));
    EXPECT_TRUE(has("uncheck 1059"));
    const std::vector<std::string> tail(body.end() - 3, body.end());
    EXPECT_EQ(tail, (std::vector<std::string>{"answer cancel", "click 1062", "dump"}));
}

}  // namespace
}  // namespace nt::test
