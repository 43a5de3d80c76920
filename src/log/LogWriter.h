#pragma once

#include <chrono>
#include <string>
#include <string_view>
#include <thread>

#include "log/LogQueue.h"
#include "platform/Clock.h"

namespace nt {

inline constexpr const char* kLogDirectory = "QUORLIN_LOGS";
inline constexpr std::chrono::milliseconds kLogStopWait{10000};

// The log writer: callers queue lines, one thread appends them to the daily log and the receipt
// files. Once stopped (the daily log could not be opened, the thread could not start, or
// destruction) nothing is queued or written any more.
class CLogWriter : public CLogQueue {
  public:
    // The directory must exist; the writer never creates it. The clock gives the callers' time
    // stamps and the writer's date and must outlive the writer thread.
    explicit CLogWriter(std::string directory = kLogDirectory, Clock& clock = SystemClock(),
                        std::chrono::milliseconds stopWait = kLogStopWait);
    // Stops after a last pass that writes everything queued so far, waiting at most stopWait;
    // a thread still busy then is left to finish on its own.
    ~CLogWriter();

    bool Stopped() const { return queue_->Stopped(); }
    // Why logging stopped before its time; empty while it runs and after an orderly stop.
    std::string StopReason() const { return queue_->StopReason(); }
    // Blocks until everything queued before the call is written; false when the writer stopped.
    bool Flush() { return queue_->Flush(); }
    // For tests: the writer takes nothing while paused, except for its last pass.
    void Pause() { queue_->SetPaused(true); }
    void Resume() { queue_->SetPaused(false); }

  private:
    friend bool LogLine(CLogWriter& writer, const char* format, ...);

    Clock& clock_;
    std::chrono::milliseconds stopWait_;
    std::thread thread_;
};

// The process-wide writer, created on the first call and destroyed at process exit.
CLogWriter& GetLogWriter();

// Queues "[HH:MM:SS]" + the formatted message for the daily log. False when the writer is
// stopped or the message cannot be formatted.
bool LogLine(CLogWriter& writer, const char* format, ...) __attribute__((format(printf, 2, 3)));

// Queues one receipt line, verbatim, for the receipt file of the given base name.
bool LogTrace(CLogWriter& writer, std::string_view file, std::string_view line);

}  // namespace nt
