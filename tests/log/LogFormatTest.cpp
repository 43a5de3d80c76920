#include "log/LogFormat.h"

#include <gtest/gtest.h>

namespace nt {
namespace {

std::string Entry(std::string_view line) {
    std::string out;
    AppendDailyEntry(out, line);
    return out;
}

TEST(LogFormat, AdministrativeFilterRemovesFirstPhraseAndOneCharacter) {
    const std::pair<std::string, std::string> cases[] = {
        {"A TranType=Administrative B", "A B"},
        {"ends TranType=Administrative", "ends "},
        {"TranType=Administrative|TranType=Administrative|", "TranType=Administrative|"},
        {"x TranType=Administrative\r\nnext", "x \r\nnext"},  // the CR is the character after
        {"TranType=Administrativ", "TranType=Administrativ"},
        {"", ""},
    };
    for (const auto& [line, kept] : cases) {
        EXPECT_EQ(Entry(line), kept + "\r\n----------\r\n") << line;
    }
}

TEST(LogFormat, EveryLineFeedIsWrittenAsCrLf) {
    std::string out;
    AppendTextMode(out, std::string("a\nb\r\nc\n\n%d\0z", 12));
    EXPECT_EQ(out, std::string("a\r\nb\r\r\nc\r\n\r\n%d\0z", 16));
    out.clear();
    AppendReceiptEntry(out, "");
    AppendReceiptEntry(out, "TranType=Administrative x");  // receipts are not filtered
    EXPECT_EQ(out, "\r\nTranType=Administrative x\r\n");
}

TEST(LogFormat, TimeStampAndDailyLogName) {
    EXPECT_EQ(TimeStamp({2026, 3, 7, 9, 15, 2}), "[09:15:02]");
    EXPECT_EQ(TimeStamp({2026, 3, 7, 23, 59, 59}), "[23:59:59]");
    EXPECT_EQ(TimeStamp({2026, 3, 7, 0, 0, 0}), "[00:00:00]");
    EXPECT_EQ(DailyLogName({2026, 3, 7, 9, 15, 2}), "CAN03072026.log");
    EXPECT_EQ(DailyLogName({2031, 12, 25, 0, 0, 0}), "CAN12252031.log");
}

}  // namespace
}  // namespace nt
