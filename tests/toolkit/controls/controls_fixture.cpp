#include "controls_fixture.h"

#include <filesystem>

#include "tessel/platform/surface.h"

namespace tessel_test {

void ControlsTest::SetUp() {
    HeadlessTest::SetUp();
    std::filesystem::create_directories(appDir_.path() / "skins" / "theme1");
    OpenDialog(dialog_, 600, 400);
}

void ControlsTest::TearDown() {
    dialog_.DestroyWindow();
    HeadlessTest::TearDown();
}

void ControlsTest::Move(int x, int y) {
    DUI::InjectMouse(hwnd(), DUI::WM_MOUSEMOVE, x, y);
    Pump();
}

void ControlsTest::Press(int x, int y) {
    DUI::InjectMouse(hwnd(), DUI::WM_MOUSEMOVE, x, y);
    DUI::InjectMouse(hwnd(), DUI::WM_LBUTTONDOWN, x, y, DUI::MK_LBUTTON);
    Pump();
}

void ControlsTest::Release(int x, int y) {
    DUI::InjectMouse(hwnd(), DUI::WM_MOUSEMOVE, x, y, DUI::MK_LBUTTON);
    DUI::InjectMouse(hwnd(), DUI::WM_LBUTTONUP, x, y);
    Pump();
}

void ControlsTest::Key(unsigned key) {
    DUI::InjectKey(hwnd(), DUI::WM_KEYDOWN, key);
    DUI::InjectKey(hwnd(), DUI::WM_KEYUP, key);
    Pump();
}

void ControlsTest::Char(wchar_t ch) {
    DUI::PostMessageW(hwnd(), DUI::WM_CHAR, ch, 1);
    Pump();
}

std::vector<unsigned> ControlsTest::Codes(unsigned id) const {
    std::vector<unsigned> codes;
    for (const auto& n : dialog_.notifications) {
        if (n.id == id) {
            codes.push_back(n.code);
        }
    }
    return codes;
}

void ControlsTest::WritePicture(const char* name, int frameWidth, int height,
                                std::vector<DUI::DWORD> colours) {
    DUI::Surface s(frameWidth * static_cast<int>(colours.size()), height);
    {
        DUI::Graphics g(&s);
        for (size_t i = 0; i < colours.size(); ++i) {
            g.FillRectOpaque(DUI::CRect(static_cast<int>(i) * frameWidth, 0,
                                        static_cast<int>(i + 1) * frameWidth, height),
                             colours[i]);
        }
    }
    const auto path = appDir_.path() / "skins" / "theme1" / name;
    std::filesystem::create_directories(path.parent_path());
    ASSERT_TRUE(s.SavePng(path.string()));
}

void ControlsTest::Advance(int ms) {
    clock_.advance(std::chrono::milliseconds(ms));
    Pump();
}

}  // namespace tessel_test

// Each window registers the embedded font again, and clearing pango's font cache for that
// leaves fontconfig's pattern cache behind (library-internal; reported to the platform layer).
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}
