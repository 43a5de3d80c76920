#include "app/CommandLine.h"

#include <algorithm>
#include <string_view>
#include <utility>

#include "platform/QuotedInput.h"

namespace nt {

namespace {

// "--name VALUE" or "--name=VALUE". A value is needed and may not look like an option.
bool TakeValue(const std::vector<std::string>& args, size_t& i, std::string_view name,
               std::string& value, bool& matched, std::string& error) {
    const std::string& arg = args[i];
    matched = false;
    if (arg == name) {
        matched = true;
        if (i + 1 >= args.size() || args[i + 1].empty() || args[i + 1].starts_with("--")) {
            error = "option '" + std::string(name) + "' needs a value";
            return false;
        }
        value = args[++i];
        return true;
    }
    if (arg.size() > name.size() && arg.starts_with(name) && arg[name.size()] == '=') {
        matched = true;
        value = arg.substr(name.size() + 1);
        if (value.empty()) {
            error = "option '" + std::string(name) + "' needs a value";
            return false;
        }
    }
    return true;
}

// The report options, each naming the format it asks for. Every report needs --run-script; one
// the window cannot write needs --headless too.
struct ReportOption {
    std::string_view name;
    ReportFormat format;
    bool window;
};
constexpr ReportOption kReportOptions[] = {
    {"--junit", ReportFormat::JUnit, false},
    {"--report", ReportFormat::Html, true},
    {"--results", ReportFormat::Results, true},
};

// A whole number of seconds, 0 to 999999.
bool ParseSeconds(const std::string& text, int& seconds) {
    if (text.empty() || text.size() > 7 ||
        text.find_first_not_of("0123456789") != std::string::npos) {
        return false;
    }
    seconds = std::stoi(text);
    return seconds <= 999999;
}

bool Asked(const std::vector<ReportRequest>& reports, ReportFormat format) {
    for (const ReportRequest& report : reports) {
        if (report.format == format) {
            return true;
        }
    }
    return false;
}

// Takes a report option at args[i] into the list and names it; false with the reason for a
// missing value.
bool TakeReport(const std::vector<std::string>& args, size_t& i, CommandLine& out,
                std::string_view& matched, std::string& error) {
    for (const ReportOption& option : kReportOptions) {
        std::string path;
        bool taken = false;
        if (!TakeValue(args, i, option.name, path, taken, error)) {
            return false;
        }
        if (taken) {
            out.reports.push_back({option.format, std::move(path)});
            matched = option.name;
            return true;
        }
    }
    return true;
}

// What the reports asked for need of the rest of the command line, in the order of the table.
bool CheckReports(const CommandLine& out, std::string& error) {
    for (const ReportOption& option : kReportOptions) {
        if (!Asked(out.reports, option.format)) {
            continue;
        }
        if (!out.runScript) {
            error = std::string(option.name) + " needs --run-script";
            return false;
        }
        if (!option.window && !out.headless) {
            error = std::string(option.name) + " needs --headless";
            return false;
        }
    }
    return true;
}

}  // namespace

bool ParseCommandLine(const std::vector<std::string>& args, CommandLine& out, std::string& error) {
    static constexpr std::pair<std::string_view, std::string CommandLine::*> kValueOptions[] = {
        {"--control", &CommandLine::control},
        {"--record", &CommandLine::record},
        {"--scenario", &CommandLine::scenario},
        {"--language", &CommandLine::language},
    };
    static constexpr std::pair<std::string_view, bool CommandLine::*> kFlags[] = {
        {"--run-script", &CommandLine::runScript},
        {"--headless", &CommandLine::headless},
        {"--desktop", &CommandLine::desktop},
        {"--in-process", &CommandLine::inProcess},
        {"--help", &CommandLine::help},
        {"-h", &CommandLine::help},
        {"--version", &CommandLine::version},
    };
    std::vector<std::string_view> seen;  // an option given twice is a mistake, not a choice
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        std::string_view matched;
        for (const auto& [name, member] : kValueOptions) {
            bool taken = false;
            if (!TakeValue(args, i, name, out.*member, taken, error)) {
                return false;
            }
            if (taken) {
                matched = name;
                break;
            }
        }
        if (matched.empty() && !TakeReport(args, i, out, matched, error)) {
            return false;
        }
        if (matched.empty()) {
            std::string seconds;
            bool taken = false;
            if (!TakeValue(args, i, "--client-timeout", seconds, taken, error)) {
                return false;
            }
            if (taken) {
                if (!ParseSeconds(seconds, out.clientTimeout)) {
                    error =
                        "option '--client-timeout' needs whole seconds up to 999999 (0 for no "
                        "limit), not " +
                        QuoteInput(seconds);
                    return false;
                }
                matched = "--client-timeout";
            }
        }
        for (const auto& [name, member] : kFlags) {
            if (matched.empty() && arg == name) {
                out.*member = true;
                matched = name == "-h" ? "--help" : name;
            }
        }
        if (matched.empty()) {
            error = (arg.starts_with("-") ? "unknown option " : "unexpected argument ") +
                    QuoteInput(arg);
            return false;
        }
        if (std::find(seen.begin(), seen.end(), matched) != seen.end()) {
            error = "option '" + std::string(matched) + "' given twice";
            return false;
        }
        seen.push_back(matched);
    }
    const bool haveScenario = !out.scenario.empty();  // a given value is never empty
    if (out.headless && !haveScenario && !out.runScript) {
        error = "--headless needs --scenario FILE or --run-script";
        return false;
    }
    if (haveScenario && !out.headless) {
        error = "--scenario needs --headless";
        return false;
    }
    if (!CheckReports(out, error)) {
        return false;
    }
    if (!out.language.empty() && out.language != "en" && out.language != "fr") {
        error = "option '--language' needs en or fr, not " + QuoteInput(out.language);
        return false;
    }
    if (!out.record.empty() && out.headless) {
        error = "--record needs the window, not --headless";
        return false;
    }
    return true;
}

const char* ReportOptionName(ReportFormat format) {
    for (const ReportOption& option : kReportOptions) {
        if (option.format == format) {
            return option.name.data();
        }
    }
    return "";
}

const char* UsageText() {
    return "usage: nordteller [--control sim|PATH] [--record FILE]\n"
           "                  [--run-script [--report FILE.html] [--results FILE.jsonl]]\n"
           "                  [--headless [--scenario FILE|-]\n"
           "                              [--run-script [--junit FILE] [--report FILE.html]\n"
           "                                            [--results FILE.jsonl]]]\n"
           "                  [--desktop] [-h|--help] [--version]\n"
           "                  [--client-timeout SECONDS] [--in-process] [--language en|fr]\n"
           "  --control sim|PATH  payment client: the built-in simulator (default) or a plugin\n"
           "  --client-timeout SECONDS\n"
           "                      a plugin's call may take this long (default 300, room for a\n"
           "                      customer at the PIN pad and a slow host; 0: no limit); then\n"
           "                      its process is stopped and the call fails\n"
           "  --in-process        load the plugin into this process, as for a debugger; by\n"
           "                      default it runs in a helper process, where a crash, an exit\n"
           "                      or a hang fails the call and not the program\n"
           "  --record FILE       the window: write every action of the operator to FILE as a\n"
           "                      scenario that --headless --scenario FILE replays\n"
           "  --language en|fr    the window's language (default: NORDTELLER_LANGUAGE, else\n"
           "                      the locale's: LC_ALL, LC_MESSAGES, LANG); records, logs,\n"
           "                      receipts, reports and transcripts stay as they are\n"
           "  --headless          no window: run a scenario and/or Script.csv over the window's\n"
           "                      logic; needs --scenario, --run-script or both\n"
           "  --scenario FILE|-   the scenario file, or - for standard input\n"
           "  --run-script        the window: run Script.csv as soon as it shows (Ctrl+Shift+R\n"
           "                      runs it again); headless: after the scenario's actions (if\n"
           "                      any), the scenario's queued answers serve its prompts\n"
           "                      (default: every test case done, every dialog accepted);\n"
           "                      progress on stderr\n"
           "  --junit FILE        write a JUnit XML report of the script run to FILE\n"
           "  --report FILE.html  write a self-contained HTML evidence report of the script\n"
           "                      run to FILE.html (headless or the window), refused like\n"
           "                      --junit\n"
           "  --results FILE.jsonl the run's record as JSON Lines, every test case whole\n"
           "  --desktop           keep the working files in $XDG_DATA_HOME/nordteller (made\n"
           "                      when missing) instead of the current directory, as the\n"
           "                      desktop entry starts it\n"
           "  -h, --help          this text\n"
           "  --version           the program's version\n"
           "Every output (--record, --junit, --report) is refused before start-up when it is\n"
           "one of the program's own files (testseqNo.dat, padselection.dat, Script.csv,\n"
           "simjournal.dat, simterminal.dat, .nordteller.lock, QUORLIN_LOGS/ and what is in\n"
           "it), another output, the scenario or the plugin, or when its folder cannot be\n"
           "written. An option given twice is refused.\n"
           "Files are read and written in the current directory (see --desktop), by one\n"
           "instance at a time: a second one started there refuses to run (the lock file is\n"
           ".nordteller.lock).\n"
           "A sequence number that cannot be saved, and logging that stops, are told once\n"
           "on stderr.\n"
           "Exit status:\n"
           "  0  all well (with --run-script: no test case failed; skipped ones do not fail)\n"
           "  1  a test case of an unattended run failed, or no row could run\n"
           "  2  the command line, the scenario, a report path or the working folder refused,\n"
           "     or no display for the window (one line on stderr says why)\n"
           "  3  the payment client could not be created and a command of the scenario\n"
           "     needed it (the reason on stderr)\n"
           "  4  an unattended run's evidence (daily log, receipts, reports) could not be\n"
           "     written whole (each loss told on stderr)\n"
           "  130, 143  stopped by SIGINT or SIGTERM, after the test case in progress (reports\n"
           "     so far written and marked interrupted)\n";
}

}  // namespace nt
