#include "pos/SequenceSaveBehind.h"

#include <system_error>

#include "pos/SequenceStore.h"

namespace nt {

// The store's pointer is touched by the window's thread only.
SequenceSaveBehind::SequenceSaveBehind(SequenceStore& store) : store_(store) {
    if (store_.behind_ != nullptr) {
        return;  // the outer one already saves behind
    }
    try {
        thread_ = std::thread(&SequenceSaveBehind::Run, this);
    } catch (const std::system_error&) {
        return;  // no thread: saves stay immediate
    }
    store_.behind_ = this;
}

SequenceSaveBehind::~SequenceSaveBehind() {
    if (store_.behind_ != this) {
        return;  // it never started a thread
    }
    store_.behind_ = nullptr;
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

void SequenceSaveBehind::Queue(const std::string& number) {
    {
        std::lock_guard lock(mutex_);
        queued_ = number;
    }
    changed_.notify_all();
}

std::optional<std::string> SequenceSaveBehind::Pending() {
    std::lock_guard lock(mutex_);
    return queued_ ? queued_ : writing_;
}

void SequenceSaveBehind::Drain() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return !queued_ && !writing_; });
}

int SequenceSaveBehind::Failures() {
    std::lock_guard lock(mutex_);
    return failures_;
}

void SequenceSaveBehind::Run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return queued_ || stopping_; });
        if (!queued_) {
            return;  // stopping, and everything queued is written
        }
        writing_ = std::move(queued_);
        queued_.reset();
        lock.unlock();
        bool saved = false;
        try {
            saved = store_.WriteSequenceFile(*writing_);
        } catch (...) {
            // Out of memory: this save fails like any other, the file stays as it was.
        }
        lock.lock();
        failures_ += saved ? 0 : 1;
        writing_.reset();
        changed_.notify_all();
    }
}

}  // namespace nt
