#pragma once

#include <string>

namespace nt::test {

// How the built program ended: its exit status, or the signal that killed it.
struct ProgramRun {
    int exitStatus = -1;  // -1 when it did not exit by itself
    int signal = 0;       // non-zero when a signal ended it
    std::string out;      // standard output, whole
    std::string err;      // standard error, whole
};

// Runs the built nordteller with `args` (shell syntax) in the current directory.
ProgramRun RunNordteller(const std::string& args);

}  // namespace nt::test
