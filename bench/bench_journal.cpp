// A void against a simulator whose open batch holds 100,000 sales, each answered with its
// journal line written to simjournal.dat; beside it, a sale in the same batch. The void must stay
// under 100 microseconds however large the batch grows.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "BenchSupport.h"
#include "platform/Clock.h"
#include "sim/SimJournalFile.h"
#include "sim/SimulatedClient.h"

namespace nt {
namespace {

constexpr int kOpen = 100000;

std::string Request(const std::string& code, const std::string& refNo, const char* purchase) {
    return "<?xml version=\"1.0\"?>\r\n<TStream>\r\n\t<Transaction>\r\n"
           "\t\t<MerchantID>4445012345</MerchantID>\r\n\t\t<TranCode>" +
           code + "</TranCode>\r\n" +
           (refNo.empty() ? "" : "\t\t<RefNo>" + refNo + "</RefNo>\r\n") +
           "\t\t<Amount>\r\n\t\t\t<Purchase>" + purchase +
           "</Purchase>\r\n\t\t</Amount>\r\n\t\t<SequenceNo>0010010010</SequenceNo>\r\n"
           "\t</Transaction>\r\n</TStream>\r\n";
}

// One simulator for the whole run, its batch filled once.
PaymentClient& Filled() {
    static ManualClock clock;
    static std::unique_ptr<PaymentClient> client = [] {
        static const std::string dir = bench::EnterTemporaryDirectory("bench_journal");
        if (dir.empty()) {
            std::exit(1);
        }
        std::atexit([] { std::filesystem::remove_all(dir); });
        auto c = MakeSimulatedClient(clock, SimulatorOptions{sim::kJournalFileName, true, false});
        const std::string sale = Request("EMVSale", "", "10.00");
        for (int i = 0; i < kOpen; ++i) {
            c->ProcessTransaction(sale);
        }
        return c;
    }();
    return *client;
}

void BM_VoidIn100000OpenSales(benchmark::State& state) {
    PaymentClient& client = Filled();
    int next = 0;
    for (auto _ : state) {
        // Spread over the batch, each a sale not voided yet.
        char ref[16];
        std::snprintf(ref, sizeof ref, "%04d", 1 + (next++ * 7919) % kOpen);
        const ClientReply reply = client.ProcessTransaction(Request("EMVVoidSale", ref, "10.00"));
        if (reply.text.find("<TextResponse>APPROVED</TextResponse>") == std::string::npos) {
            state.SkipWithError("the void was not approved");
            break;
        }
    }
}
BENCHMARK(BM_VoidIn100000OpenSales)->Iterations(kOpen / 2)->Unit(benchmark::kMicrosecond);

void BM_SaleIn100000OpenSales(benchmark::State& state) {
    PaymentClient& client = Filled();
    const std::string sale = Request("EMVSale", "", "10.00");
    for (auto _ : state) {
        benchmark::DoNotOptimize(client.ProcessTransaction(sale));
    }
}
BENCHMARK(BM_SaleIn100000OpenSales)->Iterations(20000)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace nt

BENCHMARK_MAIN();
