#pragma once

#include <string>

namespace nt {

// Runs the program with its Qt window; returns the process exit status.
int RunWindowApp(int argc, char** argv, const std::string& control);

}  // namespace nt
