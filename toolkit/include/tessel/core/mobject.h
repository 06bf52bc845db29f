#pragma once
// The root of everything that owns controls or is one: identity by class name, and the two
// calls by which children talk to their owner (notifications and repaint requests).

#include "tessel/platform/types.h"

namespace DUI {

class MControl;

class MObject {
  public:
    virtual ~MObject() = default;
    // 1 when GetClassNameW() equals name exactly, else 0.
    virtual int IsClass(const wchar_t* name);
    virtual const wchar_t* GetClassNameW() const { return nullptr; }
    virtual const wchar_t* GetObjectClass() { return nullptr; }
    virtual const wchar_t* BaseObjectClassName() { return nullptr; }
    // Notifications from child controls.
    virtual long OnBaseMessage(unsigned id, unsigned code, unsigned wParam, long lParam);
    // Repaint requests from child controls.
    virtual long OnControlUpdate(CRect rect, int flag, MControl* control);
};

}  // namespace DUI
