#pragma once

#include <cstdint>
#include <string>

namespace nt::sim {

enum class Outcome { Approved, PartiallyApproved, Declined, CallForAuth, Duplicate, HostDown };

// The host's answer to one financial request.
struct Decision {
    Outcome outcome = Outcome::Approved;
    int64_t authorized = 0;  // cents approved; 0 unless approved
};

// What a request brings to the decision.
struct DecisionInput {
    int64_t trigger = 0;               // the amount whose cents pick the trigger
    int64_t amount = 0;                // the amount asked to be authorized
    bool canPartiallyApprove = false;  // sales and pre-authorizations
    bool partialAuthAllowed = false;   // the request says PartialAuth Allow
    bool duplicateOverride = false;    // the request says Duplicate Override
};

// The amount triggers, by the cents of the trigger amount:
//   .51 declined; .52 half the amount approved (rounded down) where partial approval is
//   possible and allowed, declined where possible but not allowed, fully approved elsewhere;
//   .53 call for authorization; .54 host unavailable (an error, not a decision);
//   .55 duplicate transaction, unless overridden. Any other amount is approved in full.
Decision Decide(const DecisionInput& input);

// "APPROVED", "PARTIAL AP", "DECLINED", ... as TextResponse shows them.
std::string OutcomeText(Outcome outcome);

}  // namespace nt::sim
