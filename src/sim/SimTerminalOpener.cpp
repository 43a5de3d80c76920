#include "sim/SimTerminalOpener.h"

#include "serial/TermiosDevice.h"
#include "sim/SimTerminal.h"

namespace nt {

std::unique_ptr<SerialDevice> OpenSerialDevice(const std::string& path, Clock& clock,
                                               SimTerminalBook& book) {
    if (path == kSimulatedTerminalPath) {
        return std::make_unique<SimTerminal>(clock, book);
    }
    return OpenTermiosDevice(path);
}

SerialOpener SimTerminalOpener() {
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
