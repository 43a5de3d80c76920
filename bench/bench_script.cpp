// Unattended replay of a 10,000-row Script.csv of Sales against the simulated payment client:
// every log entry, receipt and the JUnit report written, then the same with the run's JSON record
// (--results) as well, each run in a fresh folder so that neither finds the other's journal;
// prints both rates, the CPU time of each and what the record costs. Beside it, the bare
// testseqNo.dat save, which every command makes once (behind the next test case during a script
// run).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "app/ClientFactory.h"
#include "app/TestPosDlg.h"
#include "headless/MemoryForm.h"
#include "headless/ScriptedOperator.h"
#include "headless/UnattendedScript.h"
#include "log/LogDrain.h"
#include "platform/TextFile.h"

namespace nt {
namespace {

constexpr int kRows = 10000;

char scratch[] = "bench_script.XXXXXX";

// Registered before the log writer exists, so it runs after the writer's last pass.
void RemoveScratchDirectory() {
    if (::chdir("..") == 0) {
        std::error_code ignored;
        std::filesystem::remove_all(scratch, ignored);
    }
}

// A scratch directory below the current one (so the file system is the one a tester uses),
// made the current directory for the whole program and removed at exit.
void EnterScratchDirectory() {
    static bool entered = false;
    if (entered) {
        return;
    }
    if (::mkdtemp(scratch) == nullptr || ::chdir(scratch) != 0) {
        std::perror("bench_script: scratch directory");
        std::exit(1);
    }
    std::atexit(RemoveScratchDirectory);
    entered = true;
}

struct Replay {
    double perSecond = 0;   // test cases a second, wall time; 0 when a test case failed
    double cpuSeconds = 0;  // of the whole process, every thread
};

// One replay of kRows Sales in a fresh folder below the scratch one (left there until the end:
// removing thousands of receipt files just before a run slows the file creations of that run).
Replay ReplayOnce(bool withRecord) {
    static int runs = 0;
    const std::string folder = "run" + std::to_string(++runs);
    std::filesystem::create_directory(folder);
    if (::chdir(folder.c_str()) != 0) {
        return {};
    }
    std::string script = "Run,Amount,Tip,Ref,Auth,Type,Options,Lang,Info,Expected\r\n";
    for (int i = 1; i <= kRows; ++i) {
        script += "Run,5,,R" + std::to_string(i) + ",Skip,Sale,0,0,Sale " + std::to_string(i) +
                  ",Approved\r\n";
    }
    WriteFileAtomic("Script.csv", script);
    std::ofstream nowhere("/dev/null");
    Transcript transcript(nowhere);
    ScriptedOperator op(transcript);
    MemoryForm form;
    Replay replay;
    {
        CTestPosDlg dlg(form, op, MakeClientFactory("sim"));
        dlg.OnInitDialog();
        RunInfo run{.control = "sim", .reports = {{ReportFormat::JUnit, "report.xml"}}};
        if (withRecord) {
            run.reports.push_back({ReportFormat::Results, "run.jsonl"});
        }
        const double cpuBefore = bench::CpuSeconds();
        const auto start = std::chrono::steady_clock::now();
        const int status = RunScriptUnattended(dlg, run, SystemClock(), nowhere);
        DrainLogWriter();
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        replay = {status == 0 ? kRows / seconds : 0, bench::CpuSeconds() - cpuBefore};
    }
    return ::chdir("..") == 0 ? replay : Replay{};
}

// Without and with the record in pairs, the order turned each pair, fifteen pairs: the disk's
// writebacks and the machine's other work come in bursts as long as a run (a pair's ratio
// ranges from 0.7 to 1.2 here), so the figure is the median of the pairs' ratios, each taken
// from two runs side by side; the best run of each kind is printed beside it.
void BM_ScriptReplay10000Sales(benchmark::State& state) {
    constexpr int kPairs = 15;
    EnterScratchDirectory();
    Replay plain{0, 1e9};
    Replay recorded{0, 1e9};
    std::vector<double> rateRatios;
    std::vector<double> cpuRatios;
    for (auto _ : state) {
        for (int pair = 0; pair < kPairs; ++pair) {
            Replay both[2];
            for (const bool withRecord : {pair % 2 == 1, pair % 2 == 0}) {
                const Replay replay = ReplayOnce(withRecord);
                if (replay.perSecond == 0) {
                    state.SkipWithError("a test case failed");
                    return;
                }
                both[withRecord ? 1 : 0] = replay;
                Replay& best = withRecord ? recorded : plain;
                best = {std::max(best.perSecond, replay.perSecond),
                        std::min(best.cpuSeconds, replay.cpuSeconds)};
            }
            rateRatios.push_back(both[1].perSecond / both[0].perSecond);
            cpuRatios.push_back(both[1].cpuSeconds / both[0].cpuSeconds);
        }
    }
    const double rate = bench::Median(rateRatios);
    const double cpu = bench::Median(cpuRatios);
    state.counters["test_cases_per_s"] = plain.perSecond;
    state.counters["with_record_per_s"] = recorded.perSecond;
    state.counters["record_cost_pct"] = 100.0 * (1.0 - rate);
    std::printf(
        "replay of %d Sales, %d pairs of runs: the record costs %.1f %% of the rate (median "
        "ratio %.3f; pairs:",
        kRows, kPairs, 100.0 * (1.0 - rate), rate);
    for (const double ratio : rateRatios) {
        std::printf(" %.3f", ratio);
    }
    std::printf(
        ") and %.1f %% more CPU (median); best runs: %.0f test cases/s with the JUnit "
        "report (%.2f s CPU), %.0f/s with the JSON record as well (%.2f s CPU)\n",
        100.0 * (cpu - 1.0), plain.perSecond, plain.cpuSeconds, recorded.perSecond,
        recorded.cpuSeconds);
}
BENCHMARK(BM_ScriptReplay10000Sales)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

void BM_SequenceFileSave(benchmark::State& state) {
    EnterScratchDirectory();
    for (auto _ : state) {
        if (!WriteFileAtomic("testseqNo.dat", "0010010020")) {
            state.SkipWithError("save failed");
        }
    }
    state.counters["saves_per_s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_SequenceFileSave)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace
}  // namespace nt

BENCHMARK_MAIN();
