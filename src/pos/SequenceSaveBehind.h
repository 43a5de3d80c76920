#pragma once

#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

namespace nt {

class SequenceStore;

// While one of these exists for a store (a script run), the save at the end of each command runs on
// a thread of its own, so the flush to disk overlaps the next test case instead of setting the
// pace. Only the latest number matters: one queued while another is being written replaces any
// still waiting. Nothing changes for readers: a command that loads the number while a save is
// pending takes the pending one (it is what the file is about to hold), a direct save waits for the
// pending one first, and destruction waits until the last number is in the file.
class SequenceSaveBehind {
  public:
    explicit SequenceSaveBehind(SequenceStore& store);
    ~SequenceSaveBehind();
    SequenceSaveBehind(const SequenceSaveBehind&) = delete;
    SequenceSaveBehind& operator=(const SequenceSaveBehind&) = delete;

    void Queue(const std::string& number);
    // The number a pending save will write, or nullopt when none is queued or being written.
    std::optional<std::string> Pending();
    // Blocks until no save is queued or being written.
    void Drain();
    // Saves that failed so far; each left the file as it was.
    int Failures();

  private:
    void Run();

    SequenceStore& store_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::optional<std::string> queued_;
    std::optional<std::string> writing_;
    bool stopping_ = false;
    int failures_ = 0;
    std::thread thread_;
};

}  // namespace nt
