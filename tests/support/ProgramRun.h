#pragma once

#include <string>

namespace nt::test {

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

// The built program with `args` (shell syntax) in the current directory; stderr is captured
// outside it so that the directory holds only what the program made.
Outcome Nordteller(const std::string& args);
// The program in headless mode over `scenario`, written to test.scenario first.
Outcome RunScenario(const std::string& scenario);
bool HasLine(const std::string& out, const std::string& line);

}  // namespace nt::test
