#pragma once

#include <cstdint>
#include <string>

#include "codes/TranCodes.h"
#include "sim/SimJournal.h"
#include "sim/SimRequest.h"

namespace nt::sim {

// The original a follow-on refers to, or why there is none it may change.
struct FollowOnMatch {
    const JournalEntry* original = nullptr;
    std::string reason;  // the decline's TextResponse; empty when the original fits
};

// Finds the original by RefNo (by RecordNo for a ByRecordNo form without one); AuthCode,
// AcqRefData and RecordNo, when the request carries them, must agree. Then checks its state:
// a void needs an approved sale (return) not yet voided, a capture an open pre-authorisation
// whose amount covers `capturePurchase`, an incremental auth or partial reversal an open
// pre-authorisation whose authorised amount is `lastAuthorized`, an adjustment a captured sale.
FollowOnMatch MatchFollowOn(const SimRequest& request, FollowOn kind, const SimJournal& journal,
                            int64_t capturePurchase, int64_t lastAuthorized);

}  // namespace nt::sim
