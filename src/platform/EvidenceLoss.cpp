#include "platform/EvidenceLoss.h"

#include <cstring>
#include <mutex>
#include <set>
#include <utility>

namespace nt {

namespace {

struct Registry {
    std::mutex mutex;
    bool lost = false;
    std::vector<LostEvidence> recent;
    size_t dropped = 0;
    std::vector<LostEvidence> untold;
    std::set<std::pair<EvidenceKind, std::string>> known;  // told or to be told
};

// Receipt files and daily logs are many files of one kind: the first loss stands for them all.
std::pair<EvidenceKind, std::string> TellingKey(EvidenceKind kind, std::string_view file) {
    const bool perFile = kind == EvidenceKind::kReport || kind == EvidenceKind::kJournal;
    return {kind, perFile ? std::string(file) : std::string()};
}

Registry& Losses() {
    static Registry registry;
    return registry;
}

const char* KindText(EvidenceKind kind) {
    switch (kind) {
        case EvidenceKind::kDailyLog:
            return "the daily log";
        case EvidenceKind::kReceipt:
            return "the receipt file";
        case EvidenceKind::kReport:
            return "the report";
        case EvidenceKind::kJournal:
            return "the journal";
    }
    return "a file";
}

}  // namespace

std::string DescribeLoss(const LostEvidence& loss) {
    return std::string(KindText(loss.kind)) + " " + loss.file + " was not written whole (" +
           loss.why + ")";
}

void NoteLostEvidence(EvidenceKind kind, std::string_view file, int error, bool told) noexcept {
    Registry& r = Losses();
    std::lock_guard lock(r.mutex);
    r.lost = true;
    try {
        LostEvidence loss{kind, std::string(file), std::strerror(error), told};
        if (r.known.insert(TellingKey(kind, file)).second) {
            r.untold.push_back(loss);
        }
        if (r.recent.size() < kKeptLosses) {
            r.recent.push_back(std::move(loss));
            return;
        }
    } catch (...) {
        // Out of memory: the loss still counts.
    }
    ++r.dropped;
}

bool EvidenceWasLost() {
    Registry& r = Losses();
    std::lock_guard lock(r.mutex);
    return r.lost;
}

std::vector<LostEvidence> TakeLostEvidence(size_t* more) {
    Registry& r = Losses();
    std::lock_guard lock(r.mutex);
    std::vector<LostEvidence> taken;
    taken.swap(r.recent);
    if (more != nullptr) {
        *more = r.dropped;
    }
    r.dropped = 0;
    return taken;
}

std::optional<LostEvidence> TakeUntoldLoss() {
    Registry& r = Losses();
    std::lock_guard lock(r.mutex);
    if (r.untold.empty()) {
        return std::nullopt;
    }
    std::optional<LostEvidence> taken = std::move(r.untold.front());
    r.untold.erase(r.untold.begin());
    return taken;
}

void ForgetLostEvidence() {
    Registry& r = Losses();
    std::lock_guard lock(r.mutex);
    r.lost = false;
    r.recent.clear();
    r.dropped = 0;
    r.untold.clear();
    r.known.clear();
}

}  // namespace nt
