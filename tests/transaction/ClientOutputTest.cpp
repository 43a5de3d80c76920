#include "transaction/ClientOutput.h"

#include <gtest/gtest.h>

namespace nt {
namespace {

std::vector<std::string> Lines(const std::vector<std::string>& chunks, bool finish = true) {
    std::vector<std::string> lines;
    ClientOutput output([&](const std::string& line) { lines.push_back(line); });
    for (const std::string& chunk : chunks) {
        output.Append(chunk.data(), chunk.size());
    }
    if (finish) {
        output.Finish();
    }
    return lines;
}

TEST(ClientOutput, LinesAcrossChunksWithoutTheirEnds) {
    EXPECT_EQ(Lines({"one\ntw", "o\r\n\nthree"}),
              (std::vector<std::string>{"one", "two", "", "three"}));
    EXPECT_EQ(Lines({"no end yet"}, false), std::vector<std::string>{});
    EXPECT_EQ(Lines({""}), std::vector<std::string>{});
}

TEST(ClientOutput, ControlCharactersAreEscapedButTab) {
    EXPECT_EQ(Lines({std::string("a\tb\x1b[31mc\rd\x7f\0e\xC3\xA9\n", 16)}),
              std::vector<std::string>{"a\tb\\x1B[31mc\\x0Dd\\x7F\\x00e\xC3\xA9"});
}

TEST(ClientOutput, LongLineIsCutAtTheLimitWithANote) {
    const std::string limit(kClientOutputLineLimit, 'x');
    EXPECT_EQ(Lines({limit + "\n"}), std::vector<std::string>{limit});
    EXPECT_EQ(Lines({limit, "yz\r", "\nnext\n"}),
              (std::vector<std::string>{limit + " [3 more bytes cut]", "next"}));
    EXPECT_EQ(Lines({limit + "tail"}), std::vector<std::string>{limit + " [4 more bytes cut]"});
}

}  // namespace
}  // namespace nt
