// Time and peak resident memory of --compare and --merge on records of the size a simulator run
// writes. One Sale is run against the simulated payment client and its case line read back; the
// records are then written by the run's own writer (ResultsReport) from copies of it, each with
// its own line, Test Case Info, sequence number and references, so every line is as long as a
// real one (about 6.5 KB). Each measurement runs in a process of its own (forked after the
// records are written), so each peak is the command's alone. Prints figures; exit status 1 when
// a command did not end as it should. Usage:
//   bench_compare [compare-cases [shard-cases]]   (default 10000 25000)
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "app/ClientFactory.h"
#include "app/TestPosDlg.h"
#include "compare/CompareCommand.h"
#include "compare/JsonLine.h"
#include "compare/MergeCommand.h"
#include "compare/RecordCase.h"
#include "headless/MemoryForm.h"
#include "headless/ScriptedOperator.h"
#include "headless/Transcript.h"
#include "headless/UnattendedScript.h"
#include "log/LogDrain.h"
#include "script/ResultsCaseLine.h"
#include "script/ResultsReport.h"
#include "script/ScriptFile.h"

namespace {

using Seconds = std::chrono::duration<double>;

// One Sale against the simulator with its record written; the case line read back.
bool RealSale(nt::TestCaseRecord& sale) {
    {
        std::ofstream script(nt::kScriptFileName, std::ios::binary);
        script << "Run,Amount,Tip,Ref,Auth,Type,Options,Lang,Info,Expected\r\n"
                  "Run,10,,1001,Skip,Sale,0,0,Sale 10.00,Approved\r\n";
    }
    nt::bench::NullBuffer nothing;
    std::ostream nowhere(&nothing);
    nt::Transcript transcript(nowhere);
    nt::ScriptedOperator op(transcript);
    nt::MemoryForm form;
    nt::CTestPosDlg dlg(form, op, nt::MakeClientFactory("sim"));
    dlg.OnInitDialog();
    const nt::RunInfo run{.control = "sim", .reports = {{nt::ReportFormat::Results, "one.jsonl"}}};
    if (nt::RunScriptUnattended(dlg, run, nt::SystemClock(), nowhere) != 0) {
        return false;
    }
    nt::DrainLogWriter();
    std::ifstream in("one.jsonl");
    std::string line;
    std::getline(in, line);  // the run line
    std::getline(in, line);
    nt::JsonLine json;
    std::string error;
    if (!json.Parse(line, error)) {
        return false;
    }
    nt::Verdict verdict;
    nt::ReadTestCase(json.Root(), sale, verdict);
    return true;
}

void ReplaceAll(std::string& text, const std::string& from, const std::string& to) {
    for (size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
}

// The sale as test case `index` (from 1) of a run: its own line, Test Case Info and values.
nt::TestCaseRecord Copy(const nt::TestCaseRecord& sale, int index, int run,
                        const std::string& shard) {
    nt::TestCaseRecord tc = sale;
    tc.index = index;
    tc.line = index + 1;
    tc.row.columns[8] = "Sale " + std::to_string(index);
    tc.shard = shard;
    char sequence[16];
    std::snprintf(sequence, sizeof sequence, "00%08d", (index * 10 + run) % 100000000);
    char ref[8];
    std::snprintf(ref, sizeof ref, "%04d", (index + run) % 10000);
    for (std::vector<std::string>* texts : {&tc.requests, &tc.responses}) {
        for (std::string& text : *texts) {
            ReplaceAll(text, "0010010020", sequence);
            ReplaceAll(text, ">0001<", ">" + std::string(ref) + "<");
        }
    }
    for (nt::RenderedReceipt& copies : tc.receiptCopies) {
        for (std::string* copy : {&copies.cardholderCopy, &copies.merchantCopy}) {
            ReplaceAll(*copy, "0010010020", sequence);
            // Every 100th test case of the second run has a receipt text that changed.
            if (run == 1 && index % 100 == 0) {
                ReplaceAll(*copy, "APPROVED", "APPROUVEE");
            }
        }
    }
    tc.elapsedMs = static_cast<uint64_t>(index % 7 + run);
    return tc;
}

bool WriteRun(const std::string& path, const nt::TestCaseRecord& sale, int cases, int run,
              int k = 1, int n = 1) {
    const std::string shard = n > 1 ? std::to_string(k) + "/" + std::to_string(n) : "";
    nt::ResultsReport report(nt::ResultsRunOptions{.control = "sim",
                                                   .headless = true,
                                                   .reports = {{nt::ReportFormat::Results, path}},
                                                   .shard = shard});
    if (!report.Open(path)) {
        return false;
    }
    report.OnRunStarted(nt::LocalTime{2026, 12, 8, 20, 43, 47});
    nt::ReportCounts counts;
    for (int index = 1; index <= cases; ++index) {
        if ((index - 1) % n != k - 1) {
            continue;
        }
        const nt::TestCaseRecord tc = Copy(sale, index, run, shard);
        const nt::Verdict verdict = nt::Judge(tc);
        ++counts.tests;
        report.OnTestCase(std::make_shared<const nt::TestCaseRecord>(tc), verdict);
    }
    report.OnRunEnded(counts, 1000);
    return report.Written();
}

double MegaBytes(const std::string& path) {
    return static_cast<double>(std::filesystem::file_size(path)) / (1 << 20);
}

// Runs `command` in a child; prints its time and peak resident memory. The child's status.
int Measure(const char* what, const std::function<int()>& command) {
    std::fflush(stdout);
    const pid_t child = ::fork();
    if (child == 0) {
        const long before = nt::bench::PeakResidentKb();
        const auto start = std::chrono::steady_clock::now();
        const int status = command();
        const double seconds = Seconds(std::chrono::steady_clock::now() - start).count();
        std::printf("%-44s %6.2f s, peak resident %6.1f MB (%.1f MB before), status %d\n", what,
                    seconds, nt::bench::PeakResidentKb() / 1024.0, before / 1024.0, status);
        std::fflush(stdout);
        std::_Exit(status);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

int main(int argc, char** argv) {
    const int compareCases = argc > 1 ? std::atoi(argv[1]) : 10000;
    const int shardCases = argc > 2 ? std::atoi(argv[2]) : 25000;
    char dir[] = "bench_compare.XXXXXX";
    if (::mkdtemp(dir) == nullptr || ::chdir(dir) != 0) {
        std::perror("bench_compare: scratch directory");
        return 1;
    }
    nt::TestCaseRecord sale;
    if (!RealSale(sale)) {
        std::fputs("bench_compare: the simulated Sale did not pass\n", stderr);
        return 1;
    }
    int failures = 0;
    {
        constexpr int kLines = 20000;
        const nt::Verdict verdict = nt::Judge(sale);
        size_t bytes = 0;
        const double cpuBefore = nt::bench::CpuSeconds();
        for (int i = 0; i < kLines; ++i) {
            bytes += nt::ResultsCaseLine(sale, verdict).size();
        }
        std::printf("a case line of %zu bytes is made in %.1f us of CPU\n", bytes / kLines,
                    1e6 * (nt::bench::CpuSeconds() - cpuBefore) / kLines);
    }
    // The writer's own cost: what a record line costs the run that makes it.
    const double cpuBefore = nt::bench::CpuSeconds();
    const auto writeStart = std::chrono::steady_clock::now();
    if (!WriteRun("base.jsonl", sale, compareCases, 0)) {
        std::fputs("bench_compare: the records could not be written\n", stderr);
        return 1;
    }
    std::printf("the writer made %d case lines in %.2f s, %.1f us of CPU a line\n", compareCases,
                Seconds(std::chrono::steady_clock::now() - writeStart).count(),
                1e6 * (nt::bench::CpuSeconds() - cpuBefore) / compareCases);
    if (!WriteRun("new.jsonl", sale, compareCases, 1)) {
        std::fputs("bench_compare: the records could not be written\n", stderr);
        return 1;
    }
    std::printf("records of %d test cases: %.1f MB and %.1f MB\n", compareCases,
                MegaBytes("base.jsonl"), MegaBytes("new.jsonl"));
    nt::bench::NullBuffer nothing;
    std::ostream nowhere(&nothing);
    // Every 100th test case differs: its receipt text changed.
    failures +=
        Measure("compare, summary only",
                [&] {
                    return nt::RunCompare({"base.jsonl", "new.jsonl", nt::IgnoreRules(), "", ""},
                                          nowhere, std::cerr);
                }) == 1
            ? 0
            : 1;
    failures += Measure("compare, with --report and --junit",
                        [&] {
                            return nt::RunCompare({"base.jsonl", "new.jsonl", nt::IgnoreRules(),
                                                   "compare.html", "compare.xml"},
                                                  nowhere, std::cerr);
                        }) == 1
                    ? 0
                    : 1;
    failures += Measure("compare, --strict (every test case differs)",
                        [&] {
                            return nt::RunCompare(
                                {"base.jsonl", "new.jsonl", nt::IgnoreRules::Strict(), "", ""},
                                nowhere, std::cerr);
                        }) == 1
                    ? 0
                    : 1;

    std::vector<std::string> shards;
    for (int k = 1; k <= 4; ++k) {
        shards.push_back("shard-" + std::to_string(k) + ".jsonl");
        if (!WriteRun(shards.back(), sale, 4 * shardCases, 0, k, 4)) {
            std::fputs("bench_compare: a shard's record could not be written\n", stderr);
            return 1;
        }
    }
    std::printf("4 shard records of %d test cases: %.1f MB each\n", shardCases,
                MegaBytes(shards[0]));
    failures +=
        Measure("merge, --results",
                [&] {
                    return nt::RunMerge({shards, {{nt::ReportFormat::Results, "all.jsonl"}}},
                                        nowhere, std::cerr);
                }) == 0
            ? 0
            : 1;
    failures += Measure("merge, --results --junit --report",
                        [&] {
                            return nt::RunMerge({shards,
                                                 {{nt::ReportFormat::Results, "all.jsonl"},
                                                  {nt::ReportFormat::JUnit, "all.xml"},
                                                  {nt::ReportFormat::Html, "all.html"}}},
                                                nowhere, std::cerr);
                        }) == 0
                    ? 0
                    : 1;
    std::printf("merged: record %.1f MB, JUnit %.1f MB, HTML %.1f MB\n", MegaBytes("all.jsonl"),
                MegaBytes("all.xml"), MegaBytes("all.html"));
    // BENCH_KEEP set: the records stay, for a profiler.
    if (std::getenv("BENCH_KEEP") != nullptr) {
        std::printf("records kept in %s\n", dir);
    } else if (::chdir("..") == 0) {
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
    }
    return failures == 0 ? 0 : 1;
}
