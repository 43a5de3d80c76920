#include "script/ScriptFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <filesystem>
#include <set>

#include <gtest/gtest.h>

#include "script/ScriptRow.h"
#include "support/TempDir.h"

namespace nt {
namespace {

using Lines = std::vector<std::string>;

Lines LinesOf(const std::string& content) {
    Lines lines;
    for (std::string_view line : ScriptLines(content)) {
        lines.emplace_back(line);
    }
    return lines;
}

TEST(ScriptLines, LineEndsAndByteOrderMark) {
    const std::pair<std::string, Lines> cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\n", {"a"}},
        {"a\r\n", {"a"}},
        {"a\r\nb", {"a", "b"}},
        {"a\nb\r\nc\n", {"a", "b", "c"}},
        {"\n\r\n\n", {"", "", ""}},
        {"a\r", {"a\r"}},        // a lone CR is an ordinary byte
        {"a\rb\r\n", {"a\rb"}},  // so is one that no LF follows
        {"a\r\r\n", {"a\r"}},    // only the CR just before LF belongs to the line end
        {"\xEF\xBB\xBFRun,5\r\n", {"Run,5"}},
        {"\xEF\xBB\xBF", {}},
        {"\xEF\xBB\xBF\xEF\xBB\xBFx", {"\xEF\xBB\xBFx"}},  // only the first is a mark
        {"a\n\xEF\xBB\xBF"
         "b",
         {"a",
          "\xEF\xBB\xBF"
          "b"}},  // not at the start: data
        {"\xEF\xBBx", {"\xEF\xBBx"}},
        {std::string("\0,\x1A\n", 4), {std::string("\0,\x1A", 3)}},
    };
    for (const auto& [content, lines] : cases) {
        EXPECT_EQ(LinesOf(content), lines) << testing::PrintToString(content);
    }
}

TEST(ScriptLines, VeryLongLineStaysWhole) {
    std::string longLine(5'000'000, 'x');
    Lines lines = LinesOf("Run,5\r\n" + longLine + "\r\nlast");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1].size(), longLine.size());
    EXPECT_EQ(lines[2], "last");
}

TEST(ReadScriptFile, WholeContentOrNothing) {
    test::TempDir dir;
    std::string content = "\xEF\xBB\xBFRun,5\r\n";
    content += std::string(200'000, ',');  // larger than one read
    test::WriteFile("Script.csv", content);
    EXPECT_EQ(ReadScriptFile("Script.csv"), content);

    EXPECT_EQ(ReadScriptFile("missing.csv"), std::nullopt);
    std::filesystem::create_directory("dir.csv");
    EXPECT_EQ(ReadScriptFile("dir.csv"), std::nullopt);

    test::WriteFile("empty.csv", "");
    EXPECT_EQ(ReadScriptFile("empty.csv"), "");
}

TEST(ReadScriptFile, ALineOverOneMebibyteReadsAsAnEmptyLine) {
    test::TempDir dir;
    const std::string limit(kMaxScriptLineBytes, 'x');
    const std::string row = "Run,5,,R,A,Sale,0,0,A";
    test::WriteFile("Script.csv", limit + "\n" + limit + "y\r\n" + row + "\n" + limit + "zz");
    int longLine = -1;
    EXPECT_EQ(ReadScriptFile("Script.csv", &longLine), limit + "\n\n" + row + "\n");
    EXPECT_EQ(longLine, 2);
    test::WriteFile("Script.csv", row);
    EXPECT_EQ(ReadScriptFile("Script.csv", &longLine), row);
    EXPECT_EQ(longLine, 0);
}

TEST(LoneCarriageReturnLine, FirstLineWithACrThatNoLfFollows) {
    const std::pair<const char*, int> cases[] = {
        {"", 0},       {"a\r\nb\r\n", 0},  {"a\nb", 0},         {"a\r", 1},
        {"a\rb\r", 1}, {"a\r\nb\rc\n", 2}, {"a\n\nb\r\r\n", 3},
    };
    for (const auto& [content, line] : cases) {
        EXPECT_EQ(LoneCarriageReturnLine(content), line) << testing::PrintToString(content);
    }
}

TEST(ReadScriptFile, SharedWithReadersLockedExclusivelyIsUnreadable) {
    test::TempDir dir;
    test::WriteFile("Script.csv", "Run,5\n");
    int fd = ::open("Script.csv", O_RDONLY);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::flock(fd, LOCK_SH), 0);
    EXPECT_EQ(ReadScriptFile("Script.csv"), "Run,5\n");
    ASSERT_EQ(::flock(fd, LOCK_EX), 0);
    EXPECT_EQ(ReadScriptFile("Script.csv"), std::nullopt);
    ::close(fd);
    EXPECT_EQ(ReadScriptFile("Script.csv"), "Run,5\n");
}

// The bundled example: a header that does not run, every transaction type once or more, and
// an expected outcome on every runnable row.
TEST(ExampleScript, CoversEveryTransactionType) {
    std::optional<std::string> content =
        ReadScriptFile(NORDTELLER_SOURCE_DIR "/examples/Script.csv");
    ASSERT_TRUE(content);
    std::vector<std::string_view> lines = ScriptLines(*content);
    ASSERT_FALSE(lines.empty());
    EXPECT_FALSE(IsRunnableRow(SplitScriptRow(lines[0])));
    std::set<std::string> types;
    for (size_t i = 1; i < lines.size(); ++i) {
        ScriptRow row = SplitScriptRow(lines[i]);
        if (!IsRunnableRow(row)) {
            continue;
        }
        EXPECT_TRUE(TransactionButton(row.Type())) << lines[i];
        EXPECT_FALSE(row.ExpectedOutcome().empty()) << lines[i];
        EXPECT_FALSE(row.Info().empty()) << lines[i];
        types.insert(row.Type());
    }
    EXPECT_EQ(types, (std::set<std::string>{"Sale", "Return", "VoidSale", "VoidReturn", "PostAuth",
                                            "Balance"}));
}

}  // namespace
}  // namespace nt
