#pragma once

#include <string>

#include "codes/TranCodes.h"
#include "sim/SimRequest.h"
#include "sim/SimState.h"

namespace nt::sim {

// The response to a PIN pad operation, a report, or a host administration request
// (ServerVersion, BatchSummary, BatchClose, SAF_ForwardAll, SAF_Statistics).
std::string AdminResponse(const SimRequest& request, const TranCodeSpec& info, SimState& state,
                          const std::string& sequenceNo);

}  // namespace nt::sim
