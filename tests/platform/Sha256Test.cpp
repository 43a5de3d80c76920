#include "platform/Sha256.h"

#include <gtest/gtest.h>

#include "support/TempDir.h"

namespace nt {
namespace {

std::string Digest(const std::string& bytes) {
    Sha256 sha;
    sha.Update(bytes);
    return sha.HexDigest();
}

// The FIPS 180-4 examples, and a text fed in pieces across block boundaries.
TEST(Sha256, WhatSha256sumPrints) {
    EXPECT_EQ(Digest(""), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    EXPECT_EQ(Digest("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    EXPECT_EQ(Digest("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
              "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
    const std::string million(1000000, 'a');
    Sha256 pieces;
    for (size_t at = 0; at < million.size(); at += 997) {
        pieces.Update(std::string_view(million).substr(at, 997));
    }
    EXPECT_EQ(pieces.HexDigest(),
              "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");

    test::TempDir dir;
    test::WriteFile("Script.csv", "abc");
    const std::optional<FileDigest> file = DigestFile("Script.csv");
    ASSERT_TRUE(file);
    EXPECT_EQ(file->sha256, Digest("abc"));
    EXPECT_EQ(file->bytes, 3u);
    EXPECT_FALSE(DigestFile("missing.csv"));
}

}  // namespace
}  // namespace nt
