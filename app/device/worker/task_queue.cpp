#include "device/worker/task_queue.h"

namespace pellora {

void TaskQueue::Append(int code) {
    std::lock_guard lock(mutex_);
    codes_.push_back(code);
}

std::optional<int> TaskQueue::TakeFront() {
    std::lock_guard lock(mutex_);
    if (codes_.empty()) {
        return std::nullopt;
    }
    const int code = codes_.front();
    codes_.pop_front();
    busy_ = true;
    return code;
}

void TaskQueue::Done() {
    std::lock_guard lock(mutex_);
    busy_ = false;
    if (codes_.empty()) {
        idle_.notify_all();
    }
}

std::size_t TaskQueue::Count() const {
    std::lock_guard lock(mutex_);
    return codes_.size();
}

bool TaskQueue::Empty() const {
    std::lock_guard lock(mutex_);
    return codes_.empty();
}

bool TaskQueue::WaitIdle(std::chrono::milliseconds timeout) const {
    std::unique_lock lock(mutex_);
    return idle_.wait_for(lock, timeout, [this] { return codes_.empty() && !busy_; });
}

}  // namespace pellora
