#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace nt::sim {

// The 17 totals the client carries from BatchSummary into BatchClose. They add up:
// CreditCount = CreditPurchaseCount + CreditReturnCount,
// CreditAmount = CreditPurchaseAmount - CreditReturnAmount (debit alike),
// CorrectionAmount = voided returns - voided purchases (a voided transaction leaves the
// purchases or returns and counts here instead), NetBatchTotal = CreditAmount + DebitAmount,
// BatchItemCount = CreditCount + DebitCount + CorrectionCount.
struct BatchTotals {
    int batchNo = 1;
    int creditPurchaseCount = 0;
    int64_t creditPurchaseAmount = 0;
    int creditReturnCount = 0;
    int64_t creditReturnAmount = 0;
    int debitPurchaseCount = 0;
    int64_t debitPurchaseAmount = 0;
    int debitReturnCount = 0;
    int64_t debitReturnAmount = 0;
    int correctionCount = 0;
    int64_t correctionAmount = 0;

    // (element name, text) in the order the client reads them.
    std::vector<std::pair<std::string, std::string>> Elements() const;
};

}  // namespace nt::sim
