#include "headless/MemoryForm.h"

#include <sstream>

#include <gtest/gtest.h>

#include "headless/FormDump.h"
#include "headless/ScriptProgress.h"
#include "headless/Transcript.h"

namespace nt {
namespace {

TEST(MemoryForm, StartsAsTheControlTable) {
    MemoryForm form;
    EXPECT_EQ(form.Text(id::kMerchantId), "70");
    EXPECT_EQ(form.Text(id::kSendingSeqNo), "Sending POS Seq No.");
    EXPECT_EQ(form.Text(id::kExit), "E&xit");  // buttons hold their caption
    EXPECT_EQ(form.Text(id::kPromptTip), "Prompt for TIP on Sale");
    EXPECT_FALSE(form.Enabled(id::kTipAmount));
    EXPECT_FALSE(form.Visible(id::kRunScript));
    EXPECT_FALSE(form.Checked(id::kEnglishLocal));
    EXPECT_TRUE(form.Enabled(id::kSale));
}

TEST(MemoryForm, UnknownIdentifiersReadEmptyAndIgnoreWrites) {
    MemoryForm form;
    form.SetText(1016, "x");
    form.SetChecked(1016, true);
    form.SetEnabled(1016, true);
    form.SetVisible(1016, true);
    EXPECT_EQ(form.Text(1016), "");
    EXPECT_FALSE(form.Checked(1016));
    EXPECT_FALSE(form.Enabled(1016));
    EXPECT_FALSE(form.Visible(1016));
}

TEST(MemoryForm, CheckingARadioButtonClearsOnlyItsGroup) {
    MemoryForm form;
    form.SetChecked(id::kEnglishLocal, true);
    form.SetChecked(id::kNoFallback, true);
    form.SetChecked(id::kCreditOnly, true);
    form.SetChecked(id::kFrenchFallback, true);
    EXPECT_FALSE(form.Checked(id::kNoFallback));
    EXPECT_TRUE(form.Checked(id::kFrenchFallback));
    EXPECT_TRUE(form.Checked(id::kEnglishLocal));
    EXPECT_TRUE(form.Checked(id::kCreditOnly));
    // Unchecking touches only the button itself.
    form.SetChecked(id::kFrenchFallback, false);
    EXPECT_FALSE(form.Checked(id::kFrenchFallback));
    EXPECT_FALSE(form.Checked(id::kEnglishFallback));
    EXPECT_TRUE(form.Checked(id::kEnglishLocal));
}

std::vector<std::string> DumpLines(const MemoryForm& form, const PadTree& tree = PadTree()) {
    std::ostringstream out;
    Transcript transcript(out);
    DumpForm(form, tree, transcript);
    std::vector<std::string> lines;
    std::istringstream in(out.str());
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    EXPECT_EQ(out.str().back(), '\n');
    return lines;
}

std::string LineOf(const std::vector<std::string>& lines, int id) {
    std::string prefix = std::to_string(id) + "\t";
    for (const auto& line : lines) {
        if (line.starts_with(prefix)) {
            return line;
        }
    }
    return "<none>";
}

TEST(FormDump, OneLinePerControlInAscendingOrder) {
    MemoryForm form;
    auto lines = DumpLines(form);
    ASSERT_EQ(lines.size(), MainWindowControls().size());
    EXPECT_EQ(lines.front(), "2\tE&xit");
    EXPECT_EQ(lines[1], "3\tFwd All");
    EXPECT_EQ(lines[2], "1000\t127.0.0.1");
    EXPECT_EQ(lines.back(), "1204\t[ ]");
    for (size_t i = 0; i < lines.size(); ++i) {
        EXPECT_TRUE(lines[i].starts_with(std::to_string(MainWindowControls()[i].id) + "\t"));
    }
}

TEST(FormDump, LinesByteForByte) {
    MemoryForm form;
    form.SetText(id::kTestCaseInfo,
                 "Cr\xE9"
                 "dit\tA\\B\r\nC \x80");
    form.SetChecked(id::kFrenchLocal, true);
    form.SetChecked(id::kPromptTip, true);
    form.SetEnabled(id::kPromptTip, false);
    form.SetVisible(id::kPinPadIpPortLabel, false);
    form.SetText(id::kTerminalId, "");
    PadTree tree;
    PadTypeRecord record{"Northwind", "Lumatek", "Lumatek\tiPP"};
    int root = tree.InsertItem("Processor", PadTree::kNone);
    tree.Select(tree.InsertItem(record.padTypeId, root, &record));
    tree.SetEnabled(false);
    auto lines = DumpLines(form, tree);
    EXPECT_EQ(LineOf(lines, 1037),
              "1037\tCr\xC3\xA9"
              "dit\\tA\\\\B\\r\\nC \xE2\x82\xAC");
    EXPECT_EQ(LineOf(lines, 1034), "1034\t[ ]");
    EXPECT_EQ(LineOf(lines, 1035), "1035\t[x]");
    EXPECT_EQ(LineOf(lines, 1014), "1014\t[x]\tdisabled");
    EXPECT_EQ(LineOf(lines, 1015), "1015\t0.00\tdisabled");
    EXPECT_EQ(LineOf(lines, 1018), "1018\t");
    EXPECT_EQ(LineOf(lines, 1046), "1046\tRun Script\thidden");
    EXPECT_EQ(LineOf(lines, 1054), "1054\tGIFT\\rCARDS\thidden");
    EXPECT_EQ(LineOf(lines, 1064), "1064\tPINPadIPPort\tdisabled\thidden");
    EXPECT_EQ(LineOf(lines, 1008), "1008\tSending POS Seq No.");
    EXPECT_EQ(LineOf(lines, 1203), "1203\tLumatek\\tiPP\tdisabled");
}

// The progress line quotes the script's Test Case Info escaped and bounded: a huge cell with
// control bytes costs one short line.
TEST(ScriptProgress, TestCaseInfoIsEscapedAndBounded) {
    std::ostringstream err;
    ScriptProgress progress(err);
    ScriptTestCase testCase;
    testCase.index = 3;
    testCase.row = SplitScriptRow("Run,5,,,,Sale,,,Caf\xE9\x1B]0;x\x07");
    progress.OnTestCaseStarted(testCase, 9);
    testCase.row = SplitScriptRow("Run,5,,,,Sale,,," + std::string(921630, 'i'));
    progress.OnTestCaseStarted(testCase, 9);
    EXPECT_EQ(err.str(),
              "nordteller: test case 3 of 9: Caf\xC3\xA9\\x1b]0;x\\x07\n"
              "nordteller: test case 3 of 9: " +
                  std::string(80, 'i') + "... (921630 bytes)\n");
}

TEST(Transcript, EscapesAndShowsHighBytesAsUtf8) {
    EXPECT_EQ(EscapeText("plain"), "plain");
    EXPECT_EQ(EscapeText("a\tb\rc\nd\\e"), "a\\tb\\rc\\nd\\\\e");
    EXPECT_EQ(EscapeText("\\n"), "\\\\n");  // a backslash before n stays two characters
    // No control character reaches the terminal: a title change, a bell, NUL, DEL and the C1
    // controls the code page's unassigned bytes stand for are shown as their code points.
    EXPECT_EQ(EscapeText("\x1B]0;owned\x07"), "\\x1b]0;owned\\x07");
    EXPECT_EQ(EscapeText(std::string("a\0b\x7F\x81\x8D\x8F\x90\x9D", 9)),
              "a\\x00b\\x7f\\x81\\x8d\\x8f\\x90\\x9d");
    EXPECT_EQ(EscapeText("Fran\xE7"
                         "ais \x80\x92\xFF"),
              "Fran\xC3\xA7"
              "ais \xE2\x82\xAC\xE2\x80\x99\xC3\xBF");
    std::ostringstream out;
    Transcript t(out);
    t.Entry("message", "A\r\nB");
    t.Entry("question", "\xC9t\xE9?", "no");
    t.Line("beep");
    EXPECT_EQ(out.str(), "message: A\\r\\nB\nquestion: \xC3\x89t\xC3\xA9? -> no\nbeep\n");
}

}  // namespace
}  // namespace nt
