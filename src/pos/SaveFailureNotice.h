#pragma once

#include <mutex>
#include <string>

#include "log/LogWriter.h"

namespace nt {

// Says when saves of one file start failing and when they work again, once each, on stderr
// and in the daily log (when it can be written): a save that fails silently every time would
// let every later run send the same numbers again. The window itself stays silent.
// Thread-safe: saves run on the window's thread and on the save-behind thread.
class SaveFailureNotice {
  public:
    // what: "POS sequence number"; file: its file's name.
    SaveFailureNotice(std::string what, std::string file, CLogWriter& log)
        : what_(std::move(what)), file_(std::move(file)), log_(log) {}

    // The outcome of one save of the file: 0 when it worked, otherwise the errno of the failure.
    void Saved(int error) noexcept;

  private:
    std::mutex mutex_;
    const std::string what_;
    const std::string file_;
    CLogWriter& log_;
    bool failing_ = false;
};

}  // namespace nt
