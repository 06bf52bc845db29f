#pragma once
// The high-resolution periodic timer. Callbacks run on the platform's timer thread; an object
// may own several timers, each with a name and an application flag.

#include <mutex>
#include <string>
#include <vector>

#include "tessel/platform/types.h"

class CMTimer {
  public:
    CMTimer();
    virtual ~CMTimer();
    CMTimer(const CMTimer&) = delete;
    CMTimer& operator=(const CMTimer&) = delete;

    virtual void OnMTimer(unsigned id, DUI::CString name);
    virtual void OnMTimer(unsigned id) = 0;

    // Timer id, 0 on failure.
    unsigned SetTimer(unsigned milliseconds, DUI::CString name, int applicationFlag);
    // Number of timers left.
    int KillTimer(unsigned id);
    int KillTimer(DUI::CString name);
    void KillTimer();
    DUI::CString GetTimerName(unsigned id);
    int IsAppTimer(unsigned id);
    int GetTimerIsRun(unsigned id);
    int GetTimerIsRun(DUI::CString name);

    static CMTimer* GetMTimer(unsigned id);
    static void TimerCallProc(unsigned id, CMTimer* owner);
    static unsigned GetResolution();

  private:
    struct Entry {
        unsigned id;
        DUI::CString name;
        int appFlag;
    };
    std::recursive_mutex m_lock;
    std::vector<Entry> m_timers;
    bool m_requestedResolution = false;
};
