#include "script/ScriptLineReader.h"

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

// Every line of a file, or nullopt when it cannot be opened.
std::optional<Lines> ReadLines(const std::string& path, size_t maxLine = kMaxScriptLineBytes,
                               size_t readSize = ScriptLineReader::kReadSize) {
    ScriptLineReader file(path, maxLine, readSize);
    if (!file.Opened()) {
        return std::nullopt;
    }
    Lines lines;
    while (std::optional<std::string_view> line = file.Next()) {
        lines.emplace_back(*line);
    }
    return lines;
}

Lines LinesOf(const std::string& content, size_t readSize = ScriptLineReader::kReadSize) {
    test::TempDir dir;
    test::WriteFile("Script.csv", content);
    return ReadLines("Script.csv", SIZE_MAX, readSize).value_or(Lines{"<unreadable>"});
}

TEST(ScriptLineReader, LineEndsAndByteOrderMark) {
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

TEST(ScriptLineReader, VeryLongLineStaysWholeUpToTheBound) {
    std::string longLine(5'000'000, 'x');
    Lines lines = LinesOf("Run,5\r\n" + longLine + "\r\nlast");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1].size(), longLine.size());
    EXPECT_EQ(lines[2], "last");
}

// Every read size from one byte up: each line, CR LF pair and the byte order mark split at
// every position between two reads; a second pass over the same open file reads the same.
TEST(ScriptLineReader, LinesSplitAcrossReads) {
    const std::string content =
        "\xEF\xBB\xBFRun,5\r\nab\rc\r\n\r\nlongest\r\n\nxy\r\r\nlast-line\r";
    const Lines whole = {"Run,5", "ab\rc", "", "longest", "", "xy\r", "last-line\r"};
    // Lines of more than 6 bytes, a CR before the LF counted: empty, or gone when they end the
    // file.
    const Lines bounded = {"Run,5", "ab\rc", "", "", "", "xy\r"};
    test::TempDir dir;
    test::WriteFile("Script.csv", content);
    for (size_t readSize = 1; readSize <= content.size() + 1; ++readSize) {
        EXPECT_EQ(ReadLines("Script.csv", SIZE_MAX, readSize), whole) << readSize;
        ScriptLineReader file("Script.csv", 6, readSize);
        for (int pass = 0; pass < 2; ++pass) {
            Lines lines;
            while (std::optional<std::string_view> line = file.Next()) {
                lines.emplace_back(*line);
            }
            EXPECT_EQ(lines, bounded) << readSize;
            EXPECT_EQ(file.FirstLongLine(), 4) << readSize;
            EXPECT_EQ(file.Line(), 6) << readSize;
            ASSERT_TRUE(file.Rewind());
        }
    }
}

TEST(ScriptLineReader, WholeContentOrNothing) {
    test::TempDir dir;
    const std::string last(200'000, ',');  // larger than one read
    test::WriteFile("Script.csv", "\xEF\xBB\xBFRun,5\r\n" + last);
    EXPECT_EQ(ReadLines("Script.csv"), (Lines{"Run,5", last}));

    EXPECT_EQ(ReadLines("missing.csv"), std::nullopt);
    std::filesystem::create_directory("dir.csv");
    EXPECT_EQ(ReadLines("dir.csv"), std::nullopt);

    test::WriteFile("empty.csv", "");
    EXPECT_EQ(ReadLines("empty.csv"), Lines{});
}

TEST(ScriptLineReader, ALineOverOneMebibyteReadsAsAnEmptyLine) {
    test::TempDir dir;
    const std::string limit(kMaxScriptLineBytes, 'x');
    const std::string row = "Run,5,,R,A,Sale,0,0,A";
    test::WriteFile("Script.csv", limit + "\n" + limit + "y\r\n" + row + "\n" + limit + "zz");
    EXPECT_EQ(ReadLines("Script.csv"), (Lines{limit, "", row}));
    ScriptLineReader file("Script.csv");
    EXPECT_EQ(LoneCarriageReturnLine(file), 0);
    EXPECT_EQ(file.FirstLongLine(), 2);
    test::WriteFile("Script.csv", row);
    EXPECT_EQ(ReadLines("Script.csv"), Lines{row});
    ScriptLineReader again("Script.csv");
    EXPECT_EQ(LoneCarriageReturnLine(again), 0);
    EXPECT_EQ(again.FirstLongLine(), 0);
}

TEST(LoneCarriageReturnLine, FirstLineWithACrThatNoLfFollows) {
    const std::pair<const char*, int> cases[] = {
        {"", 0},       {"a\r\nb\r\n", 0},  {"a\nb", 0},         {"a\r", 1},
        {"a\rb\r", 1}, {"a\r\nb\rc\n", 2}, {"a\n\nb\r\r\n", 3},
    };
    test::TempDir dir;
    for (const auto& [content, line] : cases) {
        test::WriteFile("Script.csv", content);
        ScriptLineReader file("Script.csv");
        EXPECT_EQ(LoneCarriageReturnLine(file), line) << testing::PrintToString(content);
    }
}

TEST(ScriptLineReader, SharedWithReadersLockedExclusivelyIsUnreadable) {
    test::TempDir dir;
    test::WriteFile("Script.csv", "Run,5\n");
    int fd = ::open("Script.csv", O_RDONLY);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::flock(fd, LOCK_SH), 0);
    EXPECT_EQ(ReadLines("Script.csv"), Lines{"Run,5"});
    ASSERT_EQ(::flock(fd, LOCK_EX), 0);
    EXPECT_EQ(ReadLines("Script.csv"), std::nullopt);
    ::close(fd);
    EXPECT_EQ(ReadLines("Script.csv"), Lines{"Run,5"});
}

// The bundled example: a header that does not run, every transaction type once or more, and
// an expected outcome on every runnable row.
TEST(ExampleScript, CoversEveryTransactionType) {
    const Lines lines = ReadLines(NORDTELLER_SOURCE_DIR "/examples/Script.csv").value_or(Lines{});
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
