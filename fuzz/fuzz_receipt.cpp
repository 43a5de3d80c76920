// Print line extraction and receipt rendering from any response text.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "support/SilentOperator.h"
#include "log/ReceiptSink.h"
#include "text/CenterText.h"
#include "response/PrintLines.h"
#include "response/ReceiptRenderer.h"

namespace {

class CountingSink : public nt::ReceiptSink {
  public:
    size_t entries = 0;
    void Trace(std::string_view) override { ++entries; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const int width = in.ConsumeIntegralInRange<int>(-4, 80);
    nt::ReceiptInputs inputs;
    inputs.testCaseInfo = in.ConsumeRandomLengthString(64);
    inputs.merchantLanguage = in.ConsumeRandomLengthString(16);
    inputs.customerLanguage = in.ConsumeRandomLengthString(16);
    inputs.posPad = in.ConsumeBool();
    const std::string response = in.ConsumeRemainingBytesAsString();

    const std::string centred = nt::CenterText(response.substr(0, 200), width);
    if (centred.size() != static_cast<size_t>(width < 0 ? 0 : width)) {
        std::abort();  // always exactly the width asked for
    }

    inputs.merchantLines = nt::GetPrintLines(response, "PrintData");
    inputs.customerLines = nt::GetPrintLines(response, "CustomerPrintData");
    for (const std::string* lines : {&inputs.merchantLines, &inputs.customerLines}) {
        if (!lines->empty() &&
            (lines->front() == '.' || lines->find("\r\n.") != std::string::npos)) {
            std::abort();  // leading full stops are removed from every line
        }
    }
    if (inputs.merchantLines.empty()) {
        return 0;  // the window renders no receipt then
    }
    inputs.customerLinesPresent = !inputs.customerLines.empty();
    if (!inputs.customerLinesPresent && !inputs.posPad) {
        inputs.customerLines = inputs.merchantLines;
    }
    CountingSink sink;
    nt::SilentOperator op;
    nt::RenderReceipt(inputs, sink, op);
    if (sink.entries == 0) {
        std::abort();  // a rendered receipt writes at least its merchant copy
    }
    return 0;
}
