#include "serial/TermiosDevice.h"

#include <fcntl.h>
#include <linux/serial.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>

namespace nt {

namespace {

std::optional<speed_t> SpeedOf(uint32_t baudRate) {
    switch (baudRate) {
        case 300:
            return B300;
        case 1200:
            return B1200;
        case 2400:
            return B2400;
        case 4800:
            return B4800;
        case 9600:
            return B9600;
        case 19200:
            return B19200;
        default:
            return std::nullopt;
    }
}

constexpr tcflag_t kFrameBits = CSIZE | PARENB | PARODD | CSTOPB;

tcflag_t FrameFlags(const LineSettings& settings) {
    tcflag_t flags = settings.dataBits == 7 ? CS7 : CS8;
    if (settings.parity != Parity::None) {
        flags |= PARENB;
    }
    if (settings.parity == Parity::Odd) {
        flags |= PARODD;
    }
    if (settings.stopBits == 2) {
        flags |= CSTOPB;
    }
    return flags;
}

bool WouldBlock(int error) {
    return error == EAGAIN || error == EWOULDBLOCK || error == EINTR;
}

class TermiosDevice : public SerialDevice {
  public:
    explicit TermiosDevice(int fd) : fd_(fd) {}
    ~TermiosDevice() override {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    TermiosDevice(const TermiosDevice&) = delete;
    TermiosDevice& operator=(const TermiosDevice&) = delete;

    // The kernel's tty buffers have a fixed size.
    bool SetQueueSizes(uint32_t, uint32_t) override { return true; }

    bool ProbeSettings() override {
        termios current{};
        return ::tcgetattr(fd_, &current) == 0;
    }

    bool ApplySettings(const LineSettings& settings) override {
        const std::optional<speed_t> speed = SpeedOf(settings.baudRate);
        termios line{};
        if (!speed || ::tcgetattr(fd_, &line) != 0) {
            return false;
        }
        ::cfmakeraw(&line);
        line.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY | INPCK);
        line.c_cflag &= ~static_cast<tcflag_t>(kFrameBits | CRTSCTS);
        line.c_cflag |= FrameFlags(settings) | CLOCAL | CREAD;
        line.c_cc[VMIN] = 0;  // reads return at once with whatever is buffered
        line.c_cc[VTIME] = 0;
        if (::cfsetispeed(&line, *speed) != 0 || ::cfsetospeed(&line, *speed) != 0 ||
            ::tcsetattr(fd_, TCSANOW, &line) != 0) {
            return false;
        }
        // tcsetattr succeeds when any part applied: read back what the driver took.
        termios applied{};
        if (::tcgetattr(fd_, &applied) != 0 || ::cfgetospeed(&applied) != *speed ||
            (applied.c_cflag & kFrameBits) != FrameFlags(settings)) {
            return false;
        }
        // Lines without modem signals (pseudo-terminals) refuse this; they report no DSR either.
        int raised = TIOCM_DTR | TIOCM_RTS;
        ::ioctl(fd_, TIOCMBIS, &raised);
        counts_ = ReadCounts();
        return true;
    }

    std::optional<SerialStatus> QueryStatus() override {
        int in = 0;
        int out = 0;
        if (::ioctl(fd_, FIONREAD, &in) != 0 || ::ioctl(fd_, TIOCOUTQ, &out) != 0) {
            return std::nullopt;
        }
        SerialStatus status{static_cast<uint32_t>(in), static_cast<uint32_t>(out), false};
        // Error flags are the driver's error counters moving since the last query; drivers
        // without counters report none.
        if (std::optional<serial_icounter_struct> now = ReadCounts()) {
            status.errors = counts_ && CountsMoved(*counts_, *now);
            counts_ = now;
        }
        return status;
    }

    std::optional<size_t> WriteSome(const char* data, size_t size) override {
        const ssize_t written = ::write(fd_, data, size);
        if (written >= 0) {
            return static_cast<size_t>(written);
        }
        return WouldBlock(errno) ? std::optional<size_t>(0) : std::nullopt;
    }

    std::optional<size_t> ReadSome(char* data, size_t size) override {
        const ssize_t got = ::read(fd_, data, size);
        if (got >= 0) {
            return static_cast<size_t>(got);
        }
        return WouldBlock(errno) ? std::optional<size_t>(0) : std::nullopt;
    }

    std::optional<bool> Dsr() override {
        int lines = 0;
        if (::ioctl(fd_, TIOCMGET, &lines) != 0) {
            return std::nullopt;
        }
        return (lines & TIOCM_DSR) != 0;
    }

    void CancelOutput() override { ::tcflush(fd_, TCOFLUSH); }

    // On Linux the descriptor is released even when close reports an error, so it is never
    // closed twice.
    bool Close() override {
        if (fd_ < 0) {
            return true;
        }
        const int result = ::close(fd_);
        fd_ = -1;
        return result == 0;
    }

  private:
    std::optional<serial_icounter_struct> ReadCounts() {
        serial_icounter_struct counts{};
        if (::ioctl(fd_, TIOCGICOUNT, &counts) != 0) {
            return std::nullopt;
        }
        return counts;
    }

    static bool CountsMoved(const serial_icounter_struct& a, const serial_icounter_struct& b) {
        return a.frame != b.frame || a.overrun != b.overrun || a.parity != b.parity ||
               a.brk != b.brk || a.buf_overrun != b.buf_overrun;
    }

    int fd_;
    std::optional<serial_icounter_struct> counts_;
};

}  // namespace

std::unique_ptr<SerialDevice> OpenTermiosDevice(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return nullptr;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return nullptr;
    }
    return std::make_unique<TermiosDevice>(fd);
}

}  // namespace nt
