#include "tessel/controls/air_bladder.h"

#include <map>
#include <memory>

#include "tessel/core/manager.h"
#include "tessel/core/mrender.h"
#include "tessel/core/paint_manager.h"
#include "tessel/platform/window.h"

namespace DUI {
namespace {

constexpr DWORD kBalloonText = 0xFF1E1E1E;
constexpr int kArrowDepth = 8;

struct BalloonEntry {
    HWND owner = nullptr;
    std::unique_ptr<MAirBladder> balloon;
    unsigned ownerId = 0;
};

std::mutex& RegistryLock() {
    static std::mutex lock;
    return lock;
}

std::map<PaintManager*, BalloonEntry>& Registry() {
    static std::map<PaintManager*, BalloonEntry> registry;
    return registry;
}

// The entry of a manager whose window is still the one the balloon was made for.
BalloonEntry* LiveEntry(PaintManager* manager) {
    auto& registry = Registry();
    const auto it = registry.find(manager);
    if (it == registry.end()) {
        return nullptr;
    }
    if (it->second.owner != manager->GetPaintWnd() || !IsWindow(it->second.owner) ||
        it->second.balloon->GetSafeHwnd() == nullptr) {
        registry.erase(it);
        return nullptr;
    }
    return &it->second;
}

Font BalloonFont() {
    Font font;
    font.family = Manager::GetFontName();
    font.size = 14;
    return font;
}

}  // namespace

MAirBladder::MAirBladder() = default;

MAirBladder::~MAirBladder() {
    if (m_hwnd != nullptr) {
        ::DUI::DestroyWindow(m_hwnd);
    }
}

bool MAirBladder::CreateFor(HWND owner) {
    if (m_hwnd != nullptr) {
        return true;
    }
    return Create(owner, L"AirBladder Window", WS_POPUP, WS_EX_TOOLWINDOW | WS_EX_TOPMOST,
                  CRect(0, 0, 1, 1)) != nullptr;
}

int MAirBladder::LoadBKImage(const wchar_t* file) {
    return m_back.Load(file, 1) ? 1 : 0;
}
int MAirBladder::LoadBKImage(unsigned id, CString type) {
    return m_back.Load(id, type, 1) ? 1 : 0;
}
int MAirBladder::LoadArrowLImage(const wchar_t* file) {
    return m_arrowL.Load(file, 1) ? 1 : 0;
}
int MAirBladder::LoadArrowLImage(unsigned id, CString type) {
    return m_arrowL.Load(id, type, 1) ? 1 : 0;
}
int MAirBladder::LoadArrowRImage(const wchar_t* file) {
    return m_arrowR.Load(file, 1) ? 1 : 0;
}
int MAirBladder::LoadArrowRImage(unsigned id, CString type) {
    return m_arrowR.Load(id, type, 1) ? 1 : 0;
}
int MAirBladder::LoadArrowTImage(const wchar_t* file) {
    return m_arrowT.Load(file, 1) ? 1 : 0;
}
int MAirBladder::LoadArrowTImage(unsigned id, CString type) {
    return m_arrowT.Load(id, type, 1) ? 1 : 0;
}

void MAirBladder::SetBackMode(enumBackMode mode, int parameter) {
    m_backMode = mode;
    m_backParam = parameter;
}

int MAirBladder::SetAirBladderMsg(const wchar_t* text, POINT point, AIRBLADDER_TYPE type,
                                  AIRBLADDER_MODE mode) {
    const CString value = text != nullptr ? text : L"";
    {
        std::lock_guard lock(m_lock);
        if (m_hasMessage && value == m_text && point.x == m_point.x && point.y == m_point.y &&
            type == m_type && mode == m_mode) {
            return 1;
        }
        m_hasMessage = true;
        m_text = value;
        m_point = point;
        m_type = type;
        m_mode = mode;
    }
    AutoFit();
    Show(1);
    return 1;
}

void MAirBladder::AutoFit() {
    CString text;
    POINT p;
    int type;
    {
        std::lock_guard lock(m_lock);
        text = m_text;
        p = m_point;
        type = m_type;
    }
    const Font font = BalloonFont();
    int lines = 1;
    int width = 0;
    size_t start = 0;
    while (true) {
        const size_t end = text.find(L'\n', start);
        const CString line = text.substr(start, end == CString::npos ? CString::npos : end - start);
        width = std::max(width, MeasureString(line, font, 0, false).cx);
        if (end == CString::npos) {
            break;
        }
        ++lines;
        start = end + 1;
    }
    const int lineHeight = MeasureString(L"Ag", font, 0, false).cy;
    const int W = width;
    const int H = lines * lineHeight;
    CRect r;
    switch (type) {
        case 1:
            r = CRect(p.x, p.y, p.x + W + 40, p.y + H + 20);
            break;
        case 2:
            r = CRect(p.x - W - 40, p.y - 27, p.x, p.y + H - 7);
            break;
        case 3:
            r = CRect(p.x - 25, p.y, p.x + W + 15, p.y + H + 30);
            break;
        case 4: {
            const int left = p.x - (W + 30) / 2;
            r = CRect(left, p.y - H - 20, left + W + 30, p.y);
            break;
        }
        case 5:
            // The table's bottom (y + H - 45) lies above the top for one or two lines, which
            // would leave the help balloon invisible: keep at least the height type 1 gets.
            r = CRect(p.x, p.y - 10, p.x + W + 40, std::max(p.y + H - 45, p.y - 10 + H + 20));
            break;
        default:
            r = CRect();
            break;
    }
    {
        std::lock_guard lock(m_lock);
        m_lines = lines;
        m_textW = W;
        m_textH = H;
        m_placement = r;
    }
    if (m_hwnd != nullptr) {
        ::DUI::MoveWindow(m_hwnd, r.left, r.top, std::max(0, r.Width()), std::max(0, r.Height()),
                          true);
        ::DUI::InvalidateRect(m_hwnd, nullptr, false);
    }
}

void MAirBladder::Show(int show) {
    if (m_hwnd == nullptr) {
        return;
    }
    if (!show) {
        ::DUI::KillTimer(m_hwnd, kHideTimer);
        ::DUI::ShowWindow(m_hwnd, SW_HIDE);
        return;
    }
    int type;
    {
        std::lock_guard lock(m_lock);
        type = m_type;
    }
    ::DUI::ShowWindow(m_hwnd, SW_SHOWNOACTIVATE);
    ::DUI::InvalidateRect(m_hwnd, nullptr, false);
    if (type != 4) {
        ::DUI::SetTimer(m_hwnd, kHideTimer, kHideMs);
    } else {
        ::DUI::KillTimer(m_hwnd, kHideTimer);
    }
}

bool MAirBladder::IsShowing() const {
    return m_hwnd != nullptr && ::DUI::IsWindowVisible(m_hwnd);
}

void MAirBladder::CloseWindow() {
    if (m_hwnd != nullptr) {
        ::DUI::PostMessageW(m_hwnd, WM_CLOSE, 0, 0);
    }
}

CString MAirBladder::GetText() const {
    std::lock_guard lock(m_lock);
    return m_text;
}

CRect MAirBladder::GetPlacement() const {
    std::lock_guard lock(m_lock);
    return m_placement;
}

long MAirBladder::OnWindowMessage(unsigned msg, unsigned wParam, long lParam) {
    switch (msg) {
        case WM_TIMER:
            if (wParam == kHideTimer) {
                Show(0);
                return 0;
            }
            break;
        case WM_PAINT:
            Paint();
            return 0;
        case WM_CLOSE:
            Show(0);
            return 0;
        default:
            break;
    }
    return m_defaultProc != nullptr ? m_defaultProc(m_hwnd, msg, wParam, lParam)
                                    : DefWindowProcW(m_hwnd, msg, wParam, lParam);
}

void MAirBladder::Paint() {
    PAINTSTRUCT ps;
    BeginPaint(m_hwnd, &ps);
    RECT client;
    ::DUI::GetClientRect(m_hwnd, &client);
    const CRect c(client);
    Surface frame(c.Width(), c.Height());
    CString text;
    int type;
    {
        std::lock_guard lock(m_lock);
        text = m_text;
        type = m_type;
    }
    {
        Graphics g(&frame);
        CRect body = c;
        const ImageStrip* arrow = nullptr;
        int ax = 0;
        int ay = 0;
        switch (type) {
            case 1:
            case 5:
                body.left += kArrowDepth;
                arrow = &m_arrowL;
                ax = 0;
                ay = type == 5 ? 10 - m_arrowL.FrameHeight() / 2 : 4;
                break;
            case 2:
                body.right -= kArrowDepth;
                arrow = &m_arrowR;
                ax = c.right - m_arrowR.FrameWidth();
                ay = 27 - m_arrowR.FrameHeight() / 2;
                break;
            case 3:
                body.top += kArrowDepth;
                arrow = &m_arrowT;
                ax = 25 - m_arrowT.FrameWidth() / 2;
                ay = 0;
                break;
            default:
                break;
        }
        if (m_back.Loaded()) {
            if (m_backMode == BACK_MODE_FRAME) {
                m_back.DrawNine(g, 0, body, m_backParam, m_backParam, m_backParam, m_backParam);
            } else {
                m_back.Draw(g, 0, body);
            }
        } else {
            g.RoundRect(static_cast<float>(body.left), static_cast<float>(body.top),
                        static_cast<float>(body.Width()), static_cast<float>(body.Height()), 4,
                        0xFF767676, 1, true, 0xFFF5F5F5);
        }
        if (arrow != nullptr && arrow->Loaded()) {
            arrow->DrawAt(g, 0, ax, std::max(0, ay));
        }
        TextFormat f;
        f.hAlign = (m_lines <= 1 || type == 4) ? DT_CENTER : DT_LEFT;
        f.vAlign = DT_VCENTER;
        CRect textRect = body;
        textRect.DeflateRect(type == 4 ? 15 : 12, 4);
        g.DrawString(text, textRect, BalloonFont(), kBalloonText, f);
    }
    PresentFrame(m_hwnd, frame, c);
    EndPaint(m_hwnd, &ps);
}

MAirBladder* GetAirBladder(PaintManager* manager) {
    if (manager == nullptr || manager->GetPaintWnd() == nullptr) {
        return nullptr;
    }
    std::lock_guard lock(RegistryLock());
    if (BalloonEntry* entry = LiveEntry(manager)) {
        return entry->balloon.get();
    }
    auto balloon = std::make_unique<MAirBladder>();
    if (!balloon->CreateFor(manager->GetPaintWnd())) {
        return nullptr;
    }
    balloon->LoadBKImage(L"img_tip_bk.png");
    balloon->LoadArrowLImage(L"img_tip_arrow_left.png");
    balloon->LoadArrowRImage(L"img_tip_arrow_right.png");
    balloon->LoadArrowTImage(L"img_tip_arrow_top.png");
    BalloonEntry& entry = Registry()[manager];
    entry.owner = manager->GetPaintWnd();
    entry.balloon = std::move(balloon);
    entry.ownerId = 0;
    return entry.balloon.get();
}

int ShowAirBladder(PaintManager* manager, int show, unsigned owner) {
    if (manager == nullptr) {
        return 0;
    }
    std::lock_guard lock(RegistryLock());
    BalloonEntry* entry = LiveEntry(manager);
    if (entry == nullptr) {
        return 0;
    }
    if (show) {
        entry->ownerId = owner;
        entry->balloon->Show(1);
        return 1;
    }
    if (entry->ownerId != 0 && entry->ownerId != owner) {
        return 0;
    }
    entry->balloon->Show(0);
    entry->ownerId = 0;
    return 1;
}

unsigned GetAirBladderOwner(PaintManager* manager) {
    std::lock_guard lock(RegistryLock());
    BalloonEntry* entry = manager != nullptr ? LiveEntry(manager) : nullptr;
    return entry != nullptr ? entry->ownerId : 0;
}

void SetAirBladderOwner(PaintManager* manager, unsigned owner) {
    std::lock_guard lock(RegistryLock());
    if (BalloonEntry* entry = manager != nullptr ? LiveEntry(manager) : nullptr) {
        entry->ownerId = owner;
    }
}

}  // namespace DUI
