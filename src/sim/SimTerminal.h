#pragma once

#include <cstdint>
#include <deque>
#include <string>

#include "platform/Clock.h"
#include "serial/SerialDevice.h"
#include "sim/SimTerminalBook.h"

namespace nt {

// The simulated test terminal behind a serial line: DSR always on, output taken at once, every
// CR-terminated line answered by the book after the book's delay on the given clock.
class SimTerminal : public SerialDevice {
  public:
    static constexpr size_t kMaxLine = 4096;  // longer lines are cut

    SimTerminal(Clock& clock, SimTerminalBook& book) : clock_(clock), book_(book) {}

    bool SetQueueSizes(uint32_t, uint32_t) override { return true; }
    bool ProbeSettings() override { return true; }
    bool ApplySettings(const LineSettings& settings) override;
    std::optional<SerialStatus> QueryStatus() override;
    std::optional<size_t> WriteSome(const char* data, size_t size) override;
    std::optional<size_t> ReadSome(char* data, size_t size) override;
    std::optional<bool> Dsr() override { return true; }
    void CancelOutput() override {}
    bool Close() override { return true; }

    const LineSettings& settings() const { return settings_; }

  private:
    struct Pending {
        uint64_t dueTick;
        std::string bytes;
    };
    void Deliver();

    Clock& clock_;
    SimTerminalBook& book_;
    LineSettings settings_;
    std::string line_;
    std::deque<Pending> pending_;
    std::string ready_;
};

}  // namespace nt
