#pragma once

#include <string>
#include <vector>

#include "app/ClientFactory.h"

namespace nt {

// nordteller [--control sim|PATH] [--record FILE] [--run-script]
//            [--headless [--scenario FILE|-] [--run-script [--junit FILE]
//            [--report FILE.html]]] [--desktop] [-h|--help] [--version]
struct CommandLine {
    std::string control = "sim";
    bool headless = false;
    std::string scenario;  // "-": standard input; empty: none
    bool runScript = false;
    std::string junit;       // empty: no report
    std::string report;      // empty: no HTML evidence report
    std::string record;      // the window: the scenario file the operator's actions go to
    bool desktop = false;    // the working files live in the user's data folder
    bool inProcess = false;  // a plugin is loaded into this process instead of a helper
    int clientTimeout = kDefaultClientTimeoutSeconds;  // seconds per client call; 0: no limit
    bool help = false;
    bool version = false;
};

// The arguments after the program name. False with a one-line reason for an unknown option,
// a missing value, --headless without --scenario or --run-script, --scenario or --run-script
// without --headless, --junit without --run-script, --record with --headless, or a
// --client-timeout that is not a whole number of seconds.
bool ParseCommandLine(const std::vector<std::string>& args, CommandLine& out, std::string& error);

const char* UsageText();

}  // namespace nt
