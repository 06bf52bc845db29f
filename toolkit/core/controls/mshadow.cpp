#include "tessel/controls/mshadow.h"

#include <vector>

#include "tessel/core/paint_manager.h"

namespace DUI {
namespace {

std::recursive_mutex& MapLock() {
    static std::recursive_mutex lock;
    return lock;
}

bool& ClassRegistered() {
    static bool registered = false;
    return registered;
}

constexpr wchar_t kShadowClass[] = L"ShadowWnd";

// A box blur of an alpha mask, run twice for a soft edge.
void Blur(std::vector<int>& mask, int w, int h, int radius) {
    if (radius <= 0) {
        return;
    }
    std::vector<int> tmp(mask.size());
    for (int pass = 0; pass < 2; ++pass) {
        for (int y = 0; y < h; ++y) {
            int sum = 0;
            for (int x = -radius; x <= radius; ++x) {
                sum += mask[y * w + std::clamp(x, 0, w - 1)];
            }
            for (int x = 0; x < w; ++x) {
                tmp[y * w + x] = sum / (2 * radius + 1);
                sum += mask[y * w + std::min(x + radius + 1, w - 1)] -
                       mask[y * w + std::max(x - radius, 0)];
            }
        }
        for (int x = 0; x < w; ++x) {
            int sum = 0;
            for (int y = -radius; y <= radius; ++y) {
                sum += tmp[std::clamp(y, 0, h - 1) * w + x];
            }
            for (int y = 0; y < h; ++y) {
                mask[y * w + x] = sum / (2 * radius + 1);
                sum += tmp[std::min(y + radius + 1, h - 1) * w + x] -
                       tmp[std::max(y - radius, 0) * w + x];
            }
        }
    }
}

}  // namespace

MShadow::MShadow() = default;

MShadow::~MShadow() {
    {
        std::lock_guard lock(MapLock());
        auto& map = GetShadowMap();
        for (auto it = map.begin(); it != map.end();) {
            it = it->second == this ? map.erase(it) : std::next(it);
        }
    }
    if (m_hwnd != nullptr && IsWindow(m_hwnd)) {
        DestroyWindow(m_hwnd);
    }
}

std::map<HWND, MShadow*>& MShadow::GetShadowMap() {
    static std::map<HWND, MShadow*> map;
    return map;
}

bool MShadow::Initialize(HINSTANCE instance, bool force) {
    std::lock_guard lock(MapLock());
    if (ClassRegistered() && !force) {
        return true;
    }
    WNDCLASSEXW wc;
    wc.lpfnWndProc = ShadowProc;
    wc.hInstance = instance;
    wc.lpszClassName = kShadowClass;
    const bool ok = RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    ClassRegistered() = ok;
    return ok;
}

LRESULT MShadow::ShadowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCHITTEST) {
        return -1;  // click-through
    }
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        BeginPaint(hwnd, &ps);
        EndPaint(hwnd, &ps);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

int MShadow::Create(PaintManager* manager) {
    if (!m_show || manager == nullptr || manager->GetPaintWnd() == nullptr) {
        return 0;
    }
    if (!Initialize(nullptr)) {
        return 0;
    }
    m_manager = manager;
    m_owner = manager->GetPaintWnd();
    {
        std::lock_guard lock(MapLock());
        GetShadowMap()[m_owner] = this;
    }
    if (m_hwnd == nullptr) {
        m_hwnd = CreateWindowExW(WS_EX_LAYERED | WS_EX_TOOLWINDOW, kShadowClass, L"", WS_POPUP, 0,
                                 0, 1, 1, m_owner, nullptr, nullptr, nullptr);
    }
    if (m_hwnd == nullptr) {
        return 0;
    }
    if (!IsWindowVisible(m_owner)) {
        m_state = 0;
        m_redrawPending = true;
        return 1;
    }
    m_state = kStateParentVisible;
    if (IsIconic(m_owner) || IsZoomed(m_owner)) {
        return 1;
    }
    m_state |= kStateParentRestored;
    Update(m_owner);
    ::DUI::ShowWindow(m_hwnd, SW_SHOWNOACTIVATE);
    m_state |= kStateShowing;
    return 1;
}

CRect MShadow::ShadowRect() const {
    RECT owner;
    GetWindowRect(m_owner, &owner);
    CRect r(owner);
    const int grow = m_size + static_cast<int>(m_sharpness);
    r.InflateRect(grow, grow);
    r.OffsetRect(m_dx, m_dy);
    return r;
}

void MShadow::Place() {
    if (m_hwnd == nullptr || m_owner == nullptr) {
        return;
    }
    const CRect r = ShadowRect();
    SetWindowPos(m_hwnd, nullptr, r.left, r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

DWORD MShadow::PreMultiply(DWORD bgr, BYTE alpha) {
    const auto scale = [alpha](BYTE c) { return static_cast<BYTE>(c * alpha / 255); };
    return MakeARGB(alpha, scale(GetRValue(bgr)), scale(GetGValue(bgr)), scale(GetBValue(bgr)));
}

void MShadow::MakeShadow(Surface& target, const CRect& ownerRect) {
    const int w = target.GetWidth();
    const int h = target.GetHeight();
    if (m_image.Loaded()) {
        Graphics g(&target);
        m_image.DrawNine(g, 0, CRect(0, 0, w, h), m_corners.left, m_corners.top, m_corners.right,
                         m_corners.bottom);
        return;
    }
    // The owner's shape grown by the size, blurred by the sharpness, darkened to the darkness.
    std::vector<int> mask(static_cast<size_t>(w) * h, 0);
    const int grow = m_size + static_cast<int>(m_sharpness);
    const CRect shape(grow - m_size, grow - m_size, grow + ownerRect.Width() + m_size,
                      grow + ownerRect.Height() + m_size);
    for (int y = std::max(0, shape.top); y < std::min(h, shape.bottom); ++y) {
        for (int x = std::max(0, shape.left); x < std::min(w, shape.right); ++x) {
            mask[y * w + x] = 255;
        }
    }
    Blur(mask, w, h, static_cast<int>(m_sharpness));
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            // Straight colour here: the surface premultiplies as it stores (PreMultiply's rule).
            const BYTE alpha =
                static_cast<BYTE>(mask[y * w + x] * static_cast<int>(m_darkness) / 255);
            target.SetPixel(x, y,
                            alpha == 0 ? 0
                                       : MakeARGB(alpha, GetRValue(m_color), GetGValue(m_color),
                                                  GetBValue(m_color)));
        }
    }
    target.MarkDirty();
}

void MShadow::Update(HWND owner) {
    if (m_hwnd == nullptr || owner == nullptr) {
        return;
    }
    RECT ownerRaw;
    GetWindowRect(owner, &ownerRaw);
    const CRect ownerRect(ownerRaw);
    const CRect r = ShadowRect();
    Surface shadow(r.Width(), r.Height());
    MakeShadow(shadow, ownerRect);
    SetWindowPos(m_hwnd, nullptr, r.left, r.top, r.Width(), r.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    UpdateLayeredWindow(m_hwnd, shadow);
    m_drawnSize = CSize(ownerRect.Width(), ownerRect.Height());
    m_redrawPending = false;
}

void MShadow::ShowShadow(int show) {
    m_show = show ? 1 : 0;
    if (m_hwnd == nullptr) {
        return;
    }
    if (!m_show) {
        ::DUI::ShowWindow(m_hwnd, SW_HIDE);
        m_state &= static_cast<BYTE>(~kStateShowing);
    } else if ((m_state & (kStateParentVisible | kStateParentRestored)) ==
               (kStateParentVisible | kStateParentRestored)) {
        Update(m_owner);
        ::DUI::ShowWindow(m_hwnd, SW_SHOWNOACTIVATE);
        m_state |= kStateShowing;
    }
}

int MShadow::SetSize(int size) {
    if (size < -35 || size > 35) {
        return 0;
    }
    m_size = size;
    if (m_state & kStateShowing) {
        Update(m_owner);
    }
    return 1;
}

int MShadow::SetSharpness(unsigned sharpness) {
    if (sharpness > 35) {
        return 0;
    }
    m_sharpness = sharpness;
    if (m_state & kStateShowing) {
        Update(m_owner);
    }
    return 1;
}

int MShadow::SetDarkness(unsigned darkness) {
    if (darkness > 255) {
        return 0;
    }
    m_darkness = darkness;
    if (m_state & kStateShowing) {
        Update(m_owner);
    }
    return 1;
}

int MShadow::SetPosition(int dx, int dy) {
    if (dx < -35 || dx > 35 || dy < -35 || dy > 35) {
        return 0;
    }
    m_dx = dx;
    m_dy = dy;
    if (m_state & kStateShowing) {
        Update(m_owner);
    }
    return 1;
}

int MShadow::SetColor(DWORD bgr) {
    m_color = bgr & 0xFFFFFF;
    if (m_state & kStateShowing) {
        Update(m_owner);
    }
    return 1;
}

int MShadow::SetImage(const wchar_t* file) {
    if (!m_image.Load(file, 1)) {
        return 0;
    }
    if (m_state & kStateShowing) {
        Update(m_owner);
    }
    return 1;
}

int MShadow::SetImage(unsigned id, CString type) {
    if (!m_image.Load(id, type, 1)) {
        return 0;
    }
    if (m_state & kStateShowing) {
        Update(m_owner);
    }
    return 1;
}

int MShadow::SetShadowCorner(RECT corners) {
    if (corners.left < 0 || corners.top < 0 || corners.right < 0 || corners.bottom < 0) {
        return 0;
    }
    m_corners = corners;
    if (m_state & kStateShowing) {
        Update(m_owner);
    }
    return 1;
}

void MShadow::CopyShadow(MShadow* other) {
    if (other == nullptr) {
        return;
    }
    m_size = other->m_size;
    m_sharpness = other->m_sharpness;
    m_darkness = other->m_darkness;
    m_dx = other->m_dx;
    m_dy = other->m_dy;
    m_color = other->m_color;
    m_corners = other->m_corners;
    m_show = other->m_show;
    if (m_state & kStateShowing) {
        Update(m_owner);
    }
}

LRESULT MShadow::ParentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    MShadow* shadow = nullptr;
    {
        std::lock_guard lock(MapLock());
        const auto it = GetShadowMap().find(hwnd);
        if (it != GetShadowMap().end()) {
            shadow = it->second;
        }
    }
    if (shadow != nullptr) {
        shadow->OnParentMessage(msg, wParam, lParam);
    }
    return 0;
}

void MShadow::OnParentMessage(UINT msg, WPARAM wParam, LPARAM) {
    if (m_disabled) {
        if (msg == WM_NCDESTROY) {
            std::lock_guard lock(MapLock());
            GetShadowMap().erase(m_owner);
        }
        return;
    }
    const auto showNow = [this] {
        if (!m_show || m_hwnd == nullptr) {
            return;
        }
        Update(m_owner);
        ::DUI::ShowWindow(m_hwnd, SW_SHOWNOACTIVATE);
        m_state |= kStateShowing;
    };
    switch (msg) {
        case WM_DESTROY:
            if (m_hwnd != nullptr) {
                DestroyWindow(m_hwnd);
                m_hwnd = nullptr;
            }
            m_state = 0;
            break;
        case WM_MOVE:
        case WM_WINDOWPOSCHANGED:
            if (m_state & kStateShowing) {
                Place();
            }
            break;
        case WM_SIZE:
            if (wParam == SIZE_MINIMIZED || wParam == SIZE_MAXIMIZED) {
                if (m_hwnd != nullptr) {
                    ::DUI::ShowWindow(m_hwnd, SW_HIDE);
                }
                m_state &= static_cast<BYTE>(~(kStateShowing | kStateParentRestored));
            } else if (m_state & kStateParentVisible) {
                RECT r;
                GetWindowRect(m_owner, &r);
                const CRect owner(r);
                const bool restored = (m_state & kStateParentRestored) == 0;
                m_state |= kStateParentRestored;
                if (owner.Width() > m_drawnSize.cx || owner.Height() > m_drawnSize.cy) {
                    m_redrawPending = true;
                }
                if (restored || (m_state & kStateShowing)) {
                    showNow();
                }
            }
            break;
        case WM_PAINT:
            if (m_redrawPending && (m_state & kStateShowing)) {
                Update(m_owner);
            }
            break;
        case WM_SHOWWINDOW:
            if (wParam) {
                m_state |= kStateParentVisible;
                if (!IsIconic(m_owner) && !IsZoomed(m_owner)) {
                    m_state |= kStateParentRestored;
                    showNow();
                }
            } else {
                if (m_hwnd != nullptr) {
                    ::DUI::ShowWindow(m_hwnd, SW_HIDE);
                }
                m_state = 0;
            }
            break;
        case WM_NCDESTROY: {
            std::lock_guard lock(MapLock());
            GetShadowMap().erase(m_owner);
            break;
        }
        default:
            break;
    }
}

}  // namespace DUI
