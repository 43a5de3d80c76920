#pragma once

#include <string>

namespace nt {

// Runs the program with its Qt window; returns the process exit status.
// With runScript, Script.csv is run as soon as the window shows.
int RunWindowApp(int argc, char** argv, const std::string& control, bool runScript = false);

}  // namespace nt
