#include "sim/SimJournal.h"

namespace nt::sim {

const JournalEntry* SimJournal::Find(const std::string& refNo) const {
    const auto it = byRef_.find(refNo);
    return it == byRef_.end() ? nullptr : &entries_[it->second];
}

int SimJournal::ClosedBatchOf(const std::string& refNo) const {
    const auto it = closed_.find(refNo);
    return it == closed_.end() ? 0 : it->second;
}

bool SimJournal::HasDuplicate(CardBrand brand, int64_t total, const std::string& invoiceNo) const {
    for (const JournalEntry& e : entries_) {
        if (e.kind == EntryKind::Purchase && e.state != EntryState::Voided && e.brand == brand &&
            e.purchase + e.gratuity + e.cashBack == total && e.invoiceNo == invoiceNo) {
            return true;
        }
    }
    return false;
}

size_t SimJournal::Add(JournalEntry entry) {
    const size_t position = entries_.size();
    byRef_[entry.refNo] = position;
    entries_.push_back(std::move(entry));
    return position;
}

void SimJournal::Update(size_t position, const JournalEntry& entry) {
    entries_[position] = entry;
}

BatchTotals SimJournal::Totals() const {
    BatchTotals t;
    t.batchNo = batchNo_;
    for (const JournalEntry& e : entries_) {
        if (e.stored || e.state == EntryState::OpenAuth) {
            continue;
        }
        const bool isReturn = e.kind == EntryKind::Return;
        if (e.state == EntryState::Voided) {
            ++t.correctionCount;
            t.correctionAmount += isReturn ? e.authorized : -e.authorized;
        } else if (isReturn) {
            ++(e.Debit() ? t.debitReturnCount : t.creditReturnCount);
            (e.Debit() ? t.debitReturnAmount : t.creditReturnAmount) += e.authorized;
        } else {
            ++(e.Debit() ? t.debitPurchaseCount : t.creditPurchaseCount);
            (e.Debit() ? t.debitPurchaseAmount : t.creditPurchaseAmount) += e.authorized;
        }
    }
    return t;
}

size_t SimJournal::PositionOf(const JournalEntry& entry) const {
    // The reference index names the entry in all but odd batches that reuse a RefNo.
    const auto it = byRef_.find(entry.refNo);
    if (it != byRef_.end() && &entries_[it->second] == &entry) {
        return it->second;
    }
    for (size_t i = 0; i < entries_.size(); ++i) {
        if (&entries_[i] == &entry) {
            return i;
        }
    }
    return entries_.size();
}

BatchTotals SimJournal::Close() {
    const BatchTotals closed = Totals();
    std::deque<JournalEntry> kept;
    for (JournalEntry& e : entries_) {
        if (e.stored) {
            kept.push_back(std::move(e));
        } else {
            closed_[e.refNo] = batchNo_;
        }
    }
    entries_.clear();
    byRef_.clear();
    for (JournalEntry& e : kept) {
        Add(std::move(e));
    }
    ++batchNo_;
    return closed;
}

std::vector<size_t> SimJournal::Forward() {
    std::vector<size_t> moved;
    for (size_t i = 0; i < entries_.size(); ++i) {
        if (entries_[i].stored) {
            entries_[i].stored = false;
            entries_[i].batchNo = batchNo_;
            moved.push_back(i);
        }
    }
    return moved;
}

void SimJournal::Restore(int batchNo, int tranNo) {
    batchNo_ = batchNo;
    tranNo_ = tranNo;
}

bool SimJournal::RestoreEntry(size_t position, const JournalEntry& entry) {
    if (position == entries_.size()) {
        Add(entry);
        return true;
    }
    if (position > entries_.size() || entries_[position].refNo != entry.refNo) {
        return false;
    }
    entries_[position] = entry;
    return true;
}

}  // namespace nt::sim
