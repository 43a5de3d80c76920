#include "sim/SimFollowOn.h"

namespace nt::sim {

namespace {

constexpr const char* kNoMatch = "NO MATCHING TRANSACTION";

bool Captured(const JournalEntry& e) {
    return e.state == EntryState::Captured || e.state == EntryState::Adjusted;
}

// Why the original cannot take this follow-on; empty when it can.
std::string StateReason(const JournalEntry& e, FollowOn kind, int64_t capturePurchase,
                        int64_t lastAuthorized) {
    if (e.state == EntryState::Voided) {
        return "ALREADY VOIDED";
    }
    const bool preAuthKind = kind == FollowOn::Capture || kind == FollowOn::Incremental ||
                             kind == FollowOn::PartialReversal;
    if ((kind == FollowOn::VoidReturn) != (e.kind == EntryKind::Return)) {
        return "WRONG TRANSACTION TYPE";
    }
    if (preAuthKind) {
        if (e.state != EntryState::OpenAuth) {
            return "ALREADY CAPTURED";
        }
        if (kind == FollowOn::Capture && capturePurchase > e.authorized) {
            return "AMOUNT EXCEEDS AUTHORIZATION";
        }
        if (kind != FollowOn::Capture && lastAuthorized != e.authorized) {
            return "LAST AUTHORIZED MISMATCH";
        }
        return "";
    }
    if (kind != FollowOn::VoidReturn && !Captured(e)) {
        return "NOT CAPTURED";
    }
    return "";
}

bool Disagrees(const std::string& asked, const std::string& held) {
    return !asked.empty() && asked != held;
}

}  // namespace

FollowOnMatch MatchFollowOn(const SimRequest& r, FollowOn kind, const SimJournal& journal,
                            int64_t capturePurchase, int64_t lastAuthorized) {
    const bool token = !r.recordNo.empty() && r.recordNo != "RecordNumberRequested";
    const JournalEntry* e = nullptr;
    if (!r.refNo.empty()) {
        e = journal.Find(r.refNo);
        if (e == nullptr) {
            return {nullptr, journal.ClosedBatchOf(r.refNo) != 0 ? "BATCH CLOSED" : kNoMatch};
        }
    } else if (token && ReadTranCode(r.tranCode).byRecordNo) {
        e = journal.FindByToken(r.recordNo, [&](const JournalEntry& c) {
            return !c.stored && StateReason(c, kind, capturePurchase, lastAuthorized).empty();
        });
    }
    // One stored offline has not reached the host yet.
    if (e == nullptr || e->stored) {
        return {nullptr, kNoMatch};
    }
    if (Disagrees(r.authCode, e->authCode) || Disagrees(r.acqRefData, e->acqRefData) ||
        (token && r.recordNo != e->recordNo)) {
        return {nullptr, "REFERENCE MISMATCH"};
    }
    return {e, StateReason(*e, kind, capturePurchase, lastAuthorized)};
}

}  // namespace nt::sim
