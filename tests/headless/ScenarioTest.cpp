#include "headless/Scenario.h"

#include <gtest/gtest.h>

#include "text/EscapeText.h"

namespace nt {
namespace {

Action Only(std::string_view text) {
    Scenario s = ParseScenario(text);
    EXPECT_FALSE(s.error) << text << ": " << (s.error ? s.error->reason : "");
    EXPECT_EQ(s.actions.size(), 1u) << text;
    return s.actions.empty() ? Action{} : s.actions[0];
}

TEST(ParseScenario, TextIsEverythingAfterTheBlankWithEscapesResolved) {
    Action set = Only("set 1037 two  blanks\tand tab \\t\\r\\n\\\\ end ");
    EXPECT_EQ(set.kind, ActionKind::Set);
    EXPECT_EQ(set.id, 1037);
    EXPECT_EQ(set.text, "two  blanks\tand tab \t\r\n\\ end ");
    EXPECT_EQ(Only("set 1012").text, "");
    EXPECT_EQ(Only("set 1012 ").text, "");
    EXPECT_EQ(Only("set 1012  x").text, " x");
    EXPECT_EQ(Only("select-node Lumatek Corp").text, "Lumatek Corp");
    EXPECT_EQ(Only("select LM320").kind, ActionKind::Select);
}

TEST(ParseScenario, TextIsConvertedToWindows1252) {
    EXPECT_EQ(Only("set 1037 Cr\xC3\xA9"
                   "dit \xE2\x82\xAC \xE4\xB8\xAD")
                  .text,
              "Cr\xE9"
              "dit \x80 ?");
}

// Every byte a field can hold comes back from a recorded line as it went in, control bytes
// included: the transcript's escapes are the scenario's.
TEST(ParseScenario, EscapedTextRoundTripsEveryByte) {
    std::string every;
    for (int b = 1; b < 256; ++b) {
        every += static_cast<char>(b);
    }
    every += '\0';
    EXPECT_EQ(Only("set 1037 " + EscapeText(every)).text, every);
    EXPECT_EQ(Only("set 1037 \\x41\\x1B\\x9d").text, "A\x1B\x9D");
    for (const char* bad : {"set 1037 \\x", "set 1037 \\x4", "set 1037 \\xg0", "set 1037 \\x+1"}) {
        EXPECT_TRUE(ParseScenario(bad).error) << bad;
    }
}

TEST(ParseScenario, LineEndsCommentsAndBlankLines) {
    Scenario s = ParseScenario(
        "\xEF\xBB\xBF# comment\r\n\r\n \t \nset 1012 a\r\n#set 1 x\nclick 1004\r\ndump");
    ASSERT_FALSE(s.error);
    ASSERT_EQ(s.actions.size(), 3u);
    EXPECT_EQ(s.actions[0].line, 4);
    EXPECT_EQ(s.actions[0].text, "a");  // CR LF reads as LF
    EXPECT_EQ(s.actions[1].line, 6);
    EXPECT_EQ(s.actions[1].id, 1004);
    EXPECT_EQ(s.actions[2].line, 7);
    EXPECT_EQ(s.actions[2].kind, ActionKind::Dump);
    // A CR alone ends a line too (old Mac files), also the last one.
    s = ParseScenario("set 1012 a\rclick 1004\r\rdump\r");
    ASSERT_FALSE(s.error) << s.error->reason;
    ASSERT_EQ(s.actions.size(), 3u);
    EXPECT_EQ(s.actions[0].text, "a");
    EXPECT_EQ(s.actions[1].line, 2);
    EXPECT_EQ(s.actions[2].line, 4);
    EXPECT_EQ(s.actions[2].kind, ActionKind::Dump);
}

TEST(ParseScenario, ControlActions) {
    EXPECT_EQ(Only("check 1014").kind, ActionKind::Check);
    EXPECT_EQ(Only("uncheck 1034").kind, ActionKind::Uncheck);
    Action click = Only("click 2");
    EXPECT_EQ(click.kind, ActionKind::Click);
    EXPECT_EQ(click.id, 2);
    EXPECT_EQ(Only("click 1046 ").id, 1046);
}

TEST(ParseScenario, Answers) {
    EXPECT_EQ(Only("answer yes").answer.kind, AnswerKind::Yes);
    EXPECT_EQ(Only("answer stop").answer.kind, AnswerKind::Stop);
    Action text = Only("answer text <a>\\r\\n</a> x");
    EXPECT_EQ(text.answer.kind, AnswerKind::Text);
    EXPECT_EQ(text.answer.text, "<a>\r\n</a> x");
    Action fields = Only("answer fields 12|1 Main St|");
    EXPECT_EQ(fields.answer.kind, AnswerKind::Fields);
    EXPECT_EQ(fields.answer.fields, (std::array<std::string, 3>{"12", "1 Main St", ""}));
    EXPECT_EQ(Only("answer fields ||").answer.fields, (std::array<std::string, 3>{}));
    Action pick = Only("answer pick EMVCashOut");
    EXPECT_EQ(pick.answer.kind, AnswerKind::Pick);
    EXPECT_EQ(pick.answer.text, "EMVCashOut");
}

struct BadLine {
    std::string scenario;
    int line;
    std::string reason;
};

TEST(ParseScenario, ErrorsNameTheLineAndStopThere) {
    const BadLine cases[] = {
        {"dump\nfrobnicate 1", 2, "unknown action 'frobnicate'"},
        {"# c\n\nSet 1012 x", 3, "unknown action 'Set'"},
        {"set\t1012 x", 1, "unknown action 'set\\t1012'"},
        {"set 9999 x", 1, "unknown identifier '9999'"},
        {"set 1016 x", 1, "unknown identifier '1016'"},
        {"click +2", 1, "unknown identifier '+2'"},
        {"click", 1, "unknown identifier ''"},
        {"set  1012 x", 1, "unknown identifier ''"},
        {"check 1012", 1, "control 1012 is not a check box or radio button"},
        {"set 1203 x", 1, "control 1203 has no text to set"},
        {"click 1004 now", 1, "unexpected text after 'click 1004'"},
        {"dump all", 1, "unexpected text after 'dump'"},
        {"set 1012 a\\x", 1, "bad escape '\\x'"},
        {"dump\r\nset 1012 a\\\r\n", 2, "bad escape: '\\' at the end of the line"},
        {"answer maybe", 1, "unknown answer 'maybe'"},
        {"answer", 1, "unknown answer ''"},
        {"answer yes please", 1, "unexpected text after 'answer yes'"},
        {"answer fields 1|2", 1, "answer fields needs three values A|B|C"},
        {"answer fields 1|2|3|4", 1, "answer fields needs three values A|B|C"},
        {"answer pick EMVFoo", 1, "no gift card button picks 'EMVFoo'"},
        {"answer text a\\qb", 1, "bad escape '\\q'"},
        {"\x1B[2J\x7F\xFF 1", 1, "unknown action '\\x1B[2J\\x7F\\xFF'"},
        {std::string(10u << 20, 'x') + " 1", 1,
         "unknown action '" + std::string(80, 'x') + "'... (10485760 bytes)"},
    };
    for (const auto& c : cases) {
        Scenario s = ParseScenario(c.scenario);
        ASSERT_TRUE(s.error) << c.scenario;
        EXPECT_EQ(s.error->line, c.line) << c.scenario;
        EXPECT_EQ(s.error->reason, c.reason) << c.scenario;
    }
}

TEST(FormatScenarioError, OneLineWithProgramAndLine) {
    EXPECT_EQ(FormatScenarioError({12, "unknown action 'x'"}),
              "nordteller: scenario line 12: unknown action 'x'");
}

}  // namespace
}  // namespace nt
