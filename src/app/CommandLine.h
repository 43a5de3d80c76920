#pragma once

#include <string>
#include <vector>

#include "app/ClientFactory.h"
#include "script/ReportRequest.h"

namespace nt {

// nordteller [--control sim|PATH] [--record FILE] [--run-script]
//            [--headless [--scenario FILE|-] [--run-script [--junit FILE]
//            [--report FILE.html]]] [--desktop] [-h|--help] [--version]
struct CommandLine {
    std::string control = "sim";
    bool headless = false;
    std::string scenario;  // "-": standard input; empty: none
    bool runScript = false;
    std::vector<ReportRequest> reports;  // in the order given
    std::string record;      // the window: the scenario file the operator's actions go to
    std::string language;    // the window's language, "en" or "fr"; empty: the locale's
    bool desktop = false;    // the working files live in the user's data folder
    bool inProcess = false;  // a plugin is loaded into this process instead of a helper
    int clientTimeout = kDefaultClientTimeoutSeconds;  // seconds per client call; 0: no limit
    bool help = false;
    bool version = false;
};

// The arguments after the program name. False with a one-line reason for an unknown option,
// an option given twice, a missing value, a --client-timeout that is not a whole number of
// seconds, --headless without --scenario or --run-script, --scenario
// without --headless, a report without --run-script, --junit without --headless, or --record with
// --headless.
bool ParseCommandLine(const std::vector<std::string>& args, CommandLine& out, std::string& error);

// The option that asks for a report of the format ("--junit", "--report").
const char* ReportOptionName(ReportFormat format);

const char* UsageText();

}  // namespace nt
