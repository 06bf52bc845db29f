#include "tessel/platform/clock.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

using namespace std::chrono_literals;

TEST(ManualClock, SleepingAdvancesTimeAtOnceAndIsRecorded) {
    DUI::ManualClock clock;
    const auto start = clock.now();
    clock.sleep_for(66ms);
    clock.sleep_for(30ms);
    clock.advance(4ms);  // time passing without a sleep is not a pause
    EXPECT_EQ(clock.now() - start, 100ms);
    EXPECT_EQ(clock.sleeps(), (std::vector<DUI::Clock::duration>{66ms, 30ms}));
    EXPECT_EQ(clock.total_slept(), 96ms);
    clock.clear_sleeps();
    EXPECT_TRUE(clock.sleeps().empty());
    EXPECT_EQ(clock.now() - start, 100ms);
}

TEST(ManualClock, NegativeOrZeroSleepDoesNotMoveTime) {
    DUI::ManualClock clock;
    const auto start = clock.now();
    clock.sleep_for(0ms);
    clock.sleep_for(-5ms);
    EXPECT_EQ(clock.now(), start);
    EXPECT_EQ(clock.sleeps().size(), 2u);
}

TEST(ManualClock, SleepsFromSeveralThreadsAllCount) {
    DUI::ManualClock clock;
    const auto start = clock.now();
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&] {
            for (int i = 0; i < 1000; ++i)
                clock.sleep_for(1ms);
        });
    }
    for (auto& t : threads)
        t.join();
    EXPECT_EQ(clock.now() - start, 4000ms);
    EXPECT_EQ(clock.sleeps().size(), 4000u);
}

TEST(SteadyClock, SleepsAtLeastTheAskedTime) {
    DUI::Clock& clock = DUI::Clock::Real();
    const auto start = clock.now();
    clock.sleep_for(2ms);
    EXPECT_GE(clock.now() - start, 2ms);
}
