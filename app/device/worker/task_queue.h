#pragma once
// The worker's task queue: task codes, first in, first out. The window thread appends, the
// worker takes from the front and (on a link report) appends too. Taking marks the queue busy
// until the worker reports the task done, so "empty and idle" means no work at all.

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>
#include <optional>

namespace pellora {

class TaskQueue {
  public:
    void Append(int code);
    // The front task, now in progress; nothing when the queue is empty.
    std::optional<int> TakeFront();
    // The task taken last is finished.
    void Done();
    std::size_t Count() const;
    bool Empty() const;
    // Waits until nothing is queued or in progress; false when `timeout` passed first.
    bool WaitIdle(std::chrono::milliseconds timeout) const;

  private:
    mutable std::mutex mutex_;
    mutable std::condition_variable idle_;
    std::deque<int> codes_;
    bool busy_ = false;
};

}  // namespace pellora
