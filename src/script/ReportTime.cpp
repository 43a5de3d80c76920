#include "script/ReportTime.h"

#include <cstdio>

namespace nt {

std::string ReportSeconds(uint64_t ms) {
    char text[32];
    std::snprintf(text, sizeof text, "%llu.%03llu", static_cast<unsigned long long>(ms / 1000),
                  static_cast<unsigned long long>(ms % 1000));
    return text;
}

std::string ReportStamp(const LocalTime& t, char separator) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d%c%02d:%02d:%02d", t.year % 10000,
                  t.month % 100, t.day % 100, separator, t.hour % 100, t.minute % 100,
                  t.second % 100);
    return text;
}

}  // namespace nt
