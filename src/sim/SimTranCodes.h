#pragma once

#include <optional>
#include <string>

#include "sim/SimBatch.h"

namespace nt::sim {

enum class Family {
    Financial,  // a card transaction decided by the host
    Device,     // a PIN pad operation
    Report,     // a report the pad prints
    Host,       // server version, batch and store-and-forward administration
};

// One TranCode the simulator serves.
struct TranCodeInfo {
    const char* code;
    Family family;
    std::optional<BatchKind> batch;  // how an approval counts in the batch, if at all
    bool partial;                    // may be partially approved
    bool followOn;                   // refers to an earlier transaction by its RefNo
    const char* titleEn;             // receipt title
    const char* titleFr;             // the same in French, Windows-1252
};

// The entry of a TranCode (exact, case-sensitive), or null for one the simulator does not know.
const TranCodeInfo* FindTranCode(const std::string& code);

}  // namespace nt::sim
