#include "serial/SerialWait.h"

#include <string>

#include <gtest/gtest.h>

#include "serial/SerialTestKit.h"

namespace nt {
namespace {

using test::FakeLine;

class WaitReplyTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(port.OpenPort(1, 19200, 'N', '8', '1')); }

    ManualClock clock;
    std::shared_ptr<FakeLine> line = std::make_shared<FakeLine>(clock);
    CSerialPort port{clock, test::FakeOpener(line)};
    test::RecordingOperator op;
    std::string reply = "stale";
};

struct TimingCase {
    const char* name;
    std::vector<std::pair<uint64_t, std::string>> arrivals;
    uint32_t timeoutMs;
    bool complete;
    std::string reply;
    uint64_t endTick;
};

class WaitTimingTest : public WaitReplyTest, public ::testing::WithParamInterface<TimingCase> {};

TEST_P(WaitTimingTest, EndsByTheQuietAndTimeoutRules) {
    const TimingCase& c = GetParam();
    for (const auto& arrival : c.arrivals) {
        line->arrivals.insert(arrival);
    }
    EXPECT_EQ(WaitReply(port, op, c.timeoutMs, reply), c.complete);
    EXPECT_EQ(reply, c.reply);
    EXPECT_EQ(clock.TickMs(), c.endTick);
    EXPECT_EQ(op.pumps, static_cast<int>(c.endTick));  // one dispatch per 1 ms poll
}

INSTANTIATE_TEST_SUITE_P(
    Replies, WaitTimingTest,
    ::testing::Values(
        // Complete: 240 ms of quiet after the last byte (read at tick 100).
        TimingCase{"Complete",
                   {{100, "\r\n200 1 2 3 ABC123 REF9 X\r\n"}},
                   300000,
                   true,
                   "\r\n200 1 2 3 ABC123 REF9 X\r\n",
                   341},
        // Pieces keep the wait going; the quiet counts from the last one.
        TimingCase{"Pieces",
                   {{10, "\r\n20"}, {200, "0 OK"}, {400, "\r\n"}},
                   300000,
                   true,
                   "\r\n200 OK\r\n",
                   641},
        // Ends with CR LF but does not begin with it: looked at twice, then false.
        TimingCase{"TestedTwice", {{100, "200 OK\r\n"}}, 300000, false, "200 OK\r\n", 822},
        // Completed during the second look's quiet: the second look says true.
        TimingCase{"CompletedLate",
                   {{100, "\r\n200"}, {500, " OK\r\n"}},
                   300000,
                   true,
                   "\r\n200 OK\r\n",
                   981},
        // No CR at all: the whole time-out.
        TimingCase{"NoCarriageReturn", {{5, "200 OK\n"}}, 300000, false, "200 OK\n", 300000},
        TimingCase{"Silence", {}, 10000, false, "", 10000},
        // A complete reply that is still arriving at the time-out is cut off there.
        TimingCase{"TimeoutWins", {{9990, "\r\nA\r\n"}}, 10000, false, "\r\nA\r\n", 10000}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_F(WaitReplyTest, EveryByteIsKept) {
    const std::string bytes("\r\n\x00\xFF\xE9 200\r\n", 11);
    line->arrivals.emplace(3, bytes);
    EXPECT_TRUE(WaitReply(port, op, 300000, reply));
    EXPECT_EQ(reply, bytes);
}

// A terminal that never stops talking: the wait ends at the time-out with a bounded reply.
TEST_F(WaitReplyTest, EndlessTalkIsBounded) {
    for (uint64_t tick = 1; tick <= 10000; ++tick) {
        line->arrivals.emplace(tick, std::string(200, 'x') + "\r");
    }
    EXPECT_FALSE(WaitReply(port, op, 10000, reply));
    EXPECT_EQ(reply.size(), kMaxReplyBytes);
    EXPECT_EQ(clock.TickMs(), 10000u);
}

TEST_F(WaitReplyTest, SendCommandPausesBeforeTheCarriageReturn) {
    EXPECT_TRUE(SendCommand(port, "AT&UT90"));
    EXPECT_EQ(line->written, "AT&UT90\r");
    EXPECT_EQ(clock.TickMs(), kCarriageReturnPauseMs);

    // A failed command text sends no CR.
    line->written.clear();
    line->writeFails = true;
    EXPECT_FALSE(SendCommand(port, "AT&UT90"));
    EXPECT_EQ(line->written, "");
}

}  // namespace
}  // namespace nt
