#pragma once

#include <string>
#include <string_view>

namespace nt {

// Interim synchronous writer; the threaded writer replaces it.
class CLogWriter {};
CLogWriter& GetLogWriter();
bool LogLine(CLogWriter& writer, const char* format, ...) __attribute__((format(printf, 2, 3)));
bool LogTrace(CLogWriter& writer, std::string_view line);

}  // namespace nt
