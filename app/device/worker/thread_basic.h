#pragma once
// The worker thread base: calls Run once per cycle while running, sleeping the interval between
// cycles. Stopping waits a bounded time for the thread to end; a derived class decides what to
// cut loose when that time passes (OnStopTimedOut), and the thread is joined afterwards either
// way, so it never outlives the object it runs on.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace pellora {

class CThreadBasic {
  public:
    CThreadBasic() = default;
    virtual ~CThreadBasic();
    CThreadBasic(const CThreadBasic&) = delete;
    CThreadBasic& operator=(const CThreadBasic&) = delete;

    // Starts the thread unless it runs: interval 2 ms, loop mode 1.
    void StartThread();
    // Ends the loop after the cycle in progress. Returns true when the thread ended within
    // `wait`; otherwise OnStopTimedOut runs and the thread is joined anyway.
    bool StopThread(std::chrono::milliseconds wait = std::chrono::milliseconds(1000));
    bool IsRunning() const { return running_.load() != 0; }
    int ExitCode() const { return exit_code_; }

  protected:
    // One cycle, on the worker thread.
    virtual void Run() = 0;
    // The stop's wait ran out while a cycle was still busy: detach whatever belongs to the
    // caller, and make the cycle finish soon. Runs on the stopping thread.
    virtual void OnStopTimedOut() {}
    // Ends the sleep between cycles early (new work arrived).
    void WakeThread();

    int interval_ms_ = 2;
    int loop_mode_ = 1;

  private:
    void ThreadMain();

    std::thread thread_;
    std::atomic<int> running_{0};
    int exit_code_ = 0;
    std::mutex mutex_;
    std::condition_variable cv_;
    bool done_ = false;
    bool wake_ = false;
};

}  // namespace pellora
