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
        {"NetBatchTotal", FormatCents(creditAmount + debitAmount + correctionAmount)},
        {"CreditCount", n(creditCount)},
        {"CreditAmount", FormatCents(creditAmount)},
        {"DebitCount", n(debitCount)},
        {"DebitAmount", FormatCents(debitAmount)},
        {"CorrectionCount", n(correctionCount)},
        {"CorrectionAmount", FormatCents(correctionAmount)},
    };
}

BatchTotals SimBatch::Totals() const {
    BatchTotals t;
    t.batchNo = number_;
    for (const BatchEntry& e : entries_) {
        switch (e.kind) {
            case BatchKind::Purchase:
                ++(e.debit ? t.debitPurchaseCount : t.creditPurchaseCount);
                (e.debit ? t.debitPurchaseAmount : t.creditPurchaseAmount) += e.cents;
                break;
            case BatchKind::Return:
                ++(e.debit ? t.debitReturnCount : t.creditReturnCount);
                (e.debit ? t.debitReturnAmount : t.creditReturnAmount) += e.cents;
                break;
            case BatchKind::VoidPurchase:
                ++t.correctionCount;
                t.correctionAmount -= e.cents;
                break;
            case BatchKind::VoidReturn:
                ++t.correctionCount;
                t.correctionAmount += e.cents;
                break;
        }
    }
    return t;
}

BatchTotals SimBatch::Close() {
    const BatchTotals closed = Totals();
    entries_.clear();
    ++number_;
    return closed;
}

}  // namespace nt::sim
