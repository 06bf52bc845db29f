#pragma once
// Process-wide toolkit settings: the application's module, the default font, the accent colour,
// the device family name and the set of live windows.

#include <mutex>
#include <set>

#include "tessel/platform/types.h"

namespace DUI {

class MWindow;

class Manager {
  public:
    static void SetInstance(HINSTANCE instance);
    static HINSTANCE GetInstance();
    static void InitGdiplus();
    static void UnInitGdiplus();
    static void AddWnd(MWindow* window);
    static void DeleteWnd(MWindow* window);
    static bool HasWnd(MWindow* window);
    // A plain get/translate/dispatch loop; messages retrieved while Alt and F4 are held are
    // dropped.
    static void MessageLoop();
    static int PreTranslateMessage(MSG* msg);
    static void SetFont(CString name, int size);
    static void SetFontName(CString name);
    static CString GetFontName();
    static int GetFontWidth();
    static void SetDeviceName(CString name);
    static CString GetDeviceName();
    static CString GetTheme() { return L"theme1/"; }
    static Color GetSelectColor();
    static void SetSelectColor(Color color);

    // The folder of the running program with a trailing separator (overridable for tests).
    static CString GetExeFolder();
    static void SetExeFolder(CString folder);
    // Executable folder + "skins/" + GetTheme().
    static CString GetThemeFolder();

    static int m_fontwidth;
};

}  // namespace DUI
