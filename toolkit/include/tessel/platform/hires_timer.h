#pragma once
// The high-resolution periodic timer: callbacks run on one timer thread of the process, at the
// requested period, until killed. Killing waits for a callback of that timer that is running on
// the timer thread, so after KillHighResTimer returns the callback's object may be destroyed
// (a callback may kill its own timer).

#include <functional>

namespace DUI {

using HighResCallback = std::function<void(unsigned id)>;

// 0 when the period is 0.
unsigned StartHighResTimer(unsigned periodMs, HighResCallback callback);
bool KillHighResTimer(unsigned id);

struct HighResCaps {
    unsigned minPeriod = 1;
    unsigned maxPeriod = 1000000;
};
HighResCaps GetHighResCaps();

}  // namespace DUI
