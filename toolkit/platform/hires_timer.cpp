#include "tessel/platform/hires_timer.h"

#include <chrono>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

namespace DUI {
namespace {

using SteadyTime = std::chrono::steady_clock::time_point;

struct Entry {
    std::chrono::milliseconds period;
    SteadyTime due;
    std::shared_ptr<HighResCallback> callback;
};

// One thread serves every timer of the process, started with the first timer and kept for the
// life of the process.
class TimerThread {
  public:
    static TimerThread& Instance() {
        static TimerThread* instance =
            new TimerThread();  // never destroyed: callbacks may run at exit
        return *instance;
    }

    unsigned Start(unsigned periodMs, HighResCallback callback) {
        std::unique_lock lock(mutex_);
        if (!started_) {
            started_ = true;
            std::thread([this] { Run(); }).detach();
        }
        const unsigned id = next_id_++;
        if (next_id_ == 0) {
            next_id_ = 1;
        }
        const auto period = std::chrono::milliseconds(periodMs);
        entries_[id] = Entry{period, std::chrono::steady_clock::now() + period,
                             std::make_shared<HighResCallback>(std::move(callback))};
        wake_.notify_all();
        return id;
    }

    bool Kill(unsigned id) {
        std::unique_lock lock(mutex_);
        const bool found = entries_.erase(id) > 0;
        // A running callback of this timer must finish before the caller frees what it uses,
        // unless the caller is that callback.
        if (std::this_thread::get_id() != runner_) {
            done_.wait(lock, [&] { return running_ != id; });
        }
        return found;
    }

  private:
    TimerThread() = default;

    void Run() {
        std::unique_lock lock(mutex_);
        runner_ = std::this_thread::get_id();
        for (;;) {
            if (entries_.empty()) {
                wake_.wait(lock);
                continue;
            }
            auto next = entries_.begin();
            for (auto it = entries_.begin(); it != entries_.end(); ++it) {
                if (it->second.due < next->second.due) {
                    next = it;
                }
            }
            const auto now = std::chrono::steady_clock::now();
            if (next->second.due > now) {
                // A copy: the entry may be erased while this thread waits.
                const SteadyTime due = next->second.due;
                wake_.wait_until(lock, due);
                continue;
            }
            const unsigned id = next->first;
            auto callback = next->second.callback;
            next->second.due += next->second.period;
            if (next->second.due < now) {
                // Fell behind (a slow callback): skip missed ticks instead of bursting.
                next->second.due = now + next->second.period;
            }
            running_ = id;
            lock.unlock();
            (*callback)(id);
            lock.lock();
            running_ = 0;
            done_.notify_all();
        }
    }

    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable done_;
    std::map<unsigned, Entry> entries_;
    unsigned next_id_ = 1;
    unsigned running_ = 0;
    std::thread::id runner_;
    bool started_ = false;
};

}  // namespace

unsigned StartHighResTimer(unsigned periodMs, HighResCallback callback) {
    if (periodMs == 0 || !callback) {
        return 0;
    }
    return TimerThread::Instance().Start(periodMs, std::move(callback));
}

bool KillHighResTimer(unsigned id) {
    if (id == 0) {
        return false;
    }
    return TimerThread::Instance().Kill(id);
}

HighResCaps GetHighResCaps() {
    return {};
}

}  // namespace DUI
