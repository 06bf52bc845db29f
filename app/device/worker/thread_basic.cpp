#include "device/worker/thread_basic.h"

namespace pellora {

CThreadBasic::~CThreadBasic() {
    // A derived class must have stopped the thread in its own destructor, while its state
    // still existed; this only keeps a forgotten thread from terminating the process.
    if (thread_.joinable()) {
        running_ = 0;
        thread_.join();
    }
}

void CThreadBasic::StartThread() {
    if (IsRunning() || thread_.joinable()) {
        return;
    }
    interval_ms_ = 2;
    loop_mode_ = 1;
    exit_code_ = static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                      std::chrono::steady_clock::now().time_since_epoch())
                                      .count() &
                                  0x7FFFFFFF);
    {
        std::lock_guard lock(mutex_);
        done_ = false;
        wake_ = false;
    }
    running_ = 1;
    thread_ = std::thread(&CThreadBasic::ThreadMain, this);
}

void CThreadBasic::ThreadMain() {
    if (loop_mode_ == 0) {
        Run();
    } else {
        while (running_.load() != 0) {
            Run();
            std::unique_lock lock(mutex_);
            cv_.wait_for(lock, std::chrono::milliseconds(interval_ms_),
                         [this] { return wake_ || running_.load() == 0; });
            wake_ = false;
        }
    }
    std::lock_guard lock(mutex_);
    done_ = true;
    cv_.notify_all();
}

void CThreadBasic::WakeThread() {
    std::lock_guard lock(mutex_);
    wake_ = true;
    cv_.notify_all();
}

bool CThreadBasic::StopThread(std::chrono::milliseconds wait) {
    if (!thread_.joinable()) {
        return true;
    }
    bool ended = false;
    {
        std::unique_lock lock(mutex_);
        running_ = 0;
        cv_.notify_all();
        ended = cv_.wait_for(lock, wait, [this] { return done_; });
    }
    if (!ended) {
        OnStopTimedOut();
    }
    thread_.join();
    return ended;
}

}  // namespace pellora
