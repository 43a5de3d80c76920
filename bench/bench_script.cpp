// Unattended replay of a 10,000-row Script.csv of Sales against an in-process client that
// answers at once: every log entry, receipt and the JUnit report written. Beside it, the bare
// testseqNo.dat save, which every command does once and which bounds the replay rate.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/TestPosDlg.h"
#include "headless/MemoryForm.h"
#include "headless/ScriptedOperator.h"
#include "headless/UnattendedScript.h"
#include "log/LogDrain.h"
#include "platform/TextFile.h"

namespace nt {
namespace {

constexpr int kRows = 10000;

// A fast client: one canned approval with reference fields and a printed receipt.
class CannedClient : public PaymentClient {
  public:
    ClientReply ProcessTransaction(const std::string&) override {
        return ClientReply{0,
                           "<?xml version=\"1.0\"?>\r\n<TStream>\r\n<CmdResponse><CmdStatus>"
                           "Approved</CmdStatus><SequenceNo>0010010020</SequenceNo>"
                           "</CmdResponse>\r\n<TranResponse><Amount><Purchase>5.00</Purchase>"
                           "<Gratuity>0.00</Gratuity></Amount><RefNo>R1</RefNo><InvoiceNo>1"
                           "</InvoiceNo><AuthCode>A1</AuthCode><AcqRefData>Q</AcqRefData>"
                           "<RecordNo>N</RecordNo><ProcessData>P</ProcessData></TranResponse>\r\n"
                           "<PrintData><Line1>SALE</Line1><Line2>TOTAL $5.00</Line2>"
                           "<Line3>APPROVED</Line3></PrintData>\r\n</TStream>\r\n",
                           {}};
    }
    ClientReply GetPadTypesInfo() override { return ClientReply{0, "", {}}; }
};

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
    CTestPosDlg dlg(form, op, [](std::string&) { return std::make_unique<CannedClient>(); });
    dlg.OnInitDialog();
    for (auto _ : state) {
        int status = RunScriptUnattended(dlg, "report.xml", SystemClock(), nowhere);
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
