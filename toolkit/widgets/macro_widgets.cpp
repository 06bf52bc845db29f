#include "tessel/widgets/macro_widgets.h"

#include <algorithm>

#include "tessel/core/control_factory.h"
#include "tessel/core/manager.h"
#include "tessel/core/mrender.h"
#include "tessel/core/paint_manager.h"
#include "widgets/widget_support.h"

namespace DUI {

TESSEL_REGISTER_CONTROL(DListBox, L"DListBox", kWindowFactory | kContainerFactory,
                        new DListBox(p, id, r, v))
TESSEL_REGISTER_CONTROL(MacroList, L"MacroList", kContainerFactory, new MacroList(p, id, r, v))
TESSEL_REGISTER_CONTROL(CRecordList, L"CRecordList", kContainerFactory,
                        new CRecordList(p, id, r, v))

namespace {

constexpr DWORD kListBack = 0xFF17191C;
constexpr DWORD kRowHot = 0xFF24282E;
constexpr DWORD kEditBack = 0x2E2824;  // 0x00BBGGRR

bool InList(int index, size_t size) {
    return index >= 0 && index < static_cast<int>(size);
}

int Scaled(float scale, int value) {
    return static_cast<int>(static_cast<float>(value) * scale);
}

// A point in content coordinates lies inside the control's visible part.
bool InsideScrolled(const CRect& r, CPoint content, CPoint scroll) {
    return r.PtInRect(CPoint(content.x - scroll.x, content.y - scroll.y));
}

MEdit* MakeInlineEdit(MPanel* owner, unsigned id) {
    auto* edit = new MEdit(owner, id, CRect(), L"", 0, 1);
    edit->SetTextColor(0xFFFFFFFF);
    edit->SetEditBKColor(kEditBack);
    edit->SetLimitText(64);
    if (PaintManager* manager = owner->GetManager()) {
        edit->SetManager(manager);
    }
    owner->AppendChild(edit, 1);
    return edit;
}

}  // namespace

// ---- TextItemList ----

TextItemList::TextItemList(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MPanel(parent, id, rect, visible, enabled, 1) {
    SetDblClk(1);
}

TextItemList::~TextItemList() = default;

void TextItemList::Relayout() {
    const int count = GetItemCount();
    m_virtualHeight = count * m_itemHeight;
    m_virtualWidth = GetRect().Width();
    if (auto* bar = dynamic_cast<PanelScrollBar*>(m_scrollV)) {
        bar->SetPanelExtent(m_virtualHeight, GetRect().Height());
        OnScrollBarMoved();
    } else {
        // Without a bar the content still must not stay scrolled past its end.
        const int over = std::max(0, m_virtualHeight - GetRect().Height());
        if (m_scrollY > over) {
            SetScrollOffset(0, over);
        }
    }
    UpdateControl(1, 0);
}

void TextItemList::SetControlRect(CRect rect) {
    MPanel::SetControlRect(rect);
    Relayout();
}

int TextItemList::AddString(const wchar_t* text, int data, int flag) {
    int index;
    {
        std::lock_guard lock(m_itemLock);
        m_items.push_back(std::make_unique<Item>(Item{text != nullptr ? text : L"", data, flag}));
        index = static_cast<int>(m_items.size()) - 1;
    }
    Relayout();
    return index;
}

int TextItemList::AddString(const wchar_t* text, int flag) {
    return AddString(text, 0, flag);
}

int TextItemList::InsertString(int index, const wchar_t* text, int flag, int data) {
    int last;
    {
        std::lock_guard lock(m_itemLock);
        const int count = static_cast<int>(m_items.size());
        if (index < -1 || index >= count) {
            return -1;
        }
        auto item = std::make_unique<Item>(Item{text != nullptr ? text : L"", data, flag});
        if (index == -1) {
            m_items.push_back(std::move(item));
        } else {
            m_items.insert(m_items.begin() + index, std::move(item));
            if (m_selected >= index) {
                ++m_selected;
            }
        }
        last = static_cast<int>(m_items.size()) - 1;
    }
    Relayout();
    return last;
}

int TextItemList::SetItemData(int index, int data) {
    std::lock_guard lock(m_itemLock);
    if (!InList(index, m_items.size())) {
        return 0;
    }
    m_items[index]->data = data;
    return 1;
}

int TextItemList::GetItemData(int index) const {
    std::lock_guard lock(m_itemLock);
    return InList(index, m_items.size()) ? m_items[index]->data : 0;
}

int TextItemList::GetItemFlag(int index) const {
    std::lock_guard lock(m_itemLock);
    return InList(index, m_items.size()) ? m_items[index]->flag : 0;
}

int TextItemList::ModifyItemString(int index, const wchar_t* text) {
    {
        std::lock_guard lock(m_itemLock);
        if (!InList(index, m_items.size())) {
            return 0;
        }
        m_items[index]->text = text != nullptr ? text : L"";
    }
    UpdateControl(1, 0);
    return 1;
}

int TextItemList::FindString(const wchar_t* text) const {
    if (text == nullptr) {
        return -1;
    }
    std::lock_guard lock(m_itemLock);
    for (size_t i = 0; i < m_items.size(); ++i) {
        if (m_items[i]->text == text) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int TextItemList::FindItemData(int data) const {
    std::lock_guard lock(m_itemLock);
    for (size_t i = 0; i < m_items.size(); ++i) {
        if (m_items[i]->data == data) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int TextItemList::GetItemCount() const {
    std::lock_guard lock(m_itemLock);
    return static_cast<int>(m_items.size());
}

int TextItemList::SetCurSel(int index) {
    if (index < -1 || index >= GetItemCount()) {
        return -1;
    }
    if (m_selected.exchange(index) != index) {
        UpdateControl(1, 0);
    }
    return index;
}

int TextItemList::SetCurData(int data) {
    const int index = FindItemData(data);
    return index >= 0 ? SetCurSel(index) : -1;
}

int TextItemList::GetCurData() const {
    return GetItemData(m_selected);
}

int TextItemList::DeleteItem(int index) {
    {
        std::lock_guard lock(m_itemLock);
        if (!InList(index, m_items.size())) {
            return 0;
        }
        m_items.erase(m_items.begin() + index);
        m_hot = -1;
        m_selected = -1;
    }
    HideEdit();
    Relayout();
    return 1;
}

void TextItemList::DeleteAllItems() {
    HideEdit();
    {
        std::lock_guard lock(m_itemLock);
        m_items.clear();
        m_hot = -1;
        m_selected = -1;
    }
    Relayout();
}

CRect TextItemList::GetItemRect(int index) const {
    if (!InList(index, static_cast<size_t>(GetItemCount()))) {
        return CRect();
    }
    const CRect r = GetRect();
    const int h = m_itemHeight;
    return CRect(r.left, r.top + index * h, r.right, r.top + (index + 1) * h);
}

CString TextItemList::GetItemText(int index) const {
    std::lock_guard lock(m_itemLock);
    return InList(index, m_items.size()) ? m_items[index]->text : CString();
}

void TextItemList::SetItemHeight(int height) {
    m_itemHeight = std::max(1, height);
    Relayout();
}

void TextItemList::SetImageList(MImageList* images) {
    m_images = images;
    UpdateControl(1, 0);
}

int TextItemList::SetImage(const wchar_t* file, int count) {
    bool ok;
    {
        std::lock_guard lock(m_imageLock);
        ok = m_background.Load(file, std::max(1, count));
    }
    UpdateControl(1, 0);
    return ok ? 1 : 0;
}

int TextItemList::SetEditImage(const wchar_t* file) {
    std::lock_guard lock(m_imageLock);
    return m_editFrame.Load(file, 1) ? 1 : 0;
}

int TextItemList::SetMoreImage(const wchar_t* file) {
    bool ok;
    {
        std::lock_guard lock(m_imageLock);
        ok = m_more.Load(file, 1);
    }
    UpdateControl(1, 0);
    return ok ? 1 : 0;
}

int TextItemList::SwapItem(int first, int second) {
    {
        std::lock_guard lock(m_itemLock);
        if (first == second || !InList(first, m_items.size()) || !InList(second, m_items.size())) {
            return 0;
        }
        std::swap(m_items[first], m_items[second]);
    }
    UpdateControl(1, 0);
    return 1;
}

void TextItemList::SetScaleValue(float scale) {
    m_scale = scale > 0 ? scale : 1.0f;
    UpdateControl(1, 0);
}

CRect TextItemList::MoreRect(int index) const {
    const CRect row = GetItemRect(index);
    if (row.IsRectEmpty()) {
        return row;
    }
    const int size = Scaled(m_scale, 30);
    return CRect(row.right - size - 8, row.top, row.right - 8, row.bottom);
}

int TextItemList::ItemAt(CPoint point) const {
    const CRect r = GetRect();
    if (!InsideScrolled(r, point, GetScrollOffset()) || point.y < r.top) {
        return -1;
    }
    const int index = (point.y - r.top) / std::max(1, m_itemHeight.load());
    return index < GetItemCount() ? index : -1;
}

int TextItemList::ShowEdit() {
    const int index = m_selected;
    if (!m_editEnabled || index < 0 || index >= GetItemCount()) {
        return 0;
    }
    if (m_edit == nullptr) {
        m_edit = MakeInlineEdit(this, kEditId);
    }
    CRect text = GetItemRect(index);
    text.DeflateRect(Scaled(m_scale, 8), 4);
    if (HasMoreButton()) {
        text.right = MoreRect(index).left - 4;
    }
    m_edit->SetControlRect(text);
    // The current name, all selected: typing replaces it, closing untouched keeps it.
    m_edit->SetEditText(GetItemText(index).c_str());
    m_editItem = index;
    m_edit->SetVisible(1, 1);
    widgets::FocusInlineEdit(*this, *m_edit);
    m_edit->ShowEdit();
    return 1;
}

void TextItemList::HideEdit() {
    if (m_edit != nullptr && m_edit->IsEditShowing()) {
        m_edit->HideEdit();
    }
}

long TextItemList::OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) {
    if (id != kEditId) {
        return MPanel::OnMessage(id, code, wParam, lParam);
    }
    if (code == 29) {
        const int index = m_editItem.exchange(-1);
        m_edit->SetVisible(0, 1);
        const CString text = m_edit->GetEditText();
        // An emptied name is not a name: the item keeps the one it had.
        if (index >= 0 && !text.empty() && text != GetItemText(index) &&
            ModifyItemString(index, text.c_str())) {
            SendMessageW(29, static_cast<unsigned>(index), 0);
        }
    }
    return 0;
}

int TextItemList::OnControlMouseMove(unsigned, CPoint point) {
    const int found = IsEnabled() ? ItemAt(point) : -1;
    if (m_hot.exchange(found) != found) {
        UpdateControl(1, 0);
    }
    return found >= 0 ? 1 : 0;
}

int TextItemList::OnControlLButtonDown(unsigned, CPoint point) {
    if (!IsEnabled()) {
        return 0;
    }
    const int found = ItemAt(point);
    m_pressed = found;
    if (found >= 0 && found != m_editItem) {
        HideEdit();
    }
    return found >= 0 ? 1 : 0;
}

int TextItemList::OnControlLButtonUp(unsigned, CPoint point) {
    const int pressed = m_pressed.exchange(-1);
    if (!IsEnabled()) {
        return 0;
    }
    const int found = ItemAt(point);
    if (found < 0 || found != pressed) {
        return 0;
    }
    const bool wasSelected = m_selected == found;
    SetCurSel(found);
    if (HasMoreButton() && wasSelected && MoreRect(found).PtInRect(point)) {
        SendMessageW(9, static_cast<unsigned>(found), 0);
        return 1;
    }
    SendMessageW(2, static_cast<unsigned>(found), 0);
    return 1;
}

int TextItemList::OnControlRButtonUp(unsigned, CPoint point) {
    if (!IsEnabled() || !InsideScrolled(GetRect(), point, GetScrollOffset())) {
        return 0;
    }
    const int hot = ItemAt(point);
    m_hot = hot;
    SetCurSel(hot);
    SendMessageW(5, static_cast<unsigned>(hot), 0);
    return 1;
}

void TextItemList::DrawControl(HDC& hdc, CRect) {
    if (BeginCachedDraw(hdc)) {
        Graphics g(GetMemDC());
        const CRect r = GetRect();
        const float s = m_scale;
        g.FillRect(CRect(0, 0, r.Width(), r.Height()), kListBack);
        const int h = m_itemHeight;
        const int scroll = GetScrollOffset().y;
        const int hot = m_hot;
        const int selected = m_selected;
        const int editing = m_editItem;
        const int barRoom = m_virtualHeight > r.Height() ? 6 : 0;
        const Font font = MakeFont();
        const DWORD accent = Manager::GetSelectColor().argb;
        const int count = GetItemCount();
        std::lock_guard imageLock(m_imageLock);
        for (int i = std::max(0, scroll / std::max(1, h)); i < count; ++i) {
            const CRect row(0, i * h - scroll, r.Width() - barRoom, (i + 1) * h - scroll);
            if (row.top >= r.Height()) {
                break;
            }
            const int frame = i == selected ? 2 : (i == hot ? 1 : 0);
            if (m_background.Loaded()) {
                m_background.Draw(g, std::min(frame, m_background.Count() - 1), row);
            } else if (frame == 2) {
                g.FillRect(row, (accent & 0x00FFFFFF) | 0x50000000);
            } else if (frame == 1) {
                g.FillRect(row, kRowHot);
            }
            int item = 0;
            CString text;
            {
                std::lock_guard lock(m_itemLock);
                if (!InList(i, m_items.size())) {
                    break;
                }
                text = m_items[i]->text;
                item = m_items[i]->flag;
            }
            int x = Scaled(s, 10);
            if (m_images != nullptr && m_images->GetImageCount() > 0) {
                const CSize icon = m_images->GetIconSize();
                m_images->DrawItemIcon(
                    g,
                    CRect(x, row.top + (h - icon.cy) / 2, x + icon.cx, row.top + (h + icon.cy) / 2),
                    std::max(0, item));
                x += icon.cx + 8;
            }
            int right = row.right - Scaled(s, 8);
            if (HasMoreButton() && i == selected) {
                CRect more = MoreRect(i);
                more.OffsetRect(-r.left, -r.top - scroll);
                right = more.left - 4;
                if (m_more.Loaded()) {
                    const int w = m_more.FrameWidth();
                    const int fh = m_more.FrameHeight();
                    m_more.DrawAt(g, 0, more.left + (more.Width() - w) / 2,
                                  more.top + (more.Height() - fh) / 2);
                } else {
                    const float cy = static_cast<float>(more.top + more.Height() / 2);
                    for (int dot = 0; dot < 3; ++dot) {
                        g.FillEllipse(static_cast<float>(more.left + 7 + dot * 6), cy - 2, 4, 4,
                                      0xFFFFFFFF);
                    }
                }
            }
            if (i != editing) {
                g.DrawString(text, CRect(x, row.top, right, row.bottom), font, GetTextColor(),
                             widgets::Layout(DT_LEFT));
            }
        }
    }
    EndCachedDraw(hdc);
}

// ---- MacroList, DListBox ----

MacroList::MacroList(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : TextItemList(parent, id, rect, visible, enabled) {}

int MacroList::OnControlLButtonDblClk(unsigned, CPoint point) {
    const int hot = IsEnabled() ? ItemAt(point) : -1;
    if (hot < 0) {
        return 0;
    }
    SetCurSel(hot);
    ShowEdit();
    return 1;
}

DListBox::DListBox(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : TextItemList(parent, id, rect, visible, enabled) {}

int DListBox::OnControlLButtonDblClk(unsigned, CPoint point) {
    const int hot = IsEnabled() ? ItemAt(point) : -1;
    if (hot < 0) {
        return 0;
    }
    SetCurSel(hot);
    return 1;
}

int DListBox::OnControlRButtonDown(unsigned, CPoint point) {
    const int hot = IsEnabled() ? ItemAt(point) : -1;
    if (hot < 0) {
        return 0;
    }
    SetCurSel(hot);
    ShowEdit();
    return 1;
}

// ---- CRecordList ----

CRecordList::CRecordList(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MPanel(parent, id, rect, visible, enabled, 1) {
    SetDblClk(1);
}

CRecordList::~CRecordList() = default;

void CRecordList::Relayout() {
    const int count = GetItemCount();
    m_virtualHeight = count * m_itemHeight;
    m_virtualWidth = GetRect().Width();
    if (auto* bar = dynamic_cast<PanelScrollBar*>(m_scrollV)) {
        bar->SetPanelExtent(m_virtualHeight, GetRect().Height());
        OnScrollBarMoved();
    } else {
        const int over = std::max(0, m_virtualHeight - GetRect().Height());
        if (m_scrollY > over) {
            SetScrollOffset(0, over);
        }
    }
    UpdateControl(1, 0);
}

void CRecordList::SetControlRect(CRect rect) {
    MPanel::SetControlRect(rect);
    Relayout();
}

void CRecordList::ClearMarks() {
    m_hot = -1;
    m_selected = -1;
}

int CRecordList::AddString(const wchar_t* text, int kind, int value, int timestamp) {
    return InsertString(-1, text, kind, value, timestamp);
}

int CRecordList::InsertString(int index, const wchar_t* text, int kind, int value, int timestamp) {
    int at;
    {
        std::lock_guard lock(m_itemLock);
        auto item = std::make_unique<RecordItem>(
            RecordItem{text != nullptr ? text : L"", kind, value, timestamp, CRect()});
        if (index < 0 || index >= static_cast<int>(m_items.size())) {
            m_items.push_back(std::move(item));
            at = static_cast<int>(m_items.size()) - 1;
        } else {
            m_items.insert(m_items.begin() + index, std::move(item));
            at = index;
            if (m_selected >= index) {
                ++m_selected;
            }
        }
    }
    Relayout();
    return at;
}

void CRecordList::GetRecordInfo(int index, CString& text, int& kind, int& value,
                                int& timestamp) const {
    std::lock_guard lock(m_itemLock);
    if (!InList(index, m_items.size())) {
        return;
    }
    const RecordItem& item = *m_items[index];
    text = item.text;
    kind = item.kind;
    value = item.value;
    timestamp = item.timestamp;
}

int CRecordList::SetRecordInfo(int index, const wchar_t* text, int kind, int value, int timestamp) {
    {
        std::lock_guard lock(m_itemLock);
        if (!InList(index, m_items.size())) {
            return 0;
        }
        RecordItem& item = *m_items[index];
        item.text = text != nullptr ? text : L"";
        item.kind = kind;
        item.value = value;
        item.timestamp = timestamp;
    }
    UpdateControl(1, 0);
    return 1;
}

int CRecordList::SetRecordInfo(int timestamp, int kind, const wchar_t* text, int value) {
    int changed = 0;
    {
        std::lock_guard lock(m_itemLock);
        for (auto& item : m_items) {
            if (item->timestamp == timestamp && item->kind == kind) {
                item->text = text != nullptr ? text : L"";
                item->value = value;
                ++changed;
            }
        }
    }
    if (changed > 0) {
        UpdateControl(1, 0);
    }
    return changed;
}

int CRecordList::GetRecrodTimeStamp(int index) const {
    std::lock_guard lock(m_itemLock);
    return InList(index, m_items.size()) ? m_items[index]->timestamp : 0;
}

int CRecordList::DeleteTimeStamp(int timestamp) {
    size_t removed;
    {
        std::lock_guard lock(m_itemLock);
        removed =
            std::erase_if(m_items, [&](const auto& item) { return item->timestamp == timestamp; });
        ClearMarks();
    }
    HideEdit();
    Relayout();
    return static_cast<int>(removed);
}

void CRecordList::SetTimeStampSelect(int timestamp) {
    if (m_stampSelect.exchange(timestamp) != timestamp) {
        UpdateControl(1, 0);
    }
}

bool CRecordList::UpdateDelayTime(int value) {
    {
        std::lock_guard lock(m_itemLock);
        if (m_items.empty()) {
            return false;
        }
        m_items.back()->timestamp = value;
    }
    UpdateControl(1, 0);
    return true;
}

void CRecordList::UpdateTimeStamp(int kind, int value, int timestamp) {
    const bool release = kind == 3 || kind == 5;
    {
        std::lock_guard lock(m_itemLock);
        for (auto it = m_items.rbegin(); it != m_items.rend(); ++it) {
            RecordItem& item = **it;
            if (item.value != value) {
                continue;
            }
            if (item.kind == kind) {
                item.timestamp = timestamp;
            } else if (release && item.kind == kind - 1) {
                // A release belongs to the press it ends: the latest one with that value.
                item.timestamp = timestamp;
                break;
            }
        }
    }
    UpdateControl(1, 0);
}

int CRecordList::GetItemCount() const {
    std::lock_guard lock(m_itemLock);
    return static_cast<int>(m_items.size());
}

int CRecordList::GetEventCount() const {
    std::lock_guard lock(m_itemLock);
    return static_cast<int>(std::count_if(
        m_items.begin(), m_items.end(), [](const auto& item) { return item->kind != kDelayKind; }));
}

int CRecordList::GetSelectEvent() const {
    std::lock_guard lock(m_itemLock);
    const int selected = m_selected;
    if (!InList(selected, m_items.size())) {
        return -1;
    }
    for (size_t i = static_cast<size_t>(selected); i < m_items.size(); ++i) {
        if (m_items[i]->kind == kDelayKind) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int CRecordList::SetCurSel(int index) {
    if (index < -1 || index >= GetItemCount()) {
        return -1;
    }
    if (m_selected.exchange(index) != index) {
        UpdateControl(1, 0);
    }
    return index;
}

int CRecordList::DeleteItem(int index) {
    {
        std::lock_guard lock(m_itemLock);
        if (!InList(index, m_items.size())) {
            return 0;
        }
        m_items.erase(m_items.begin() + index);
        ClearMarks();
    }
    HideEdit();
    Relayout();
    return 1;
}

void CRecordList::DeleteAllItems() {
    HideEdit();
    {
        std::lock_guard lock(m_itemLock);
        m_items.clear();
        ClearMarks();
    }
    Relayout();
}

int CRecordList::MoveTop(int index) {
    {
        std::lock_guard lock(m_itemLock);
        if (!InList(index, m_items.size())) {
            return 0;
        }
        std::rotate(m_items.begin(), m_items.begin() + index, m_items.begin() + index + 1);
        m_selected = 0;
    }
    UpdateControl(1, 0);
    return 1;
}

int CRecordList::MoveBottom(int index) {
    {
        std::lock_guard lock(m_itemLock);
        if (!InList(index, m_items.size())) {
            return 0;
        }
        std::rotate(m_items.begin() + index, m_items.begin() + index + 1, m_items.end());
        m_selected = static_cast<int>(m_items.size()) - 1;
    }
    UpdateControl(1, 0);
    return 1;
}

int CRecordList::SwapItem(int first, int second) {
    {
        std::lock_guard lock(m_itemLock);
        if (first == second || !InList(first, m_items.size()) || !InList(second, m_items.size())) {
            return 0;
        }
        std::swap(m_items[first], m_items[second]);
    }
    UpdateControl(1, 0);
    return 1;
}

std::vector<RecordItem*> CRecordList::GetRecordItems() const {
    std::lock_guard lock(m_itemLock);
    std::vector<RecordItem*> items;
    items.reserve(m_items.size());
    for (const auto& item : m_items) {
        items.push_back(item.get());
    }
    return items;
}

void CRecordList::SetEditText(const wchar_t* text) {
    if (m_edit != nullptr) {
        m_edit->SetEditText(text);
    }
}

CString CRecordList::GetEditText() const {
    return m_edit != nullptr && m_edit->IsEditShowing() ? m_edit->GetEditText() : CString();
}

CRect CRecordList::GetItemRect(int index) const {
    if (!InList(index, static_cast<size_t>(GetItemCount()))) {
        return CRect();
    }
    const CRect r = GetRect();
    const int h = m_itemHeight;
    return CRect(r.left, r.top + index * h, r.right, r.top + (index + 1) * h);
}

int CRecordList::ShowEdit() {
    const int index = m_selected;
    if (index < 0 || index >= GetItemCount()) {
        return 0;
    }
    if (m_edit == nullptr) {
        m_edit = MakeInlineEdit(this, kEditId);
    }
    const CRect row = GetItemRect(index);
    const float s = m_scale;
    m_edit->SetControlRect(
        CRect(row.left + Scaled(s, 190), row.top + 4, row.left + Scaled(s, 340), row.bottom - 4));
    m_edit->SetEditText(L"");
    m_editItem = index;
    m_edit->SetVisible(1, 1);
    widgets::FocusInlineEdit(*this, *m_edit);
    m_edit->ShowEdit();
    SendMessageW(30, static_cast<unsigned>(index), 0);
    return 1;
}

void CRecordList::HideEdit() {
    if (m_edit != nullptr && m_edit->IsEditShowing()) {
        m_edit->HideEdit();
    }
}

long CRecordList::OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) {
    if (id != kEditId) {
        return MPanel::OnMessage(id, code, wParam, lParam);
    }
    if (code == 29) {
        const int index = m_editItem.exchange(-1);
        if (index >= 0) {
            // The owner reads the typed text in its handler, so the editor stays readable until
            // then.
            SendMessageW(29, static_cast<unsigned>(index), 0);
        }
        m_edit->SetVisible(0, 1);
    }
    return 0;
}

void CRecordList::SetItemHeight(int height) {
    m_itemHeight = std::max(1, height);
    Relayout();
}

void CRecordList::SetImageList(MImageList* images) {
    m_images = images;
    UpdateControl(1, 0);
}

int CRecordList::SetImage(const wchar_t* file, int count) {
    bool ok;
    {
        std::lock_guard lock(m_imageLock);
        ok = m_background.Load(file, std::max(1, count));
    }
    UpdateControl(1, 0);
    return ok ? 1 : 0;
}

int CRecordList::SetMoreImage(const wchar_t* file) {
    std::lock_guard lock(m_imageLock);
    return m_more.Load(file, 1) ? 1 : 0;
}

int CRecordList::SetItemImage(const wchar_t* file, int count) {
    bool ok;
    {
        std::lock_guard lock(m_imageLock);
        ok = m_kinds.Load(file, std::max(1, count));
    }
    UpdateControl(1, 0);
    return ok ? 1 : 0;
}

void CRecordList::SetScaleValue(float scale) {
    m_scale = scale > 0 ? scale : 1.0f;
    UpdateControl(1, 0);
}

int CRecordList::KindFrame(int kind, bool highlighted) {
    int frame;
    if (kind == kDelayKind) {
        frame = 6;
    } else if (kind >= 4 && kind <= 7) {
        frame = 4;
    } else if (kind >= 8 && kind <= 12) {
        frame = 0;
    } else {
        frame = 2;
    }
    return frame + (highlighted ? 1 : 0);
}

int CRecordList::ItemAt(CPoint point) const {
    const CRect r = GetRect();
    if (!InsideScrolled(r, point, GetScrollOffset()) || point.y < r.top) {
        return -1;
    }
    const int index = (point.y - r.top) / std::max(1, m_itemHeight.load());
    return index < GetItemCount() ? index : -1;
}

int CRecordList::OnControlMouseMove(unsigned, CPoint point) {
    const int found = IsEnabled() ? ItemAt(point) : -1;
    if (m_hot.exchange(found) != found) {
        UpdateControl(1, 0);
    }
    return found >= 0 ? 1 : 0;
}

int CRecordList::OnControlLButtonDown(unsigned, CPoint point) {
    const int found = IsEnabled() ? ItemAt(point) : -1;
    if (found < 0) {
        return 0;
    }
    if (found != m_editItem) {
        HideEdit();
    }
    SetCurSel(found);
    SendMessageW(1, static_cast<unsigned>(found), 0);
    return 1;
}

int CRecordList::OnControlLButtonUp(unsigned, CPoint point) {
    const int found = IsEnabled() ? ItemAt(point) : -1;
    if (found < 0) {
        return 0;
    }
    SetCurSel(found);
    SendMessageW(2, static_cast<unsigned>(found), 0);
    return 1;
}

int CRecordList::OnControlLButtonDblClk(unsigned, CPoint point) {
    const int found = IsEnabled() ? ItemAt(point) : -1;
    if (found < 0) {
        return 0;
    }
    SetCurSel(found);
    ShowEdit();
    return 1;
}

int CRecordList::OnControlRButtonUp(unsigned, CPoint point) {
    const int found = IsEnabled() ? ItemAt(point) : -1;
    if (found < 0) {
        return 0;
    }
    m_hot = found;
    SetCurSel(found);
    SendMessageW(5, static_cast<unsigned>(found), 0);
    return 1;
}

void CRecordList::DrawControl(HDC& hdc, CRect) {
    if (BeginCachedDraw(hdc)) {
        Graphics g(GetMemDC());
        const CRect r = GetRect();
        const float s = m_scale;
        g.FillRect(CRect(0, 0, r.Width(), r.Height()), kListBack);
        const int h = m_itemHeight;
        const int scroll = GetScrollOffset().y;
        const int hot = m_hot;
        const int selected = m_selected;
        const int stamp = m_stampSelect;
        const int editing = m_editItem;
        const int barRoom = m_virtualHeight > r.Height() ? 6 : 0;
        const Font font = MakeFont();
        const DWORD accent = Manager::GetSelectColor().argb;
        const int count = GetItemCount();
        std::lock_guard imageLock(m_imageLock);
        for (int i = std::max(0, scroll / std::max(1, h)); i < count; ++i) {
            const CRect row(0, i * h - scroll, r.Width() - barRoom, (i + 1) * h - scroll);
            if (row.top >= r.Height()) {
                break;
            }
            RecordItem item;
            {
                std::lock_guard lock(m_itemLock);
                if (!InList(i, m_items.size())) {
                    break;
                }
                m_items[i]->rect = CRect(r.left + row.left, r.top + i * h, r.left + row.right,
                                         r.top + (i + 1) * h);
                item = *m_items[i];
            }
            const bool marked = i == selected || (stamp != -1 && item.timestamp == stamp);
            const int frame = i == selected ? 2 : (i == hot ? 1 : 0);
            if (m_background.Loaded()) {
                m_background.Draw(g, std::min(frame, m_background.Count() - 1), row);
            } else if (frame == 2 || marked) {
                g.FillRect(row, (accent & 0x00FFFFFF) | 0x50000000);
            } else if (frame == 1) {
                g.FillRect(row, kRowHot);
            }
            g.DrawString(widgets::Number(i + 1),
                         CRect(Scaled(s, 15), row.top, Scaled(s, 65), row.bottom), font, 0xFF9AA3AD,
                         widgets::Layout(DT_LEFT));
            const int kindFrame = KindFrame(item.kind, marked);
            if (m_kinds.Loaded()) {
                const int w = m_kinds.FrameWidth();
                const int fh = m_kinds.FrameHeight();
                m_kinds.DrawAt(g, std::min(kindFrame, m_kinds.Count() - 1), Scaled(s, 110) - w / 2,
                               row.top + (row.Height() - fh) / 2);
            } else if (m_images != nullptr && m_images->GetImageCount() > 0) {
                const CSize icon = m_images->GetIconSize();
                const int x = Scaled(s, 110) - icon.cx / 2;
                m_images->DrawItemIcon(
                    g,
                    CRect(x, row.top + (h - icon.cy) / 2, x + icon.cx, row.top + (h + icon.cy) / 2),
                    kindFrame);
            }
            if (i != editing) {
                g.DrawString(
                    item.text,
                    CRect(Scaled(s, 190), row.top, std::min(row.right, Scaled(s, 340)), row.bottom),
                    font, GetTextColor(), widgets::Layout(DT_LEFT));
            }
        }
    }
    EndCachedDraw(hdc);
}

}  // namespace DUI
