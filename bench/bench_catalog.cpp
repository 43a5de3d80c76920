// The pad type catalog: 10,000 entries into the tree, with the saved selection restored.
#include <benchmark/benchmark.h>

#include "app/TestPosDlg.h"
#include "headless/MemoryForm.h"
#include "headless/ScriptedOperator.h"
#include "headless/Transcript.h"

#include <sstream>

namespace nt {
namespace {

std::string Catalog(int entries) {
    std::string info = "<PadTypesInfo>\r\n";
    for (int n = 1; n <= entries; ++n) {
        std::string k = std::to_string(n);
        info += "<PadTypeID" + k + ">PAD-" + k + "</PadTypeID" + k + "><Processor" + k +
                ">Processor " + std::to_string(n % 7) + "</Processor" + k + "><Manufacturer" + k +
                ">Maker " + std::to_string(n % 13) + "</Manufacturer" + k + ">\r\n";
    }
    return info + "</PadTypesInfo>\r\n";
}

void BM_LoadPadCatalog(benchmark::State& state) {
    const int entries = static_cast<int>(state.range(0));
    const std::string info = Catalog(entries);
    const std::string saved = "PAD-" + std::to_string(entries - 3);
    std::ostringstream sink;
    Transcript transcript(sink);
    ScriptedOperator op(transcript);
    MemoryForm form;
    CTestPosDlg dlg(form, op, PaymentClientFactory{});
    for (auto _ : state) {
        dlg.padCatalog().BuildPadCatalog(info, saved);
        benchmark::DoNotOptimize(dlg.padCatalog().padTree().Selected());
    }
    state.counters["entries"] = entries;
    state.counters["bytes"] = static_cast<double>(info.size());
}
BENCHMARK(BM_LoadPadCatalog)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace
}  // namespace nt

BENCHMARK_MAIN();
