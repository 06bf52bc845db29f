#pragma once
// Waiting for work done on another thread: poll a condition until it holds or a generous deadline
// passes. Tests never sleep a fixed time and hope.

#include <chrono>
#include <functional>
#include <thread>

namespace pellora::testing {

inline bool WaitFor(const std::function<bool()>& condition,
                    std::chrono::milliseconds deadline = std::chrono::seconds(20)) {
    const auto end = std::chrono::steady_clock::now() + deadline;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= end) {
            return condition();
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

}  // namespace pellora::testing
