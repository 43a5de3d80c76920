#include "log/LogQueue.h"

namespace nt {

void LogBatch::Clear() {
    main.clear();
    receipt.clear();
    flushTicket = 0;
    stopping = false;
}

// A writer slower than the commands (a receipt file per test case) must not let the backlog,
// and with it memory, grow with the run: past the bound the caller waits for the next take.
void LogQueueState::WaitForRoom(std::unique_lock<std::mutex>& lock, size_t bytes) {
    room_.wait(lock, [this] {
        return pendingBytes_ < kMaxPendingBytes || paused_ || writerEnded_ || Stopped();
    });
    pendingBytes_ += bytes;
}

void LogQueueState::PushMain(std::string line) {
    bool wake = false;
    {
        std::unique_lock lock(mutex_);
        WaitForRoom(lock, line.size());
        main_.push_back(std::move(line));
        wake = !dataSignalled_;
        dataSignalled_ = true;
    }
    // Only the first line after a take needs to wake the writer; it takes all later ones too.
    if (wake) {
        wake_.notify_one();
    }
}

void LogQueueState::PushReceipt(ReceiptEntry entry) {
    bool wake = false;
    {
        std::unique_lock lock(mutex_);
        WaitForRoom(lock, entry.file.size() + entry.line.size());
        receipt_.push_back(std::move(entry));
        wake = !dataSignalled_;
        dataSignalled_ = true;
    }
    if (wake) {
        wake_.notify_one();
    }
}

bool LogQueueState::HasWork() const {
    return Stopped() || (!paused_ && (dataSignalled_ || flushRequested_ > flushTaken_));
}

void LogQueueState::Take(LogBatch& batch) {
    std::unique_lock lock(mutex_);
    wake_.wait(lock, [this] { return HasWork(); });
    batch.main.swap(main_);
    batch.receipt.swap(receipt_);
    batch.flushTicket = flushTaken_ = flushRequested_;
    batch.stopping = Stopped();
    dataSignalled_ = false;
    pendingBytes_ = 0;
    room_.notify_all();
}

void LogQueueState::PassDone(uint64_t flushTicket) {
    {
        std::lock_guard lock(mutex_);
        if (flushTicket > flushDone_) {
            flushDone_ = flushTicket;
        }
    }
    passDone_.notify_all();
}

void LogQueueState::WriterEnded(std::string failure) {
    {
        std::lock_guard lock(mutex_);
        stopReason_ = std::move(failure);
        stop_.store(true, std::memory_order_release);
        writerEnded_ = true;
    }
    passDone_.notify_all();
    room_.notify_all();
}

std::string LogQueueState::StopReason() const {
    std::lock_guard lock(mutex_);
    return stopReason_;
}

bool LogQueueState::Flush() {
    std::unique_lock lock(mutex_);
    if (writerEnded_) {
        return false;
    }
    uint64_t ticket = ++flushRequested_;
    wake_.notify_one();
    passDone_.wait(lock, [&] { return flushDone_ >= ticket || writerEnded_; });
    return flushDone_ >= ticket;
}

void LogQueueState::Stop() {
    {
        // Under the lock, so a writer between its check and its wait cannot miss it.
        std::lock_guard lock(mutex_);
        stop_.store(true, std::memory_order_release);
    }
    wake_.notify_one();
    room_.notify_all();
}

bool LogQueueState::WaitWriterEnded(std::chrono::milliseconds limit) {
    std::unique_lock lock(mutex_);
    return passDone_.wait_for(lock, limit, [this] { return writerEnded_; });
}

void LogQueueState::SetPaused(bool paused) {
    {
        std::lock_guard lock(mutex_);
        paused_ = paused;
    }
    wake_.notify_one();
    room_.notify_all();
}

CLogQueue::CLogQueue() : queue_(std::make_shared<LogQueueState>()) {}

CLogQueue::~CLogQueue() = default;

void CLogQueue::AddLine(std::string line) {
    queue_->PushMain(std::move(line));
}

void CLogQueue::AddTraceLine(std::string file, std::string line) {
    queue_->PushReceipt(ReceiptEntry{std::move(file), std::move(line)});
}

}  // namespace nt
