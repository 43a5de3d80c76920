#pragma once

#include <string>

namespace nt {

// `text` centred in exactly `width` bytes (empty for a width of 0 or less). An odd blank goes to
// the left; a longer text is cut, and one just a byte too long still gets one leading blank.
std::string CenterText(std::string text, int width);

}  // namespace nt
