#include <cstdlib>

#include "serial/SerialDevice.h"

namespace nt {

std::string SerialDevicePath(int port) {
    const std::string variable = "NORDTELLER_COM" + std::to_string(port);
    if (const char* value = std::getenv(variable.c_str()); value != nullptr) {
        return value;
    }
    return "/dev/ttyS" + std::to_string(port - 1);
}

}  // namespace nt
