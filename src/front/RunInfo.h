#pragma once

#include <optional>
#include <string>
#include <vector>

#include "script/ReportRequest.h"
#include "script/ScriptShard.h"

namespace nt {

// A run as the command line describes it to either front end, handed down once: the reports
// take what they show of the run from here. Every member has an initializer, so that a run is
// described by naming only what it needs.
struct RunInfo {
    std::string control{};                 // the payment client as the command line named it
    bool runScript = false;                // Script.csv runs without the operator starting it
    std::vector<ReportRequest> reports{};  // written by every script run, in the order asked for
    // What the run's record tells of the rest of the command line.
    bool headless = false;
    std::string scenario{};  // "-": standard input; empty: none
    bool desktop = false;
    std::optional<ScriptShard> shard{};  // unattended runs: only this shard's test cases
};

}  // namespace nt
