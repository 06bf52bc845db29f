#pragma once
// The loading window: a small owned window that plays an animation strip or a GIF over a
// background until it is closed.

#include <memory>
#include <vector>

#include "tessel/controls/strip.h"
#include "tessel/core/mwindow.h"
#include "tessel/core/paint_manager.h"

namespace DUI {

class LoadingWnd : public MWindow {
  public:
    static constexpr unsigned kFrameTimer = 1;
    static constexpr unsigned kFrameMs = 80;

    LoadingWnd();
    ~LoadingWnd() override;
    const wchar_t* GetWindowClassName() const override { return L"LoadingWnd"; }
    long OnWindowMessage(unsigned msg, unsigned wParam, long lParam) override;

    HWND CreateDlg(HWND owner, CRect rect);
    int LoadBKImage(const wchar_t* file);
    void SetBackMode(enumBackMode mode, int parameter);
    int LoadAnimateImage(const wchar_t* file, int count);
    int LoadGifImage(const wchar_t* file);
    void CloseWindow();
    void DrawWindow();
    int GetFrame() const { return m_frame; }
    int GetFrameCount() const;

  private:
    ImageStrip m_back;
    int m_backMode = BACK_MODE_NORMAL;
    int m_backParam = 4;
    ImageStrip m_strip;
    std::vector<std::unique_ptr<Image>> m_gif;
    int m_frame = 0;
};

}  // namespace DUI
