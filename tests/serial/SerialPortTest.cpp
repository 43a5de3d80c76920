#include "serial/SerialPort.h"

#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "serial/SerialTestKit.h"

namespace nt {
namespace {

using test::FakeLine;

class SerialPortTest : public ::testing::Test {
  protected:
    bool OpenDefault(const std::string& text) { return port.Open(text, 19200, 'N', '8', '1'); }

    ManualClock clock;
    std::shared_ptr<FakeLine> line = std::make_shared<FakeLine>(clock);
    CSerialPort port{clock, test::FakeOpener(line)};
};

struct PortTextCase {
    const char* text;
    const char* path;  // nullptr: no device is tried
};

class PortTextTest : public SerialPortTest, public ::testing::WithParamInterface<PortTextCase> {};

TEST_P(PortTextTest, LeadingNumberSelectsTheDevice) {
    const PortTextCase& c = GetParam();
    ::unsetenv(("NORDTELLER_COM" + std::to_string(LeadingNumber(c.text))).c_str());
    EXPECT_EQ(OpenDefault(c.text), c.path != nullptr);
    EXPECT_EQ(port.IsOpen(), c.path != nullptr);
    EXPECT_EQ(line->paths, c.path ? std::vector<std::string>{c.path} : std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(
    Ports, PortTextTest,
    ::testing::Values(PortTextCase{"3", "/dev/ttyS2"}, PortTextCase{"  12abc", "/dev/ttyS11"},
                      PortTextCase{"+4", "/dev/ttyS3"}, PortTextCase{"255", "/dev/ttyS254"},
                      PortTextCase{"COM3", nullptr}, PortTextCase{"0", nullptr},
                      PortTextCase{"256", nullptr}, PortTextCase{"-1", nullptr},
                      PortTextCase{"99999999999999", nullptr}));

struct SettingsCase {
    uint32_t baud;
    char parity, dataBits, stopBits;
    std::optional<LineSettings> applied;  // nullopt: refused
};

class SettingsTest : public SerialPortTest, public ::testing::WithParamInterface<SettingsCase> {};

TEST_P(SettingsTest, OnlyTheListedSettingsOpen) {
    const SettingsCase& c = GetParam();
    EXPECT_EQ(port.OpenPort(1, c.baud, c.parity, c.dataBits, c.stopBits), c.applied.has_value());
    EXPECT_EQ(line->open, c.applied.has_value());
    EXPECT_EQ(line->applied,
              c.applied ? std::vector<LineSettings>{*c.applied} : std::vector<LineSettings>{});
    EXPECT_EQ(port.IsDsrOn(), c.applied.has_value());
}

INSTANTIATE_TEST_SUITE_P(
    Lines, SettingsTest,
    ::testing::Values(SettingsCase{19200, 'N', '8', '1', LineSettings{19200, Parity::None, 8, 1}},
                      SettingsCase{300, 'e', '7', '2', LineSettings{300, Parity::Even, 7, 2}},
                      SettingsCase{9600, 'o', '8', '1', LineSettings{9600, Parity::Odd, 8, 1}},
                      SettingsCase{115200, 'N', '8', '1', {}}, SettingsCase{0, 'N', '8', '1', {}},
                      SettingsCase{19200, 'M', '8', '1', {}},
                      SettingsCase{19200, 'S', '8', '1', {}},
                      SettingsCase{19200, 'N', '6', '1', {}},
                      SettingsCase{19200, 'N', '8', '3', {}}));

TEST_F(SerialPortTest, DeviceFailuresLeaveThePortClosed) {
    for (bool FakeLine::*knob : {&FakeLine::openFails, &FakeLine::probeOk, &FakeLine::applyOk}) {
        auto failing = std::make_shared<FakeLine>(clock);
        (*failing).*knob = !((*failing).*knob);
        CSerialPort other(clock, test::FakeOpener(failing));
        EXPECT_FALSE(other.OpenPort(1, 19200, 'N', '8', '1'));
        EXPECT_FALSE(other.IsOpen());
        EXPECT_FALSE(failing->open);
    }
}

TEST_F(SerialPortTest, FailedCloseKeepsThePort) {
    ASSERT_TRUE(OpenDefault("1"));
    line->closeOk = false;
    EXPECT_FALSE(port.Close());
    EXPECT_FALSE(OpenDefault("2"));  // reopening closes first, which fails
    EXPECT_TRUE(port.IsOpen());
    line->closeOk = true;
    EXPECT_TRUE(OpenDefault("2"));
    EXPECT_EQ(line->paths, (std::vector<std::string>{"/dev/ttyS0", "/dev/ttyS1"}));
}

TEST_F(SerialPortTest, WriteSendsTheWholeText) {
    ASSERT_TRUE(OpenDefault("1"));
    line->statusOk = false;
    EXPECT_EQ(port.Write("", 5000), kWriteSent);  // without touching the device
    EXPECT_EQ(line->statusQueries, 0);
    EXPECT_EQ(port.Write("x", 5000), kWriteError);
    line->statusOk = true;

    EXPECT_EQ(port.Write(std::string(4096, 'a'), 5000), kWriteSent);
    EXPECT_EQ(port.Write(std::string(4000, 'b') + std::string(1000, 'c'), 5000), kWriteSent);
    EXPECT_EQ(line->written,
              std::string(4096, 'a') + std::string(4000, 'b') + std::string(95, 'c'));

    // The driver takes a little at a time, or the queue is nearly full: the rest follows.
    std::string text;
    for (int i = 0; i < 1000; ++i) {
        text.push_back(static_cast<char>('0' + i % 10));
    }
    line->written.clear();
    line->acceptLimit = 64;
    EXPECT_EQ(port.Write(text, 5000), kWriteSent);
    line->acceptLimit = SIZE_MAX;
    line->outQueue = 4000;
    line->drainPerQuery = 100;
    EXPECT_EQ(port.Write(text, 5000), kWriteSent);
    EXPECT_EQ(line->written, text + text);

    line->writeFails = true;
    EXPECT_EQ(port.Write("x", 5000), kWriteError);
    EXPECT_EQ(line->cancels, 0);
}

class WriteTimeoutTest : public SerialPortTest, public ::testing::WithParamInterface<uint64_t> {};

// A line that never sends: the write gives up after the time-out, also across a tick wrap.
TEST_P(WriteTimeoutTest, NeverDrainingLineTimesOut) {
    ASSERT_TRUE(OpenDefault("1"));
    clock.Advance(GetParam());
    line->drainPerQuery = 0;
    EXPECT_EQ(port.Write("AT&UT90", 5000), kWriteTimedOut);
    EXPECT_EQ(clock.TickMs(), GetParam() + 5001);
    EXPECT_EQ(line->cancels, 1);

    line->written.clear();  // a full queue takes nothing at all
    line->outQueue = 4096;
    EXPECT_EQ(port.Write("x", 5000), kWriteTimedOut);
    EXPECT_EQ(line->written, "");
}

INSTANTIATE_TEST_SUITE_P(Ticks, WriteTimeoutTest, ::testing::Values(0u, 0xFFFFFFFFull - 3));

struct ReadCase {
    size_t queued;
    uint32_t maximum, read;
};

class ReadTest : public SerialPortTest, public ::testing::WithParamInterface<ReadCase> {};

TEST_P(ReadTest, ReadsUpToTheMaximum) {
    const ReadCase& c = GetParam();
    ASSERT_TRUE(OpenDefault("1"));
    for (size_t i = 0; i < c.queued; ++i) {
        line->input.push_back(static_cast<char>('a' + i % 26));
    }
    const std::string queued = line->input;
    EXPECT_EQ(port.Read(c.maximum), c.read);
    EXPECT_EQ(std::string(port.ReadBuffer(), c.read), queued.substr(0, c.read));
    EXPECT_EQ(port.BytesWaiting(), c.queued - c.read);
    EXPECT_EQ(line->reads, c.read > 0 ? 1 : 0);  // an empty line is never read
}

INSTANTIATE_TEST_SUITE_P(Maximums, ReadTest,
                         ::testing::Values(ReadCase{10, 4, 4}, ReadCase{10, 0, 0},
                                           ReadCase{10, CSerialPort::kNoMaximum, 10},
                                           ReadCase{10, 11, 10}, ReadCase{0, 4, 0},
                                           ReadCase{5000, CSerialPort::kNoMaximum, 4095}));

TEST_F(SerialPortTest, LineErrorCostsOnePoll) {
    ASSERT_TRUE(OpenDefault("1"));
    line->input = "abc";
    line->errorQueries = 1;
    EXPECT_EQ(port.Read(CSerialPort::kNoMaximum), 0u);
    EXPECT_EQ(port.Read(CSerialPort::kNoMaximum), 3u);
}

TEST_F(SerialPortTest, DsrNeedsAnOpenPortAndTheLine) {
    EXPECT_FALSE(port.IsDsrOn());
    ASSERT_TRUE(OpenDefault("1"));
    line->dsr = false;  // terminal switched off
    EXPECT_FALSE(port.IsDsrOn());
    line->dsr = std::nullopt;
    EXPECT_FALSE(port.IsDsrOn());
}

}  // namespace
}  // namespace nt
