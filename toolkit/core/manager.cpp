#include "tessel/core/manager.h"

#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "tessel/core/mwindow.h"
#include "tessel/platform/app_name.h"
#include "tessel/platform/text.h"
#include "tessel/platform/window.h"

namespace DUI {
namespace {

struct Settings {
    std::mutex lock;
    HINSTANCE instance = nullptr;
    CString fontName = L"Open Sans Semibold";
    Color select{0xFF503E98};
    std::set<MWindow*> windows;
    CString exeFolder;
};

Settings& G() {
    static Settings settings;
    return settings;
}

}  // namespace

int Manager::m_fontwidth = 14;

void Manager::SetInstance(HINSTANCE instance) {
    std::lock_guard lock(G().lock);
    G().instance = instance;
}

HINSTANCE Manager::GetInstance() {
    std::lock_guard lock(G().lock);
    return G().instance;
}

void Manager::InitGdiplus() {
    std::lock_guard lock(G().lock);
    G().windows.clear();
}

void Manager::UnInitGdiplus() {
    std::lock_guard lock(G().lock);
    G().windows.clear();
}

void Manager::AddWnd(MWindow* window) {
    std::lock_guard lock(G().lock);
    G().windows.insert(window);
}

void Manager::DeleteWnd(MWindow* window) {
    std::lock_guard lock(G().lock);
    G().windows.erase(window);
}

bool Manager::HasWnd(MWindow* window) {
    std::lock_guard lock(G().lock);
    return G().windows.count(window) != 0;
}

int Manager::PreTranslateMessage(MSG*) {
    return ((GetKeyState(VK_MENU) & 0x8000) != 0 && (GetKeyState(VK_F4) & 0x8000) != 0) ? 1 : 0;
}

void Manager::MessageLoop() {
    MSG msg;
    while (GetMessageW(&msg)) {
        if (PreTranslateMessage(&msg)) {
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void Manager::SetFont(CString name, int size) {
    SetFontName(std::move(name));
    m_fontwidth = size;
}

void Manager::SetFontName(CString name) {
    std::lock_guard lock(G().lock);
    G().fontName = std::move(name);
}

CString Manager::GetFontName() {
    std::lock_guard lock(G().lock);
    return G().fontName;
}

int Manager::GetFontWidth() {
    return m_fontwidth;
}

void Manager::SetDeviceName(CString name) {
    SetApplicationName(name);
}

CString Manager::GetDeviceName() {
    return GetApplicationName();
}

Color Manager::GetSelectColor() {
    std::lock_guard lock(G().lock);
    return G().select;
}

void Manager::SetSelectColor(Color color) {
    std::lock_guard lock(G().lock);
    G().select = color;
}

CString Manager::GetExeFolder() {
    std::lock_guard lock(G().lock);
    if (G().exeFolder.empty()) {
        std::error_code ec;
        const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
        G().exeFolder = ec ? L"./" : Utf8ToWide(exe.parent_path().string()) + L"/";
    }
    return G().exeFolder;
}

void Manager::SetExeFolder(CString folder) {
    if (!folder.empty() && folder.back() != L'/') {
        folder += L'/';
    }
    std::lock_guard lock(G().lock);
    G().exeFolder = std::move(folder);
}

CString Manager::GetThemeFolder() {
    return GetExeFolder() + L"skins/" + GetTheme();
}

}  // namespace DUI
