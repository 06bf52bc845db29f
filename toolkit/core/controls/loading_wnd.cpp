#include "tessel/controls/loading_wnd.h"

#include "tessel/core/manager.h"
#include "tessel/platform/image_io.h"
#include "tessel/platform/text.h"

namespace DUI {

LoadingWnd::LoadingWnd() = default;

LoadingWnd::~LoadingWnd() {
    if (m_hwnd != nullptr) {
        ::DUI::DestroyWindow(m_hwnd);
    }
}

HWND LoadingWnd::CreateDlg(HWND owner, CRect rect) {
    HWND hwnd = Create(owner, L"Loading Window", WS_POPUP, WS_EX_TOOLWINDOW, rect);
    if (hwnd != nullptr) {
        ::DUI::SetTimer(hwnd, kFrameTimer, kFrameMs);
        ::DUI::ShowWindow(hwnd, SW_SHOWNOACTIVATE);
    }
    return hwnd;
}

int LoadingWnd::LoadBKImage(const wchar_t* file) {
    return m_back.Load(file, 1) ? 1 : 0;
}

void LoadingWnd::SetBackMode(enumBackMode mode, int parameter) {
    m_backMode = mode;
    m_backParam = parameter;
}

int LoadingWnd::LoadAnimateImage(const wchar_t* file, int count) {
    m_gif.clear();
    m_frame = 0;
    return m_strip.Load(file, count) ? 1 : 0;
}

int LoadingWnd::LoadGifImage(const wchar_t* file) {
    if (file == nullptr) {
        return 0;
    }
    auto frames = LoadAnimationFile(WideToUtf8(Manager::GetThemeFolder() + file));
    if (frames.empty()) {
        return 0;
    }
    m_gif.clear();
    for (auto& f : frames) {
        m_gif.push_back(std::move(f.image));
    }
    m_strip.Reset();
    m_frame = 0;
    return 1;
}

int LoadingWnd::GetFrameCount() const {
    return !m_gif.empty() ? static_cast<int>(m_gif.size())
                          : (m_strip.Loaded() ? m_strip.Count() : 0);
}

void LoadingWnd::CloseWindow() {
    if (m_hwnd != nullptr) {
        ::DUI::PostMessageW(m_hwnd, WM_CLOSE, 0, 0);
    }
}

void LoadingWnd::DrawWindow() {
    if (m_hwnd == nullptr) {
        return;
    }
    RECT client;
    ::DUI::GetClientRect(m_hwnd, &client);
    const CRect c(client);
    Surface frame(c.Width(), c.Height());
    {
        Graphics g(&frame);
        if (m_back.Loaded()) {
            if (m_backMode == BACK_MODE_FRAME) {
                m_back.DrawNine(g, 0, c, m_backParam, m_backParam, m_backParam, m_backParam);
            } else {
                m_back.Draw(g, 0, c);
            }
        } else {
            g.RoundRect(0.5f, 0.5f, static_cast<float>(c.Width() - 1),
                        static_cast<float>(c.Height() - 1), 6, 0xFF3A3D42, 1, true, 0xF0181A1D);
        }
        if (!m_gif.empty()) {
            const Image* image = m_gif[m_frame % m_gif.size()].get();
            g.DrawImage(image, (c.Width() - image->GetWidth()) / 2,
                        (c.Height() - image->GetHeight()) / 2);
        } else if (m_strip.Loaded()) {
            m_strip.DrawAt(g, m_frame % m_strip.Count(), (c.Width() - m_strip.FrameWidth()) / 2,
                           (c.Height() - m_strip.FrameHeight()) / 2);
        }
    }
    PresentFrame(m_hwnd, frame, c);
}

long LoadingWnd::OnWindowMessage(unsigned msg, unsigned wParam, long lParam) {
    switch (msg) {
        case WM_TIMER:
            if (wParam == kFrameTimer) {
                const int count = GetFrameCount();
                m_frame = count > 0 ? (m_frame + 1) % count : 0;
                ::DUI::InvalidateRect(m_hwnd, nullptr, false);
                return 0;
            }
            break;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            BeginPaint(m_hwnd, &ps);
            DrawWindow();
            EndPaint(m_hwnd, &ps);
            return 0;
        }
        case WM_CLOSE:
            ::DUI::KillTimer(m_hwnd, kFrameTimer);
            ::DUI::DestroyWindow(m_hwnd);
            return 0;
        default:
            break;
    }
    return m_defaultProc(m_hwnd, msg, wParam, lParam);
}

}  // namespace DUI
