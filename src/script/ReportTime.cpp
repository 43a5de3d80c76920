#include "script/ReportTime.h"

#include <cstdio>

namespace nt {

std::string ReportSeconds(uint64_t ms) {
    char text[32];
    std::snprintf(text, sizeof text, "%llu.%03llu", static_cast<unsigned long long>(ms / 1000),
                  static_cast<unsigned long long>(ms % 1000));
    return text;
}

}  // namespace nt
