#include "log/LogWriter.h"

#include <cstdarg>
#include <cstdio>
#include <new>
#include <system_error>

#include "log/LogFormat.h"
#include "log/LogPass.h"

namespace nt {

namespace {

// Holds the queue state, not the writer, so it never touches a destroyed writer.
void LogWriterThread(std::shared_ptr<LogQueueState> queue, std::string directory, Clock* clock) {
    std::string failure;
    try {
        LogBatch batch;
        std::string buffer;
        for (;;) {
            queue->Take(batch);
            if (!WriteLogBatch(batch, directory, *clock, buffer, failure)) {
                break;  // the daily log cannot be opened: logging is off for the rest of the run
            }
            queue->PassDone(batch.flushTicket);
            if (batch.stopping) {
                break;
            }
            batch.Clear();
        }
    } catch (...) {
        // Out of memory: stop logging rather than end the process.
        failure = "out of memory";
    }
    queue->WriterEnded(std::move(failure));
}

// Appends the printf-style message; false when it cannot be formatted or stored.
bool AppendFormatted(std::string& out, const char* format, va_list args) noexcept {
    va_list again;
    va_copy(again, args);
    bool ok = false;
    try {
        // Most messages fit here, so the line is allocated once at its final size.
        char local[512];
        int n = std::vsnprintf(local, sizeof local, format, args);
        if (n >= 0 && static_cast<size_t>(n) < sizeof local) {
            out.append(local, static_cast<size_t>(n));
            ok = true;
        } else if (n >= 0) {
            const size_t base = out.size();
            out.resize(base + static_cast<size_t>(n));
            ok = std::vsnprintf(&out[base], static_cast<size_t>(n) + 1, format, again) == n;
        }
    } catch (const std::bad_alloc&) {
        ok = false;
    }
    va_end(again);
    return ok;
}

}  // namespace

CLogWriter::CLogWriter(std::string directory, Clock& clock, std::chrono::milliseconds stopWait)
    : clock_(clock), stopWait_(stopWait) {
    try {
        thread_ = std::thread(LogWriterThread, queue_, std::move(directory), &clock_);
    } catch (const std::system_error& e) {
        queue_->WriterEnded(std::string("the log writer thread could not start: ") + e.what());
    }
}

CLogWriter::~CLogWriter() {
    queue_->Stop();
    if (!thread_.joinable()) {
        return;
    }
    if (queue_->WaitWriterEnded(stopWait_)) {
        thread_.join();
    } else {
        thread_.detach();
    }
}

CLogWriter& GetLogWriter() {
    static CLogWriter writer;
    return writer;
}

bool LogLine(CLogWriter& writer, const char* format, ...) {
    if (format == nullptr || writer.Stopped()) {
        return false;
    }
    std::string line = TimeStamp(writer.clock_.Now());
    va_list args;
    va_start(args, format);
    bool formatted = AppendFormatted(line, format, args);
    va_end(args);
    if (!formatted) {
        return false;
    }
    try {
        writer.AddLine(std::move(line));
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

bool LogTrace(CLogWriter& writer, std::string_view file, std::string_view line) {
    if (writer.Stopped()) {
        return false;
    }
    try {
        writer.AddTraceLine(std::string(file), std::string(line));
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

}  // namespace nt
