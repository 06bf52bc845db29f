#include "tessel/core/mpanel.h"

#include <algorithm>

#include "tessel/core/control_factory.h"
#include "tessel/core/paint_manager.h"

namespace DUI {
namespace {

std::mutex& MakerLock() {
    static std::mutex lock;
    return lock;
}

MPanel::ScrollBarMaker& Maker() {
    static MPanel::ScrollBarMaker maker;
    return maker;
}

}  // namespace

void MPanel::SetScrollBarMaker(ScrollBarMaker maker) {
    std::lock_guard lock(MakerLock());
    Maker() = std::move(maker);
}

MPanel::MPanel(MObject* parent, unsigned id, CRect rect, int visible, int enabled, int responsive)
    : MControlFont(parent, id, rect, L"", visible, enabled, responsive) {
    ScrollBarMaker maker;
    {
        std::lock_guard lock(MakerLock());
        maker = Maker();
    }
    if (maker) {
        m_scrollV = maker(this, true);
        m_scrollH = maker(this, false);
        AppendChild(m_scrollV, 1);
        AppendChild(m_scrollH, 1);
    }
}

MPanel::~MPanel() = default;

MControl* MPanel::CreateArea(const wchar_t* className, unsigned id, CRect rect,
                             const wchar_t* title, int visible, int enabled) {
    return CreateControl(0, this, className, id, rect, title, visible, enabled);
}

MControl* MPanel::CreateControl(unsigned kind, MObject* parent, const wchar_t* className,
                                unsigned id, CRect rect, const wchar_t* title, int visible,
                                int enabled) {
    const ControlCreator creator = FindControlClass(className, kContainerFactory);
    if (creator == nullptr) {
        return nullptr;
    }
    MControl* control = creator(parent, id, rect, title, visible, enabled);
    if (control == nullptr) {
        return nullptr;
    }
    if (PaintManager* manager = GetManager()) {
        control->SetManager(manager);
    }
    AppendChild(control, kind);
    UpdateScrollBars();
    return control;
}

MControl* MPanel::CreateControl(const wchar_t* className, unsigned id, CRect rect,
                                const wchar_t* title, int visible, int enabled) {
    return CreateControl(1, this, className, id, rect, title, visible, enabled);
}

int MPanel::OnControlKeyUp(unsigned, unsigned, unsigned) {
    return 0;
}

void MPanel::DrawControl(HDC&, CRect) {}

void MPanel::InitControl(PaintManager* manager) {
    m_initialised = 1;
    std::vector<MControl*> children;
    {
        std::lock_guard lock(m_areaLock);
        children = m_areas;
    }
    {
        std::lock_guard lock(m_controlLock);
        children.insert(children.end(), m_controls.begin(), m_controls.end());
    }
    for (MControl* child : children) {
        if (child->GetManager() != manager) {
            child->SetManager(manager);
        }
    }
}

int MPanel::OnMousePointChange(CPoint& point) {
    if (!m_scrollEnabled) {
        return 0;
    }
    const int dx = m_scrollX;
    const int dy = m_scrollY;
    if (dx == 0 && dy == 0) {
        return 0;
    }
    point.x += dx;
    point.y += dy;
    return 1;
}

long MPanel::OnWindowMessage(unsigned msg, unsigned wParam, long lParam) {
    std::lock_guard lock(m_controlLock);
    for (MControl* child : m_controls) {
        if (const long r = child->OnWindowMessage(msg, wParam, lParam); r != 0) {
            return r;
        }
    }
    return 0;
}

long MPanel::OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) {
    MObject* parent = GetParantObject();
    return parent != nullptr ? parent->OnBaseMessage(id, code, wParam, lParam) : 0;
}

long MPanel::OnBaseMessage(unsigned id, unsigned code, unsigned wParam, long lParam) {
    return OnMessage(id, code, wParam, lParam);
}

long MPanel::OnControlUpdate(CRect rect, int flag, MControl* control) {
    if (flag != 0 && control != nullptr) {
        control->SetUpdate(0, 0);
    }
    CRect region = rect;
    // Later siblings drawn over the region must be drawn again (and so re-render).
    {
        std::lock_guard lock(m_controlLock);
        bool passed = false;
        for (MControl* child : m_controls) {
            if (child == control) {
                passed = true;
                continue;
            }
            if (passed && child->IsVisible() && child->GetRect().Intersects(rect)) {
                region.UnionRect(region, child->GetRect());
                child->SetUpdate(0, 0);
            }
        }
    }
    region.OffsetRect(-m_scrollX, -m_scrollY);
    CRect visible;
    if (!visible.IntersectRect(region, GetRect())) {
        return 0;
    }
    // The lock is released before going up: the window walks its lists top-down.
    MObject* parent = GetParantObject();
    return parent != nullptr ? parent->OnControlUpdate(visible, 0, this) : 0;
}

void MPanel::SetControlEnabled(int enabled) {
    MControl::SetControlEnabled(enabled);
    std::vector<MControl*> children;
    {
        std::lock_guard lock(m_controlLock);
        children = m_controls;
    }
    for (MControl* child : children) {
        child->SetEnabled(enabled);
    }
}

void MPanel::SetControlRect(CRect rect) {
    MControl::SetControlRect(rect);
    const int thickness = m_scrollThickness;
    if (m_scrollV != nullptr) {
        m_scrollV->SetControlRect(CRect(rect.right - thickness, rect.top, rect.right, rect.bottom));
    }
    if (m_scrollH != nullptr) {
        m_scrollH->SetControlRect(
            CRect(rect.left, rect.bottom - thickness, rect.right, rect.bottom));
    }
    int width = 0;
    int height = 0;
    std::lock_guard lock(m_controlLock);
    for (MControl* child : m_controls) {
        if (child == m_scrollV || child == m_scrollH) {
            continue;
        }
        const CRect r = child->GetRect();
        width = std::max(width, r.right - rect.left);
        height = std::max(height, r.bottom - rect.top);
    }
    m_virtualWidth = width;
    m_virtualHeight = height;
    UpdateScrollBars();
}

void MPanel::SetScrollOffset(int x, int y) {
    const bool movedX = m_scrollX.exchange(x) != x;
    const bool movedY = m_scrollY.exchange(y) != y;
    if (movedX || movedY) {
        SetUpdate(0, 0);
        UpdateControl(0, 0);
    }
}

}  // namespace DUI
