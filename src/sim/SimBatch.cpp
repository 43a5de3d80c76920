#include "sim/SimBatch.h"

#include "sim/SimAmount.h"

namespace nt::sim {

std::vector<std::pair<std::string, std::string>> BatchTotals::Elements() const {
    const int creditCount = creditPurchaseCount + creditReturnCount;
    const int64_t creditAmount = creditPurchaseAmount - creditReturnAmount;
    const int debitCount = debitPurchaseCount + debitReturnCount;
    const int64_t debitAmount = debitPurchaseAmount - debitReturnAmount;
    const auto n = [](int64_t v) { return std::to_string(v); };
    return {
        {"BatchItemCount", n(creditCount + debitCount + correctionCount)},
        {"BatchNo", n(batchNo)},
        {"CreditPurchaseAmount", FormatCents(creditPurchaseAmount)},
        {"CreditPurchaseCount", n(creditPurchaseCount)},
        {"CreditReturnAmount", FormatCents(creditReturnAmount)},
        {"CreditReturnCount", n(creditReturnCount)},
        {"DebitPurchaseAmount", FormatCents(debitPurchaseAmount)},
        {"DebitPurchaseCount", n(debitPurchaseCount)},
        {"DebitReturnAmount", FormatCents(debitReturnAmount)},
        {"DebitReturnCount", n(debitReturnCount)},
        {"NetBatchTotal", FormatCents(creditAmount + debitAmount)},
        {"CreditCount", n(creditCount)},
        {"CreditAmount", FormatCents(creditAmount)},
        {"DebitCount", n(debitCount)},
        {"DebitAmount", FormatCents(debitAmount)},
        {"CorrectionCount", n(correctionCount)},
        {"CorrectionAmount", FormatCents(correctionAmount)},
    };
}

}  // namespace nt::sim
