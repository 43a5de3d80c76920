#pragma once

#include <string_view>

namespace nt {

// The standard text-to-integer reading: leading white space skipped, an optional sign, then the
// digits up to the first other character; 0 when there are none. Saturates instead of
// overflowing.
int LeadingNumber(std::string_view text);

}  // namespace nt
