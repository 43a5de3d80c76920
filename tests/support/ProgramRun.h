#pragma once

#include <sys/types.h>

#include <string>

namespace nt::test {

// How the built program ended: its exit status, or the signal that killed it.
struct Outcome {
    int status = -1;  // -1 when it did not exit by itself
    int signal = 0;   // non-zero when a signal ended it
    std::string out;  // standard output, whole
    std::string err;  // standard error, whole
};

// The built program with `args` (shell syntax) in the current directory; stderr is captured
// outside it so that the directory holds only what the program made. With a limit, a program
// still running after that many seconds is killed, so a hang fails the test, not the whole run.
Outcome Nordteller(const std::string& args, int limitSeconds = 0);
// The program in headless mode over `scenario`, written to test.scenario first.
Outcome RunScenario(const std::string& scenario, int limitSeconds = 0);
bool HasLine(const std::string& out, const std::string& line);
// Waits for a child started with fork: its exit status, or -1 when a signal ended it or it did
// not end within two minutes (it is then killed): a hang fails the test instead of stalling it.
int ExitStatusOf(pid_t pid);

}  // namespace nt::test
