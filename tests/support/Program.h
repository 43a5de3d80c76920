#pragma once

#include <string>

namespace nt::test {

struct ProgramOutcome {
    int status = -1;
    std::string out;
    std::string err;
};

// The built program with `args` (shell syntax) in the current directory. Standard error is
// captured outside it, so the directory holds only what the program made.
ProgramOutcome RunNordteller(const std::string& args);

}  // namespace nt::test
