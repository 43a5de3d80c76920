#include "platform/EnvironmentSwitch.h"

#include <cstdlib>
#include <cstring>

namespace nt {

bool EnvironmentSwitch(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' && std::strcmp(value, "0") != 0;
}

}  // namespace nt
