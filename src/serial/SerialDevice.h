#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/Clock.h"

namespace nt {

enum class Parity { None, Even, Odd };

// The line as the terminal expects it; raw binary, no flow control, DTR and RTS raised.
struct LineSettings {
    uint32_t baudRate = 19200;
    Parity parity = Parity::None;
    int dataBits = 8;
    int stopBits = 1;

    bool operator==(const LineSettings&) const = default;
};

struct SerialStatus {
    uint32_t inQueue = 0;   // bytes received and not yet read
    uint32_t outQueue = 0;  // bytes written and not yet sent
    bool errors = false;    // a line error (framing, overrun, parity, break) since the last query
};

// One opened serial line. Nothing here blocks: writes hand over what the driver takes now,
// reads take what is already buffered, and callers poll the queues to wait.
class SerialDevice {
  public:
    virtual ~SerialDevice() = default;

    // Driver queue sizes; a driver with fixed buffers accepts any request.
    virtual bool SetQueueSizes(uint32_t input, uint32_t output) = 0;
    // Reads the current line settings; false when the device is not a serial line.
    virtual bool ProbeSettings() = 0;
    virtual bool ApplySettings(const LineSettings& settings) = 0;
    // Queue counts and the error flags; the query clears the flags. nullopt when it fails.
    virtual std::optional<SerialStatus> QueryStatus() = 0;
    // Bytes the driver took (0 when it has no room now); nullopt on failure.
    virtual std::optional<size_t> WriteSome(const char* data, size_t size) = 0;
    // Bytes taken from what is buffered (0 when nothing is); nullopt on failure.
    virtual std::optional<size_t> ReadSome(char* data, size_t size) = 0;
    // The DSR modem line; nullopt when the modem status cannot be read.
    virtual std::optional<bool> Dsr() = 0;
    // Abandons output not yet sent.
    virtual void CancelOutput() = 0;
    // Releases the device; false when the release failed.
    virtual bool Close() = 0;
};

// Opens the device at a path for exclusive use; nullptr when it cannot be opened.
using SerialOpener =
    std::function<std::unique_ptr<SerialDevice>(const std::string& path, Clock& clock)>;

// The device of COM port n: $NORDTELLER_COM<n> when set, otherwise /dev/ttyS<n-1>.
std::string SerialDevicePath(int port);

}  // namespace nt
