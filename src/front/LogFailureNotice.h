#pragma once

#include <functional>
#include <ostream>
#include <string>

#include "log/LogFailureWatch.h"
#include "log/LogWriter.h"

namespace nt {

// Logging that stops, and evidence lost to failed writes (the daily log, the receipt files, each
// report and journal), are told once per run, the same way by both front ends: a line
// "nordteller: REASON" on `err` (unless the writer told it there), and the reason to `also`
// (the window's title bar).
class LogFailureNotice {
  public:
    using Also = std::function<void(const std::string& reason)>;

    explicit LogFailureNotice(std::ostream& err, Also also = {},
                              CLogWriter& writer = GetLogWriter())
        : err_(err), also_(std::move(also)), writer_(writer), watch_(writer) {}

    // Once start-up has logged its line: the line is flushed first, so that a log folder that
    // cannot be written shows before the first command rather than after it.
    void AfterStartUp();
    // Tells each failure found since that was not told yet.
    void Poll();

  private:
    void Tell(const std::string& reason, bool onErr);

    std::ostream& err_;
    Also also_;
    CLogWriter& writer_;
    LogFailureWatch watch_;
};

}  // namespace nt
