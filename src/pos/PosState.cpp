#include "pos/PosState.h"

#include <cstdio>

namespace nt {

std::string PosState::NextTraceNumber() {
    ++TraceCounter;
    char counter[16];
    std::snprintf(counter, sizeof counter, "%08d", TraceCounter);
    return counter;
}

}  // namespace nt
