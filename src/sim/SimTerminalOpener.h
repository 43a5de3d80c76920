#pragma once

#include <memory>
#include <string>

#include "platform/Clock.h"
#include "serial/SerialDevice.h"
#include "sim/SimTerminalBook.h"

namespace nt {

// The Com Port path that opens the simulated test terminal instead of a device.
inline constexpr const char* kSimulatedTerminalPath = "sim";

// The simulated test terminal answering from `book` for "sim" (it keeps time with the clock), a
// termios device otherwise.
std::unique_ptr<SerialDevice> OpenSerialDevice(const std::string& path, Clock& clock,
                                               SimTerminalBook& book);

// Opens devices as OpenSerialDevice does, with one simulated terminal book of its own, made on
// the first opening of "sim" from the environment's journal file: the terminal's batch outlives
// each opening of its port, and its journal file outlives the process.
SerialOpener SimTerminalOpener();

}  // namespace nt
