// Unattended replay of a 10,000-row Script.csv of Sales against the simulated payment client:
// every log entry, receipt and the JUnit report written. Beside it, the bare testseqNo.dat
// save, which every command makes once (behind the next test case during a script run).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

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

void BM_ScriptReplay10000Sales(benchmark::State& state) {
    EnterScratchDirectory();
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
    CTestPosDlg dlg(form, op, MakeClientFactory("sim"));
    dlg.OnInitDialog();
    for (auto _ : state) {
        int status = RunScriptUnattended(dlg, {.reports = {{ReportFormat::JUnit, "report.xml"}}},
                                         SystemClock(), nowhere);
        DrainLogWriter();
        if (status != 0) {
            state.SkipWithError("a test case failed");
        }
    }
    state.SetItemsProcessed(state.iterations() * kRows);
    state.counters["test_cases_per_s"] = benchmark::Counter(
        static_cast<double>(state.iterations() * kRows), benchmark::Counter::kIsRate);
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
