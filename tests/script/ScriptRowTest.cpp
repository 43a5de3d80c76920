#include "script/ScriptRow.h"

#include <climits>

#include <gtest/gtest.h>

namespace nt {
namespace {

using Columns = std::vector<std::string>;

Columns Kept(const ScriptRow& row) {
    return Columns(row.columns.begin(), row.columns.end());
}

TEST(SplitScriptRow, EveryCommaSeparatesAndBlanksStay) {
    const std::pair<std::string, Columns> cases[] = {
        {"", {"", "", "", "", "", "", "", "", "", ""}},
        {"Run", {"Run", "", "", "", "", "", "", "", "", ""}},
        {",", {"", "", "", "", "", "", "", "", "", ""}},
        {"Run,1,000,R", {"Run", "1", "000", "R", "", "", "", "", "", ""}},
        {"\"a,b\",c", {"\"a", "b\"", "c", "", "", "", "", "", "", ""}},
        {"Run , 5 ,\t", {"Run ", " 5 ", "\t", "", "", "", "", "", "", ""}},
        {"Run,5,,R,A,Sale,0,0", {"Run", "5", "", "R", "A", "Sale", "0", "0", "", ""}},
        {"1,2,3,4,5,6,7,8,9,10,11,12", {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}},
        {"1,2,3,4,5,6,7,8,9,", {"1", "2", "3", "4", "5", "6", "7", "8", "9", ""}},
        {std::string("a\0b,\xFF\r,x", 8),
         {std::string("a\0b", 3), "\xFF\r", "x", "", "", "", "", "", "", ""}},
    };
    for (const auto& [line, columns] : cases) {
        EXPECT_EQ(Kept(SplitScriptRow(line)), columns) << line;
    }
}

// A script saved as UTF-8 (with or without a byte order mark) reads as the same Windows-1252
// text as one saved in Windows-1252; a Windows-1252 line is never taken for UTF-8.
TEST(SplitScriptRow, Utf8LinesAreReadAsWhatTheySay) {
    const std::string cp1252 = "Run,10.00,,,,Sale,,,Re\xE7u caf\xE9 \x80";
    const std::string info = "Re\xE7u caf\xE9 \x80";
    EXPECT_EQ(SplitScriptRow(cp1252).Info(), info);
    EXPECT_EQ(SplitScriptRow("Run,10.00,,,,Sale,,,Re\xC3\xA7u caf\xC3\xA9 \xE2\x82\xAC").Info(),
              info);
    const ScriptRow bom =
        SplitScriptRow("\xEF\xBB\xBFRun,10.00,,,,Sale,,,Re\xC3\xA7u caf\xC3\xA9 \xE2\x82\xAC");
    EXPECT_EQ(bom.Marker(), "Run");
    EXPECT_EQ(bom.Info(), info);
    EXPECT_EQ(SplitScriptRow("\xEF\xBB\xBFRun,1").Marker(), "Run");
    // Windows-1252 letters that happen to sit next to each other stay what they are.
    EXPECT_EQ(SplitScriptRow("Run,1,,,,Sale,,,\xC9\xE9t\xE9").Info(), "\xC9\xE9t\xE9");
}

TEST(SplitScriptRow, ThousandsOfColumnsKeepTheFirstTen) {
    std::string line = "Run,5,,R,A,Sale,9,1,Info,Approved";
    for (int i = 0; i < 5000; ++i) {
        line += "," + std::to_string(i);
    }
    ScriptRow row = SplitScriptRow(line);
    EXPECT_EQ(row.Info(), "Info");
    EXPECT_EQ(row.ExpectedOutcome(), "Approved");
    EXPECT_TRUE(IsRunnableRow(row));
}

TEST(IsRunnableRow, MarkerAndAmountFilter) {
    const std::pair<const char*, bool> cases[] = {
        {"Run,5", true},
        {"Run,Amount,Tip,Ref,Auth,Type,Options,Lang,Info", false},
        {"Run,TotalAmount", false},
        {"Run,Amounts", false},
        {"Run,amount", true},  // case-sensitive: not the header text
        {"Run,", false},
        {"Run", false},
        {"run,5", false},
        {"Run ,5", false},
        {" Run,5", false},
        {"RUN,5", false},
        {"", false},
        {",5", false},
    };
    for (auto [line, runnable] : cases) {
        EXPECT_EQ(IsRunnableRow(SplitScriptRow(line)), runnable) << line;
    }
}

TEST(ScriptAmount, PointAppendedOnlyWithoutAPeriod) {
    const std::pair<const char*, const char*> cases[] = {
        {"12", "12.00"}, {"12.5", "12.5"},  {"1", "1.00"},     {".5", ".5"},
        {"12.", "12."},  {"abc", "abc.00"}, {" 7 ", " 7 .00"}, {"1.2.3", "1.2.3"},
    };
    for (auto [column, amount] : cases) {
        EXPECT_EQ(ScriptAmount(column), amount) << column;
    }
}

TEST(LeadingNumber, ReadsAsAtoiDoes) {
    const std::pair<const char*, int> cases[] = {
        {"9", 9},
        {"", 0},
        {"abc", 0},
        {"15x", 15},
        {"  \t12", 12},
        {"+8", 8},
        {"-1", -1},
        {"- 1", 0},
        {"0x9", 0},
        {"007", 7},
        {"1 2", 1},
        {"99999999999999999999", INT_MAX},
        {"-99999999999999999999", INT_MIN},
        {"2147483647", INT_MAX},
        {"-2147483648", INT_MIN},
    };
    for (auto [text, value] : cases) {
        EXPECT_EQ(LeadingNumber(text), value) << text;
    }
}

}  // namespace
}  // namespace nt
