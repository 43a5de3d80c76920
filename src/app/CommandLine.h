#pragma once

#include <string>
#include <vector>

namespace nt {

// nordteller [--control sim|PATH] [--headless --scenario FILE|-] [--help] [--version]
struct CommandLine {
    std::string control = "sim";
    bool headless = false;
    std::string scenario;  // "-": standard input; empty unless headless
    bool help = false;
    bool version = false;
};

// The arguments after the program name. False with a one-line reason for an unknown option,
// a missing value, or --headless and --scenario without each other.
bool ParseCommandLine(const std::vector<std::string>& args, CommandLine& out, std::string& error);

const char* UsageText();

}  // namespace nt
