#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Clock.h"
#include "sim/SimCard.h"
#include "sim/SimOutcome.h"
#include "sim/SimXml.h"

namespace nt::sim {

inline constexpr size_t kReceiptWidth = 40;

// Everything a transaction receipt shows.
struct ReceiptFacts {
    std::string titleEn;
    std::string titleFr;
    LocalTime when;
    std::string merchantId;
    std::string terminalId;
    std::string sequenceNo;
    SimCard card;
    std::string refNo;
    std::string authCode;
    std::string invoiceNo;
    std::string tvr;
    std::string tsi;
    int64_t purchase = 0;
    int64_t gratuity = 0;
    int64_t cashBack = 0;
    int64_t authorized = 0;
    int64_t balance = -1;  // shown for balance inquiries only
    Outcome outcome = Outcome::Approved;
    bool offline = false;
    std::string reason;  // why the host declined a follow-on, shown below the verdict
};

// A 40-column receipt in one language. The merchant copy of a signed transaction ends with
// the signature area; the cardholder's copy never does.
std::vector<std::string> ReceiptLines(const ReceiptFacts& facts, bool french, bool merchantCopy);

// The left text at the left margin, the right one at the right margin, cut to fit 40 columns.
std::string PairLine(const std::string& left, const std::string& right);
// Centred in 40 columns, without trailing blanks.
std::string CentreLine(const std::string& text);

// Writes <parent><prefix1>..</prefix1>...</parent>. A line that begins with a blank gets a
// leading full stop, which the client strips, so that its indentation survives XML readers that
// trim text.
void WritePrintLines(SimXml& xml, const std::string& parent, const std::string& prefix,
                     const std::vector<std::string>& lines);

// "French" selects French; anything else, an empty text included, English.
inline bool IsFrench(const std::string& language) {
    return language == "French";
}

}  // namespace nt::sim
