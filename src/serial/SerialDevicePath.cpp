#include <cstdlib>
#include <memory>

#include "serial/SerialDevice.h"
#include "serial/SimTerminal.h"
#include "serial/TermiosDevice.h"

namespace nt {

std::string SerialDevicePath(int port) {
    const std::string variable = "NORDTELLER_COM" + std::to_string(port);
    if (const char* value = std::getenv(variable.c_str()); value != nullptr) {
        return value;
    }
    return "/dev/ttyS" + std::to_string(port - 1);
}

std::unique_ptr<SerialDevice> OpenSerialDevice(const std::string& path, Clock& clock,
                                               SimTerminalBook& book) {
    if (path == kSimulatedTerminalPath) {
        return std::make_unique<SimTerminal>(clock, book);
    }
    return OpenTermiosDevice(path);
}

SerialOpener DeviceOpener() {
    // The book, and with it its journal file, is made when the terminal is first opened.
    auto book = std::make_shared<std::unique_ptr<SimTerminalBook>>();
    return [book](const std::string& path, Clock& clock) -> std::unique_ptr<SerialDevice> {
        if (path != kSimulatedTerminalPath) {
            return OpenTermiosDevice(path);
        }
        if (*book == nullptr) {
            *book = std::make_unique<SimTerminalBook>(SimTerminalBookFileFromEnvironment());
        }
        return OpenSerialDevice(path, clock, **book);
    };
}

}  // namespace nt
