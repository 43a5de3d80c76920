#pragma once

#include <string>

namespace nt {

// Runs the program with its Qt window; returns the process exit status.
// With runScript, Script.csv is run as soon as the window shows. With a record path, the
// operator's actions are written there from start-up on; a path that cannot be written is refused
// before start-up (status 2).
// With a report path, every script run of the window writes its HTML evidence report there.
int RunWindowApp(int argc, char** argv, const std::string& control, bool runScript = false,
                 const std::string& record = {}, const std::string& report = {});

}  // namespace nt
