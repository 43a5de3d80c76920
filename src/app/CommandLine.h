#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/ClientFactory.h"
#include "script/ReportRequest.h"
#include "script/ScriptShard.h"

namespace nt {

// nordteller [--control sim|PATH] [--record FILE] [--run-script]
//            [--headless [--scenario FILE|-] [--run-script [--shard K/N] [--junit FILE]
//            [--report FILE.html]]] [--desktop] [-h|--help] [--version]
// nordteller --compare BASE.jsonl NEW.jsonl [--report FILE.html] [--junit FILE]
//            [--ignore FIELD]... [--strict]
// nordteller --merge A.jsonl B.jsonl... [--results ALL.jsonl] [--junit FILE] [--report FILE.html]
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
    std::optional<ScriptShard> shard;  // --shard K/N: the unattended run's share of Script.csv
    // --compare BASE NEW: the two records compared (empty: no comparison); the reports are the
    // comparison's.
    std::vector<std::string> compare;
    std::vector<std::string> ignore;  // --ignore FIELD: element names ignored besides the default
    bool strict = false;              // --strict: nothing ignored
    // --merge A B...: the records of a run's shards (empty: no merge); the reports are the merged
    // run's.
    std::vector<std::string> merge;
    bool help = false;
    bool version = false;
};

// The arguments after the program name. False with a one-line reason for an unknown option,
// an option given twice (--ignore may repeat), a missing value, a --client-timeout that is not a
// whole number of seconds, --headless without --scenario or --run-script, --scenario
// without --headless, a report without --run-script, --junit without --headless, --record with
// --headless, a --shard that is not K/N with 1 <= K <= N or without --headless --run-script;
// --compare or --merge with an option of a run, --ignore or --strict without --compare, or
// --ignore with --strict.
bool ParseCommandLine(const std::vector<std::string>& args, CommandLine& out, std::string& error);

// The option that asks for a report of the format ("--junit", "--report").
const char* ReportOptionName(ReportFormat format);

const char* UsageText();

// The values --compare ignores unless --strict, as --help lists them.
const char* DefaultIgnoredText();

}  // namespace nt
