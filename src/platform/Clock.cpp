#include "platform/Clock.h"

#include <chrono>
#include <ctime>
#include <thread>

namespace nt {

namespace {

class RealClock : public Clock {
  public:
    uint64_t TickMs() override {
        using namespace std::chrono;
        return static_cast<uint64_t>(
            duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
    }
    void SleepMs(uint32_t milliseconds) override {
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
    }
    LocalTime Now() override {
        std::time_t t = std::time(nullptr);
        std::tm tm{};
        localtime_r(&t, &tm);
        return LocalTime{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday,
                         tm.tm_hour,        tm.tm_min,     tm.tm_sec};
    }
};

}  // namespace

Clock& SystemClock() {
    static RealClock clock;
    return clock;
}

uint64_t ManualClock::TickMs() {
    std::lock_guard lock(mutex_);
    return tick_;
}

void ManualClock::SleepMs(uint32_t milliseconds) {
    Advance(milliseconds);
}

LocalTime ManualClock::Now() {
    std::lock_guard lock(mutex_);
    return now_;
}

void ManualClock::Advance(uint64_t milliseconds) {
    std::lock_guard lock(mutex_);
    tick_ += milliseconds;
}

void ManualClock::SetNow(const LocalTime& now) {
    std::lock_guard lock(mutex_);
    now_ = now;
}

}  // namespace nt
