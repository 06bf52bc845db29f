#pragma once
// Time as seen by code with fixed pauses (device protocol, paint pacing, timers).
// Production code uses the steady clock; tests hand in a ManualClock so that a pause of
// 66 ms costs nothing and can still be checked afterwards.

#include <chrono>
#include <mutex>
#include <vector>

namespace DUI {

class Clock {
  public:
    using duration = std::chrono::steady_clock::duration;
    using time_point = std::chrono::steady_clock::time_point;

    virtual ~Clock() = default;
    virtual time_point now() const = 0;
    virtual void sleep_for(duration d) = 0;

    // The process-wide real clock (steady, never goes backwards).
    static Clock& Real();
};

class SteadyClock final : public Clock {
  public:
    time_point now() const override;
    void sleep_for(duration d) override;
};

// Advances only when told to or when someone sleeps on it; sleeping returns at once.
// Every sleep is recorded so tests can check the pacing of a sequence.
// Safe to share between threads.
class ManualClock final : public Clock {
  public:
    time_point now() const override;
    void sleep_for(duration d) override;

    void advance(duration d);
    std::vector<duration> sleeps() const;
    duration total_slept() const;
    void clear_sleeps();

  private:
    mutable std::mutex mutex_;
    time_point now_{};
    duration slept_{};
    std::vector<duration> sleeps_;
};

}  // namespace DUI
