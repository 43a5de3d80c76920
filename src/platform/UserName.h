#pragma once

#include <string>

namespace nt {

// The logged-on user's name as the system reports it; empty when the lookup fails, at most 99
// bytes (the original buffer held 100 with its terminator). Looked up on the first call; a process
// keeps its user.
std::string WorkstationUserName();

}  // namespace nt
