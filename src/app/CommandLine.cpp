#include "app/CommandLine.h"

#include <algorithm>
#include <cctype>
#include <string_view>
#include <utility>

#include "compare/IgnoreRules.h"
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

// "--compare BASE NEW" (two files) or "--merge A B..." (one or more, up to the next option).
bool TakeFiles(const std::vector<std::string>& args, size_t& i, std::vector<std::string>& files,
               std::string& error) {
    const std::string& name = args[i];
    const bool compare = name == "--compare";
    while (i + 1 < args.size() && !args[i + 1].starts_with("--") && args[i + 1] != "-h" &&
           (!compare || files.size() < 2)) {
        if (args[i + 1].empty()) {
            error = "option '" + name + "' names an empty file name";
            return false;
        }
        files.push_back(args[++i]);
    }
    if (compare && files.size() != 2) {
        error = "option '--compare' needs two records, BASE.jsonl NEW.jsonl";
        return false;
    }
    if (files.empty()) {
        error = "option '--merge' needs the records of a run's shards";
        return false;
    }
    return true;
}

// An XML element name as the records' requests and responses use them.
bool IsElementName(std::string_view name) {
    if (name.empty() || name.size() > 100 ||
        !(std::isalpha(static_cast<unsigned char>(name[0])) || name[0] == '_')) {
        return false;
    }
    for (char c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_' && c != '-' && c != '.') {
            return false;
        }
    }
    return true;
}

bool Given(const std::vector<std::string_view>& seen, std::string_view option) {
    return std::find(seen.begin(), seen.end(), option) != seen.end();
}

// --compare and --merge read records and write reports: no option of a run goes with them.
bool CheckRecordCommand(const CommandLine& out, const std::vector<std::string_view>& seen,
                        std::string& error) {
    const bool compare = !out.compare.empty();
    const std::string command = compare ? "--compare" : "--merge";
    if (compare && !out.merge.empty()) {
        error = "--compare and --merge are two commands; give one";
        return false;
    }
    static constexpr std::string_view kRunOptions[] = {
        "--control", "--record",     "--scenario",       "--run-script", "--headless",
        "--desktop", "--in-process", "--client-timeout", "--shard"};
    for (std::string_view option : kRunOptions) {
        if (Given(seen, option)) {
            error = std::string(option) + " is an option of a run; it cannot go with " + command;
            return false;
        }
    }
    if (!compare && (!out.ignore.empty() || out.strict)) {
        error = std::string(out.strict ? "--strict" : "--ignore") + " needs --compare";
        return false;
    }
    if (out.strict && !out.ignore.empty()) {
        error = "--strict ignores nothing; it cannot go with --ignore";
        return false;
    }
    if (compare && Asked(out.reports, ReportFormat::Results)) {
        error = "--results is written by a run or --merge, not by --compare";
        return false;
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
        {"--strict", &CommandLine::strict},
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
        if (arg == "--compare" || arg == "--merge") {
            if (!TakeFiles(args, i, arg == "--compare" ? out.compare : out.merge, error)) {
                return false;
            }
            matched = arg == "--compare" ? "--compare" : "--merge";
        }
        if (matched.empty()) {
            std::string name;
            bool taken = false;
            if (!TakeValue(args, i, "--ignore", name, taken, error)) {
                return false;
            }
            if (taken) {
                if (!IsElementName(name)) {
                    error = "option '--ignore' needs an element name (as InvoiceNo), not " +
                            QuoteInput(name);
                    return false;
                }
                out.ignore.push_back(std::move(name));
                continue;  // may repeat
            }
        }
        if (matched.empty()) {
            std::string shard;
            bool taken = false;
            if (!TakeValue(args, i, "--shard", shard, taken, error)) {
                return false;
            }
            if (taken) {
                out.shard = ParseShard(shard);
                if (!out.shard) {
                    error = "option '--shard' needs K/N, shard K of N with 1 <= K <= N <= " +
                            std::to_string(kMaxShards) + ", not " + QuoteInput(shard);
                    return false;
                }
                matched = "--shard";
            }
        }
        for (const auto& [name, member] : kValueOptions) {
            if (!matched.empty()) {
                break;
            }
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
    if (!out.compare.empty() || !out.merge.empty()) {
        return CheckRecordCommand(out, seen, error);
    }
    if (!out.ignore.empty() || out.strict) {
        error = std::string(out.strict ? "--strict" : "--ignore") + " needs --compare";
        return false;
    }
    if (out.shard && !(out.headless && out.runScript)) {
        error = "--shard needs --headless --run-script";
        return false;
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

const char* DefaultIgnoredText() {
    static const std::string text = [] {
        std::string names = "dates, times, durations";
        for (std::string_view name : kVolatileElements) {
            names += ", ";
            names += name;
        }
        return names;
    }();
    return text.c_str();
}

// Text wrapped at 80 columns, each line indented as the options' explanations are.
std::string Wrapped(const std::string& text) {
    constexpr size_t kIndent = 22;
    constexpr size_t kWidth = 80;
    std::string out;
    std::string line;
    size_t from = 0;
    while (from < text.size()) {
        size_t end = text.find(' ', from);
        end = end == std::string::npos ? text.size() : end;
        const std::string word = text.substr(from, end - from);
        if (!line.empty() && kIndent + line.size() + 1 + word.size() > kWidth) {
            out += std::string(kIndent, ' ') + line + "\n";
            line.clear();
        }
        line += (line.empty() ? "" : " ") + word;
        from = end + 1;
    }
    return out + std::string(kIndent, ' ') + line + "\n";
}

const char* UsageText() {
    static const std::string text =
        std::string() +
        "usage: nordteller [--control sim|PATH] [--record FILE]\n"
        "                  [--run-script [--report FILE.html] [--results FILE.jsonl]]\n"
        "                  [--headless [--scenario FILE|-]\n"
        "                              [--run-script [--shard K/N] [--junit FILE]\n"
        "                                            [--report FILE.html]\n"
        "                                            [--results FILE.jsonl]]]\n"
        "                  [--desktop] [-h|--help] [--version]\n"
        "                  [--client-timeout SECONDS] [--in-process] [--language en|fr]\n"
        "       nordteller --compare BASE.jsonl NEW.jsonl [--report FILE.html]\n"
        "                  [--junit FILE] [--ignore FIELD]... [--strict]\n"
        "       nordteller --merge A.jsonl B.jsonl... [--results ALL.jsonl]\n"
        "                  [--junit FILE] [--report FILE.html]\n"
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
        "  --shard K/N         headless --run-script: run only the test cases whose index\n"
        "                      among the runnable rows, counted from 0, leaves K-1 when\n"
        "                      divided by N (1 <= K <= N); a void whose sale is another\n"
        "                      shard's fails before running; the reports name the shard\n"
        "  --junit FILE        write a JUnit XML report of the script run to FILE\n"
        "  --report FILE.html  write a self-contained HTML evidence report of the script\n"
        "                      run to FILE.html (headless or the window), refused like\n"
        "                      --junit\n"
        "  --results FILE.jsonl the run's record as JSON Lines, every test case whole\n"
        "  --compare BASE.jsonl NEW.jsonl\n"
        "                      compare two records test case by test case (paired by line\n"
        "                      of Script.csv and Test Case Info): one line per test case\n"
        "                      that differs on stdout; --report writes the differences as\n"
        "                      an HTML page, --junit one failed test case each\n"
        "  --ignore FIELD      --compare: ignore this element too (may repeat)\n" +
        Wrapped(std::string("ignored by default: ") + DefaultIgnoredText() +
                ", and receipt lines that differ only in those values") +
        "  --strict            --compare: ignore nothing\n"
        "  --merge A.jsonl B.jsonl...\n"
        "                      combine the records of every shard of one run into one\n"
        "                      (--results), with its JUnit and HTML reports; the same\n"
        "                      inputs give the same bytes\n"
        "  --desktop           keep the working files in $XDG_DATA_HOME/nordteller (made\n"
        "                      when missing) instead of the current directory, as the\n"
        "                      desktop entry starts it\n"
        "  -h, --help          this text\n"
        "  --version           the program's version\n"
        "Every output (--record, --junit, --report, --results) is refused before start-up\n"
        "when it is one of the program's own files (testseqNo.dat, padselection.dat,\n"
        "Script.csv, simjournal.dat, simterminal.dat, .nordteller.lock, QUORLIN_LOGS/ and\n"
        "what is in it), another output, the scenario, the plugin or a record read, or\n"
        "when its folder cannot be written. An option given twice is refused.\n"
        "Files are read and written in the current directory (see --desktop), by one\n"
        "instance at a time: a second one started there refuses to run (the lock file is\n"
        ".nordteller.lock); --compare and --merge take no lock.\n"
        "A sequence number that cannot be saved, and logging that stops, are told once\n"
        "on stderr.\n"
        "Exit status:\n"
        "  0  all well (with --run-script: no test case failed; skipped ones do not fail;\n"
        "     --compare: nothing differs; --merge: merged)\n"
        "  1  a test case of an unattended run failed, or no row could run; --compare:\n"
        "     something differs\n"
        "  2  the command line, the scenario, a report path or the working folder refused,\n"
        "     or no display for the window; --compare and --merge: a record that cannot\n"
        "     be read, is not a record or of another format version, records that do not\n"
        "     go together, or an output that cannot be written (one line on stderr says\n"
        "     why)\n"
        "  3  the payment client could not be created and a command of the scenario\n"
        "     needed it (the reason on stderr)\n"
        "  4  an unattended run's evidence (daily log, receipts, reports) could not be\n"
        "     written whole (each loss told on stderr)\n"
        "  130, 143  stopped by SIGINT or SIGTERM, after the test case in progress (reports\n"
        "     so far written and marked interrupted)\n";
    return text.c_str();
}

}  // namespace nt
