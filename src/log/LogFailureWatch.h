#pragma once

#include <optional>
#include <string>

#include "log/LogWriter.h"

namespace nt {

// Logging that stops (the log folder a file, read-only or a dangling link, today's log name
// taken by a folder) would otherwise go unnoticed: commands complete and nothing is logged.
// The front end polls this on its own thread and tells the operator once per run.
class LogFailureWatch {
  public:
    explicit LogFailureWatch(CLogWriter& writer) : writer_(writer) {}

    // "logging stopped: REASON" the first time the writer is found stopped before its time;
    // nullopt before that and ever after.
    std::optional<std::string> Poll();

  private:
    CLogWriter& writer_;
    bool told_ = false;
};

}  // namespace nt
