#include "sim/SimOutcome.h"

namespace nt::sim {

Decision Decide(const DecisionInput& input) {
    switch (input.trigger % 100) {
        case 51:
            return {Outcome::Declined, 0};
        case 52:
            if (!input.canPartiallyApprove) {
                break;
            }
            if (!input.partialAuthAllowed) {
                return {Outcome::Declined, 0};
            }
            return {Outcome::PartiallyApproved, input.amount / 2};
        case 53:
            return {Outcome::CallForAuth, 0};
        case 54:
            return {Outcome::HostDown, 0};
        case 55:
            if (!input.duplicateOverride) {
                return {Outcome::Duplicate, 0};
            }
            break;
        default:
            break;
    }
    return {Outcome::Approved, input.amount};
}

std::string OutcomeText(Outcome outcome) {
    switch (outcome) {
        case Outcome::Approved:
            return "APPROVED";
        case Outcome::PartiallyApproved:
            return "PARTIAL AP";
        case Outcome::Declined:
            return "DECLINED";
        case Outcome::CallForAuth:
            return "CALL FOR AUTHORIZATION";
        case Outcome::Duplicate:
            return "DUPLICATE TRANSACTION";
        case Outcome::HostDown:
            return "HOST UNAVAILABLE";
    }
    return "DECLINED";
}

}  // namespace nt::sim
