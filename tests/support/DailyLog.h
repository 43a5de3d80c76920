#pragma once

#include <string>
#include <vector>

#include "log/LogWriter.h"

namespace nt::test {

// Everything a log writer (by default the process-wide one) has logged so far into the current
// folder's log directory, as the daily log file holds it.
std::string DailyLog(CLogWriter& writer = GetLogWriter());
// The daily log's entries (time stamps and separators removed), CR LF turned back to LF.
std::vector<std::string> LogEntries(CLogWriter& writer = GetLogWriter());

}  // namespace nt::test
