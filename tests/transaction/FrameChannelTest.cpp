#include "transaction/FrameChannel.h"

#include <gtest/gtest.h>

namespace nt {
namespace {

TEST(FrameChannel, EncodingIsLittleEndianHeaderThenBothTexts) {
    const std::string bytes = EncodeFrame(Frame{static_cast<int32_t>(0x80004005), "ab", "xyz"});
    EXPECT_EQ(bytes, std::string("\x05\x40\x00\x80"
                                 "\x02\x00\x00\x00"
                                 "\x03\x00\x00\x00"
                                 "abxyz",
                                 17));
}

TEST(FrameChannel, ReaderWaitsForWholeFramesAndKeepsTheRest) {
    const std::string binary("first \xE9\0 text", 13);
    const std::string one = EncodeFrame(Frame{0, binary, ""});
    const std::string two = EncodeFrame(Frame{2, "", "why"});
    const std::string stream = one + two;
    FrameReader reader;
    // Byte by byte: each frame comes with its last byte, and only once.
    std::vector<Frame> got;
    std::vector<size_t> at;
    for (size_t i = 0; i < stream.size(); ++i) {
        reader.Append(&stream[i], 1);
        while (std::optional<Frame> frame = reader.Next()) {
            got.push_back(*frame);
            at.push_back(i + 1);
        }
    }
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(at, (std::vector<size_t>{one.size(), stream.size()}));
    EXPECT_EQ(got[0].tag, 0);
    EXPECT_EQ(got[0].text, binary);
    EXPECT_EQ(got[1].tag, 2);
    EXPECT_EQ(got[1].text, "");
    EXPECT_EQ(got[1].error, "why");
    EXPECT_TRUE(reader.Broken().empty());
}

TEST(FrameChannel, HeaderOverTheLimitBreaksTheStreamNamingTheSize) {
    FrameReader reader;
    const std::string header("\0\0\0\0\x01\x00\x00\x01\0\0\0\0", 12);  // 16 MiB + 1
    reader.Append(header.data(), header.size());
    EXPECT_FALSE(reader.Next());
    EXPECT_EQ(reader.Broken(),
              "the payment client's response is 16777217 bytes, over the limit of 16 MiB");
    const std::string later = EncodeFrame(Frame{0, "x", ""});
    reader.Append(later.data(), later.size());
    EXPECT_FALSE(reader.Next());  // nothing after a broken header is trusted

    FrameReader error;
    const std::string big("\0\0\0\0\0\0\0\0\0\0\0\x02", 12);  // an error text of 32 MiB
    error.Append(big.data(), big.size());
    EXPECT_FALSE(error.Next());
    EXPECT_EQ(error.Broken(),
              "the payment client's error text is 33554432 bytes, over the limit of 16 MiB");

    FrameReader exact;
    const std::string limit("\0\0\0\0\0\0\0\x01\0\0\0\0", 12);  // 16 MiB itself is allowed
    exact.Append(limit.data(), limit.size());
    EXPECT_FALSE(exact.Next());
    EXPECT_TRUE(exact.Broken().empty());
}

}  // namespace
}  // namespace nt
