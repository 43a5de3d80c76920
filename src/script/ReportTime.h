#pragma once

#include <cstdint>
#include <string>

#include "platform/Clock.h"

namespace nt {

// Milliseconds as seconds with three decimals, exactly ("12.045").
std::string ReportSeconds(uint64_t ms);

// "2026-12-08 09:05:00", the date and the time joined by `separator` (' ', or 'T' for ISO 8601).
std::string ReportStamp(const LocalTime& t, char separator);

}  // namespace nt
