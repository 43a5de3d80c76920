#include "sim/SimTerminal.h"

#include <algorithm>
#include <cstring>

namespace nt {

bool SimTerminal::ApplySettings(const LineSettings& settings) {
    settings_ = settings;
    return true;
}

// Replies whose time has come move to the input queue, in the order they were asked for.
void SimTerminal::Deliver() {
    const uint64_t now = clock_.TickMs();
    while (!pending_.empty() && pending_.front().dueTick <= now) {
        ready_ += pending_.front().bytes;
        pending_.pop_front();
    }
}

std::optional<SerialStatus> SimTerminal::QueryStatus() {
    Deliver();
    return SerialStatus{static_cast<uint32_t>(ready_.size()), 0, false};
}

std::optional<size_t> SimTerminal::WriteSome(const char* data, size_t size) {
    for (size_t i = 0; i < size; ++i) {
        const char c = data[i];
        if (c == '\n') {
            continue;
        }
        if (c != '\r') {
            if (line_.size() < kMaxLine) {
                line_.push_back(c);
            }
            continue;
        }
        const std::optional<SimTerminalBook::Answer> answer = book_.Respond(line_, clock_.Now());
        line_.clear();
        if (answer) {
            // One command at a time: a reply is never sent before the previous one.
            uint64_t due = clock_.TickMs() + answer->delayMs;
            if (!pending_.empty()) {
                due = std::max(due, pending_.back().dueTick + answer->delayMs);
            }
            pending_.push_back(Pending{due, answer->reply});
        }
    }
    return size;
}

std::optional<size_t> SimTerminal::ReadSome(char* data, size_t size) {
    Deliver();
    const size_t count = std::min(size, ready_.size());
    std::memcpy(data, ready_.data(), count);
    ready_.erase(0, count);
    return count;
}

}  // namespace nt
