#pragma once

#include <string>

#include "codes/TranCodes.h"
#include "sim/SimRequest.h"
#include "sim/SimState.h"

namespace nt::sim {

// The response to a card transaction: the host's decision by the amount triggers, the
// TranResponse with the reference fields and the receipt lines, and the batch entry of an
// approval. `sequenceNo` is the number this response carries.
std::string FinancialResponse(const SimRequest& request, const TranCodeSpec& info, SimState& state,
                              const std::string& sequenceNo);

}  // namespace nt::sim
