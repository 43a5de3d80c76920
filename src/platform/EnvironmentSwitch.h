#pragma once

namespace nt {

// True when the environment variable is set to anything but empty or "0".
bool EnvironmentSwitch(const char* name);

}  // namespace nt
