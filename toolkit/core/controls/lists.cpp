#include "tessel/controls/lists.h"

#include "state_cache.h"
#include "tessel/core/control_factory.h"
#include "tessel/core/manager.h"
#include "tessel/core/mrender.h"
#include "tessel/core/paint_manager.h"
#include "tessel/platform/messages.h"

namespace DUI {
namespace {

constexpr DWORD kRowHover = 0xFF24282E;
constexpr DWORD kRowSelected = 0xFF2C3A4A;

}  // namespace

// ---- MListBox ----

MListBox::MListBox(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MPanel(parent, id, rect, visible, enabled, 1) {}

void MListBox::Relayout() {
    const int count = GetItemCount();
    m_virtualHeight = count * m_itemHeight;
    m_virtualWidth = GetRect().Width();
    if (auto* bar = dynamic_cast<PanelScrollBar*>(m_scrollV)) {
        bar->SetPanelExtent(m_virtualHeight, GetRect().Height());
    }
    OnScrollBarMoved();
    UpdateControl(1, 0);
}

void MListBox::SetControlRect(CRect rect) {
    MPanel::SetControlRect(rect);
    Relayout();
}

int MListBox::AddString(const wchar_t* text, int image) {
    return AddString(text, 0, image);
}

int MListBox::AddString(const wchar_t* text, long data, int image) {
    int index;
    {
        std::lock_guard lock(m_itemLock);
        m_items.push_back({text != nullptr ? text : L"", data, image});
        index = static_cast<int>(m_items.size()) - 1;
    }
    Relayout();
    return index;
}

int MListBox::InsertString(int index, const wchar_t* text, long data, int image) {
    {
        std::lock_guard lock(m_itemLock);
        if (index < 0 || index > static_cast<int>(m_items.size())) {
            return -1;
        }
        m_items.insert(m_items.begin() + index, Item{text != nullptr ? text : L"", data, image});
        if (m_selected >= index) {
            ++m_selected;
        }
    }
    Relayout();
    return index;
}

int MListBox::SetItemData(int index, long data) {
    std::lock_guard lock(m_itemLock);
    if (index < 0 || index >= static_cast<int>(m_items.size())) {
        return -1;
    }
    m_items[index].data = data;
    return index;
}

long MListBox::GetItemData(int index) const {
    std::lock_guard lock(m_itemLock);
    if (index < 0 || index >= static_cast<int>(m_items.size())) {
        return -1;
    }
    return m_items[index].data;
}

int MListBox::ModifyItemString(int index, const wchar_t* text) {
    {
        std::lock_guard lock(m_itemLock);
        if (index < 0 || index >= static_cast<int>(m_items.size())) {
            return -1;
        }
        m_items[index].text = text != nullptr ? text : L"";
    }
    UpdateControl(1, 0);
    return index;
}

int MListBox::FindString(const wchar_t* text) const {
    std::lock_guard lock(m_itemLock);
    for (size_t i = 0; i < m_items.size(); ++i) {
        if (text != nullptr && m_items[i].text == text) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int MListBox::FindItemData(long data) const {
    std::lock_guard lock(m_itemLock);
    for (size_t i = 0; i < m_items.size(); ++i) {
        if (m_items[i].data == data) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int MListBox::GetItemCount() const {
    std::lock_guard lock(m_itemLock);
    return static_cast<int>(m_items.size());
}

int MListBox::SetCurSel(int index) {
    if (index < -1 || index >= GetItemCount()) {
        return -1;
    }
    if (m_selected.exchange(index) != index) {
        UpdateControl(1, 0);
    }
    return index;
}

int MListBox::SetCurData(long data) {
    const int index = FindItemData(data);
    return index >= 0 ? SetCurSel(index) : -1;
}

void MListBox::SetItemHeight(int height) {
    m_itemHeight = std::max(1, height);
    Relayout();
}

int MListBox::DeleteItem(int index) {
    {
        std::lock_guard lock(m_itemLock);
        if (index < 0 || index >= static_cast<int>(m_items.size())) {
            return -1;
        }
        m_items.erase(m_items.begin() + index);
        if (m_selected == index) {
            m_selected = -1;
        } else if (m_selected > index) {
            --m_selected;
        }
    }
    if (m_editItem == index) {
        HideEdit();
    }
    Relayout();
    return GetItemCount();
}

void MListBox::DeleteAllItems() {
    HideEdit();
    {
        std::lock_guard lock(m_itemLock);
        m_items.clear();
        m_selected = -1;
        m_hover = -1;
    }
    Relayout();
}

CRect MListBox::GetItemRect(int index) const {
    if (index < 0 || index >= GetItemCount()) {
        return CRect();
    }
    const CRect r = GetRect();
    return CRect(r.left, r.top + index * m_itemHeight, r.right, r.top + (index + 1) * m_itemHeight);
}

CString MListBox::GetItemText(int index) const {
    std::lock_guard lock(m_itemLock);
    if (index < 0 || index >= static_cast<int>(m_items.size())) {
        return L"";
    }
    return m_items[index].text;
}

void MListBox::SetImageList(MImageList* images) {
    m_images = images;
    UpdateControl(1, 0);
}

int MListBox::SwapItem(int a, int b) {
    {
        std::lock_guard lock(m_itemLock);
        const int n = static_cast<int>(m_items.size());
        if (a < 0 || b < 0 || a >= n || b >= n) {
            return 0;
        }
        std::swap(m_items[a], m_items[b]);
        if (m_selected == a) {
            m_selected = b;
        } else if (m_selected == b) {
            m_selected = a;
        }
    }
    UpdateControl(1, 0);
    return 1;
}

int MListBox::ShowEdit(int index) {
    if (index < 0 || index >= GetItemCount()) {
        return 0;
    }
    if (m_edit == nullptr) {
        m_edit = new MEdit(this, kEditId, GetItemRect(index), L"", 1, 1);
        m_edit->SetTextColor(0xFFFFFFFF);
        if (PaintManager* manager = GetManager()) {
            m_edit->SetManager(manager);
        }
        AppendChild(m_edit, 1);
    }
    m_editItem = index;
    CRect row = GetItemRect(index);
    row.DeflateRect(2, 2);
    m_edit->SetControlRect(row);
    m_edit->SetEditText(GetItemText(index).c_str());
    m_edit->SetVisible(1, 1);
    m_edit->ShowEdit();
    return 1;
}

void MListBox::HideEdit() {
    if (m_edit != nullptr && m_edit->IsEditShowing()) {
        m_edit->HideEdit();
    }
}

long MListBox::OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) {
    if (id != kEditId) {
        return MPanel::OnMessage(id, code, wParam, lParam);
    }
    if (code == 29) {
        const int index = m_editItem.exchange(-1);
        if (index >= 0) {
            ModifyItemString(index, m_edit->GetEditText().c_str());
            m_edit->SetVisible(0, 1);
            SendMessageW(29, static_cast<unsigned>(index), 0);
        }
    }
    return 0;
}

int MListBox::RowAt(CPoint contentPoint) const {
    const CRect r = GetRect();
    if (contentPoint.x < r.left || contentPoint.x >= r.right || contentPoint.y < r.top) {
        return -1;
    }
    const int row = (contentPoint.y - r.top) / std::max(1, m_itemHeight.load());
    return row < GetItemCount() ? row : -1;
}

int MListBox::OnControlMouseMove(unsigned, CPoint point) {
    const int row = RowAt(point);
    if (m_hover.exchange(row) != row) {
        UpdateControl(1, 0);
    }
    return row >= 0 ? 1 : 0;
}

int MListBox::OnControlLButtonDown(unsigned, CPoint point) {
    if (!IsEnabled()) {
        return 0;
    }
    const int row = RowAt(point);
    if (row < 0) {
        return 0;
    }
    SetCurSel(row);
    SendMessageW(1, static_cast<unsigned>(row), 0);
    return 1;
}

int MListBox::OnControlLButtonDblClk(unsigned flags, CPoint point) {
    const int row = RowAt(point);
    if (m_editEnabled && row >= 0) {
        return ShowEdit(row);
    }
    return OnControlLButtonDown(flags, point);
}

int MListBox::OnControlRButtonUp(unsigned, CPoint point) {
    if (!IsEnabled() || RowAt(point) < 0) {
        return 0;
    }
    SendMessageW(5, static_cast<unsigned>(m_selected.load()), 0);
    return 1;
}

void MListBox::DrawControl(HDC& hdc, CRect) {
    if (hdc == nullptr) {
        return;
    }
    const CRect r = GetRect();
    Graphics g(hdc);
    g.SetClip(r);
    g.FillRect(r, 0xFF1B1D20);
    const int h = m_itemHeight;
    const int top = r.top - m_scrollY;
    const Font font = MakeFont();
    std::lock_guard lock(m_itemLock);
    const int first = std::max(0, (r.top - top) / std::max(1, h));
    for (int i = first; i < static_cast<int>(m_items.size()); ++i) {
        const CRect row(r.left, top + i * h, r.right - 6, top + (i + 1) * h);
        if (row.top >= r.bottom) {
            break;
        }
        if (i == m_selected) {
            g.FillRect(row, kRowSelected);
        } else if (i == m_hover) {
            g.FillRect(row, kRowHover);
        }
        int x = row.left + 8;
        if (m_images != nullptr && m_items[i].image >= 0) {
            const CSize icon = m_images->GetIconSize();
            const CRect iconRect(x, row.top + (h - icon.cy) / 2, x + icon.cx,
                                 row.top + (h + icon.cy) / 2);
            m_images->DrawItemIcon(g, iconRect, m_items[i].image);
            x += icon.cx + 6;
        }
        if (i == m_editItem) {
            continue;
        }
        TextFormat f;
        f.vAlign = DT_VCENTER;
        f.ellipsis = true;
        g.DrawString(m_items[i].text, CRect(x, row.top, row.right - 4, row.bottom), font,
                     i == m_selected ? Manager::GetSelectColor().argb : GetTextColor(), f);
    }
    g.ResetClip();
}

// ---- MTabCtrl ----

MTabCtrl::MTabCtrl(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MPanel(parent, id, rect, visible, enabled, 1) {
    m_scrollEnabled = 0;
}

int MTabCtrl::InsertItem(unsigned id, const wchar_t* text, const wchar_t* imageFile, MControl* page,
                         int frameCount, int width) {
    TabItemInfo info;
    info.id = id;
    info.text = text != nullptr ? text : L"";
    info.page = page;
    info.frameCount = frameCount == -1 ? 3 : std::max(1, frameCount);
    if (imageFile != nullptr && *imageFile != L'\0') {
        if (auto image = MRender::LoadImageFromFile(Manager::GetThemeFolder() + imageFile)) {
            info.frameWidth = image->GetWidth() / info.frameCount;
            info.frameHeight = image->GetHeight();
            info.image = std::move(image);
        }
    }
    const int buttonWidth = width > 0             ? width
                            : info.frameWidth > 0 ? info.frameWidth
                                                  : m_tabWidth.load();
    const CRect r = GetRect();
    info.button = CRect(r.left, r.top, r.left + buttonWidth, r.bottom);
    return InsertItem(GetItemCount(), info);
}

int MTabCtrl::InsertItem(int index, TabItemInfo& info) {
    {
        std::lock_guard lock(m_itemLock);
        if (index < 0 || index > static_cast<int>(m_items.size())) {
            return -1;
        }
        m_items.insert(m_items.begin() + index, info);
        m_tooltips.insert(m_tooltips.begin() + index, CString());
        if (m_selected >= index) {
            ++m_selected;
        }
    }
    if (info.page != nullptr && index != m_selected) {
        info.page->SetVisible(0, 1);
    }
    RefreshItems();
    return index;
}

int MTabCtrl::DeleteItem(int index) {
    {
        std::lock_guard lock(m_itemLock);
        if (index < 0 || index >= static_cast<int>(m_items.size())) {
            return -1;
        }
        m_items.erase(m_items.begin() + index);
        m_tooltips.erase(m_tooltips.begin() + index);
        if (m_selected == index) {
            m_selected = -1;
        } else if (m_selected > index) {
            --m_selected;
        }
    }
    RefreshItems();
    return GetItemCount();
}

int MTabCtrl::GetItemCount() const {
    std::lock_guard lock(m_itemLock);
    return static_cast<int>(m_items.size());
}

int MTabCtrl::GetItemInfo(int index, TabItemInfo& info) const {
    std::lock_guard lock(m_itemLock);
    if (index < 0 || index >= static_cast<int>(m_items.size())) {
        return 0;
    }
    info = m_items[index];
    return 1;
}

int MTabCtrl::SetSelectItem(int index) {
    std::vector<std::pair<MControl*, bool>> pages;
    {
        std::lock_guard lock(m_itemLock);
        if (index < 0 || index >= static_cast<int>(m_items.size()) || index == m_selected) {
            return 0;
        }
        for (size_t i = 0; i < m_items.size(); ++i) {
            pages.emplace_back(m_items[i].page, static_cast<int>(i) == index);
        }
    }
    m_previous = m_selected.exchange(index);
    SendMessageW(1, static_cast<unsigned>(index), 0);
    for (auto& [page, shown] : pages) {
        if (page != nullptr) {
            page->SetVisible(shown ? 1 : 0);
        }
    }
    UpdateControl(1, 0);
    return 1;
}

unsigned MTabCtrl::GetItemID(int index) const {
    std::lock_guard lock(m_itemLock);
    return index >= 0 && index < static_cast<int>(m_items.size()) ? m_items[index].id : 0;
}

int MTabCtrl::SetItemText(int index, const wchar_t* text) {
    {
        std::lock_guard lock(m_itemLock);
        if (index < 0 || index >= static_cast<int>(m_items.size())) {
            return 0;
        }
        m_items[index].text = text != nullptr ? text : L"";
    }
    UpdateControl(1, 0);
    return 1;
}

int MTabCtrl::SetItemVisible(int index, int visible) {
    {
        std::lock_guard lock(m_itemLock);
        if (index < 0 || index >= static_cast<int>(m_items.size())) {
            return 0;
        }
        m_items[index].visible = visible ? 1 : 0;
    }
    RefreshItems();
    return 1;
}

int MTabCtrl::GetItemVisible(int index) const {
    std::lock_guard lock(m_itemLock);
    return index >= 0 && index < static_cast<int>(m_items.size()) ? m_items[index].visible : 0;
}

void MTabCtrl::SetItemWidth(int width) {
    {
        std::lock_guard lock(m_itemLock);
        for (TabItemInfo& item : m_items) {
            item.button.right = item.button.left + width;
        }
    }
    m_tabWidth = width;
    RefreshItems();
}

void MTabCtrl::SetItemHeight(int height) {
    SetTabCtrlHeight(height);
}
void MTabCtrl::SetTabCtrlWidth(int width) {
    SetItemWidth(width);
}

void MTabCtrl::SetTabCtrlHeight(int height) {
    m_tabHeight = height;
    RefreshItems();
}

void MTabCtrl::SetLeftRightPading(int left, int right) {
    m_padLeft = left;
    m_padRight = right;
    RefreshItems();
}

void MTabCtrl::SetTopBottomPading(int top, int bottom) {
    m_padTop = top;
    m_padBottom = bottom;
    RefreshItems();
}

void MTabCtrl::SetTabCtrlVisible(int visible) {
    m_barVisible = visible;
    UpdateControl(1, 0);
}

void MTabCtrl::SetTabType(TAB_TYPE type) {
    m_type = type;
    RefreshItems();
}

void MTabCtrl::SetAirBladderInfo(int index, const wchar_t* text) {
    SetTabTooltip(index, text);
}

void MTabCtrl::SetTabTooltip(int index, const wchar_t* text) {
    std::lock_guard lock(m_itemLock);
    if (index >= 0 && index < static_cast<int>(m_tooltips.size())) {
        m_tooltips[index] = text != nullptr ? text : L"";
    }
}

void MTabCtrl::ClearTabTooltip() {
    std::lock_guard lock(m_itemLock);
    for (CString& t : m_tooltips) {
        t.clear();
    }
}

void MTabCtrl::RefreshItems() {
    {
        std::lock_guard lock(m_itemLock);
        const CRect r = GetRect();
        int x = r.left + m_padLeft;
        int y = r.top + m_padTop;
        const int height = m_tabHeight > 0 ? m_tabHeight.load() : r.Height();
        for (TabItemInfo& item : m_items) {
            const int width =
                std::max(1, item.button.Width() > 0 ? item.button.Width() : m_tabWidth.load());
            if (!item.visible) {
                item.button = CRect(x, y, x + width, y);
                continue;
            }
            if (m_type == TAB_VERTICAL) {
                item.button = CRect(x, y, x + width, y + height);
                y += height + m_padBottom;
            } else {
                item.button = CRect(x, y, x + width, y + height);
                x += width + m_padRight;
            }
        }
    }
    UpdateControl(1, 0);
}

void MTabCtrl::RefreshItemData() {
    RefreshItems();
}

int MTabCtrl::PtInTabButton(CPoint point) const {
    if (!m_barVisible) {
        return -1;
    }
    std::lock_guard lock(m_itemLock);
    for (size_t i = 0; i < m_items.size(); ++i) {
        if (m_items[i].visible && m_items[i].button.PtInRect(point)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

MControl* MTabCtrl::CreatePanel(const wchar_t* className, unsigned id, CRect rect) {
    if (className == nullptr || std::wstring(className) != L"MTabLayout") {
        return nullptr;
    }
    auto* page = new MTabLayout(this, id, rect, 1);
    page->SetRunTimer(1);
    if (PaintManager* manager = GetManager()) {
        page->SetManager(manager);
    }
    AppendChild(page, 1);
    return page;
}

void MTabCtrl::DrawControl(HDC& hdc, CRect) {
    if (hdc == nullptr || !m_barVisible) {
        return;
    }
    Graphics g(hdc);
    const Font font = MakeFont();
    std::lock_guard lock(m_itemLock);
    for (size_t i = 0; i < m_items.size(); ++i) {
        const TabItemInfo& item = m_items[i];
        if (!item.visible) {
            continue;
        }
        const int frame = static_cast<int>(i) == m_selected ? 2
                          : static_cast<int>(i) == m_hover  ? 1
                                                            : 0;
        const CRect b = item.button;
        CRect text = b;
        if (item.image) {
            const int f = std::min(frame, item.frameCount - 1);
            g.DrawImage(item.image.get(),
                        CRect(b.left, b.top, b.left + std::min(b.Width(), item.frameWidth),
                              b.top + std::min(b.Height(), item.frameHeight)),
                        f * item.frameWidth, 0, std::min(b.Width(), item.frameWidth),
                        std::min(b.Height(), item.frameHeight));
            text.top = b.top + std::min(b.Height(), item.frameHeight) - 24;
            text.bottom = b.top + std::min(b.Height(), item.frameHeight);
        } else if (frame != 0) {
            g.FillRect(b, frame == 2 ? 0xFF2C3A4A : 0xFF24282E);
        }
        TextFormat f;
        f.hAlign = DT_CENTER;
        f.vAlign = DT_VCENTER;
        g.DrawString(item.text, text, font,
                     frame == 2 ? Manager::GetSelectColor().argb : GetTextColor(), f);
    }
}

int MTabCtrl::OnControlMouseMove(unsigned, CPoint point) {
    const int hover = PtInTabButton(point);
    if (m_hover.exchange(hover) != hover) {
        UpdateControl(1, 0);
        PaintManager* manager = GetManager();
        CString tip;
        {
            std::lock_guard lock(m_itemLock);
            if (hover >= 0 && hover < static_cast<int>(m_tooltips.size())) {
                tip = m_tooltips[hover];
            }
        }
        if (manager != nullptr) {
            if (!tip.empty()) {
                std::lock_guard lock(m_itemLock);
                manager->SetTooltip(tip.c_str(), m_items[hover].button);
            } else {
                manager->ClearTooltip();
            }
        }
    }
    return hover >= 0 ? 1 : 0;
}

int MTabCtrl::OnControlLButtonDown(unsigned, CPoint point) {
    const int index = PtInTabButton(point);
    if (index < 0 || !IsEnabled()) {
        return 0;
    }
    SendMessageW(9, static_cast<unsigned>(index), 0);
    SetSelectItem(index);
    return 1;
}

}  // namespace DUI

namespace {
constexpr unsigned kBoth = DUI::kWindowFactory | DUI::kContainerFactory;
}  // namespace

TESSEL_REGISTER_CONTROL(MListBox, L"MListBox", kBoth, new DUI::MListBox(p, id, r, v))
TESSEL_REGISTER_CONTROL(MTabCtrl, L"MTabCtrl", kBoth, new DUI::MTabCtrl(p, id, r, v, e))
TESSEL_REGISTER_CONTROL(MTabLayout, L"MTabLayout", kBoth, new DUI::MTabLayout(p, id, r, v))
