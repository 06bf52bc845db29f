#pragma once
// What the window system knows about one native window, shared with the backends.

#include <map>
#include <memory>
#include <string>
#include <thread>

#include "tessel/platform/surface.h"
#include "tessel/platform/types.h"

namespace DUI {

struct NativeWindow {
    std::wstring className;
    WNDPROC proc = nullptr;
    HINSTANCE instance = nullptr;
    UINT classStyle = 0;
    std::thread::id thread;

    std::wstring title;
    DWORD style = 0;
    DWORD exStyle = 0;
    CRect rect;         // screen coordinates; the client area is the whole window
    CRect restoreRect;  // before minimising or maximising
    HWND owner = nullptr;
    bool alive = true;
    bool visible = false;
    bool enabled = true;
    int showState = 0;  // 0 normal, 1 minimised, 2 maximised
    BYTE alpha = 255;
    DWORD colorKey = 0;
    DWORD layeredFlags = 0;

    CRect invalid;
    bool erase = false;

    long userData = 0;
    std::map<std::wstring, void*> props;
    std::unique_ptr<Surface> frame;
    bool trackLeave = false;
    void* backendData = nullptr;
};

}  // namespace DUI
