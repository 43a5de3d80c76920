#pragma once

#include <memory>
#include <string>

#include "serial/SerialDevice.h"

namespace nt {

// Opens a serial line through termios: read and write, non-blocking, not as the controlling
// terminal, and locked against every other user (flock). nullptr when the path cannot be
// opened or another process holds the line.
std::unique_ptr<SerialDevice> OpenTermiosDevice(const std::string& path);

}  // namespace nt
