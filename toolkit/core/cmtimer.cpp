#include "tessel/core/cmtimer.h"

#include <algorithm>
#include <mutex>
#include <set>

#include "tessel/platform/hires_timer.h"

namespace {

std::mutex& AllLock() {
    static std::mutex lock;
    return lock;
}

std::set<CMTimer*>& All() {
    static std::set<CMTimer*> all;
    return all;
}

std::once_flag g_resolution_once;
unsigned g_resolution = 1;

}  // namespace

CMTimer::CMTimer() {
    std::lock_guard lock(AllLock());
    All().insert(this);
}

CMTimer::~CMTimer() {
    KillTimer();
    std::lock_guard lock(AllLock());
    All().erase(this);
}

void CMTimer::OnMTimer(unsigned, DUI::CString) {}

unsigned CMTimer::GetResolution() {
    return g_resolution;
}

unsigned CMTimer::SetTimer(unsigned milliseconds, DUI::CString name, int applicationFlag) {
    std::call_once(g_resolution_once, [] {
        const DUI::HighResCaps caps = DUI::GetHighResCaps();
        g_resolution = std::min(std::max(1u, caps.minPeriod), caps.maxPeriod);
    });
    std::lock_guard lock(m_lock);
    m_requestedResolution = true;
    const unsigned id = DUI::StartHighResTimer(
        milliseconds, [this](unsigned timerId) { TimerCallProc(timerId, this); });
    if (id != 0) {
        m_timers.push_back(Entry{id, std::move(name), applicationFlag});
    }
    return id;
}

int CMTimer::KillTimer(unsigned id) {
    bool found = false;
    {
        std::lock_guard lock(m_lock);
        const auto it = std::find_if(m_timers.begin(), m_timers.end(),
                                     [id](const Entry& e) { return e.id == id; });
        if (it != m_timers.end()) {
            m_timers.erase(it);
            found = true;
        }
    }
    // Outside the lock: the callback may be waiting for it.
    if (found) {
        DUI::KillHighResTimer(id);
    }
    std::lock_guard lock(m_lock);
    return static_cast<int>(m_timers.size());
}

int CMTimer::KillTimer(DUI::CString name) {
    std::vector<unsigned> ids;
    {
        std::lock_guard lock(m_lock);
        for (const auto& e : m_timers) {
            if (e.name == name) {
                ids.push_back(e.id);
            }
        }
    }
    int left = 0;
    for (unsigned id : ids) {
        left = KillTimer(id);
    }
    if (ids.empty()) {
        std::lock_guard lock(m_lock);
        left = static_cast<int>(m_timers.size());
    }
    return left;
}

void CMTimer::KillTimer() {
    std::vector<Entry> timers;
    {
        std::lock_guard lock(m_lock);
        timers.swap(m_timers);
    }
    for (const auto& e : timers) {
        DUI::KillHighResTimer(e.id);
    }
}

DUI::CString CMTimer::GetTimerName(unsigned id) {
    std::lock_guard lock(m_lock);
    for (const auto& e : m_timers) {
        if (e.id == id) {
            return e.name;
        }
    }
    return {};
}

int CMTimer::IsAppTimer(unsigned id) {
    std::lock_guard lock(m_lock);
    for (const auto& e : m_timers) {
        if (e.id == id) {
            return e.appFlag;
        }
    }
    return 0;
}

int CMTimer::GetTimerIsRun(unsigned id) {
    std::lock_guard lock(m_lock);
    return std::any_of(m_timers.begin(), m_timers.end(),
                       [id](const Entry& e) { return e.id == id; })
               ? 1
               : 0;
}

int CMTimer::GetTimerIsRun(DUI::CString name) {
    std::lock_guard lock(m_lock);
    return std::any_of(m_timers.begin(), m_timers.end(),
                       [&](const Entry& e) { return e.name == name; })
               ? 1
               : 0;
}

CMTimer* CMTimer::GetMTimer(unsigned id) {
    std::lock_guard lock(AllLock());
    for (CMTimer* timer : All()) {
        if (timer->GetTimerIsRun(id)) {
            return timer;
        }
    }
    return nullptr;
}

void CMTimer::TimerCallProc(unsigned id, CMTimer* owner) {
    if (owner == nullptr) {
        return;
    }
    owner->OnMTimer(id);
    if (owner->IsAppTimer(id)) {
        owner->OnMTimer(id, owner->GetTimerName(id));
    }
}
