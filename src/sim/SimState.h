#pragma once

#include <vector>

#include "platform/Clock.h"
#include "sim/SimBatch.h"
#include "sim/SimSequence.h"

namespace nt::sim {

// What the simulated payment client remembers between requests.
struct SimState {
    explicit SimState(Clock& c) : clock(c) {}

    Clock& clock;  // receipt and report time stamps
    SimSequence sequence;
    SimBatch batch;
    std::vector<BatchEntry> stored;  // approved offline, waiting for SAF_ForwardAll
    int tranNo = 0;                  // financial requests decided; numbers RefNo and AuthCode
};

}  // namespace nt::sim
