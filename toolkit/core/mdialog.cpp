#include "tessel/core/mdialog.h"

#include "tessel/controls/air_bladder.h"
#include "tessel/controls/mshadow.h"

#include "tessel/core/manager.h"

namespace DUI {

MDialog::MDialog() = default;

MDialog::~MDialog() {
    if (m_hwnd != nullptr && IsWindow(m_hwnd)) {
        ::DUI::DestroyWindow(m_hwnd);
    }
    m_manager.DestroyData();
}

long MDialog::OnBaseMessage(unsigned id, unsigned code, unsigned wParam, long lParam) {
    return OnMessage(id, code, wParam, lParam);
}

long MDialog::OnControlUpdate(CRect rect, int flag, MControl* control) {
    return m_manager.OnControlUpdate(rect, flag, control);
}

long MDialog::OnMessage(unsigned, unsigned, unsigned, long) {
    return 0;
}

long MDialog::OnWindowMessage(unsigned msg, unsigned wParam, long lParam) {
    if (m_shadowWnd) {
        MShadow::ParentProc(m_hwnd, msg, wParam, lParam);
    }
    const CPoint point(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    switch (msg) {
        case WM_CREATE:
            OnCreate(reinterpret_cast<CREATESTRUCTW*>(lParam));
            break;
        case WM_DESTROY:
            OnDestroy();
            break;
        case WM_SIZE:
            OnSize(wParam, LOWORD(static_cast<unsigned long>(lParam)),
                   HIWORD(static_cast<unsigned long>(lParam)));
            break;
        case WM_PAINT:
            OnPaint();
            break;
        case WM_CLOSE:
            OnClose();
            break;
        case WM_WINDOWPOSCHANGING:
            OnWindowPosChanging(lParam);
            break;
        case WM_WINDOWPOSCHANGED:
            OnWindowPosChanged(lParam);
            break;
        case WM_NCACTIVATE:
            OnNcActivate(static_cast<int>(wParam));
            break;
        case WM_TIMER:
            OnTimer(wParam);
            break;
        case WM_MOUSEMOVE:
            OnMouseMove(wParam, point);
            break;
        case WM_LBUTTONDOWN:
            OnLButtonDown(wParam, point);
            break;
        case WM_LBUTTONUP:
            OnLButtonUp(wParam, point);
            break;
        case WM_LBUTTONDBLCLK:
            OnLButtonDblClk(wParam, point);
            break;
        case WM_RBUTTONDOWN:
            OnRButtonDown(wParam, point);
            break;
        case WM_RBUTTONUP:
            OnRButtonUp(wParam, point);
            break;
        case WM_RBUTTONDBLCLK:
            OnRButtonDblClk(wParam, point);
            break;
        case WM_MOUSEHOVER:
            OnMouseHover(wParam, point);
            break;
        case WM_MOUSELEAVE:
            OnMouseLeave();
            break;
        case WM_ERASEBKGND:
            return 1;
        case WM_DUI_CLOSE:
            return OnUserCloseWindow(wParam, lParam);
        default:
            break;
    }
    if (const long handled = m_manager.OnWindowMessage(msg, wParam, lParam); handled != 0) {
        return handled;
    }
    return m_defaultProc(m_hwnd, msg, wParam, lParam);
}

int MDialog::PreTranslateMessage(MSG* msg) {
    return m_manager.PreTranslateMessage(msg);
}

int MDialog::OnInitDialog() {
    m_manager.Init(m_hwnd, this);
    RECT client{};
    if (m_hwnd != nullptr) {
        ::DUI::GetClientRect(m_hwnd, &client);
    }
    m_client = client;
    m_manager.SetClientRect(m_client);
    InitUI(m_client);
    if (m_shadowWnd && m_shadow.show) {
        m_shadowWnd->Create(&m_manager);
    }
    return 1;
}

void MDialog::OnDestroyMessage(HWND hwnd) {
    if (hwnd == m_manager.GetPaintWnd()) {
        m_manager.DestroyData();
    }
    PostNcDestroy();
}

POINT MDialog::GetAirBladderPoint(MControl* control, unsigned type) {
    if (control == nullptr) {
        return POINT{0, 0};
    }
    const CRect r = control->GetRect();
    POINT p{type == 1 ? (r.left + r.right) / 2 : type == 2 ? r.right : r.left, r.bottom};
    ClientToScreen(&p);
    return p;
}

void MDialog::OnMinimize() {
    ShowWindow(SW_MINIMIZE);
}

void MDialog::OnMaximize() {
    if (m_hwnd != nullptr && IsZoomed(m_hwnd)) {
        ShowWindow(SW_RESTORE);
    } else {
        ShowWindow(SW_SHOWMAXIMIZED);
    }
}

long MDialog::OnUserCloseWindow(unsigned wParam, long lParam) {
    PostMessageW(WM_CLOSE, wParam, lParam);
    return 1;
}

long MDialog::OnCreate(CREATESTRUCTW*) {
    if (m_hwnd != nullptr) {
        const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(m_hwnd, GWL_STYLE));
        SetWindowLongPtrW(m_hwnd, GWL_STYLE,
                          static_cast<long>((style & 0xFF3BFFFFu) | 0x06000008u));
    }
    return 0;
}

long MDialog::OnSize(unsigned, int, int) {
    if (m_hwnd == nullptr) {
        return 0;
    }
    if (!IsIconic()) {
        SetupBackTranslucent();
    }
    RECT client;
    ::DUI::GetClientRect(m_hwnd, &client);
    m_client = client;
    if (m_client.Width() > 1 && m_client.Height() > 1) {
        UISize(m_client);
        m_manager.SetClientRect(m_client);
    }
    ::DUI::InvalidateRect(m_hwnd, &client, false);
    return 0;
}

MControl* MDialog::CreateArea(const wchar_t* className, unsigned id, CRect rect,
                              const wchar_t* title, int visible, int enabled) {
    return m_manager.CreateControl(0, this, className, id, rect, title, visible, enabled);
}

MControl* MDialog::CreateControl(const wchar_t* className, unsigned id, CRect rect,
                                 const wchar_t* title, int visible, int enabled) {
    return m_manager.CreateControl(1, this, className, id, rect, title, visible, enabled);
}

void MDialog::DoOK() {
    PostMessageW(WM_DUI_CLOSE, IDOK, 0);
}
void MDialog::DoCancel() {
    PostMessageW(WM_DUI_CLOSE, IDCANCEL, 0);
}
void MDialog::DoClose() {
    PostMessageW(WM_DUI_CLOSE, IDCANCEL, 0);
}
void MDialog::DoYes() {
    PostMessageW(WM_DUI_CLOSE, IDYES, 0);
}
void MDialog::DoNo() {
    PostMessageW(WM_DUI_CLOSE, IDNO, 0);
}

int MDialog::CreateShadow(int show, bool) {
    m_shadow.created = 1;
    m_shadow.show = show;
    if (!m_shadowWnd) {
        m_shadowWnd = std::make_unique<MShadow>();
    }
    m_shadowWnd->ShowShadow(show);
    m_shadowWnd->SetSize(m_shadow.size);
    m_shadowWnd->SetSharpness(m_shadow.sharpness);
    m_shadowWnd->SetDarkness(m_shadow.darkness);
    m_shadowWnd->SetPosition(m_shadow.dx, m_shadow.dy);
    m_shadowWnd->SetColor(m_shadow.color);
    if (!m_shadow.imagePath.empty()) {
        m_shadowWnd->SetImage(m_shadow.imagePath.c_str());
    } else if (m_shadow.imageId != 0) {
        m_shadowWnd->SetImage(m_shadow.imageId);
    }
    m_shadowWnd->SetShadowCorner(m_shadow.imageGrid);
    if (show && m_hwnd != nullptr) {
        m_shadowWnd->Create(&m_manager);
    }
    return 1;
}

int MDialog::SetSize(int size) {
    if (size < -35 || size > 35) {
        return 0;
    }
    m_shadow.size = size;
    if (m_shadowWnd) {
        m_shadowWnd->SetSize(size);
    }
    return 1;
}

int MDialog::SetSharpness(unsigned sharpness) {
    if (sharpness > 35) {
        return 0;
    }
    m_shadow.sharpness = sharpness;
    if (m_shadowWnd) {
        m_shadowWnd->SetSharpness(sharpness);
    }
    return 1;
}

int MDialog::SetDarkness(unsigned darkness) {
    if (darkness > 255) {
        return 0;
    }
    m_shadow.darkness = darkness;
    if (m_shadowWnd) {
        m_shadowWnd->SetDarkness(darkness);
    }
    return 1;
}

int MDialog::SetPosition(int dx, int dy) {
    if (dx < -35 || dx > 35 || dy < -35 || dy > 35) {
        return 0;
    }
    m_shadow.dx = dx;
    m_shadow.dy = dy;
    if (m_shadowWnd) {
        m_shadowWnd->SetPosition(dx, dy);
    }
    return 1;
}

int MDialog::SetShadowColor(DWORD color) {
    m_shadow.color = color;
    if (m_shadowWnd) {
        m_shadowWnd->SetColor(color);
    }
    return 1;
}

int MDialog::SetShadowImage(CString path, CRect grid) {
    if (grid.left < 0 || grid.top < 0 || grid.right < 0 || grid.bottom < 0) {
        return 0;
    }
    m_shadow.imagePath = std::move(path);
    m_shadow.imageId = 0;
    m_shadow.imageGrid = grid;
    if (m_shadowWnd) {
        m_shadowWnd->SetImage(m_shadow.imagePath.c_str());
        m_shadowWnd->SetShadowCorner(grid);
    }
    return 1;
}

int MDialog::SetShadowImage(unsigned id, CRect grid) {
    if (grid.left < 0 || grid.top < 0 || grid.right < 0 || grid.bottom < 0) {
        return 0;
    }
    m_shadow.imagePath.clear();
    m_shadow.imageId = id;
    m_shadow.imageGrid = grid;
    if (m_shadowWnd) {
        m_shadowWnd->SetImage(id);
        m_shadowWnd->SetShadowCorner(grid);
    }
    return 1;
}

int MDialog::SetShadowShow(int show) {
    m_shadow.show = show;
    if (m_shadowWnd) {
        if (show && m_shadowWnd->GetShadowWnd() == nullptr && m_hwnd != nullptr) {
            m_shadowWnd->ShowShadow(1);
            m_shadowWnd->Create(&m_manager);
        } else {
            m_shadowWnd->ShowShadow(show);
        }
    }
    return 1;
}

int MDialog::SetAirBladderMsg(const wchar_t* text, POINT screenPoint, AIRBLADDER_TYPE type) {
    if (screenPoint.x == 0 || screenPoint.y == 0) {
        return 0;
    }
    m_balloonText = text != nullptr ? text : L"";
    m_balloonPoint = screenPoint;
    m_balloonType = type;
    MAirBladder* balloon = GetAirBladder(&m_manager);
    if (balloon == nullptr) {
        return 0;
    }
    return balloon->SetAirBladderMsg(m_balloonText.c_str(), screenPoint, type,
                                     AIRBLADDER_MODE_NONE);
}

void MDialog::SetupBackTranslucent() {
    if (m_hwnd == nullptr) {
        return;
    }
    if (m_alpha != 255) {
        ModifyExStyle(0, WS_EX_LAYERED);
        SetLayeredWindowAttributes(m_hwnd, 0, m_alpha, LWA_ALPHA);
    } else if (m_colorKey != 0xFFFFFF) {
        ModifyExStyle(0, WS_EX_LAYERED);
        SetLayeredWindowAttributes(m_hwnd, m_colorKey, 255, LWA_COLORKEY);
    }
}

}  // namespace DUI
