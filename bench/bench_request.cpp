// BuildRequest for a request with every optional row present.
#include <benchmark/benchmark.h>

#include "form/Controls.h"
#include "headless/MemoryForm.h"
#include "support/SilentOperator.h"
#include "dialogs/AdditionalAmountsDlg.h"
#include "dialogs/ManualEntryDlg.h"
#include "request/RequestComposer.h"

namespace nt {
namespace {

// Answers the manual entry dialog with three values; nothing else is asked for a Sale.
class BenchOperator : public SilentOperator {
  public:
    bool RunManualEntry(CManualEntryDlg& dlg) override {
        dlg.m_zipCode = "K1A0B1";
        dlg.m_streetNumber = "123";
        dlg.m_cvv = "456";
        return true;
    }
    bool RunAdditionalAmounts(CAdditionalAmountsDlg&) override { return false; }
};

void BM_BuildRequestEveryRow(benchmark::State& state) {
    MemoryForm form;
    const std::pair<int, const char*> texts[] = {{id::kHostOrIp, "127.0.0.1"},
                                                 {id::kIpPort, "9000"},
                                                 {id::kMerchantId, "70"},
                                                 {id::kTerminalId, "T1"},
                                                 {id::kOperatorId, "op"},
                                                 {id::kComPort, " 3 "},
                                                 {id::kPinPadIpAddress, "10.0.0.5"},
                                                 {id::kPinPadIpPort, "12000"},
                                                 {id::kInvoice, "1"},
                                                 {id::kRefNumber, "1"},
                                                 {id::kAuthCode, "A1"},
                                                 {id::kAcqRefData, "acq"},
                                                 {id::kProcessData, "pd"},
                                                 {id::kMaxTrans, "5"},
                                                 {id::kPadRebootTime, "0230"},
                                                 {id::kRecordNumber, "REC9"}};
    for (auto [control, text] : texts) {
        form.SetText(control, text);
    }
    for (int box : {id::kUseTokens, id::kSuppressAmountOk, id::kInteracDebitOnly, id::kCreditOnly,
                    id::kOverride, id::kCardNotPresent, id::kSuppressSignature,
                    id::kAllowPartialAuth, id::kForceOffline, id::kReturnClearExpDate,
                    id::kPromptManual, id::kEnglishLocal, id::kEnglishFallback}) {
        form.SetChecked(box, true);
    }
    CAmountEdit amount, tip, limit;
    amount.OnAmountUpdate("1234");
    tip.OnAmountUpdate("200");
    limit.OnAmountUpdate("25000");
    BenchOperator op;
    ManualEntries remembered;
    ComposerInputs in{amount,       tip,     limit, "\t\t<PadType>KT820</PadType>\r\n",
                      "0010010010", "tester"};
    for (auto _ : state) {
        std::string request = BuildRequest(form, op, in, remembered, "EMVSale", "Transaction", "");
        benchmark::DoNotOptimize(request);
    }
}
BENCHMARK(BM_BuildRequestEveryRow)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
}  // namespace nt

BENCHMARK_MAIN();
