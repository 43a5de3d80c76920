#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace nt::sim {

// How an approved transaction counts in the batch.
enum class BatchKind { Purchase, Return, VoidPurchase, VoidReturn };

struct BatchEntry {
    BatchKind kind = BatchKind::Purchase;
    bool debit = false;
    int64_t cents = 0;
};

// The 17 totals the client carries from BatchSummary into BatchClose. They add up:
// CreditCount = CreditPurchaseCount + CreditReturnCount,
// CreditAmount = CreditPurchaseAmount - CreditReturnAmount (debit alike),
// CorrectionAmount = voided returns - voided purchases,
// NetBatchTotal = CreditAmount + DebitAmount + CorrectionAmount,
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

// The open batch: the approved financial transactions since the last close.
class SimBatch {
  public:
    void Add(const BatchEntry& entry) { entries_.push_back(entry); }
    BatchTotals Totals() const;
    // Ends the batch and opens the next one; returns the totals of the one closed.
    BatchTotals Close();
    int Number() const { return number_; }

  private:
    int number_ = 1;
    std::vector<BatchEntry> entries_;
};

}  // namespace nt::sim
