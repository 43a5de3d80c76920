#include "response/BatchTotals.h"

namespace nt {

std::string BatchTotalsBlock(const std::string& summaryResponse) {
    std::string block;
    for (const auto name : kBatchTotalNames) {
        const std::string tag(name);
        const std::string value = ExtractTagValue(summaryResponse, tag);
        if (value.empty()) {
            continue;
        }
        block.append("\t\t<").append(tag).append(">").append(value);
        block.append("</").append(tag).append(">\r\n");
    }
    return block;
}

}  // namespace nt
