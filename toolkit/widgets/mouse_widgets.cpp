#include "tessel/widgets/mouse_widgets.h"

#include <algorithm>

#include "tessel/core/control_factory.h"
#include "tessel/core/manager.h"
#include "tessel/core/mrender.h"
#include "tessel/core/paint_manager.h"
#include "widgets/widget_support.h"

namespace DUI {

TESSEL_REGISTER_CONTROL(MouseKeyCtrl, L"MouseKeyCtrl", kContainerFactory,
                        new MouseKeyCtrl(p, id, r, v))
TESSEL_REGISTER_CONTROL(MouseCtrl, L"MouseCtrl", kContainerFactory, new MouseCtrl(p, id, r, v))

namespace {

constexpr DWORD kLabelTextSelected = 0xFF050505;

int Scaled(float scale, int value) {
    return static_cast<int>(static_cast<float>(value) * scale);
}

// Frame i of the control's strip stretched over dest.
void DrawStripFrame(Graphics& g, const MControlFont& control, int frame, const CRect& dest,
                    int border) {
    const Image* image = control.GetImage();
    const CSize size = control.GetImageSize();
    if (image == nullptr || size.cx <= 0 || size.cy <= 0) {
        return;
    }
    frame = std::clamp(frame, 0, std::max(0, control.GetImageCount() - 1));
    if (border > 0) {
        MRender::DrawImageFrame(g, image, dest, frame * size.cx, 0, size.cx, size.cy, border);
    } else {
        g.DrawImage(image, dest, frame * size.cx, 0, size.cx, size.cy);
    }
}

}  // namespace

// ---- MouseKeyCtrl ----

MouseKeyCtrl::MouseKeyCtrl(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MPanel(parent, id, rect, visible, enabled, 1) {
    SetEnableScroll(0);
    SetTextColor(0xFFB8D3EF);
}

MouseKeyCtrl::~MouseKeyCtrl() = default;

void MouseKeyCtrl::Repaint() {
    if (IsVisible()) {
        UpdateControl(1, 0);
    }
}

void MouseKeyCtrl::LayoutRows() {
    const float s = m_scale;
    const int width = GetRect().Width();
    std::lock_guard lock(m_itemLock);
    int y = 0;
    for (auto& item : m_items) {
        item->row = CRect(0, y, width, y + static_cast<int>(kRowHeight * s));
        y += static_cast<int>(kRowHeight * s + kRowGap);
    }
}

int MouseKeyCtrl::AddItem(CString name, CString description, int keyValue) {
    int index;
    {
        std::lock_guard lock(m_itemLock);
        m_items.push_back(std::make_unique<Item>(
            Item{std::move(name), std::move(description), keyValue, CRect()}));
        index = static_cast<int>(m_items.size()) - 1;
    }
    LayoutRows();
    Repaint();
    return index;
}

int MouseKeyCtrl::DeleteAllItems() {
    {
        std::lock_guard lock(m_itemLock);
        m_items.clear();
        m_hover = -1;
        m_selected = -1;
    }
    Repaint();
    return 1;
}

void MouseKeyCtrl::SetSelectItem(int index) {
    if (m_selected.exchange(index) != index) {
        Repaint();
    }
}

int MouseKeyCtrl::GetItemCount() const {
    std::lock_guard lock(m_itemLock);
    return static_cast<int>(m_items.size());
}

int MouseKeyCtrl::GetItemKeyValue(int index) const {
    std::lock_guard lock(m_itemLock);
    return index >= 0 && index < static_cast<int>(m_items.size()) ? m_items[index]->keyValue : 0;
}

CString MouseKeyCtrl::GetItemKeyName(int index) const {
    std::lock_guard lock(m_itemLock);
    return index >= 0 && index < static_cast<int>(m_items.size()) ? m_items[index]->name
                                                                  : CString();
}

CString MouseKeyCtrl::GetItemKeyDesc(int index) const {
    std::lock_guard lock(m_itemLock);
    return index >= 0 && index < static_cast<int>(m_items.size()) ? m_items[index]->description
                                                                  : CString();
}

int MouseKeyCtrl::SetItemKeyDesc(int keyValue, CString description) {
    {
        std::lock_guard lock(m_itemLock);
        for (auto& item : m_items) {
            if (item->keyValue == keyValue) {
                item->description = std::move(description);
                break;
            }
        }
    }
    Repaint();
    return 1;
}

void MouseKeyCtrl::SetItemText(int index, CString name) {
    {
        std::lock_guard lock(m_itemLock);
        if (index < 0 || index >= static_cast<int>(m_items.size()) ||
            m_items[index]->name == name) {
            return;
        }
        m_items[index]->name = std::move(name);
    }
    Repaint();
}

void MouseKeyCtrl::SetScaleValue(float scale) {
    m_scale = scale > 0 ? scale : 1.0f;
    LayoutRows();
    Repaint();
}

CRect MouseKeyCtrl::GetItemRect(int index) const {
    std::lock_guard lock(m_itemLock);
    return index >= 0 && index < static_cast<int>(m_items.size()) ? m_items[index]->row : CRect();
}

void MouseKeyCtrl::SetControlRect(CRect rect) {
    MPanel::SetControlRect(rect);
    LayoutRows();
}

int MouseKeyCtrl::OnControlMouseMove(unsigned, CPoint point) {
    if (!IsEnabled()) {
        return 0;
    }
    const CRect r = GetRect();
    if (!r.PtInRect(point)) {
        if (m_hover.exchange(-1) != -1) {
            ClearTooltip();
            Repaint();
        }
        return 0;
    }
    const CPoint local(point.x - r.left, point.y - r.top);
    const int before = m_hover;
    CRect row;
    CString description;
    int found = -1;
    {
        std::lock_guard lock(m_itemLock);
        if (before >= 0 && before < static_cast<int>(m_items.size()) &&
            m_items[before]->row.PtInRect(local)) {
            row = m_items[before]->row;
            description = m_items[before]->description;
            found = before;
        }
    }
    if (found >= 0) {
        row.OffsetRect(r.left, r.top);
        PaintManager* manager = GetManager();
        if (!description.empty() && manager != nullptr &&
            manager->GetTooltipCtrlID() != GetControlID()) {
            SetTooltip(description, row);
        }
        return 1;
    }
    m_hover = -1;
    if (before >= 0) {
        ClearTooltip();
    }
    {
        std::lock_guard lock(m_itemLock);
        for (size_t i = 0; i < m_items.size(); ++i) {
            if (m_items[i]->row.PtInRect(local)) {
                found = static_cast<int>(i);
                break;
            }
        }
    }
    m_hover = found;
    if (found != before) {
        Repaint();
    }
    return 1;
}

int MouseKeyCtrl::OnControlLButtonDown(unsigned, CPoint point) {
    if (!IsEnabled() || !GetRect().PtInRect(point)) {
        return 0;
    }
    const int hover = m_hover;
    m_selected = hover;
    SendMessageW(1, static_cast<unsigned>(hover), 0);
    Repaint();
    return 1;
}

int MouseKeyCtrl::OnControlLButtonUp(unsigned, CPoint point) {
    if (!IsEnabled() || !GetRect().PtInRect(point)) {
        return 0;
    }
    const int hover = m_hover;
    m_selected = hover;
    SendMessageW(2, static_cast<unsigned>(hover), 0);
    Repaint();
    return 1;
}

void MouseKeyCtrl::DrawControl(HDC& hdc, CRect) {
    if (BeginCachedDraw(hdc)) {
        LayoutRows();
        Graphics g(GetMemDC());
        const CRect r = GetRect();
        const float s = m_scale;
        const int hover = m_hover;
        const int selected = m_selected;
        const Font font = MakeFont();
        struct Row {
            CString name;
            CString description;
            CRect row;
        };
        std::vector<Row> rows;
        {
            std::lock_guard lock(m_itemLock);
            for (const auto& item : m_items) {
                rows.push_back({item->name, item->description, item->row});
            }
        }
        for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
            const CRect& row = rows[i].row;
            if (row.top >= r.Height()) {
                break;
            }
            const bool lit = i == hover || i == selected;
            if (GetImage() != nullptr) {
                DrawStripFrame(g, *this, lit ? 1 : 0, row, 0);
            } else if (lit) {
                g.FillRect(row, 0x40FFFFFF);
            }
            g.DrawString(rows[i].name, CRect(Scaled(s, 10), row.top, Scaled(s, 80), row.bottom),
                         font, 0xFFFFFFFF, widgets::Layout(DT_LEFT));
            g.DrawString(rows[i].description, CRect(Scaled(s, 80), row.top, r.Width(), row.bottom),
                         font, 0xFFFFFFFF, widgets::Layout(DT_LEFT));
        }
    }
    EndCachedDraw(hdc);
}

// ---- MouseCtrl ----

MouseCtrl::MouseCtrl(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MPanel(parent, id, rect, visible, enabled, 1) {
    SetEnableScroll(0);
    SetTextColor(Manager::GetSelectColor());
}

MouseCtrl::~MouseCtrl() = default;

void MouseCtrl::Repaint() {
    if (IsVisible()) {
        UpdateControl(1, 0);
    }
}

void MouseCtrl::LayoutLabels() {
    const float s = m_scale;
    const int hover = m_hover;
    const int selected = m_selected;
    std::lock_guard lock(m_itemLock);
    for (size_t i = 0; i < m_items.size(); ++i) {
        Item& item = *m_items[i];
        const int x1 = Scaled(s, item.first.x);
        const int y1 = Scaled(s, item.first.y);
        const int x2 = Scaled(s, item.second.x);
        const int y2 = Scaled(s, item.second.y);
        const bool lit = static_cast<int>(i) == hover || static_cast<int>(i) == selected;
        if (item.direction == 1) {
            item.label = CRect(x2 + Scaled(s, 1), y2 - Scaled(s, 13), x2 + Scaled(s, 67),
                               y2 + Scaled(s, 13));
        } else {
            item.label = CRect(x1 - Scaled(s, 67), y1 - Scaled(s, 13), x1 - Scaled(s, lit ? 3 : 1),
                               y1 + Scaled(s, 13));
        }
    }
}

int MouseCtrl::AddItem(CString text, int keyValue, int direction, CPoint first, CPoint second) {
    int index;
    {
        std::lock_guard lock(m_itemLock);
        m_items.push_back(std::make_unique<Item>(
            Item{std::move(text), keyValue, direction, first, second, CRect()}));
        index = static_cast<int>(m_items.size()) - 1;
    }
    LayoutLabels();
    Repaint();
    return index;
}

int MouseCtrl::DeleteAllItems() {
    {
        std::lock_guard lock(m_itemLock);
        m_items.clear();
        m_hover = -1;
        m_selected = -1;
    }
    Repaint();
    return 1;
}

void MouseCtrl::SetSelectItem(int index) {
    if (m_selected.exchange(index) != index) {
        LayoutLabels();
        Repaint();
    }
}

int MouseCtrl::GetItemCount() const {
    std::lock_guard lock(m_itemLock);
    return static_cast<int>(m_items.size());
}

int MouseCtrl::GetItemKeyValue(int index) const {
    std::lock_guard lock(m_itemLock);
    return index >= 0 && index < static_cast<int>(m_items.size()) ? m_items[index]->keyValue : 0;
}

CString MouseCtrl::GetItemText(int index) const {
    std::lock_guard lock(m_itemLock);
    return index >= 0 && index < static_cast<int>(m_items.size()) ? m_items[index]->text
                                                                  : CString();
}

void MouseCtrl::SetItemText(int index, CString text) {
    {
        std::lock_guard lock(m_itemLock);
        if (index < 0 || index >= static_cast<int>(m_items.size()) ||
            m_items[index]->text == text) {
            return;
        }
        m_items[index]->text = std::move(text);
    }
    Repaint();
}

void MouseCtrl::SetScaleValue(float scale) {
    m_scale = scale > 0 ? scale : 1.0f;
    LayoutLabels();
    Repaint();
}

int MouseCtrl::SetMouseImage(const wchar_t* file) {
    bool ok;
    {
        std::lock_guard lock(m_itemLock);
        ok = m_mouse.Load(file, 1);
    }
    Repaint();
    return ok ? 1 : 0;
}

CRect MouseCtrl::GetLabelRect(int index) const {
    std::lock_guard lock(m_itemLock);
    return index >= 0 && index < static_cast<int>(m_items.size()) ? m_items[index]->label : CRect();
}

void MouseCtrl::SetControlRect(CRect rect) {
    MPanel::SetControlRect(rect);
    LayoutLabels();
}

int MouseCtrl::OnControlMouseMove(unsigned, CPoint point) {
    if (!IsEnabled()) {
        return 0;
    }
    const CRect r = GetRect();
    if (!r.PtInRect(point)) {
        if (m_hover.exchange(-1) != -1) {
            LayoutLabels();
            Repaint();
        }
        return 0;
    }
    const CPoint local(point.x - r.left, point.y - r.top);
    const int before = m_hover;
    int found = -1;
    {
        std::lock_guard lock(m_itemLock);
        if (before >= 0 && before < static_cast<int>(m_items.size()) &&
            m_items[before]->label.PtInRect(local)) {
            return 1;
        }
        for (size_t i = 0; i < m_items.size(); ++i) {
            if (m_items[i]->label.PtInRect(local)) {
                found = static_cast<int>(i);
                break;
            }
        }
    }
    m_hover = found;
    if (found != before) {
        LayoutLabels();
        Repaint();
    }
    return 1;
}

int MouseCtrl::OnControlLButtonDown(unsigned, CPoint point) {
    const int hover = m_hover;
    if (!IsEnabled() || !GetRect().PtInRect(point) || hover < 0) {
        return 0;
    }
    m_selected = hover;
    SendMessageW(1, static_cast<unsigned>(hover), 0);
    LayoutLabels();
    Repaint();
    return 1;
}

int MouseCtrl::OnControlLButtonUp(unsigned, CPoint point) {
    const int hover = m_hover;
    if (!IsEnabled() || !GetRect().PtInRect(point) || hover < 0) {
        return 0;
    }
    m_selected = hover;
    SendMessageW(2, static_cast<unsigned>(hover), 0);
    LayoutLabels();
    Repaint();
    return 1;
}

void MouseCtrl::DrawControl(HDC& hdc, CRect) {
    if (BeginCachedDraw(hdc)) {
        LayoutLabels();
        Graphics g(GetMemDC());
        const CRect r = GetRect();
        const float s = m_scale;
        const int hover = m_hover;
        const int selected = m_selected;
        const DWORD accent = Manager::GetSelectColor().argb;
        Font font = MakeFont();
        font.size = std::max(8.0f, font.size * s);
        std::lock_guard lock(m_itemLock);
        if (m_mouse.Loaded()) {
            const Image* mouse = m_mouse.Get();
            g.DrawImage(mouse,
                        CRect(0, 0, Scaled(s, mouse->GetWidth()), Scaled(s, mouse->GetHeight())));
        }
        for (size_t i = 0; i < m_items.size(); ++i) {
            const Item& item = *m_items[i];
            const bool lit = static_cast<int>(i) == hover || static_cast<int>(i) == selected;
            const float x1 = static_cast<float>(item.first.x) * s;
            const float y1 = static_cast<float>(item.first.y) * s;
            const float x2 = static_cast<float>(item.second.x) * s;
            const float y2 = static_cast<float>(item.second.y) * s;
            const DWORD pen = lit ? accent : 0xFFFFFFFF;
            g.DrawLine(x1, y1, x2, y2, pen, 2);
            if (item.direction == 1) {
                g.FillEllipse(x1 - 5 * s, y1 - 3 * s, 6 * s, 6 * s, pen);
            } else {
                g.FillEllipse(x2 - s, y2 - 3 * s, 6 * s, 6 * s, pen);
            }
            if (GetImage() != nullptr) {
                DrawStripFrame(g, *this, lit ? 1 : 0, item.label, 6);
            } else {
                g.RoundRect(static_cast<float>(item.label.left), static_cast<float>(item.label.top),
                            static_cast<float>(item.label.Width()),
                            static_cast<float>(item.label.Height()), 6, 0, 0, true,
                            lit ? accent : 0xFFE8ECF0);
            }
            g.DrawString(item.text, item.label, font, lit ? kLabelTextSelected : GetTextColor(),
                         widgets::Layout(DT_CENTER));
        }
        (void)r;
    }
    EndCachedDraw(hdc);
}

}  // namespace DUI
