#include "app/CommandLine.h"

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

// Whole seconds, at most about eleven days.
bool ParseSeconds(const std::string& text, int& seconds) {
    if (text.empty() || text.size() > 7 ||
        text.find_first_not_of("0123456789") != std::string::npos) {
        return false;
    }
    seconds = std::stoi(text);
    return seconds <= 999999;
}

}  // namespace

bool ParseCommandLine(const std::vector<std::string>& args, CommandLine& out, std::string& error) {
    static constexpr std::pair<std::string_view, std::string CommandLine::*> kValueOptions[] = {
        {"--control", &CommandLine::control},   {"--junit", &CommandLine::junit},
        {"--report", &CommandLine::report},     {"--record", &CommandLine::record},
        {"--scenario", &CommandLine::scenario},
    };
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        bool matched = false;
        for (const auto& [name, member] : kValueOptions) {
            if (!TakeValue(args, i, name, out.*member, matched, error)) {
                return false;
            }
            if (matched) {
                break;
            }
        }
        if (matched) {
            continue;
        }
        std::string seconds;
        if (!TakeValue(args, i, "--client-timeout", seconds, matched, error)) {
            return false;
        }
        if (matched) {
            if (!ParseSeconds(seconds, out.clientTimeout)) {
                error =
                    "option '--client-timeout' needs whole seconds up to 999999 (0 for no "
                    "limit), not " +
                    QuoteInput(seconds);
                return false;
            }
            continue;
        }
        if (arg == "--in-process") {
            out.inProcess = true;
        } else if (arg == "--run-script") {
            out.runScript = true;
        } else if (arg == "--headless") {
            out.headless = true;
        } else if (arg == "--desktop") {
            out.desktop = true;
        } else if (arg == "--help" || arg == "-h") {
            out.help = true;
        } else if (arg == "--version") {
            out.version = true;
        } else if (arg.starts_with("-")) {
            error = "unknown option " + QuoteInput(arg);
            return false;
        } else {
            error = "unexpected argument " + QuoteInput(arg);
            return false;
        }
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
    if (!out.junit.empty() && !out.runScript) {
        error = "--junit needs --run-script";
        return false;
    }
    if (!out.report.empty() && !out.runScript) {
        error = "--report needs --run-script";
        return false;
    }
    if (!out.record.empty() && out.headless) {
        error = "--record needs the window, not --headless";
        return false;
    }
    if (!out.junit.empty() && !out.headless) {
        error = "--junit needs --headless";
        return false;
    }
    return true;
}

const char* UsageText() {
    return "usage: nordteller [--control sim|PATH] [--record FILE]\n"
           "                  [--run-script [--report FILE.html]]\n"
           "                  [--headless [--scenario FILE|-]\n"
           "                              [--run-script [--junit FILE] [--report FILE.html]]]\n"
           "                  [--desktop] [-h|--help] [--version]\n"
           "                  [--client-timeout SECONDS] [--in-process]\n"
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
           "  --headless          no window: run a scenario and/or Script.csv over the window's\n"
           "                      logic; needs --scenario, --run-script or both\n"
           "  --scenario FILE|-   the scenario file, or - for standard input\n"
           "  --run-script        the window: run Script.csv as soon as it shows (Ctrl+Shift+R\n"
           "                      runs it again); headless: after the scenario's actions (if\n"
           "                      any), the scenario's queued answers serve its prompts\n"
           "                      (default: every test case done, every dialog accepted);\n"
           "                      progress on stderr\n"
           "  --junit FILE        write a JUnit XML report of the script run to FILE; refused\n"
           "                      before the run when FILE is Script.csv or its folder cannot\n"
           "                      be written\n"
           "  --report FILE.html  write a self-contained HTML evidence report of the script\n"
           "                      run to FILE.html (headless or the window), refused like\n"
           "                      --junit\n"
           "  --desktop           keep the working files in $XDG_DATA_HOME/nordteller (made\n"
           "                      when missing) instead of the current directory, as the\n"
           "                      desktop entry starts it\n"
           "  -h, --help          this text\n"
           "  --version           the program's version\n"
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
           "     needed it (the reason on stderr)\n";
}

}  // namespace nt
