#pragma once

#include <cstdint>
#include <mutex>

namespace nt {

struct LocalTime {
    int year = 1970;  // four digits
    int month = 1;    // 1-12
    int day = 1;      // 1-31
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// Time as the program sees it: a millisecond tick counter, pauses, and the local date and time.
// Tests drive a ManualClock; everything else uses SystemClock().
class Clock {
  public:
    virtual ~Clock() = default;
    virtual uint64_t TickMs() = 0;
    virtual void SleepMs(uint32_t milliseconds) = 0;
    virtual LocalTime Now() = 0;
};

Clock& SystemClock();

// A clock that moves only when told to; SleepMs advances it instantly. Thread-safe.
class ManualClock : public Clock {
  public:
    uint64_t TickMs() override;
    void SleepMs(uint32_t milliseconds) override;
    LocalTime Now() override;

    void Advance(uint64_t milliseconds);
    void SetNow(const LocalTime& now);

  private:
    std::mutex mutex_;
    uint64_t tick_ = 0;
    LocalTime now_{2026, 3, 7, 9, 15, 2};
};

}  // namespace nt
