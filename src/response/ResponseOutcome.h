#pragma once

#include <optional>
#include <string>

namespace nt {

// How a response ended, as far as a tester reads it at a glance.
enum class Verdict { kApproved, kDeclined, kError, kOther };

// The outcome a response names: its CmdStatus and TextResponse (Windows-1252), and the verdict
// CmdStatus gives.
struct ResponseOutcome {
    Verdict verdict = Verdict::kOther;
    std::string cmdStatus;
    std::string textResponse;  // empty when the response has none
};

// The outcome of a response text; none when it is not XML or has no CmdStatus.
std::optional<ResponseOutcome> ReadResponseOutcome(const std::string& response);

}  // namespace nt
