#include "tessel/controls/popup.h"

#include "tessel/core/control_factory.h"
#include "tessel/core/manager.h"
#include "tessel/core/mrender.h"
#include "tessel/platform/window.h"

namespace DUI {

// ---- MPopupWnd ----

MPopupWnd::MPopupWnd() = default;

MPopupWnd::~MPopupWnd() {
    onDestroyed = nullptr;
    if (m_hwnd != nullptr) {
        ::DUI::DestroyWindow(m_hwnd);
    }
}

int MPopupWnd::OnInitDialog() {
    m_manager.Init(m_hwnd, this);
    RECT client{};
    if (m_hwnd != nullptr) {
        ::DUI::GetClientRect(m_hwnd, &client);
    }
    InitUI(client);
    return 1;
}

void MPopupWnd::OnDestroyMessage(HWND hwnd) {
    if (hwnd == m_manager.GetPaintWnd()) {
        m_manager.DestroyData();
    }
    if (auto done = std::move(onDestroyed)) {
        done();
    }
}

long MPopupWnd::OnWindowMessage(unsigned msg, unsigned wParam, long lParam) {
    switch (msg) {
        case WM_CLOSE:
        case WM_DUI_CLOSE:
            // Nothing of this object may be touched once the window is gone.
            ::DUI::DestroyWindow(m_hwnd);
            return 0;
        case WM_NCACTIVATE:
            if (wParam == 0 && m_closeOnDeactivate) {
                CloseWindow();
            }
            break;
        case WM_SIZE: {
            RECT client;
            ::DUI::GetClientRect(m_hwnd, &client);
            m_manager.SetClientRect(client);
            UISize(client);
            break;
        }
        case WM_ERASEBKGND:
            return 1;
        default:
            break;
    }
    if (const long handled = m_manager.OnWindowMessage(msg, wParam, lParam); handled != 0) {
        return handled;
    }
    return m_defaultProc(m_hwnd, msg, wParam, lParam);
}

int MPopupWnd::PreTranslateMessage(MSG* msg) {
    return m_manager.PreTranslateMessage(msg);
}

long MPopupWnd::OnBaseMessage(unsigned id, unsigned code, unsigned wParam, long lParam) {
    return OnMessage(id, code, wParam, lParam);
}

long MPopupWnd::OnControlUpdate(CRect rect, int flag, MControl* control) {
    return m_manager.OnControlUpdate(rect, flag, control);
}

long MPopupWnd::OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) {
    return m_parentObject != nullptr ? m_parentObject->OnBaseMessage(id, code, wParam, lParam) : 0;
}

void MPopupWnd::SetupBackTranslucent() {
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

MControl* MPopupWnd::CreateArea(const wchar_t* className, unsigned id, CRect rect,
                                const wchar_t* title, int visible, int enabled) {
    return m_manager.CreateControl(0, this, className, id, rect, title, visible, enabled);
}

MControl* MPopupWnd::CreateControl(const wchar_t* className, unsigned id, CRect rect,
                                   const wchar_t* title, int visible, int enabled) {
    return m_manager.CreateControl(1, this, className, id, rect, title, visible, enabled);
}

long MPopupWnd::SendMessageToParent(unsigned code, unsigned wParam, long lParam) {
    return m_parentObject != nullptr
               ? m_parentObject->OnBaseMessage(m_parentId, code, wParam, lParam)
               : 0;
}

void MPopupWnd::CloseWindow() {
    if (m_hwnd != nullptr) {
        ::DUI::PostMessageW(m_hwnd, WM_CLOSE, 0, 0);
    }
}

void MPopupWnd::SetParent(MObject* parent, unsigned id) {
    m_parentObject = parent;
    m_parentId = id;
}

// ---- MenuItem ----

MenuItem::MenuItem(MObject* parent, unsigned id, CRect rect, const wchar_t* title, int visible,
                   int enabled)
    : MControlFont(parent, id, rect, title, visible, enabled, 1) {
    m_textColor = 0xFFE6E6E6;
}

void MenuItem::SetValue(const wchar_t* value) {
    std::lock_guard lock(m_textLock);
    m_value = value != nullptr ? value : L"";
}

CString MenuItem::GetValue() const {
    std::lock_guard lock(m_textLock);
    return m_value;
}

void MenuItem::SetGroupName(const wchar_t* group) {
    std::lock_guard lock(m_textLock);
    m_group = group != nullptr ? group : L"";
}

CString MenuItem::GetGroupName() const {
    std::lock_guard lock(m_textLock);
    return m_group;
}

void MenuItem::SetCheck(int check) {
    m_check = check ? 1 : 0;
    UpdateControl(1, 0);
}

int MenuItem::SetIconImage(const wchar_t* file, int count) {
    if (!m_icon.Load(file, count)) {
        return 0;
    }
    UpdateControl(1, 0);
    return 1;
}

void MenuItem::DrawControl(HDC& hdc, CRect) {
    if (hdc == nullptr) {
        return;
    }
    const CRect r = GetRect();
    Graphics g(hdc);
    if (m_separator) {
        g.FillRect(r, 0xFF3A3D42);
        return;
    }
    const int frame = !IsEnabled() ? 3 : m_pressing ? 2 : m_hover ? 1 : 0;
    if (ImgResInfo* row = m_rowImage.load(); row != nullptr && row->image && frame != 0) {
        const int frames = std::max(1, row->frameCount);
        const int fw = row->image->GetWidth() / frames;
        MRender::DrawImageFrame(g, row->image.get(), r, std::min(frame, frames - 1) * fw, 0, fw,
                                row->image->GetHeight(), 4);
    } else if (frame == 1 || frame == 2) {
        g.FillRect(r, 0xFF2C3E50);
    }
    int x = r.left + m_iconWidth;
    if (m_icon.Loaded()) {
        const int y = r.top + (r.Height() - m_icon.FrameHeight()) / 2;
        m_icon.DrawAt(g, std::min(frame, m_icon.Count() - 1), x, y);
        x += m_icon.FrameWidth() + 6;
    } else if (m_check) {
        const float cy = static_cast<float>(r.top + r.bottom) / 2;
        const float cx = static_cast<float>(x + 4);
        g.DrawLine(cx, cy, cx + 3, cy + 3, Manager::GetSelectColor().argb, 2);
        g.DrawLine(cx + 3, cy + 3, cx + 9, cy - 4, Manager::GetSelectColor().argb, 2);
        x += 16;
    } else {
        x += 16;
    }
    TextFormat f;
    f.hAlign = DT_LEFT;
    f.vAlign = DT_VCENTER;
    const DWORD color = !IsEnabled()           ? 0xFF808080
                        : (m_hover || m_check) ? Manager::GetSelectColor().argb
                                               : GetTextColor();
    g.DrawString(GetTitle(), CRect(x, r.top, r.right - 4, r.bottom), MakeFont(), color, f);
}

int MenuItem::OnControlMouseMove(unsigned, CPoint point) {
    if (m_separator || !IsEnabled()) {
        return 0;
    }
    const int inside = GetRect().PtInRect(point) ? 1 : 0;
    if (m_hover.exchange(inside) != inside) {
        UpdateControl(0, 0);
    }
    return inside;
}

int MenuItem::OnControlLButtonDown(unsigned, CPoint point) {
    if (m_separator || !IsEnabled() || !GetRect().PtInRect(point)) {
        return 0;
    }
    m_pressing = 1;
    UpdateControl(0, 0);
    return 1;
}

int MenuItem::OnControlLButtonUp(unsigned, CPoint point) {
    const bool click = m_pressing.exchange(0) != 0 && IsEnabled() && GetRect().PtInRect(point);
    UpdateControl(0, 0);
    if (!click) {
        return 0;
    }
    SendMessageW(2, 0, 0);
    return 1;
}

// ---- MenuWnd ----

MenuWnd::MenuWnd(MObject* parent) {
    SetParent(parent);
}

int MenuWnd::CreateWindowAt(CPoint point, int width) {
    m_width = width > 0 ? width : m_width;
    m_manager.SetBackColor(0x15170B, 0x120F0A);
    SetCloseOnDeactivate(true);
    HWND hwnd = MWindow::Create(m_owner, L"Menu Window", WS_POPUP, WS_EX_TOOLWINDOW | WS_EX_TOPMOST,
                                CRect(point.x, point.y, point.x + m_width, point.y + m_width));
    if (hwnd == nullptr) {
        return 0;
    }
    SetMenuPoint();
    ::DUI::ShowWindow(hwnd, SW_SHOW);
    return 1;
}

int MenuWnd::Create(HWND owner, CPoint point, unsigned message, int width) {
    m_owner = owner;
    m_message = message;
    return CreateWindowAt(point, width);
}

int MenuWnd::Create(HWND owner, CPoint point, unsigned message, CString background, int width,
                    int corner, enumBackMode mode) {
    m_owner = owner;
    m_message = message;
    m_manager.SetBackMode(mode, corner);
    const int created = CreateWindowAt(point, width);
    if (created) {
        m_manager.LoadBKImage(background);
    }
    return created;
}

int MenuWnd::Create(HWND owner, CPoint point, unsigned message) {
    return Create(owner, point, message, m_width);
}

void MenuWnd::SetFont(CString name, int size, int style) {
    m_fontName = std::move(name);
    m_fontSize = size;
    m_fontStyle = style;
}

void MenuWnd::SetMargins(int top, int bottom, int left) {
    m_topMargin = top;
    m_bottomMargin = bottom;
    m_leftMargin = left;
}

int MenuWnd::AddMenu(CString text, unsigned id, CString iconFile, int check, int group) {
    auto* item = static_cast<MenuItem*>(
        m_manager.CreateControl(1, this, L"MenuItem", id, CRect(0, 0, 0, 0), text.c_str(), 1, 1));
    if (item == nullptr) {
        return -1;
    }
    item->SetFont(m_fontName.c_str(), m_fontSize, m_fontStyle);
    item->SetValue(text.c_str());
    if (!iconFile.empty()) {
        item->SetIconImage(iconFile.c_str(), 4);
    }
    if (group != 0) {
        item->SetGroupName(std::to_wstring(group).c_str());
    }
    if (check != 0) {
        item->SetCheck(1);
    }
    {
        std::lock_guard lock(m_itemLock);
        m_items.push_back(item);
    }
    SetMenuPoint();
    return -1;
}

int MenuWnd::AddMenu(CString text, unsigned id, int check, int group, int) {
    return AddMenu(std::move(text), id, CString(), check, group);
}

int MenuWnd::AddSeparator(unsigned id, CString name) {
    auto* item = static_cast<MenuItem*>(
        m_manager.CreateControl(1, this, L"MenuItem", id, CRect(0, 0, 0, 0), L"", 1, 0));
    if (item == nullptr) {
        return -1;
    }
    item->SetSeparator(1);
    item->SetValue(name.c_str());
    {
        std::lock_guard lock(m_itemLock);
        m_items.push_back(item);
    }
    SetMenuPoint();
    return -1;
}

std::vector<MenuItem*> MenuWnd::GetItems() {
    std::lock_guard lock(m_itemLock);
    return m_items;
}

MenuItem* MenuWnd::FindItem(const CString& name) {
    std::lock_guard lock(m_itemLock);
    for (MenuItem* item : m_items) {
        if (item->GetValue() == name || std::to_wstring(item->GetControlID()) == name) {
            return item;
        }
    }
    return nullptr;
}

void MenuWnd::SetItemTitle(CString name, CString title) {
    Pending p;
    p.name = std::move(name);
    p.title = std::move(title);
    p.hasTitle = true;
    m_pending.push_back(std::move(p));
    ApplyPending();
}

void MenuWnd::SetItemVisible(CString name, int visible) {
    Pending p;
    p.name = std::move(name);
    p.visible = visible ? 1 : 0;
    m_pending.push_back(std::move(p));
    ApplyPending();
}

void MenuWnd::SetItemEnable(CString name, int enabled) {
    Pending p;
    p.name = std::move(name);
    p.enabled = enabled ? 1 : 0;
    m_pending.push_back(std::move(p));
    ApplyPending();
}

void MenuWnd::SetItemCheck(CString name, int check) {
    Pending p;
    p.name = std::move(name);
    p.check = check ? 1 : 0;
    m_pending.push_back(std::move(p));
    ApplyPending();
}

// Changes for rows that do not exist yet stay pending until the rows are added.
void MenuWnd::ApplyPending() {
    std::vector<Pending> left;
    for (Pending& p : m_pending) {
        MenuItem* item = FindItem(p.name);
        if (item == nullptr) {
            left.push_back(std::move(p));
            continue;
        }
        if (p.hasTitle) {
            item->ClearGDIFont();
            item->SetTitle(p.title.c_str());
        }
        if (p.visible >= 0) {
            item->SetControlVisible(p.visible);
        }
        if (p.enabled >= 0) {
            item->SetControlEnabled(p.enabled);
        }
        if (p.check >= 0) {
            item->SetCheck(p.check);
        }
    }
    m_pending = std::move(left);
    SetMenuPoint();
}

void MenuWnd::InitUI(CRect) {
    ApplyPending();
}

void MenuWnd::SetMenuPoint() {
    const int top = m_topMargin == 0 ? 2 : m_topMargin;
    const int bottom = m_bottomMargin == 0 ? 2 : m_bottomMargin;
    ImgResInfo* rowImage =
        m_manager.IsInitialised() ? m_manager.AddImgResInfo(m_rowImageFile.c_str(), 4) : nullptr;
    int y = top;
    for (MenuItem* item : GetItems()) {
        if (!item->IsVisible()) {
            item->SetControlRect(CRect());
            continue;
        }
        if (item->IsSeparator()) {
            item->SetControlRect(CRect(m_iconWidth + 1, y + 1, m_width - 1, y + 2));
            y += 4;
            continue;
        }
        item->SetControlRect(CRect(2, y, m_width - 2, y + m_itemHeight));
        item->SetRowImage(rowImage);
        item->SetSelectedColor(m_selectedColor);
        item->SetIconWidth(m_leftMargin);
        y += m_itemHeight;
    }
    m_height = y + bottom;
    if (m_hwnd != nullptr) {
        SetWindowPos(nullptr, 0, 0, m_width, m_height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        ::DUI::InvalidateRect(m_hwnd, nullptr, false);
    }
}

long MenuWnd::OnBaseMessage(unsigned id, unsigned code, unsigned wParam, long) {
    if (m_owner != nullptr && IsWindow(m_owner)) {
        ::DUI::PostMessageW(m_owner, m_message, wParam, static_cast<long>(id));
    }
    if (code == 2) {
        CloseWindow();
    }
    return 0;
}

void MenuWnd::OnDestroyMessage(HWND hwnd) {
    MPopupWnd::OnDestroyMessage(hwnd);
    delete this;
}

}  // namespace DUI

TESSEL_REGISTER_CONTROL(MenuItem, L"MenuItem", DUI::kWindowFactory | DUI::kContainerFactory,
                        new DUI::MenuItem(p, id, r, t, v, 1))
