// Tag value extraction: the one-pass index answers every name exactly as the plain search does;
// the batch totals block is made of well-formed lines only.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <string>

#include "text/TagIndex.h"
#include "response/BatchTotals.h"
#include "text/ExtractTagValue.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    std::string names[4];
    for (std::string& name : names) {
        name = in.ConsumeRandomLengthString(80);  // past the index's longest indexed name too
    }
    const std::string text = in.ConsumeRemainingBytesAsString();

    nt::TagIndex index(text);
    for (const std::string& name : names) {
        if (index.Value(name) != nt::ExtractTagValue(text, name)) {
            std::abort();
        }
    }
    // Names the text itself uses, so the index's hits are compared as well as its misses.
    for (size_t open = text.find('<'); open != std::string::npos && open < 4096;
         open = text.find('<', open + 1)) {
        const size_t close = text.find('>', open);
        if (close == std::string::npos) {
            break;
        }
        const std::string name = text.substr(open + 1, close - open - 1);
        if (index.Value(name) != nt::ExtractTagValue(text, name)) {
            std::abort();
        }
    }

    const std::string block = nt::BatchTotalsBlock(text);
    for (size_t at = 0; at < block.size();) {
        const size_t end = block.find("\r\n", at);
        if (block.compare(at, 3, "\t\t<") != 0 || end == std::string::npos) {
            std::abort();
        }
        at = end + 2;
    }
    return 0;
}
