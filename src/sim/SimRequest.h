#pragma once

#include <string>

namespace nt::sim {

// What the simulator reads from a TStream request. Texts are Windows-1252, empty when the
// element is missing.
struct SimRequest {
    std::string wrapper;  // "Transaction" or "Admin"
    std::string tranCode;
    std::string merchantId;
    std::string terminalId;
    std::string userTrace;
    std::string merchantLanguage;
    std::string fallbackLanguage;
    std::string recordNo;
    std::string cardType;
    std::string padType;
    std::string invoiceNo;
    std::string refNo;
    std::string authCode;
    std::string acqRefData;
    std::string sequenceNo;
    std::string offlineLimit;
    // Amount members as sent.
    std::string purchase;
    std::string gratuity;
    std::string cashBack;
    std::string originalAuthorized;
    std::string lastAuthorized;
    std::string decrement;
    std::string increment;
    bool keyed = false;  // Account/AcctNo "Prompt": the card number is typed on the pad
    bool duplicateOverride = false;
    bool partialAuthAllowed = false;
    bool forceOffline = false;
    bool signatureSuppressed = false;
};

struct RequestRead {
    bool ok = false;
    bool wellFormed = false;  // it is XML, whatever else is wrong with it
    SimRequest request;
    std::string error;  // why the request cannot be served, when not ok
    // The SequenceNo text, found by a plain text search so that a request that is not XML
    // still yields it.
    std::string sequenceNo;
};

// Reads a Windows-1252 request. Not ok when it is not XML, has no TStream with a wrapper
// element, or has no TranCode; an unknown TranCode is left to the caller.
RequestRead ReadRequest(const std::string& text);

}  // namespace nt::sim
