#pragma once

#include <algorithm>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/Clock.h"
#include "serial/SerialDevice.h"

namespace nt::test {

// A serial line scripted by the test and shared with the device the port owns, so the test
// can look at it after the port is gone. Time comes from the test's clock.
struct FakeLine {
    explicit FakeLine(Clock& c) : clock(c) {}

    Clock& clock;
    bool openFails = false;
    bool probeOk = true;
    bool applyOk = true;
    bool statusOk = true;
    bool closeOk = true;
    bool writeFails = false;
    std::optional<bool> dsr = true;
    uint32_t outQueue = 0;                // written, not yet sent
    uint32_t drainPerQuery = UINT32_MAX;  // sent between two status queries
    size_t acceptLimit = SIZE_MAX;        // most bytes one write hands over
    int errorQueries = 0;                 // the next status queries that report a line error
    std::string input;                    // received, readable now
    std::multimap<uint64_t, std::string> arrivals;  // received at a tick
    // The terminal's answer to each CR written: chunks of bytes, each at a delay after the CR.
    std::deque<std::vector<std::pair<uint64_t, std::string>>> answers;

    std::vector<std::string> paths;  // every open asked for
    std::string written;
    std::vector<LineSettings> applied;
    int statusQueries = 0;
    int reads = 0;
    int cancels = 0;
    bool open = false;

    void Arrive() {
        const uint64_t now = clock.TickMs();
        while (!arrivals.empty() && arrivals.begin()->first <= now) {
            input += arrivals.begin()->second;
            arrivals.erase(arrivals.begin());
        }
    }
};

class FakeSerialDevice : public SerialDevice {
  public:
    explicit FakeSerialDevice(std::shared_ptr<FakeLine> line) : line_(std::move(line)) {
        line_->open = true;
    }
    ~FakeSerialDevice() override { line_->open = false; }

    bool SetQueueSizes(uint32_t, uint32_t) override { return true; }
    bool ProbeSettings() override { return line_->probeOk; }
    bool ApplySettings(const LineSettings& settings) override {
        line_->applied.push_back(settings);
        return line_->applyOk;
    }
    std::optional<SerialStatus> QueryStatus() override {
        FakeLine& l = *line_;
        ++l.statusQueries;
        if (!l.statusOk) {
            return std::nullopt;
        }
        l.Arrive();
        l.outQueue -= std::min(l.outQueue, l.drainPerQuery);
        const bool errors = l.errorQueries > 0;
        l.errorQueries = std::max(0, l.errorQueries - 1);
        return SerialStatus{static_cast<uint32_t>(l.input.size()), l.outQueue, errors};
    }
    std::optional<size_t> WriteSome(const char* data, size_t size) override {
        FakeLine& l = *line_;
        if (l.writeFails) {
            return std::nullopt;
        }
        const size_t taken = std::min(size, l.acceptLimit);
        l.written.append(data, taken);
        l.outQueue += static_cast<uint32_t>(taken);
        for (size_t i = 0; i < taken; ++i) {
            if (data[i] == '\r' && !l.answers.empty()) {
                for (const auto& [delay, bytes] : l.answers.front()) {
                    l.arrivals.emplace(l.clock.TickMs() + delay, bytes);
                }
                l.answers.pop_front();
            }
        }
        return taken;
    }
    std::optional<size_t> ReadSome(char* data, size_t size) override {
        FakeLine& l = *line_;
        ++l.reads;
        l.Arrive();
        const size_t count = std::min(size, l.input.size());
        std::copy_n(l.input.begin(), count, data);
        l.input.erase(0, count);
        return count;
    }
    std::optional<bool> Dsr() override { return line_->dsr; }
    void CancelOutput() override { ++line_->cancels; }
    bool Close() override {
        if (!line_->closeOk) {
            return false;
        }
        line_->open = false;
        return true;
    }

  private:
    std::shared_ptr<FakeLine> line_;
};

inline SerialOpener FakeOpener(std::shared_ptr<FakeLine> line) {
    return [line](const std::string& path, Clock&) -> std::unique_ptr<SerialDevice> {
        line->paths.push_back(path);
        if (line->openFails) {
            return nullptr;
        }
        return std::make_unique<FakeSerialDevice>(line);
    };
}

}  // namespace nt::test
