#include "tessel/platform/clock.h"

#include <thread>

namespace DUI {

Clock& Clock::Real() {
    static SteadyClock clock;
    return clock;
}

Clock::time_point SteadyClock::now() const {
    return std::chrono::steady_clock::now();
}

void SteadyClock::sleep_for(duration d) {
    if (d > duration::zero()) {
        std::this_thread::sleep_for(d);
    }
}

Clock::time_point ManualClock::now() const {
    std::lock_guard lock(mutex_);
    return now_;
}

void ManualClock::sleep_for(duration d) {
    std::lock_guard lock(mutex_);
    sleeps_.push_back(d);
    if (d > duration::zero()) {
        now_ += d;
        slept_ += d;
    }
}

void ManualClock::advance(duration d) {
    std::lock_guard lock(mutex_);
    now_ += d;
}

std::vector<Clock::duration> ManualClock::sleeps() const {
    std::lock_guard lock(mutex_);
    return sleeps_;
}

Clock::duration ManualClock::total_slept() const {
    std::lock_guard lock(mutex_);
    return slept_;
}

void ManualClock::clear_sleeps() {
    std::lock_guard lock(mutex_);
    sleeps_.clear();
    slept_ = duration::zero();
}

}  // namespace DUI
