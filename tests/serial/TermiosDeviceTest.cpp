#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "serial/SerialPort.h"
#include "serial/SerialTestKit.h"
#include "serial/SerialWait.h"

namespace nt {
namespace {

// A pseudo-terminal pair: the port opens the terminal end as COM port 7 through the
// environment; the test plays the terminal on the controller end.
class PtyTest : public ::testing::Test {
  protected:
    void SetUp() override {
        controller_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
        ASSERT_GE(controller_, 0);
        ASSERT_EQ(::grantpt(controller_), 0);
        ASSERT_EQ(::unlockpt(controller_), 0);
        path_ = ::ptsname(controller_);
        ::setenv("NORDTELLER_COM7", path_.c_str(), 1);
    }
    void TearDown() override {
        ::unsetenv("NORDTELLER_COM7");
        if (controller_ >= 0) {
            ::close(controller_);
        }
    }

    termios Applied() {
        termios t{};
        const int fd = ::open(path_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        EXPECT_GE(fd, 0);
        EXPECT_EQ(::tcgetattr(fd, &t), 0);
        ::close(fd);
        return t;
    }

    // The kernel hands bytes across the pair asynchronously: poll until they are there.
    static uint32_t WaitForBytes(CSerialPort& port, uint32_t expected) {
        for (int i = 0; i < 2000 && port.BytesWaiting() < expected; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return port.BytesWaiting();
    }

    // What the terminal end received, once `size` bytes are there (or two seconds passed).
    std::string ControllerRead(size_t size) {
        std::string got;
        char buffer[256];
        for (int i = 0; i < 2000 && got.size() < size; ++i) {
            const ssize_t n = ::read(controller_, buffer, sizeof buffer);
            if (n > 0) {
                got.append(buffer, static_cast<size_t>(n));
            } else {
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
        }
        return got;
    }

    int controller_ = -1;
    std::string path_;
};

TEST_F(PtyTest, LineSettingsAreApplied) {
    CSerialPort port(SystemClock(), SimTerminalOpener());
    ASSERT_TRUE(port.OpenPort(7, 19200, 'N', '8', '1'));
    termios t = Applied();
    EXPECT_EQ(::cfgetospeed(&t), static_cast<speed_t>(B19200));
    EXPECT_EQ(t.c_cflag & (CSIZE | PARENB | CSTOPB | CRTSCTS), static_cast<tcflag_t>(CS8));
    EXPECT_EQ(t.c_cflag & (CLOCAL | CREAD), static_cast<tcflag_t>(CLOCAL | CREAD));
    EXPECT_EQ(t.c_iflag & (IXON | IXOFF | ICRNL | INPCK), 0u);
    EXPECT_EQ(t.c_lflag & (ICANON | ECHO | ISIG), 0u);
    EXPECT_EQ(t.c_oflag & OPOST, 0u);

    ASSERT_TRUE(port.OpenPort(7, 2400, 'n', '8', '2'));
    t = Applied();
    EXPECT_EQ(::cfgetospeed(&t), static_cast<speed_t>(B2400));
    EXPECT_EQ(t.c_cflag & (CSIZE | PARENB | CSTOPB), static_cast<tcflag_t>(CS8 | CSTOPB));

    // Recent kernels force 8 bits without parity on a pseudo-terminal: the open must then
    // fail rather than run with settings the driver did not take.
    constexpr tcflag_t kFrame = CSIZE | PARENB | PARODD | CSTOPB;
    const bool opened = port.OpenPort(7, 1200, 'o', '7', '2');
    t = Applied();
    EXPECT_EQ(port.IsOpen(), opened);
    EXPECT_EQ((t.c_cflag & kFrame) == static_cast<tcflag_t>(CS7 | PARENB | PARODD | CSTOPB),
              opened);
}

TEST_F(PtyTest, WriteBytesWaitingAndRead) {
    CSerialPort port(SystemClock(), SimTerminalOpener());
    ASSERT_TRUE(port.Open("7", 19200, 'N', '8', '1'));
    EXPECT_TRUE(SendCommand(port, "AT&UT90"));
    EXPECT_EQ(ControllerRead(8), "AT&UT90\r");

    ASSERT_EQ(::write(controller_, "\r\n200 T90\r\n", 11), 11);
    ASSERT_EQ(WaitForBytes(port, 11), 11u);
    EXPECT_EQ(port.Read(4), 4u);
    EXPECT_EQ(std::string(port.ReadBuffer(), 4), "\r\n20");
    EXPECT_EQ(port.BytesWaiting(), 7u);
    EXPECT_EQ(port.Read(CSerialPort::kNoMaximum), 7u);
    EXPECT_EQ(std::string(port.ReadBuffer(), 7), "0 T90\r\n");
    EXPECT_EQ(port.Read(CSerialPort::kNoMaximum), 0u);  // an empty line does not block
}

// The line is held exclusively; a pseudo-terminal has no modem lines, so no DSR, and the
// command goes on to the payment client.
TEST_F(PtyTest, ExclusiveLineWithoutDsr) {
    CSerialPort port(SystemClock(), SimTerminalOpener());
    ASSERT_TRUE(port.OpenPort(7, 19200, 'N', '8', '1'));
    EXPECT_FALSE(port.IsDsrOn());
    CSerialPort second(SystemClock(), SimTerminalOpener());
    EXPECT_FALSE(second.OpenPort(7, 19200, 'N', '8', '1'));
    EXPECT_TRUE(port.Close());

    test::SerialWindow window;
    window.dlg.terminalLink().link().opener = SimTerminalOpener();
    window.form.SetText(id::kComPort, "7");
    EXPECT_FALSE(window.dlg.terminalLink().RunSerialTransaction(SpecOf(TranCode::EMVSale), false));
    EXPECT_EQ(window.op.messages, std::vector<std::string>{"DSR Found Inactive on this Port!"});
}

TEST(TermiosDevice, PathsThatAreNoSerialLineDoNotOpen) {
    for (const char* path : {"/dev/null", "/nonexistent/ttyS0", "/"}) {
        ::setenv("NORDTELLER_COM9", path, 1);
        CSerialPort port(SystemClock(), SimTerminalOpener());
        EXPECT_FALSE(port.OpenPort(9, 19200, 'N', '8', '1')) << path;
        EXPECT_FALSE(port.IsOpen()) << path;
    }
    ::unsetenv("NORDTELLER_COM9");
}

}  // namespace
}  // namespace nt
