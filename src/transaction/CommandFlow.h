#pragma once

#include <cstdint>

namespace nt {

// Numbers the requests in the daily log ("TRACE DATA:" and eight digits); never reset.
extern int32_t TraceCounter;

}  // namespace nt
