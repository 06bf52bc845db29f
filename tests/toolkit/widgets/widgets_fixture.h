#pragma once
// A shown dialog with a plain container filling it (most device widgets are made by the
// container factory), a theme folder for pictures of known colours, and input helpers.

#include <filesystem>

#include "headless_fixture.h"
#include "tessel/platform/surface.h"

namespace tessel_test {

class WidgetsTest : public HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        std::filesystem::create_directories(appDir_.path() / "skins" / "theme1");
        OpenDialog(dialog_, kWidth, kHeight);
        panel_ = dynamic_cast<DUI::MPanel*>(dialog_.CreateControl(
            L"TestPanel", kPanelId, DUI::CRect(0, 0, kWidth, kHeight), L"", 1, 1));
        ASSERT_NE(panel_, nullptr);
    }
    void TearDown() override {
        dialog_.DestroyWindow();
        HeadlessTest::TearDown();
    }

    template <class T>
    T* Make(const wchar_t* className, unsigned id, DUI::CRect rect, const wchar_t* title = L"") {
        return dynamic_cast<T*>(panel_->CreateControl(className, id, rect, title, 1, 1));
    }
    template <class T>
    T* MakeTop(const wchar_t* className, unsigned id, DUI::CRect rect, const wchar_t* title = L"") {
        return dynamic_cast<T*>(dialog_.CreateControl(className, id, rect, title, 1, 1));
    }

    DUI::HWND hwnd() { return dialog_.GetSafeHwnd(); }
    void Move(int x, int y, DUI::WPARAM keys = 0) {
        DUI::InjectMouse(hwnd(), DUI::WM_MOUSEMOVE, x, y, keys);
        Pump();
    }
    void Press(int x, int y) {
        DUI::InjectMouse(hwnd(), DUI::WM_MOUSEMOVE, x, y);
        DUI::InjectMouse(hwnd(), DUI::WM_LBUTTONDOWN, x, y, DUI::MK_LBUTTON);
        Pump();
    }
    void Release(int x, int y) {
        DUI::InjectMouse(hwnd(), DUI::WM_MOUSEMOVE, x, y, DUI::MK_LBUTTON);
        DUI::InjectMouse(hwnd(), DUI::WM_LBUTTONUP, x, y);
        Pump();
    }
    void ClickAt(int x, int y) {
        Press(x, y);
        Release(x, y);
    }
    void Key(unsigned key) {
        DUI::InjectKey(hwnd(), DUI::WM_KEYDOWN, key);
        DUI::InjectKey(hwnd(), DUI::WM_KEYUP, key);
        Pump();
    }
    // (code, wParam) pairs the dialog heard from one control id, in order.
    std::vector<std::pair<unsigned, unsigned>> Heard(unsigned id) const {
        std::vector<std::pair<unsigned, unsigned>> out;
        for (const auto& n : dialog_.notifications) {
            if (n.id == id) {
                out.emplace_back(n.code, n.wParam);
            }
        }
        return out;
    }
    std::vector<unsigned> Codes(unsigned id) const {
        std::vector<unsigned> out;
        for (const auto& [code, w] : Heard(id)) {
            out.push_back(code);
        }
        return out;
    }
    std::unique_ptr<DUI::Surface> Frame() {
        dialog_.GetPaintManager().Invalidate();
        Pump();
        return DUI::GetWindowFrame(hwnd());
    }
    // A picture of equal frames, frame i filled with colours[i], in the theme folder.
    std::string WritePicture(const char* name, int frameWidth, int height,
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
        EXPECT_TRUE(s.SavePng(path.string()));
        return path.string();
    }

    static constexpr int kWidth = 1000;
    static constexpr int kHeight = 600;
    static constexpr unsigned kPanelId = 900;
    RecordingDialog dialog_;
    DUI::MPanel* panel_ = nullptr;
};

}  // namespace tessel_test
