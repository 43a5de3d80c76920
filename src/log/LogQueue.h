#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace nt {

// A receipt line and the receipt file name that was current when it was queued.
struct ReceiptEntry {
    std::string file;
    std::string line;
};

// What the writer takes from the queue in one step.
struct LogBatch {
    std::vector<std::string> main;
    std::vector<ReceiptEntry> receipt;
    uint64_t flushTicket = 0;  // every Flush up to this ticket is answered by this batch
    bool stopping = false;     // the last batch: the writer ends after it

    void Clear();
};

// The pending lists under one lock plus the signals between callers and the writer thread. The
// writer thread shares it through a shared_ptr, so it stays valid even if the thread outlives
// the writer object.
class LogQueueState {
  public:
    // Both wait while the lines not yet taken hold kMaxPendingBytes and the writer is running.
    void PushMain(std::string line);
    void PushReceipt(ReceiptEntry entry);

    // Writer side: waits until something is pending (or a flush or the stop is asked for), then
    // swaps all pending lines into batch, which must be empty.
    void Take(LogBatch& batch);
    void PassDone(uint64_t flushTicket);
    // failure: why the writer ended before it was asked to stop; empty when it was asked.
    void WriterEnded(std::string failure = {});
    std::string StopReason() const;

    // Blocks until everything queued before the call has been handled by the writer; false when
    // the writer has ended first. While paused it waits for Resume.
    bool Flush();
    // The stop flag: once set it stays set.
    void Stop();
    bool Stopped() const { return stop_.load(std::memory_order_acquire); }
    bool WaitWriterEnded(std::chrono::milliseconds limit);
    // While paused the writer takes no batch; the stop still gets its last pass.
    void SetPaused(bool paused);

    // Bytes the lines not yet taken may hold before a push waits for the writer's next take.
    static constexpr size_t kMaxPendingBytes = 4u << 20;

  private:
    void Wake();
    bool HasWork() const;
    void WaitForRoom(std::unique_lock<std::mutex>& lock, size_t bytes);

    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable passDone_;
    std::condition_variable room_;  // the backlog was taken
    std::vector<std::string> main_;
    std::vector<ReceiptEntry> receipt_;
    bool dataSignalled_ = false;  // an auto-reset event: set by a push, cleared by Take
    size_t pendingBytes_ = 0;     // of the lines not yet taken
    bool paused_ = false;
    bool writerEnded_ = false;
    uint64_t flushRequested_ = 0;
    uint64_t flushTaken_ = 0;
    uint64_t flushDone_ = 0;
    std::string stopReason_;
    std::atomic<bool> stop_{false};
};

// The two-channel queue: daily log lines and receipt lines.
class CLogQueue {
  public:
    CLogQueue();
    ~CLogQueue();
    CLogQueue(const CLogQueue&) = delete;
    CLogQueue& operator=(const CLogQueue&) = delete;

    void AddLine(std::string line);
    // A line for the receipt file of the given base name.
    void AddTraceLine(std::string file, std::string line);

  protected:
    std::shared_ptr<LogQueueState> queue_;
};

}  // namespace nt
