#pragma once

#include "platform/LeadingNumber.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/Clock.h"
#include "serial/SerialDevice.h"

namespace nt {

// Milliseconds from start to now on a 32-bit tick counter: correct across a wrap of the counter.
inline uint32_t ElapsedMs(uint64_t start, uint64_t now) {
    return static_cast<uint32_t>(now) - static_cast<uint32_t>(start);
}

// The line settings for the characters callers give ('N'/'E'/'O' in either case, '7'/'8',
// '1'/'2') and one of the baud rates 300 to 19200; nullopt for anything else.
std::optional<LineSettings> MakeLineSettings(uint32_t baudRate, char parity, char dataBits,
                                             char stopBits);

enum SerialWriteResult : int { kWriteSent = 0, kWriteError = 1, kWriteTimedOut = 5 };

// The COM port of the serial test terminal: opened for one exchange, closed on destruction.
// Every wait polls, so nothing here blocks for longer than the caller's time-out.
class CSerialPort {
  public:
    static constexpr uint32_t kBufferSize = 4096;
    static constexpr uint32_t kNoMaximum = 0xFFFFFFFFu;

    CSerialPort(Clock& clock, SerialOpener opener);
    virtual ~CSerialPort();
    CSerialPort(const CSerialPort&) = delete;
    CSerialPort& operator=(const CSerialPort&) = delete;

    // The port number is the text's leading number; then as OpenPort.
    bool Open(const std::string& portText, uint32_t baudRate, char parity, char dataBits,
              char stopBits);
    // Ports 1 to 255. A failure leaves the port closed.
    bool OpenPort(int port, uint32_t baudRate, char parity, char dataBits, char stopBits);
    // False (the port stays open) only when releasing the device failed.
    bool Close();

    // Sends the text (longer than 4096 bytes: its first 4095) and waits until the line has
    // sent it: kWriteSent, kWriteError, or kWriteTimedOut when that takes over timeoutMs.
    int Write(const std::string& text, uint32_t timeoutMs);
    // Bytes received and not yet read; 0 when the query fails.
    uint32_t BytesWaiting();
    // Reads what is buffered, at most `maximum` bytes (kNoMaximum: no limit) and 4095, into
    // ReadBuffer(); 0 when nothing is buffered or a line error was just reported.
    uint32_t Read(uint32_t maximum);
    bool IsDsrOn();

    bool IsOpen() const { return device_ != nullptr; }
    const char* ReadBuffer() const { return readBuffer_.data(); }
    Clock& clock() { return clock_; }

  private:
    void Discard();

    Clock& clock_;
    SerialOpener opener_;
    std::unique_ptr<SerialDevice> device_;
    std::array<char, kBufferSize> readBuffer_{};
    std::array<char, kBufferSize> writeBuffer_{};
};

}  // namespace nt
