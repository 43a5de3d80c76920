#pragma once

#include <string>
#include <vector>

namespace nt::test {

// Everything the process-wide log writer has logged so far into the current folder's log
// directory, as the daily log file holds it.
std::string DailyLog();
// The daily log's entries (time stamps and separators removed), CR LF turned back to LF.
std::vector<std::string> LogEntries();

}  // namespace nt::test
