#include "tessel/controls/combo.h"

#include "state_cache.h"
#include "tessel/core/control_factory.h"
#include "tessel/core/manager.h"
#include "tessel/core/mrender.h"
#include "tessel/platform/window.h"

namespace DUI {
namespace {

constexpr long kListChoice = 19;

// The drop-down window of a combo: one list control; a choice goes back to the combo.
class ComboWnd : public MPopupWnd {
  public:
    explicit ComboWnd(MComboBox* combo) : m_combo(combo) { SetCloseOnDeactivate(true); }
    const wchar_t* GetWindowClassName() const override { return L"ComboWnd"; }
    long OnMessage(unsigned, unsigned code, unsigned wParam, long lParam) override {
        if (code == 2 && lParam == kListChoice && m_combo != nullptr) {
            m_combo->OnListChoice(static_cast<int>(wParam));
        }
        return 0;
    }
    void Detach() { m_combo = nullptr; }

  private:
    MComboBox* m_combo;
};

}  // namespace

// ---- CComboBoxList ----

CComboBoxList::CComboBoxList(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MControlFont(parent, id, rect, L"", visible, enabled, 1) {
    m_hAlign = 1;
}

void CComboBoxList::SetItems(std::vector<ComboItem> items) {
    {
        std::lock_guard lock(m_lock);
        m_items = std::move(items);
        m_top = 0;
        m_hover = -1;
    }
    UpdateControl(1, 0);
}

int CComboBoxList::GetItemCount() const {
    std::lock_guard lock(m_lock);
    return static_cast<int>(m_items.size());
}

void CComboBoxList::SetBackImage(const wchar_t* file, int count) {
    SetImage(file, count);
}

int CComboBoxList::VisibleRows() const {
    return std::max(1, (GetRect().Height() - 2 * kMargin) / kRowHeight);
}

int CComboBoxList::RowAt(CPoint point) const {
    const CRect r = GetRect();
    if (!r.PtInRect(point) || point.y < r.top + kMargin) {
        return -1;
    }
    const int row = m_top + (point.y - r.top - kMargin) / kRowHeight;
    return row < GetItemCount() && (point.y - r.top - kMargin) / kRowHeight < VisibleRows() ? row
                                                                                            : -1;
}

void CComboBoxList::DrawControl(HDC& hdc, CRect) {
    if (hdc == nullptr) {
        return;
    }
    const CRect r = GetRect();
    Graphics g(hdc);
    g.FillRect(r, 0xFF1B1D20);
    g.DrawRect(CRect(r.left, r.top, r.right - 1, r.bottom - 1), 0xFF3A3D42, 1);
    std::lock_guard lock(m_lock);
    const int rows = VisibleRows();
    const Font font = MakeFont();
    for (int i = 0; i < rows; ++i) {
        const int index = m_top + i;
        if (index >= static_cast<int>(m_items.size())) {
            break;
        }
        const CRect row(r.left + 2, r.top + kMargin + i * kRowHeight, r.right - 2,
                        r.top + kMargin + (i + 1) * kRowHeight);
        if (index == m_hover) {
            g.FillRect(row, 0xFF2C3440);
        }
        const ComboItem& item = m_items[index];
        DWORD color = item.color != 0 ? item.color : GetTextColor();
        if (index == m_selected) {
            color = Manager::GetSelectColor().argb;
        }
        TextFormat f;
        f.hAlign = m_hAlign;
        f.vAlign = DT_VCENTER;
        f.ellipsis = true;
        CRect text = row;
        text.DeflateRect(8, 0);
        g.DrawString(item.text, text, font, color, f);
    }
    // A thin thumb shows where the shown rows sit in a longer list.
    const int count = static_cast<int>(m_items.size());
    if (count > rows) {
        const int track = r.Height() - 2 * kMargin;
        const int thumb = std::max(12, track * rows / count);
        const int top = r.top + kMargin + (track - thumb) * m_top / std::max(1, count - rows);
        g.FillRect(CRect(r.right - 5, top, r.right - 2, top + thumb), 0xFF5A5D62);
    }
}

int CComboBoxList::OnControlMouseMove(unsigned, CPoint point) {
    const int row = RowAt(point);
    if (m_hover.exchange(row) != row) {
        UpdateControl(0, 0);
    }
    return GetRect().PtInRect(point) ? 1 : 0;
}

int CComboBoxList::OnControlLButtonDown(unsigned, CPoint point) {
    if (!GetRect().PtInRect(point)) {
        return 0;
    }
    m_pressing = 1;
    return 1;
}

int CComboBoxList::OnControlLButtonUp(unsigned, CPoint point) {
    m_pressing = 0;
    const int row = RowAt(point);
    if (row < 0) {
        return 0;
    }
    SendMessageW(2, static_cast<unsigned>(row), kListChoice);
    return 1;
}

int CComboBoxList::OnControlScroll(int, unsigned direction, CPoint) {
    const int maxTop = std::max(0, GetItemCount() - VisibleRows());
    const int top = std::clamp(m_top + (direction == 1 ? 1 : -1), 0, maxTop);
    if (m_top.exchange(top) != top) {
        UpdateControl(0, 0);
    }
    return 1;
}

// ---- MComboBox ----

MComboBox::MComboBox(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MControlFont(parent, id, rect, L"", visible, enabled, 1) {
    m_hAlign = 1;
    m_state = enabled ? 0 : 3;
    m_back.Load(L"img_combobox_bkg.png", 4);
}

MComboBox::~MComboBox() {
    CloseList();
}

int MComboBox::AddItem(const wchar_t* text, long data, const wchar_t* icon, Color color) {
    int index;
    {
        std::lock_guard lock(m_itemLock);
        m_items.push_back(
            {text != nullptr ? text : L"", data, icon != nullptr ? icon : L"", color.argb});
        index = static_cast<int>(m_items.size()) - 1;
    }
    return index;
}

int MComboBox::InsertItem(int index, const wchar_t* text, long data, const wchar_t* icon,
                          Color color) {
    std::lock_guard lock(m_itemLock);
    if (index < 0 || index > static_cast<int>(m_items.size())) {
        return -1;
    }
    m_items.insert(m_items.begin() + index, ComboItem{text != nullptr ? text : L"", data,
                                                      icon != nullptr ? icon : L"", color.argb});
    if (m_selected >= index) {
        ++m_selected;
    }
    return index;
}

int MComboBox::SetItemData(int index, long data) {
    std::lock_guard lock(m_itemLock);
    if (index < 0 || index >= static_cast<int>(m_items.size())) {
        return -1;
    }
    m_items[index].data = data;
    return index;
}

long MComboBox::GetItemData(int index) const {
    std::lock_guard lock(m_itemLock);
    if (index < 0 || index >= static_cast<int>(m_items.size())) {
        return -1;
    }
    return m_items[index].data;
}

int MComboBox::SetItemText(int index, const wchar_t* text) {
    {
        std::lock_guard lock(m_itemLock);
        if (index < 0 || index >= static_cast<int>(m_items.size())) {
            return -1;
        }
        m_items[index].text = text != nullptr ? text : L"";
    }
    if (index == m_selected) {
        UpdateControl(1, 0);
    }
    return index;
}

CString MComboBox::GetItemText(int index) const {
    std::lock_guard lock(m_itemLock);
    if (index < 0 || index >= static_cast<int>(m_items.size())) {
        return L"";
    }
    return m_items[index].text;
}

int MComboBox::SetCurSel(int index) {
    if (index < -1 || index >= GetItemCount()) {
        return -1;
    }
    if (m_selected.exchange(index) != index) {
        UpdateControl(1, 0);
    }
    return index;
}

long MComboBox::GetCurData() const {
    return GetItemData(m_selected);
}

int MComboBox::FindData(long data) const {
    std::lock_guard lock(m_itemLock);
    for (size_t i = 0; i < m_items.size(); ++i) {
        if (m_items[i].data == data) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int MComboBox::SelectData(long data) {
    const int index = FindData(data);
    if (index >= 0) {
        SetCurSel(index);
    }
    return index;
}

int MComboBox::DeleteItem(int index) {
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
    UpdateControl(1, 0);
    return GetItemCount();
}

void MComboBox::DelAllItems() {
    {
        std::lock_guard lock(m_itemLock);
        m_items.clear();
        m_selected = -1;
    }
    UpdateControl(1, 0);
}

int MComboBox::GetItemCount() const {
    std::lock_guard lock(m_itemLock);
    return static_cast<int>(m_items.size());
}

void MComboBox::SetTextRect(CRect rect) {
    m_textRect = rect;
    UpdateControl(1, 0);
}

int MComboBox::SetBackImage(const wchar_t* file, int count) {
    if (!m_back.Load(file, count)) {
        return 0;
    }
    UpdateControl(1, 0);
    return 1;
}

int MComboBox::SetBackImage(unsigned id, CString type, int count) {
    if (!m_back.Load(id, type, count)) {
        return 0;
    }
    UpdateControl(1, 0);
    return 1;
}

void MComboBox::SetShowModeMID(int left, int top, int right, int bottom) {
    m_mid = CRect(left, top, right, bottom);
    UpdateControl(1, 0);
}

void MComboBox::SetTextColorEx(Color normal, Color hover, Color disabled) {
    m_colors[0] = normal.argb;
    m_colors[1] = hover.argb;
    m_colors[2] = disabled.argb;
    UpdateControl(1, 0);
}

void MComboBox::SetScrollResID(unsigned vertical, unsigned horizontal) {
    m_scrollV = vertical;
    m_scrollH = horizontal;
}

int MComboBox::ListHeight() const {
    return std::min(GetItemCount(), kMaxRows) * CComboBoxList::kRowHeight +
           2 * CComboBoxList::kMargin;
}

int MComboBox::OpenList() {
    if (m_drop != nullptr || !IsEnabled()) {
        return 0;
    }
    PaintManager* manager = GetManager();
    HWND owner = manager != nullptr ? manager->GetPaintWnd() : nullptr;
    if (owner == nullptr) {
        return 0;
    }
    const CRect r = GetRect();
    POINT origin{r.left, r.bottom + 2};
    ClientToScreen(owner, &origin);
    auto* drop = new ComboWnd(this);
    drop->SetParent(this, GetControlID());
    drop->SetScrollResID(m_scrollV, m_scrollH);
    m_drop = drop;
    drop->onDestroyed = [this, drop] {
        if (m_drop == drop) {
            m_drop = nullptr;
            m_state = IsEnabled() ? 0 : 3;
            UpdateControl(1, 0);
        }
        delete drop;
    };
    const int height = ListHeight();
    if (drop->Create(owner, L"ComboWnd", WS_POPUP | WS_VISIBLE, WS_EX_TOOLWINDOW | WS_EX_TOPMOST,
                     CRect(origin.x, origin.y, origin.x + r.Width(), origin.y + height)) ==
        nullptr) {
        m_drop = nullptr;
        drop->onDestroyed = nullptr;
        delete drop;
        return 0;
    }
    auto* list = static_cast<CComboBoxList*>(drop->CreateControl(
        L"CComboBoxList", GetControlID(), CRect(0, 0, r.Width(), height), L"", 1, 1));
    if (list != nullptr) {
        std::vector<ComboItem> items;
        {
            std::lock_guard lock(m_itemLock);
            items = m_items;
        }
        list->SetItems(std::move(items));
        list->SetCurSel(m_selected);
        unsigned h;
        unsigned v;
        GetAlignment(h, v);
        list->SetAlignment(h, v);
        list->SetFont(GetTextFont().c_str(), GetFontWidth(), GetFontStyle());
        list->SetTextColor(m_colors[0]);
        if (!m_back.Path().empty()) {
            list->SetBackImage(m_back.Path().c_str(), m_back.Count());
        }
    }
    ::DUI::ShowWindow(drop->GetSafeHwnd(), SW_SHOW);
    m_state = 2;
    UpdateControl(1, 0);
    return 1;
}

void MComboBox::CloseList() {
    MPopupWnd* drop = m_drop;
    if (drop == nullptr) {
        return;
    }
    m_drop = nullptr;
    static_cast<ComboWnd*>(drop)->Detach();
    // The combo may be gone by the time the window closes: the window only frees itself then.
    drop->onDestroyed = [drop] { delete drop; };
    // The window may be in the middle of its own message: let it close itself.
    drop->CloseWindow();
}

void MComboBox::OnListChoice(int row) {
    SetCurSel(row);
    SendMessageW(2, static_cast<unsigned>(row), 0);
    CloseList();
    m_state = IsEnabled() ? 0 : 3;
    UpdateControl(1, 0);
}

void MComboBox::RenderFace(Graphics& g, const CRect& local, int state) {
    if (m_back.Loaded()) {
        m_back.DrawNine(g, std::min(state, m_back.Count() - 1), local, m_mid.left, m_mid.top,
                        m_mid.right, m_mid.bottom);
    } else {
        g.FillRect(local, 0xFF25272B);
    }
    CRect text = m_textRect;
    if (text.IsRectEmpty()) {
        text = local;
        text.right -= m_mid.right;
        text.DeflateRect(3, 3);
    } else {
        const CRect r = GetRect();
        text.OffsetRect(-r.left, -r.top);
    }
    TextFormat f;
    f.hAlign = m_hAlign;
    f.vAlign = DT_VCENTER;
    f.ellipsis = true;
    const DWORD color = state == 3 ? m_colors[2] : state == 1 ? m_colors[1] : m_colors[0];
    g.DrawString(GetItemText(m_selected), text, MakeFont(), color, f);
}

void MComboBox::DrawControl(HDC& hdc, CRect) {
    if (BeginCachedDraw(hdc)) {
        Graphics g(GetMemDC());
        const CRect r = GetRect();
        RenderFace(g, CRect(0, 0, r.Width(), r.Height()), m_state);
    }
    EndCachedDraw(hdc);
}

int MComboBox::OnControlMouseMove(unsigned, CPoint point) {
    if (!IsEnabled() || m_drop != nullptr) {
        return 0;
    }
    const bool inside = GetRect().PtInRect(point);
    inside ? UseHandCursor() : UseArrowCursor();
    const int state = inside ? 1 : 0;
    if (m_state.exchange(state) != state) {
        UpdateControl(1, 0);
    }
    return inside ? 1 : 0;
}

int MComboBox::OnControlLButtonDown(unsigned, CPoint point) {
    if (!IsEnabled() || !GetRect().PtInRect(point)) {
        return 0;
    }
    SendMessageW(1, 0, 0);
    return 1;
}

int MComboBox::OnControlLButtonUp(unsigned, CPoint point) {
    if (!IsEnabled() || !GetRect().PtInRect(point)) {
        return 0;
    }
    OpenList();
    return 1;
}

int MComboBox::OnControlScroll(int, unsigned, CPoint) {
    return 0;
}

void MComboBox::SetControlEnabled(int enabled) {
    MControlFont::SetControlEnabled(enabled);
    m_state = enabled ? 0 : 3;
    if (!enabled) {
        CloseList();
    }
}

// ---- MComboBox2 ----

MComboBox2::MComboBox2(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MComboBox(parent, id, rect, visible, enabled) {}

void MComboBox2::SetGroupName(const wchar_t* name) {
    std::lock_guard lock(m_groupLock);
    m_group = name != nullptr ? name : L"";
}

CString MComboBox2::GetGroupName() const {
    std::lock_guard lock(m_groupLock);
    return m_group;
}

void MComboBox2::SetControlCheck(int check) {
    m_check = check ? 1 : 0;
    SetUpdate(0, 0);
}

int MComboBox2::SetCheck(int check) {
    if (!IsEnabled()) {
        return m_check;
    }
    const int value = check ? 1 : 0;
    if (m_check.exchange(value) != value) {
        if (value) {
            ResetRadioGroup(*this, GetGroupName());
        }
        UpdateControl(1, 0);
    }
    return m_check;
}

int MComboBox2::OnControlLButtonUp(unsigned, CPoint point) {
    if (!IsEnabled() || !GetRect().PtInRect(point)) {
        return 0;
    }
    const CRect r = GetRect();
    if (point.x >= r.right - m_mid.right) {
        OpenList();
        return 1;
    }
    SetCheck(1);
    SendMessageW(2, static_cast<unsigned>(m_selected.load()), 0);
    return 1;
}

void MComboBox2::OnListChoice(int row) {
    SetCheck(1);
    MComboBox::OnListChoice(row);
}

void MComboBox2::RenderFace(Graphics& g, const CRect& local, int state) {
    MComboBox::RenderFace(g, local, m_check && state != 3 ? 2 : state);
    if (m_check) {
        g.DrawRect(CRect(local.left, local.top, local.right - 1, local.bottom - 1),
                   Manager::GetSelectColor().argb, 1);
    }
}

// ---- CColorCombo ----

CColorCombo::CColorCombo(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MControlFont(parent, id, rect, L"", visible, enabled, 1) {
    m_arrow.Load(L"icon/icon_combo_arrow.png", 2);
}

void CColorCombo::SetAreaColor(Color color) {
    m_color = color.argb;
    UpdateControl(1, 0);
}

void CColorCombo::SetIsOpen(int open) {
    m_open = open ? 1 : 0;
    UpdateControl(1, 0);
}

void CColorCombo::DrawControl(HDC& hdc, CRect) {
    if (BeginCachedDraw(hdc)) {
        Graphics g(GetMemDC());
        const CRect r = GetRect();
        const CRect local(0, 0, r.Width(), r.Height());
        g.RoundRect(0.5f, 0.5f, static_cast<float>(local.Width() - 1),
                    static_cast<float>(local.Height() - 1), 3, 0xFF4A4D52, 1, true, 0xFF25272B);
        const int arrowRoom = m_arrow.Loaded() ? m_arrow.FrameWidth() + 10 : 20;
        g.FillRect(CRect(4, 4, local.right - arrowRoom, local.bottom - 4), m_color | 0xFF000000);
        if (m_arrow.Loaded()) {
            m_arrow.DrawAt(g, m_open ? 1 : 0, local.right - arrowRoom + 5,
                           (local.Height() - m_arrow.FrameHeight()) / 2);
        }
    }
    EndCachedDraw(hdc);
}

int CColorCombo::OnControlLButtonDown(unsigned, CPoint point) {
    if (!IsEnabled() || !GetRect().PtInRect(point)) {
        return 0;
    }
    m_pressing = 1;
    SendMessageW(1, 0, 0);
    return 1;
}

int CColorCombo::OnControlLButtonUp(unsigned, CPoint point) {
    if (m_pressing.exchange(0) == 0 || !GetRect().PtInRect(point)) {
        return 0;
    }
    SendMessageW(2, 0, 0);
    return 1;
}

}  // namespace DUI

TESSEL_REGISTER_CONTROL(MComboBox, L"MComboBox", DUI::kWindowFactory | DUI::kContainerFactory,
                        new DUI::MComboBox(p, id, r, v, e))
TESSEL_REGISTER_CONTROL(CComboBoxList, L"CComboBoxList", DUI::kWindowFactory,
                        new DUI::CComboBoxList(p, id, r, v, 1))
TESSEL_REGISTER_CONTROL(MComboBox2, L"MComboBox2", DUI::kContainerFactory,
                        new DUI::MComboBox2(p, id, r, v, 1))
