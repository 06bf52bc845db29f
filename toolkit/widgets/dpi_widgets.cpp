#include "tessel/widgets/dpi_widgets.h"

#include <algorithm>

#include "tessel/core/control_factory.h"
#include "tessel/core/manager.h"
#include "tessel/core/mrender.h"
#include "tessel/core/paint_manager.h"
#include "tessel/platform/text.h"
#include "widgets/widget_support.h"

namespace DUI {

using widgets::BgrToArgb;
using widgets::Layout;
using widgets::Number;

TESSEL_REGISTER_CONTROL(DPISlider, L"DPISlider", kWindowFactory | kContainerFactory,
                        new DPISlider(p, id, r, v, e))
TESSEL_REGISTER_CONTROL(DPIControl, L"DPIControl", kContainerFactory,
                        new DPIControl(p, id, r, v, 1))
TESSEL_REGISTER_CONTROL(ReporteCtrl, L"ReporteCtrl", kContainerFactory,
                        new ReporteCtrl(p, id, r, v))

namespace {

constexpr DWORD kCardBack = 0xFF231C14;
constexpr DWORD kHoverGrey = 0xFFA0A0A0;
constexpr DWORD kNearBlack = 0xFF050505;

}  // namespace

// ---- ValueEditWnd2 ----

ValueEditWnd2::ValueEditWnd2(MObject* parent, unsigned id, CRect rect)
    : MEdit(parent, id, rect, L"", 0, 1) {
    SetNumberOnly(1);
    SetLimitText(5);
    SetAlignment(DT_CENTER, DT_VCENTER);
}

// ---- DPIControl ----

DPIControl::DPIControl(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MPanel(parent, id, rect, visible, enabled, 1),
      m_selectColor(widgets::ArgbToBgr(Manager::GetSelectColor().argb)) {
    SetEnableScroll(0);
}

int DPIControl::AddItem(int value, int colour) {
    int index;
    {
        std::lock_guard lock(m_itemLock);
        m_items.push_back({value, colour});
        index = static_cast<int>(m_items.size()) - 1;
    }
    UpdateControl(1, 0);
    return index;
}

void DPIControl::ClearList() {
    HideEdit();
    {
        std::lock_guard lock(m_itemLock);
        m_items.clear();
        m_hover = -1;
        m_selected = 0;
        m_pressed = -1;
    }
    UpdateControl(1, 0);
}

void DPIControl::SetDPIValue(int index, int value) {
    {
        std::lock_guard lock(m_itemLock);
        if (index < 0 || index >= static_cast<int>(m_items.size()) ||
            m_items[index].value == value) {
            return;
        }
        m_items[index].value = value;
    }
    UpdateControl(1, 0);
}

void DPIControl::SetDPIColorValue(int index, int colour) {
    {
        std::lock_guard lock(m_itemLock);
        if (index < 0 || index >= static_cast<int>(m_items.size()) ||
            m_items[index].colour == colour) {
            return;
        }
        m_items[index].colour = colour;
    }
    UpdateControl(1, 0);
}

int DPIControl::GetDPIValue(int index) const {
    std::lock_guard lock(m_itemLock);
    if (index < 0) {
        return 50;
    }
    if (index >= static_cast<int>(m_items.size())) {
        return 26000;
    }
    return m_items[index].value;
}

int DPIControl::GetDPIColorValue(int index) const {
    std::lock_guard lock(m_itemLock);
    if (index < 0 || index >= static_cast<int>(m_items.size())) {
        return 0;
    }
    return m_items[index].colour;
}

void DPIControl::SetSelectItem(int index) {
    HideEdit();
    if (m_selected.exchange(index) != index) {
        UpdateControl(1, 0);
    }
}

int DPIControl::GetItemCount() const {
    std::lock_guard lock(m_itemLock);
    return static_cast<int>(m_items.size());
}

CRect DPIControl::GetCardRect(int index) const {
    if (index < 0 || index >= GetItemCount()) {
        return CRect();
    }
    const CRect r = GetRect();
    const int left = r.left + index * kCardWidth;
    return CRect(left, r.top, left + kCardWidth, r.bottom);
}

CRect DPIControl::GetValueRect(int index) const {
    CRect card = GetCardRect(index);
    if (card.IsRectEmpty()) {
        return card;
    }
    // The number sits in the dark part below the band, inside the card's outline.
    return CRect(card.left + 12, card.top + kBandHeight + 6, card.right - 12, card.bottom - 6);
}

CString DPIControl::GetTitleEx(int index) const {
    return L"DPI " + Number(index + 1);
}

Font DPIControl::GetDefaultFont() const {
    Font font;
    font.family = L"Arial";
    font.size = 16;
    return font;
}

void DPIControl::SetEditWindow(DWORD background, DWORD text) {
    m_editBack = background;
    m_editText = text;
    if (m_edit != nullptr) {
        m_edit.load()->SetEditBKColor(background);
        m_edit.load()->SetTextColor(text);
    }
}

void DPIControl::SetEditText(const wchar_t* text) {
    if (m_edit != nullptr) {
        m_edit.load()->SetEditText(text);
    }
}

CString DPIControl::GetEditText() const {
    return m_edit != nullptr ? m_edit.load()->GetEditText() : CString();
}

void DPIControl::ShowEdit() {
    const int index = m_selected;
    const CRect area = GetValueRect(index);
    if (area.IsRectEmpty()) {
        return;
    }
    if (m_edit == nullptr) {
        m_edit = new ValueEditWnd2(this, kEditId, area);
        m_edit.load()->SetEditBKColor(m_editBack.load());
        m_edit.load()->SetTextColor(m_editText.load());
        const Font font = GetDefaultFont();
        m_edit.load()->SetFont(font.family.c_str(), static_cast<int>(font.size), font.style);
        if (PaintManager* manager = GetManager()) {
            m_edit.load()->SetManager(manager);
        }
        AppendChild(m_edit, 1);
    }
    m_edit.load()->SetControlRect(area);
    m_edit.load()->SetEditText(Number(GetDPIValue(index)).c_str());
    m_editIndex = index;
    m_editing = 1;
    m_edit.load()->SetVisible(1, 1);
    widgets::FocusInlineEdit(*this, *m_edit.load());
    m_edit.load()->ShowEdit();
    UpdateControl(1, 0);
    SendMessageW(30, static_cast<unsigned>(index), 0);
}

void DPIControl::HideEdit() {
    if (m_edit == nullptr || !m_editing.exchange(0)) {
        return;
    }
    const int index = m_editIndex.exchange(-1);
    SendMessageW(29, static_cast<unsigned>(index), 0);
    const CString text = m_edit.load()->GetEditText();
    if (index >= 0 && index < GetItemCount() && text != Number(GetDPIValue(index))) {
        SetDPIValue(index, WToI(text));
    }
    m_edit.load()->HideEdit();
    m_edit.load()->SetVisible(0, 1);
    UpdateControl(1, 0);
}

long DPIControl::OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) {
    if (id != kEditId) {
        return MPanel::OnMessage(id, code, wParam, lParam);
    }
    // Enter, Escape or a lost focus closed the editor: commit as an explicit close would.
    if (code == 29 && m_editing) {
        HideEdit();
    }
    return 0;
}

int DPIControl::CardAt(CPoint point) const {
    const CRect r = GetRect();
    if (!r.PtInRect(point)) {
        return -1;
    }
    const int index = (point.x - r.left) / kCardWidth;
    return index < GetItemCount() ? index : -1;
}

int DPIControl::OnControlMouseMove(unsigned, CPoint point) {
    if (!GetRect().PtInRect(point)) {
        if (m_hover.exchange(-1) != -1) {
            UpdateControl(1, 0);
        }
        return 0;
    }
    const int hover = m_hover;
    if (hover >= 0 && GetCardRect(hover).PtInRect(point)) {
        widgets::HandCursor();
        return 1;
    }
    const int found = CardAt(point);
    found >= 0 ? widgets::HandCursor() : widgets::ArrowCursor();
    if (m_hover.exchange(found) != found) {
        UpdateControl(1, 0);
    }
    return 1;
}

int DPIControl::OnControlLButtonDown(unsigned, CPoint point) {
    if (!IsEnabled()) {
        return 0;
    }
    int hover = m_hover;
    if (hover < 0 || !GetCardRect(hover).PtInRect(point)) {
        hover = CardAt(point);
        m_hover = hover;
    }
    m_pressed = hover;
    if (hover < 0) {
        return 0;
    }
    if (hover != m_selected) {
        HideEdit();
    }
    m_selected = hover;
    UpdateControl(1, 0);
    if (GetValueRect(hover).PtInRect(point) && !m_editing) {
        ShowEdit();
    }
    return 1;
}

int DPIControl::OnControlLButtonUp(unsigned, CPoint point) {
    const int pressed = m_pressed.exchange(-1);
    if (!IsEnabled() || pressed < 0 || !GetCardRect(pressed).PtInRect(point)) {
        return 0;
    }
    m_selected = pressed;
    UpdateControl(1, 0);
    SendMessageW(2, static_cast<unsigned>(pressed), 0);
    return 1;
}

void DPIControl::DrawControl(HDC& hdc, CRect) {
    if (BeginCachedDraw(hdc)) {
        Graphics g(GetMemDC());
        const CRect r = GetRect();
        g.FillRect(CRect(0, 0, r.Width(), r.Height()), kCardBack);
        std::vector<Item> items;
        {
            std::lock_guard lock(m_itemLock);
            items = m_items;
        }
        const int hover = m_hover;
        const int selected = m_selected;
        const int editing = m_editing ? m_editIndex.load() : -1;
        Font label = GetDefaultFont();
        label.size = 14;
        label.style = FontStyleBold;
        Font value = GetDefaultFont();
        value.size = 20;
        for (int i = 0; i < static_cast<int>(items.size()); ++i) {
            const float x = static_cast<float>(i * kCardWidth + 5);
            const float w = static_cast<float>(kCardWidth - 10);
            const float h = static_cast<float>(r.Height() - 2);
            g.RoundRect(x, 1, w, h, 8, 0xFF2E2822, 1, true, 0xFF1A140F);
            g.RoundRect(x, 1, w, kBandHeight, 8, 0, 0, true,
                        BgrToArgb(static_cast<DWORD>(items[i].colour)));
            if (i == selected) {
                g.RoundRect(x, 1, w, h, 8, BgrToArgb(m_selectColor), 2, false, 0);
            } else if (i == hover) {
                g.RoundRect(x, 1, w, h, 8, kHoverGrey, 2, false, 0);
            }
            g.DrawString(GetTitleEx(i),
                         CRect(i * kCardWidth, 1, (i + 1) * kCardWidth, 1 + kBandHeight), label,
                         kNearBlack, Layout(DT_CENTER));
            if (i != editing) {
                CRect area = GetValueRect(i);
                area.OffsetRect(-r.left, -r.top);
                g.DrawString(Number(items[i].value), area, value, GetTextColor(),
                             Layout(DT_CENTER));
            }
        }
    }
    EndCachedDraw(hdc);
}

// ---- DPISlider ----

DPISlider::DPISlider(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MControlFont(parent, id, rect, L"", visible, enabled, 1) {
    m_thumb.Load(L"img_dpi_bar.png", 4);
}

DPISlider::~DPISlider() {
    if (PaintManager* manager = GetManager()) {
        manager->KillTimer(this);
    }
}

int DPISlider::SetProgress(int position) {
    // Positions below the minimum are ignored; anything above the top stops at the top.
    const int offset = std::min(position - m_min, m_maxOffset.load());
    if (offset >= 0 && offset <= m_maxOffset && m_offset.exchange(offset) != offset) {
        UpdateControl(1, 0);
    }
    return m_offset;
}

void DPISlider::SetMinProgress(int minimum) {
    m_min = minimum;
    UpdateControl(1, 0);
}

void DPISlider::SetMaxProgress(int maximumOffset) {
    m_maxOffset = std::max(0, maximumOffset);
    m_offset = std::clamp(m_offset.load(), 0, m_maxOffset.load());
    UpdateControl(1, 0);
}

void DPISlider::SetScaleValue(float scale) {
    m_scaleValue = scale > 0 ? scale : 1.0f;
    UpdateControl(1, 0);
}

int DPISlider::SetImage(const wchar_t* file, int count) {
    bool ok;
    {
        std::lock_guard lock(m_imageLock);
        ok = m_thumb.Load(file, std::max(1, count));
    }
    UpdateControl(1, 0);
    return ok ? 1 : 0;
}

int DPISlider::SetBkgImage(const wchar_t* file) {
    bool ok;
    {
        std::lock_guard lock(m_imageLock);
        ok = m_background.Load(file, 1);
    }
    UpdateControl(1, 0);
    return ok ? 1 : 0;
}

void DPISlider::SetDPIDesc(const wchar_t* maximumLabel, const wchar_t* minimumLabel) {
    {
        std::lock_guard lock(m_imageLock);
        m_maxLabel = maximumLabel != nullptr ? maximumLabel : L"";
        m_minLabel = minimumLabel != nullptr ? minimumLabel : L"";
    }
    UpdateControl(1, 0);
}

CSize DPISlider::ThumbSize() const {
    std::lock_guard lock(m_imageLock);
    const float s = m_scaleValue;
    if (m_thumb.Loaded()) {
        return {static_cast<int>(m_thumb.FrameWidth() * s),
                static_cast<int>(m_thumb.FrameHeight() * s)};
    }
    return {static_cast<int>(22 * s), static_cast<int>(22 * s)};
}

void DPISlider::Track(int& left, int& width) const {
    const CRect r = GetRect();
    const int half = ThumbSize().cx / 2;
    left = r.left + half;
    width = std::max(1, r.Width() - 2 * half);
}

CRect DPISlider::GetThumbRect() const {
    int left = 0;
    int width = 0;
    Track(left, width);
    const CSize thumb = ThumbSize();
    const int range = std::max(1, m_maxOffset.load());
    const int centre = left + static_cast<int>(static_cast<long long>(m_offset) * width / range);
    const CRect r = GetRect();
    const int top = r.top + (r.Height() - thumb.cy) / 2;
    return CRect(centre - thumb.cx / 2, top, centre - thumb.cx / 2 + thumb.cx, top + thumb.cy);
}

int DPISlider::MoveThumbPos(CPoint point) {
    int left = 0;
    int width = 0;
    Track(left, width);
    const int range = m_maxOffset;
    const int offset = std::clamp(
        static_cast<int>(static_cast<long long>(range) * (point.x - left) / width), 0, range);
    if (m_offset.exchange(offset) != offset) {
        UpdateControl(1, 0);
        SendMessageW(8, static_cast<unsigned>(m_min + offset), 0);
    }
    return offset;
}

void DPISlider::DrawControl(HDC& hdc, CRect) {
    if (BeginCachedDraw(hdc)) {
        Graphics g(GetMemDC());
        const CRect r = GetRect();
        CRect thumb = GetThumbRect();
        thumb.OffsetRect(-r.left, -r.top);
        const int half = ThumbSize().cx / 2;
        const int mid = r.Height() / 2;
        const DWORD accent = IsEnabled() ? Manager::GetSelectColor().argb : 0xFF5A5A5A;
        std::lock_guard lock(m_imageLock);
        if (m_background.Loaded()) {
            m_background.Draw(g, 0, CRect(half, mid - 3, r.Width() - half, mid + 3));
        } else {
            g.RoundRect(static_cast<float>(half), static_cast<float>(mid - 3),
                        static_cast<float>(r.Width() - 2 * half), 6, 3, 0, 0, true, 0xFF3A3D42);
        }
        const int filled = (thumb.left + thumb.right) / 2 - half;
        if (filled > 0) {
            g.RoundRect(static_cast<float>(half), static_cast<float>(mid - 3),
                        static_cast<float>(filled), 6, 3, 0, 0, true, accent);
        }
        const int state = IsEnabled() ? m_state.load() : 3;
        if (m_thumb.Loaded()) {
            m_thumb.Draw(g, std::min(state, m_thumb.Count() - 1), thumb);
        } else {
            g.FillEllipse(static_cast<float>(thumb.left), static_cast<float>(thumb.top),
                          static_cast<float>(thumb.Width()), static_cast<float>(thumb.Height()),
                          0xFFE6E6E6);
        }
        // The range labels sit under the two ends of the bar.
        Font font = MakeFont();
        font.size = 12;
        const int labelTop = std::min(r.Height() - 16, mid + thumb.Height() / 2 + 2);
        g.DrawString(m_minLabel, CRect(0, labelTop, r.Width() / 2, labelTop + 16), font,
                     GetTextColor(), Layout(DT_LEFT));
        g.DrawString(m_maxLabel, CRect(r.Width() / 2, labelTop, r.Width(), labelTop + 16), font,
                     GetTextColor(), Layout(DT_RIGHT));
    }
    EndCachedDraw(hdc);
}

int DPISlider::OnControlMouseMove(unsigned, CPoint point) {
    if (!IsEnabled()) {
        return 0;
    }
    if (m_state == 2) {
        MoveThumbPos(point);
        return 1;
    }
    const int hover = GetThumbRect().PtInRect(point) ? 1 : 0;
    if (m_state.exchange(hover) != hover) {
        UpdateControl(1, 0);
    }
    return GetRect().PtInRect(point) ? 1 : 0;
}

int DPISlider::OnControlLButtonDown(unsigned, CPoint point) {
    if (!IsEnabled() || !GetRect().PtInRect(point)) {
        return 0;
    }
    const bool onThumb = GetThumbRect().PtInRect(point);
    MoveThumbPos(point);
    if (onThumb || GetThumbRect().PtInRect(point)) {
        m_state = 2;
        m_timerOn = 1;
        m_lastMoveMs = widgets::NowMs();
        if (PaintManager* manager = GetManager()) {
            manager->SetTimer(this, kDragTimer, kDragPollMs);
        }
    }
    UpdateControl(1, 0);
    return 1;
}

int DPISlider::OnControlLButtonUp(unsigned, CPoint point) {
    if (m_timerOn.exchange(0)) {
        if (PaintManager* manager = GetManager()) {
            manager->KillTimer(this, kDragTimer);
        }
    }
    if (!IsEnabled()) {
        return 0;
    }
    m_state = GetThumbRect().PtInRect(point) ? 1 : 0;
    UpdateControl(1, 0);
    SendMessageW(2, static_cast<unsigned>(m_min + m_offset), 0);
    return 1;
}

int DPISlider::OnControlTimer() {
    if (m_state != 2 || !m_timerOn) {
        return 0;
    }
    const long long now = widgets::NowMs();
    if (now - m_lastMoveMs < kDragPollMs) {
        return 0;
    }
    m_lastMoveMs = now;
    // The pointer may have left the window while dragging: follow where it is now.
    PaintManager* manager = GetManager();
    POINT p;
    if (manager == nullptr || manager->GetPaintWnd() == nullptr || !GetCursorPos(&p)) {
        return 0;
    }
    ScreenToClient(manager->GetPaintWnd(), &p);
    MoveThumbPos(p);
    return 1;
}

// ---- ReporteCtrl ----

ReporteCtrl::ReporteCtrl(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MControlFont(parent, id, rect, L"", visible, enabled, 1) {}

int ReporteCtrl::AddItem(const wchar_t* text, int value, int colour) {
    int index;
    {
        std::lock_guard lock(m_itemLock);
        m_items.push_back({text != nullptr ? text : L"", value, colour});
        index = static_cast<int>(m_items.size()) - 1;
    }
    UpdateControl(1, 0);
    return index;
}

void ReporteCtrl::DeleteAllItems() {
    {
        std::lock_guard lock(m_itemLock);
        m_items.clear();
        m_hover = -1;
        m_selected = -1;
    }
    UpdateControl(1, 0);
}

void ReporteCtrl::SetItemText(int index, const wchar_t* text) {
    {
        std::lock_guard lock(m_itemLock);
        if (index < 0 || index >= static_cast<int>(m_items.size())) {
            return;
        }
        m_items[index].text = text != nullptr ? text : L"";
    }
    UpdateControl(1, 0);
}

void ReporteCtrl::SetSelectItem(int index) {
    if (m_selected.exchange(index) != index) {
        UpdateControl(1, 0);
    }
}

void ReporteCtrl::SetSelectItemValue(int value) {
    int found = -1;
    {
        std::lock_guard lock(m_itemLock);
        for (size_t i = 0; i < m_items.size(); ++i) {
            if (m_items[i].value == value) {
                found = static_cast<int>(i);
                break;
            }
        }
    }
    if (found >= 0) {
        SetSelectItem(found);
    }
}

int ReporteCtrl::GetItemCount() const {
    std::lock_guard lock(m_itemLock);
    return static_cast<int>(m_items.size());
}

int ReporteCtrl::GetItemKeyValue(int index) const {
    std::lock_guard lock(m_itemLock);
    return index >= 0 && index < static_cast<int>(m_items.size()) ? m_items[index].value : 0;
}

CString ReporteCtrl::GetItemKeyName(int index) const {
    std::lock_guard lock(m_itemLock);
    return index >= 0 && index < static_cast<int>(m_items.size()) ? m_items[index].text : CString();
}

void ReporteCtrl::SetFillColor(DWORD argb) {
    m_fillColor = argb;
    UpdateControl(1, 0);
}

CRect ReporteCtrl::GetItemRect(int index) const {
    if (index < 0 || index >= GetItemCount()) {
        return CRect();
    }
    const CRect r = GetRect();
    const int left = r.left + kFirstX + index * kPitch;
    return CRect(left, r.top, left + kItemWidth, r.bottom);
}

int ReporteCtrl::ItemAt(CPoint point) const {
    const int count = GetItemCount();
    for (int i = 0; i < count; ++i) {
        if (GetItemRect(i).PtInRect(point)) {
            return i;
        }
    }
    return -1;
}

int ReporteCtrl::OnControlMouseMove(unsigned, CPoint point) {
    const int found = IsEnabled() && GetRect().PtInRect(point) ? ItemAt(point) : -1;
    if (m_hover.exchange(found) != found) {
        UpdateControl(1, 0);
    }
    return found >= 0 ? 1 : 0;
}

int ReporteCtrl::OnControlLButtonDown(unsigned, CPoint point) {
    const int found = IsEnabled() ? ItemAt(point) : -1;
    if (found < 0) {
        return 0;
    }
    SetSelectItem(found);
    SendMessageW(1, static_cast<unsigned>(found), 0);
    return 1;
}

int ReporteCtrl::OnControlLButtonUp(unsigned, CPoint point) {
    const int found = IsEnabled() ? ItemAt(point) : -1;
    if (found < 0) {
        return 0;
    }
    SetSelectItem(found);
    SendMessageW(2, static_cast<unsigned>(found), 0);
    return 1;
}

void ReporteCtrl::DrawControl(HDC& hdc, CRect) {
    if (BeginCachedDraw(hdc)) {
        Graphics g(GetMemDC());
        const CRect r = GetRect();
        std::vector<Item> items;
        {
            std::lock_guard lock(m_itemLock);
            items = m_items;
        }
        const int hover = m_hover;
        const int selected = m_selected;
        const DWORD accent = Manager::GetSelectColor().argb;
        const Font font = MakeFont();
        for (int i = 0; i < static_cast<int>(items.size()); ++i) {
            const int left = kFirstX + i * kPitch;
            const bool lit = i == hover || i == selected;
            g.RoundRect(static_cast<float>(left), 1, 98, static_cast<float>(r.Height() - 2), 10,
                        kCardBack, 1, true, lit ? accent : m_fillColor.load());
            g.DrawString(items[i].text, CRect(left, 0, left + 98, r.Height()), font, GetTextColor(),
                         Layout(DT_CENTER));
        }
    }
    EndCachedDraw(hdc);
}

}  // namespace DUI
