#include "platform/TonePlayer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace nt {
namespace {

int SignChanges(const std::vector<int16_t>& s) {
    int changes = 0;
    int last = 0;
    for (int16_t v : s) {
        int sign = (v > 0) - (v < 0);
        if (sign != 0) {
            changes += (last != 0 && sign != last);
            last = sign;
        }
    }
    return changes;
}

TEST(SineSamples, LengthAndPitchFollowTheRequest) {
    struct Case {
        int hz;
        int ms;
    };
    for (Case c : {Case{1000, 750}, Case{5000, 750}, Case{440, 100}}) {
        std::vector<int16_t> s = SineSamples(c.hz, c.ms, 48000);
        ASSERT_EQ(s.size(), 48000u * c.ms / 1000) << c.hz;
        // A sine crosses zero twice per period.
        int expected = 2 * c.hz * c.ms / 1000;
        EXPECT_NEAR(SignChanges(s), expected, 2) << c.hz;
    }
}

TEST(SineSamples, StartsAndEndsSilentAndNeverClips) {
    std::vector<int16_t> s = SineSamples(1000, 750, 48000);
    ASSERT_FALSE(s.empty());
    EXPECT_EQ(s.front(), 0);
    EXPECT_EQ(s.back(), 0);
    auto [lo, hi] = std::minmax_element(s.begin(), s.end());
    EXPECT_GT(*hi, 8000);
    EXPECT_LT(*lo, -8000);
    EXPECT_LT(std::abs(*lo), 32767);
}

TEST(SineSamples, NothingForEmptyRequests) {
    EXPECT_TRUE(SineSamples(1000, 0, 48000).empty());
    EXPECT_TRUE(SineSamples(0, 750, 48000).empty());
    EXPECT_TRUE(SineSamples(1000, -5, 48000).empty());
}

struct Recorder {
    int fallbacks = 0;
    std::vector<int> waits;
    size_t played = 0;
    unsigned rate = 0;
};

TEST(TonePlayer, UsesTheDeviceWhenItPlays) {
    Recorder r;
    TonePlayer player([&] { ++r.fallbacks; },
                      [&](std::span<const int16_t> s, unsigned rate) {
                          r.played = s.size();
                          r.rate = rate;
                          return true;
                      },
                      [&](int ms) { r.waits.push_back(ms); });
    player.Play(1000, 750);
    EXPECT_EQ(r.played, kToneSampleRate * 750 / 1000);
    EXPECT_EQ(r.rate, kToneSampleRate);
    EXPECT_EQ(r.fallbacks, 0);
    EXPECT_TRUE(r.waits.empty());  // the device itself takes the tone's length
}

TEST(TonePlayer, WithoutADeviceSignalsAndWaitsTheSameLength) {
    Recorder r;
    TonePlayer player([&] { ++r.fallbacks; },
                      [](std::span<const int16_t>, unsigned) { return false; },
                      [&](int ms) { r.waits.push_back(ms); });
    player.Play(5000, 750);
    player.Play(1000, 250);
    EXPECT_EQ(r.fallbacks, 2);
    EXPECT_EQ(r.waits, (std::vector<int>{750, 250}));
}

}  // namespace
}  // namespace nt
