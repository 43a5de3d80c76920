#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <unordered_map>
#include <vector>

#include "sim/SimBatch.h"
#include "sim/SimCard.h"

namespace nt::sim {

// What an approved transaction was, as the host books it.
enum class EntryKind { Purchase, Return, PreAuth };

// Where it stands: an open pre-authorisation, captured (sales, voice auths, captured
// pre-authorisations), returned (refunds), voided, or captured with its tip adjusted.
enum class EntryState { OpenAuth, Captured, Returned, Voided, Adjusted };

struct JournalEntry {
    int batchNo = 0;
    int tranNo = 0;
    EntryKind kind = EntryKind::Purchase;
    EntryState state = EntryState::Captured;
    bool stored = false;  // approved offline, not yet forwarded into the batch
    std::string tranCode;
    std::string refNo;
    std::string authCode;
    std::string acqRefData;
    std::string recordNo;  // the token the response carried, if any
    std::string invoiceNo;
    CardBrand brand = CardBrand::Visa;
    bool keyed = false;
    bool signature = false;
    int64_t purchase = 0;
    int64_t gratuity = 0;
    int64_t cashBack = 0;
    int64_t authorized = 0;  // what the batch counts once captured

    bool Debit() const { return brand == CardBrand::Debit; }
};

// The simulated host's books: the approved transactions of the open batch (and those stored
// offline), the references of closed batches, the batch number and the transaction count that
// numbers RefNo and AuthCode. Lookups by reference are hashed, so a follow-on costs the same in
// a batch of any size.
class SimJournal {
  public:
    int BatchNo() const { return batchNo_; }
    int TranNo() const { return tranNo_; }
    int NextTranNo() { return ++tranNo_; }

    // The entry of the open batch (or the store) with that RefNo; null when there is none.
    const JournalEntry* Find(const std::string& refNo) const;
    // The latest entry with that token that `usable` accepts; null when there is none.
    template <class Usable>
    const JournalEntry* FindByToken(const std::string& token, Usable usable) const {
        for (auto it = entries_.rbegin(); it != entries_.rend(); ++it) {
            if (it->recordNo == token && usable(*it)) {
                return &*it;
            }
        }
        return nullptr;
    }
    // The closed batch a RefNo belonged to; 0 when it belonged to none.
    int ClosedBatchOf(const std::string& refNo) const;
    // An approved sale of the open batch, not voided, with that card, total and invoice.
    bool HasDuplicate(CardBrand brand, int64_t total, const std::string& invoiceNo) const;

    // Adds an entry; returns its position.
    size_t Add(JournalEntry entry);
    // Replaces the entry at `position` (its RefNo stays).
    void Update(size_t position, const JournalEntry& entry);
    size_t PositionOf(const JournalEntry& entry) const;

    BatchTotals Totals() const;
    // Ends the open batch (its references are remembered as closed) and opens the next one;
    // entries stored offline stay. Returns the totals of the batch closed.
    BatchTotals Close();
    // Stored entries enter the open batch; returns their positions.
    std::vector<size_t> Forward();

    const std::deque<JournalEntry>& Entries() const { return entries_; }
    const std::unordered_map<std::string, int>& ClosedReferences() const { return closed_; }

    // Restoring from the journal file.
    void Restore(int batchNo, int tranNo);
    void RestoreClosed(const std::string& refNo, int batchNo) { closed_[refNo] = batchNo; }
    // Sets the entry at `position`, appending when it is the next one; false when it is neither.
    bool RestoreEntry(size_t position, const JournalEntry& entry);

  private:
    int batchNo_ = 1;
    int tranNo_ = 0;
    // A deque: a batch of 100,000 sales grows it without a reallocation holding two copies.
    std::deque<JournalEntry> entries_;
    std::unordered_map<std::string, size_t> byRef_;
    std::unordered_map<std::string, int> closed_;
};

}  // namespace nt::sim
