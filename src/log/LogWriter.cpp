#include "log/LogWriter.h"

#include <cstdarg>
#include <cstdio>

namespace nt {

CLogWriter& GetLogWriter() {
    static CLogWriter writer;
    return writer;
}

bool LogLine(CLogWriter&, const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::vfprintf(stderr, format, args);
    va_end(args);
    return true;
}

bool LogTrace(CLogWriter&, std::string_view) {
    return true;
}

}  // namespace nt
