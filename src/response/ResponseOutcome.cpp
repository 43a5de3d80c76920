#include "response/ResponseOutcome.h"

#include "response/XmlDocument.h"

namespace nt {

namespace {

// Payment clients answer administrative commands with "Success"; it reads as an approval.
Verdict VerdictOf(const std::string& cmdStatus) {
    if (cmdStatus == "Approved" || cmdStatus == "Success") {
        return Verdict::kApproved;
    }
    if (cmdStatus == "Declined") {
        return Verdict::kDeclined;
    }
    if (cmdStatus == "Error") {
        return Verdict::kError;
    }
    return Verdict::kOther;
}

}  // namespace

std::optional<ResponseOutcome> ReadResponseOutcome(const std::string& response) {
    CXmlDocument doc;
    ResponseOutcome outcome;
    if (!doc.Load(response) || !doc.GetField("CmdStatus", outcome.cmdStatus) ||
        outcome.cmdStatus.empty()) {
        return std::nullopt;
    }
    doc.GetField("TextResponse", outcome.textResponse);
    outcome.verdict = VerdictOf(outcome.cmdStatus);
    return outcome;
}

}  // namespace nt
