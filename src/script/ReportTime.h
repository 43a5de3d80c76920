#pragma once

#include <cstdint>
#include <string>

namespace nt {

// Milliseconds as seconds with three decimals, exactly ("12.045").
std::string ReportSeconds(uint64_t ms);

}  // namespace nt
