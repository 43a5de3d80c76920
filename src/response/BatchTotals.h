#pragma once

#include <array>
#include <string>
#include <string_view>

#include "text/ExtractTagValue.h"

namespace nt {

// The batch totals a BatchSummary response reports and the BatchClose request carries back, in
// the order they are sent.
inline constexpr std::array<std::string_view, 17> kBatchTotalNames = {
    "BatchItemCount",     "BatchNo",           "CreditPurchaseAmount", "CreditPurchaseCount",
    "CreditReturnAmount", "CreditReturnCount", "DebitPurchaseAmount",  "DebitPurchaseCount",
    "DebitReturnAmount",  "DebitReturnCount",  "NetBatchTotal",        "CreditCount",
    "CreditAmount",       "DebitCount",        "DebitAmount",          "CorrectionCount",
    "CorrectionAmount"};

// "\t\t<Name>value</Name>\r\n" for every total with a non-empty value, in the order above; the
// request composer inserts it verbatim inside the Admin element.
std::string BatchTotalsBlock(const std::string& summaryResponse);

}  // namespace nt
