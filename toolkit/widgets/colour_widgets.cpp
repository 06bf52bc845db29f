#include "tessel/widgets/colour_widgets.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "core/controls/state_cache.h"
#include "tessel/core/control_factory.h"
#include "tessel/core/manager.h"
#include "tessel/core/mrender.h"
#include "tessel/core/paint_manager.h"
#include "widgets/widget_support.h"

namespace DUI {

using widgets::BgrToArgb;

TESSEL_REGISTER_CONTROL(LightSlider, L"LightSlider", kWindowFactory | kContainerFactory,
                        new LightSlider(p, id, r, v, e))
TESSEL_REGISTER_CONTROL(CColorButton, L"CColorButton", kWindowFactory | kContainerFactory,
                        new CColorButton(p, id, r, v, e))
TESSEL_REGISTER_CONTROL(ColorButtonEx, L"ColorButtonEx", kContainerFactory,
                        new ColorButtonEx(p, id, r, t, v, 1))
TESSEL_REGISTER_CONTROL(MPalette, L"MPalette", kWindowFactory | kContainerFactory,
                        new MPalette(p, id, r, v))
TESSEL_REGISTER_CONTROL(CColorPalette, L"CColorPalette", kWindowFactory | kContainerFactory,
                        new CColorPalette(p, id, r, v))
TESSEL_REGISTER_CONTROL(CColorSelect, L"CColorSelect", kWindowFactory | kContainerFactory,
                        new CColorSelect(p, id, r, v))
TESSEL_REGISTER_CONTROL(CirclePalette, L"CirclePalette", kWindowFactory | kContainerFactory,
                        new CirclePalette(p, id, r, v, 1))
TESSEL_REGISTER_CONTROL(PaletteBar, L"PaletteBar", kContainerFactory, new PaletteBar(p, id, r, v))

namespace {

constexpr double kPi = 3.14159265358979323846;

double HueToChannel(double p, double q, double t) {
    if (t < 0) {
        t += 1;
    }
    if (t > 1) {
        t -= 1;
    }
    if (t < 1.0 / 6) {
        return p + (q - p) * 6 * t;
    }
    if (t < 0.5) {
        return q;
    }
    if (t < 2.0 / 3) {
        return p + (q - p) * (2.0 / 3 - t) * 6;
    }
    return p;
}

BYTE ToByte(double v) {
    return static_cast<BYTE>(std::lround(std::clamp(v, 0.0, 1.0) * 255));
}

// Writes opaque pixels straight into a surface's buffer (opaque, so premultiplying is a no-op).
void PutPixel(Surface& s, int x, int y, DWORD bgr) {
    auto* row = reinterpret_cast<std::uint32_t*>(reinterpret_cast<unsigned char*>(s.Data()) +
                                                 y * s.Stride());
    row[x] = BgrToArgb(bgr);
}

}  // namespace

DWORD HslToRgb(double hue, double saturation, double lightness) {
    saturation = std::clamp(saturation, 0.0, 1.0);
    lightness = std::clamp(lightness, 0.0, 1.0);
    if (saturation <= 0) {
        const BYTE grey = ToByte(lightness);
        return RGB(grey, grey, grey);
    }
    const double h = std::fmod(std::fmod(hue, 360.0) + 360.0, 360.0) / 360.0;
    const double q = lightness < 0.5 ? lightness * (1 + saturation)
                                     : lightness + saturation - lightness * saturation;
    const double p = 2 * lightness - q;
    return RGB(ToByte(HueToChannel(p, q, h + 1.0 / 3)), ToByte(HueToChannel(p, q, h)),
               ToByte(HueToChannel(p, q, h - 1.0 / 3)));
}

void RgbToHsl(DWORD colour, double& hue, double& saturation, double& lightness) {
    const double r = GetRValue(colour) / 255.0;
    const double g = GetGValue(colour) / 255.0;
    const double b = GetBValue(colour) / 255.0;
    const double high = std::max({r, g, b});
    const double low = std::min({r, g, b});
    lightness = (high + low) / 2;
    if (high == low) {
        hue = 0;
        saturation = 0;
        return;
    }
    const double d = high - low;
    saturation = lightness > 0.5 ? d / (2 - high - low) : d / (high + low);
    if (high == r) {
        hue = (g - b) / d + (g < b ? 6 : 0);
    } else if (high == g) {
        hue = (b - r) / d + 2;
    } else {
        hue = (r - g) / d + 4;
    }
    hue *= 60;
}

// ---- LightSlider ----

LightSlider::LightSlider(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MControlFont(parent, id, rect, L"", visible, enabled, 1) {
    SetTextColor(0xFF050505);
    PlaceThumb();
}

LightSlider::~LightSlider() {
    if (PaintManager* manager = GetManager()) {
        manager->KillTimer(this);
    }
}

CSize LightSlider::ThumbSize() const {
    std::lock_guard lock(m_lock);
    return m_thumb.Loaded() ? CSize(m_thumb.FrameWidth(), m_thumb.FrameHeight()) : CSize(20, 20);
}

void LightSlider::GetTrack(int& left, int& width) const {
    const CRect r = GetRect();
    const int half = ThumbSize().cx / 2;
    left = r.left + half;
    width = std::max(1, r.Width() - 2 * half);
}

void LightSlider::PlaceThumb() {
    int left = 0;
    int width = 0;
    GetTrack(left, width);
    const int range = std::max(1, m_max - m_min);
    int f = static_cast<int>(static_cast<long long>(width) * m_position / range);
    if (f < 1) {
        f = 0;
    }
    f = std::min(f, width);
    const CRect r = GetRect();
    const int tw = ThumbSize().cx;
    std::lock_guard lock(m_lock);
    m_thumbRect = CRect(left + f - tw / 2, r.top, left + f - tw / 2 + tw, r.bottom);
}

CRect LightSlider::GetThumbRect() const {
    std::lock_guard lock(m_lock);
    return m_thumbRect;
}

void LightSlider::SetControlRect(CRect rect) {
    MControlFont::SetControlRect(rect);
    PlaceThumb();
}

int LightSlider::SetProgress(int value) {
    const int range = m_max - m_min;
    const int position = std::min(range, value - m_min);
    if (position >= 0 && position <= range && m_position.exchange(position) != position) {
        PlaceThumb();
        UpdateControl(1, 0);
    }
    return m_position;
}

void LightSlider::SetShowText(int show) {
    m_showText = show;
    UpdateControl(1, 0);
}

void LightSlider::SetScale(int scale) {
    m_scale = scale == 0 ? 1 : scale;
    UpdateControl(1, 0);
}

void LightSlider::SetTextPrefix(const wchar_t* prefix) {
    {
        std::lock_guard lock(m_lock);
        m_prefix = prefix != nullptr ? prefix : L"";
    }
    UpdateControl(1, 0);
}

int LightSlider::SetThumbImage(const wchar_t* file) {
    bool ok;
    {
        std::lock_guard lock(m_lock);
        ok = m_thumb.Load(file, 4);
    }
    PlaceThumb();
    UpdateControl(1, 0);
    return ok ? 1 : 0;
}

int LightSlider::SetImage(const wchar_t* file, int count) {
    bool ok;
    {
        std::lock_guard lock(m_lock);
        ok = m_track.Load(file, std::max(1, count));
    }
    SetRunTimer(1);
    AddMTimer();
    UpdateControl(1, 0);
    return ok ? 1 : 0;
}

void LightSlider::MoveThumbPos(CPoint point) {
    int left = 0;
    int width = 0;
    GetTrack(left, width);
    const int range = std::max(0, m_max - m_min);
    const int position = std::clamp(
        static_cast<int>(static_cast<long long>(point.x - left) * (range + 1) / width), 0, range);
    if (m_position.exchange(position) == position) {
        return;
    }
    PlaceThumb();
    UpdateControl(1, 0);
    SendMessageW(8, static_cast<unsigned>(m_min + position), 0);
}

int LightSlider::OnControlMouseMove(unsigned, CPoint point) {
    if (!IsEnabled()) {
        return 0;
    }
    if (m_dragging) {
        MoveThumbPos(point);
        return 1;
    }
    const int hover = GetThumbRect().PtInRect(point) ? 1 : 0;
    if (m_state.exchange(hover) != hover) {
        UpdateControl(1, 0);
    }
    return GetRect().PtInRect(point) ? 1 : 0;
}

int LightSlider::OnControlLButtonDown(unsigned, CPoint point) {
    if (!IsEnabled() || !GetRect().PtInRect(point)) {
        return 0;
    }
    const bool onThumb = GetThumbRect().PtInRect(point);
    MoveThumbPos(point);
    if (onThumb || GetThumbRect().PtInRect(point)) {
        m_state = 2;
        m_dragging = 1;
        m_lastDragMs = widgets::NowMs();
        if (PaintManager* manager = GetManager()) {
            manager->SetTimer(this, kDragTimer, kDragPollMs);
        }
    }
    UpdateControl(1, 0);
    return 1;
}

int LightSlider::OnControlLButtonUp(unsigned, CPoint point) {
    if (m_dragging.exchange(0)) {
        if (PaintManager* manager = GetManager()) {
            manager->KillTimer(this, kDragTimer);
        }
    }
    if (!IsEnabled()) {
        return 0;
    }
    m_state = GetThumbRect().PtInRect(point) ? 1 : 0;
    UpdateControl(1, 0);
    SendMessageW(2, 0, 0);
    return 1;
}

int LightSlider::OnControlTimer() {
    if (!m_dragging) {
        return 0;
    }
    const long long now = widgets::NowMs();
    if (now - m_lastDragMs < kDragPollMs) {
        return 0;
    }
    m_lastDragMs = now;
    PaintManager* manager = GetManager();
    POINT p;
    if (manager == nullptr || manager->GetPaintWnd() == nullptr || !GetCursorPos(&p)) {
        return 0;
    }
    ScreenToClient(manager->GetPaintWnd(), &p);
    MoveThumbPos(p);
    return 1;
}

void LightSlider::DrawControl(HDC& hdc, CRect) {
    if (BeginCachedDraw(hdc)) {
        Graphics g(GetMemDC());
        const CRect r = GetRect();
        const CSize thumbSize = ThumbSize();
        const int tw = thumbSize.cx;
        const bool text = m_showText != 0;
        // With the value shown, the bar keeps clear of the text band at the bottom.
        const float mid = static_cast<float>(text ? (r.Height() - 20) / 2 : r.Height() / 2);
        const float start = static_cast<float>(tw) / 2;
        const float end = static_cast<float>(r.Width() - tw / 2 - 3);
        g.DrawLine(start, mid, end, mid, 0xFF202020, 2);
        const int range = m_max - m_min;
        if (range > 0) {
            const float step = static_cast<float>(r.Width() - tw) / static_cast<float>(range);
            for (int i = 0; i <= range; ++i) {
                const float x = start + step * static_cast<float>(i);
                g.DrawLine(x, mid, x, mid + std::min(25.0f, static_cast<float>(r.Height()) - mid),
                           0xFF202020, 2);
            }
        }
        CRect thumb = GetThumbRect();
        thumb.OffsetRect(-r.left, -r.top);
        const float centre = static_cast<float>(thumb.left + thumb.right) / 2;
        if (range > 0) {
            const DWORD accent = IsEnabled() ? Manager::GetSelectColor().argb : 0xFF5A5A5A;
            g.DrawLine(start, mid, centre, mid, accent, 2);
            std::lock_guard lock(m_lock);
            const CRect box(thumb.left, static_cast<int>(mid) - thumbSize.cy / 2, thumb.right,
                            static_cast<int>(mid) - thumbSize.cy / 2 + thumbSize.cy);
            if (m_thumb.Loaded()) {
                m_thumb.Draw(g, std::min(IsEnabled() ? m_state.load() : 3, m_thumb.Count() - 1),
                             box);
            } else {
                g.FillEllipse(static_cast<float>(box.left), static_cast<float>(box.top),
                              static_cast<float>(box.Width()), static_cast<float>(box.Height()),
                              accent);
            }
        }
        if (text) {
            CString prefix;
            {
                std::lock_guard lock(m_lock);
                prefix = m_prefix;
            }
            const CString label =
                prefix + widgets::Number(GetProgress() / m_scale) + (m_max == 100 ? L"%" : L"");
            g.DrawString(label, CRect(0, r.Height() - 20, r.Width(), r.Height()), MakeFont(),
                         GetTextColor(), widgets::Layout(DT_CENTER));
        }
    }
    EndCachedDraw(hdc);
}

// ---- CColorButton ----

CColorButton::CColorButton(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MControlFont(parent, id, rect, L"", visible, enabled, 1) {
    m_state = enabled ? 0 : 3;
}

void CColorButton::SetColor(DWORD colour) {
    colour &= 0xFFFFFF;
    if (m_colour.exchange(colour) != colour) {
        SetUpdate(0, 0);
        UpdateControl(1, 0);
    }
}

int CColorButton::SetCheck(int check) {
    if (!IsEnabled()) {
        return m_check;
    }
    const int before = m_check.exchange(check);
    m_state = check ? 2 : 0;
    if (before != check) {
        ResetGroupCheck();
        UpdateControl(0, 0);
    }
    return m_check;
}

void CColorButton::SetControlCheck(int check) {
    m_check = check;
    m_state = check ? 2 : 0;
    UpdateControl(0, 0);
}

void CColorButton::SetGroupName(const wchar_t* group) {
    std::lock_guard lock(m_groupLock);
    m_group = group != nullptr ? group : L"";
}

CString CColorButton::GetGroupName() const {
    std::lock_guard lock(m_groupLock);
    return m_group;
}

void CColorButton::SetVisibleBorder(bool visible) {
    m_border = visible ? 1 : 0;
    SetUpdate(0, 0);
    UpdateControl(1, 0);
}

void CColorButton::ResetGroupCheck() {
    const CString group = GetGroupName();
    const wchar_t* cls = GetClassNameW();
    auto reset = [&](std::vector<MControl*>& siblings) {
        for (MControl* sibling : siblings) {
            if (sibling == this || !sibling->IsClass(cls) || !sibling->IsVisible() ||
                !sibling->IsEnabled()) {
                continue;
            }
            auto* button = dynamic_cast<CColorButton*>(sibling);
            if (button == nullptr || button->GetGroupName() != group) {
                continue;
            }
            button->m_check = 0;
            button->m_state = 0;
            button->UpdateControl(0, 0);
        }
    };
    if (auto* owner = dynamic_cast<MControl*>(GetParantObject())) {
        std::lock_guard lock(owner->ControlLock());
        reset(owner->GetControls());
    } else if (PaintManager* manager = GetManager()) {
        std::lock_guard lock(manager->ControlLock());
        reset(manager->GetControls());
    }
}

void CColorButton::RenderState(Graphics& g, int state, const CRect& slot) {
    g.FillRect(slot, BgrToArgb(m_colour));
    if (!m_border || state == 0) {
        return;
    }
    const DWORD outline = state == 3 ? 0xFF808080 : 0xFFFFFFFF;
    CRect inner = slot;
    inner.DeflateRect(1, 1);
    g.DrawRect(inner, outline, 2);
}

void CColorButton::DrawControl(HDC& hdc, CRect) {
    const int frame = !IsEnabled() ? 3 : (m_check ? 2 : std::clamp(m_state.load(), 0, 3));
    DrawStates(*this, hdc, 4, frame,
               [this](Graphics& g, int state, const CRect& slot) { RenderState(g, state, slot); });
}

int CColorButton::OnControlMouseMove(unsigned, CPoint point) {
    if (!IsEnabled()) {
        return 0;
    }
    const bool inside = GetRect().PtInRect(point);
    if (!m_pressed) {
        const int state = m_check ? 2 : (inside ? 1 : 0);
        if (m_state.exchange(state) != state) {
            UpdateControl(0, 0);
        }
    }
    return inside ? 1 : 0;
}

int CColorButton::OnControlLButtonDown(unsigned, CPoint point) {
    if (!IsEnabled() || !GetRect().PtInRect(point)) {
        return 0;
    }
    m_pressed = 1;
    ResetGroupCheck();
    m_check = 1;
    m_state = 2;
    UpdateControl(0, 0);
    SendMessageW(1, 0, 0);
    return 1;
}

int CColorButton::OnControlLButtonUp(unsigned, CPoint point) {
    if (!m_pressed.exchange(0) || !IsEnabled()) {
        return 0;
    }
    if (GetRect().PtInRect(point)) {
        SendMessageW(2, 0, 0);
    }
    return 1;
}

void CColorButton::SetControlEnabled(int enabled) {
    MControlFont::SetControlEnabled(enabled);
    m_state = enabled ? (m_check ? 2 : 0) : 3;
    UpdateControl(0, 0);
}

// ---- ColorButtonEx ----

ColorButtonEx::ColorButtonEx(MObject* parent, unsigned id, CRect rect, const wchar_t* caption,
                             int visible, int enabled)
    : CColorButton(parent, id, rect, visible, enabled) {
    SetTitle(caption);
}

void ColorButtonEx::RenderState(Graphics& g, int state, const CRect& slot) {
    const int side = slot.Height() - 4;
    const CRect swatch(slot.left + 2, slot.top + 2, slot.left + 2 + side, slot.top + 2 + side);
    if (state == 1 || state == 2) {
        g.RoundRect(static_cast<float>(slot.left), static_cast<float>(slot.top),
                    static_cast<float>(slot.Width()), static_cast<float>(slot.Height()), 4, 0, 0,
                    true, state == 2 ? 0x50FFFFFF : 0x28FFFFFF);
    }
    g.FillRect(swatch, BgrToArgb(m_colour));
    if (m_border) {
        g.DrawRect(swatch, state == 3 ? 0xFF808080 : 0xFFFFFFFF, 1);
    }
    g.DrawString(GetTitle(), CRect(swatch.right + 8, slot.top, slot.right - 2, slot.bottom),
                 MakeFont(), state == 3 ? 0xFF808080 : GetTextColor(), widgets::Layout(DT_LEFT));
}

// ---- MPalette ----

MPalette::MPalette(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MControlFont(parent, id, rect, L"", visible, enabled, 1) {
    m_reported = GetSelectColor();
    UpdatePaletteData();
    UpdateBarData();
    const CRect field = GetFieldRect();
    std::lock_guard lock(m_dataLock);
    m_marker = CPoint(field.left + field.Width() * m_hue / 360,
                      std::max(field.top, field.top + (m_lightness - 20) * field.Height() / 180));
}

CRect MPalette::GetFieldRect() const {
    const CRect r = GetRect();
    return CRect(r.left, r.top, r.right - m_barWidth - 22, r.top + m_fieldHeight);
}

CRect MPalette::GetBarRect() const {
    const CRect r = GetRect();
    return CRect(r.right - m_barWidth - 16, r.top, r.right, r.top + m_fieldHeight);
}

CPoint MPalette::GetMarker() const {
    std::lock_guard lock(m_dataLock);
    return m_marker;
}

DWORD MPalette::GetSelectColor() const {
    return HslToRgb(m_hue, m_saturation / 200.0, m_lightness / 200.0);
}

void MPalette::SetSelectColor(DWORD colour) {
    double h = 0;
    double s = 0;
    double l = 0;
    RgbToHsl(colour & 0xFFFFFF, h, s, l);
    m_hue = static_cast<int>(std::lround(h)) % 361;
    m_saturation = static_cast<int>(std::lround(s * 200));
    m_lightness = static_cast<int>(std::lround(l * 200));
    const CRect field = GetFieldRect();
    {
        std::lock_guard lock(m_dataLock);
        m_marker =
            CPoint(field.left + field.Width() * m_hue / 360,
                   std::max(field.top, field.top + (m_lightness - 20) * field.Height() / 180));
    }
    m_reported = GetSelectColor();
    UpdateBarData();
    UpdateControl(1, 0);
}

void MPalette::SetPalletHeight(int height) {
    m_fieldHeight = std::max(1, height);
    UpdateControl(1, 0);
}

int MPalette::SetThumbImage(const wchar_t* file) {
    std::lock_guard lock(m_dataLock);
    return m_thumb.Load(file, 4) ? 1 : 0;
}

void MPalette::UpdatePaletteData() {
    std::lock_guard lock(m_dataLock);
    if (!m_data) {
        m_data = std::make_unique<Surface>(400, 200);
    }
    for (int y = 20; y < 200; ++y) {
        for (int x = 0; x < 360; ++x) {
            PutPixel(*m_data, x, y, HslToRgb(x, 1.0, y / 200.0));
        }
    }
    m_data->MarkDirty();
}

void MPalette::UpdateBarData() {
    std::lock_guard lock(m_dataLock);
    if (!m_data) {
        return;
    }
    const int hue = m_hue;
    const double lightness = m_lightness / 200.0;
    const int width = std::min<int>(m_barWidth, 30);
    for (int y = 0; y < 200; ++y) {
        const DWORD colour = HslToRgb(hue, y / 200.0, lightness);
        for (int x = 370; x < 370 + width; ++x) {
            PutPixel(*m_data, x, y, colour);
        }
    }
    m_data->MarkDirty();
}

void MPalette::PickField(CPoint point) {
    const CRect field = GetFieldRect();
    const CPoint at(
        std::clamp(point.x, static_cast<int>(field.left), static_cast<int>(field.right) - 1),
        std::clamp(point.y, static_cast<int>(field.top), static_cast<int>(field.bottom) - 1));
    int hue = (at.x - field.left) * 360 / std::max(1, field.Width());
    hue = hue < 1 ? 0 : std::min(hue, 360);
    const int lightness =
        std::clamp((at.y - field.top) * 180 / std::max(1, field.Height()) + 20, 20, 200);
    {
        std::lock_guard lock(m_dataLock);
        m_marker = at;
    }
    m_hue = hue;
    m_lightness = lightness;
    UpdateBarData();
}

void MPalette::PickBar(CPoint point) {
    const CRect bar = GetBarRect();
    int saturation = (point.y - bar.top) * 200 / std::max(1, bar.Height());
    saturation = saturation < 1 ? 0 : (saturation > 199 ? 200 : saturation);
    m_saturation = saturation;
}

int MPalette::OnControlLButtonDown(unsigned, CPoint point) {
    if (!IsEnabled() || !GetRect().PtInRect(point)) {
        return 0;
    }
    if (GetFieldRect().PtInRect(point)) {
        PickField(point);
        m_dragField = 1;
    } else if (GetBarRect().PtInRect(point)) {
        PickBar(point);
        m_dragBar = 1;
    }
    const DWORD colour = GetSelectColor();
    if (m_reported.exchange(colour) != colour) {
        SendMessageW(27, colour, 0);
    }
    UpdateControl(1, 0);
    return 1;
}

int MPalette::OnControlMouseMove(unsigned flags, CPoint point) {
    if (!IsEnabled() || (flags & MK_LBUTTON) == 0) {
        return GetRect().PtInRect(point) ? 1 : 0;
    }
    if (m_dragField && GetFieldRect().PtInRect(point)) {
        PickField(point);
        UpdateControl(1, 0);
    } else if (m_dragBar) {
        PickBar(point);
        SendMessageW(27, 0, 0);
        UpdateControl(1, 0);
    }
    return 1;
}

int MPalette::OnControlLButtonUp(unsigned, CPoint) {
    if (!IsEnabled()) {
        return 0;
    }
    m_dragField = 0;
    m_dragBar = 0;
    const DWORD colour = GetSelectColor();
    m_reported = colour;
    SendMessageW(2, colour, 0);
    UpdateControl(1, 0);
    return 1;
}

int MPalette::OnControlScroll(int, unsigned, CPoint) {
    return 1;
}

void MPalette::DrawControl(HDC& hdc, CRect) {
    if (BeginCachedDraw(hdc)) {
        Graphics g(GetMemDC());
        const CRect r = GetRect();
        CRect field = GetFieldRect();
        field.OffsetRect(-r.left, -r.top);
        CRect bar = GetBarRect();
        bar.OffsetRect(-r.left, -r.top);
        std::lock_guard lock(m_dataLock);
        if (m_data) {
            g.DrawImage(m_data.get(), field, 0, 20, 360, 180);
            g.DrawImage(m_data.get(), bar, 370, 0, std::min<int>(m_barWidth, 30), 200);
        }
        const float mx = static_cast<float>(m_marker.x - r.left);
        const float my = static_cast<float>(m_marker.y - r.top);
        if (m_thumb.Loaded()) {
            m_thumb.DrawAt(g, 0, static_cast<int>(mx) - m_thumb.FrameWidth() / 2,
                           static_cast<int>(my) - m_thumb.FrameHeight() / 2);
        } else {
            g.RoundRect(mx - 4, my - 4, 8, 8, 4, 0xFEFFFFFF, 1.5f, false, 0);
            g.RoundRect(mx - 3, my - 3, 8, 8, 4, 0xFE808080, 1, false, 0);
        }
        // The saturation bar's marker: a notch at the current saturation.
        const float sy = static_cast<float>(bar.top + bar.Height() * m_saturation / 200);
        g.DrawLine(static_cast<float>(bar.left), sy, static_cast<float>(bar.right), sy, 0xFEFFFFFF,
                   2);
        if (!IsEnabled()) {
            g.FillRect(CRect(0, 0, r.Width(), r.Height()), 0x80505050);
        }
    }
    EndCachedDraw(hdc);
}

// ---- CColorPalette ----

CColorPalette::CColorPalette(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MControlFont(parent, id, rect, L"", visible, enabled, 1) {
    m_colours = {0x0000FF, 0x0080FF, 0x00FFFF, 0x00FF80, 0x00FF00, 0x80FF00, 0xFFFF00, 0xFF8000,
                 0xFF0000, 0xFF0080, 0xFF00FF, 0x8000FF, 0xFFFFFF, 0xC0C0C0, 0x808080, 0x404040};
}

void CColorPalette::SetColors(const std::vector<DWORD>& colours) {
    {
        std::lock_guard lock(m_lock);
        m_colours = colours;
    }
    m_selected = -1;
    m_hover = -1;
    UpdateControl(1, 0);
}

std::vector<DWORD> CColorPalette::GetColors() const {
    std::lock_guard lock(m_lock);
    return m_colours;
}

void CColorPalette::SetColumns(int columns) {
    m_columns = std::max(1, columns);
    UpdateControl(1, 0);
}

void CColorPalette::SetSelectColor(DWORD colour) {
    colour &= 0xFFFFFF;
    int found = -1;
    {
        std::lock_guard lock(m_lock);
        for (size_t i = 0; i < m_colours.size(); ++i) {
            if (m_colours[i] == colour) {
                found = static_cast<int>(i);
                break;
            }
        }
    }
    m_colour = colour;
    m_selected = found;
    UpdateControl(1, 0);
}

CRect CColorPalette::GetCellRect(int index) const {
    int count;
    {
        std::lock_guard lock(m_lock);
        count = static_cast<int>(m_colours.size());
    }
    if (index < 0 || index >= count) {
        return CRect();
    }
    const CRect r = GetRect();
    const int columns = m_columns;
    const int rows = (count + columns - 1) / columns;
    const int side = std::max(1, std::min(r.Width() / columns, r.Height() / std::max(1, rows)));
    const int x = r.left + (index % columns) * side;
    const int y = r.top + (index / columns) * side;
    return CRect(x, y, x + side, y + side);
}

int CColorPalette::CellAt(CPoint point) const {
    int count;
    {
        std::lock_guard lock(m_lock);
        count = static_cast<int>(m_colours.size());
    }
    for (int i = 0; i < count; ++i) {
        if (GetCellRect(i).PtInRect(point)) {
            return i;
        }
    }
    return -1;
}

int CColorPalette::OnControlMouseMove(unsigned, CPoint point) {
    const int found = IsEnabled() ? CellAt(point) : -1;
    if (m_hover.exchange(found) != found) {
        UpdateControl(1, 0);
    }
    return found >= 0 ? 1 : 0;
}

int CColorPalette::OnControlLButtonDown(unsigned, CPoint point) {
    const int found = IsEnabled() ? CellAt(point) : -1;
    if (found < 0) {
        return 0;
    }
    DWORD colour;
    {
        std::lock_guard lock(m_lock);
        colour = m_colours[found];
    }
    m_pressed = 1;
    m_selected = found;
    if (m_colour.exchange(colour) != colour) {
        SendMessageW(27, colour, 0);
    }
    UpdateControl(1, 0);
    return 1;
}

int CColorPalette::OnControlLButtonUp(unsigned, CPoint point) {
    if (!m_pressed.exchange(0) || !IsEnabled()) {
        return 0;
    }
    if (GetRect().PtInRect(point)) {
        SendMessageW(2, m_colour, 0);
    }
    return 1;
}

void CColorPalette::DrawControl(HDC& hdc, CRect) {
    if (BeginCachedDraw(hdc)) {
        Graphics g(GetMemDC());
        const CRect r = GetRect();
        const std::vector<DWORD> colours = GetColors();
        const int selected = m_selected;
        const int hover = m_hover;
        for (int i = 0; i < static_cast<int>(colours.size()); ++i) {
            CRect cell = GetCellRect(i);
            cell.OffsetRect(-r.left, -r.top);
            cell.DeflateRect(2, 2);
            g.RoundRect(static_cast<float>(cell.left), static_cast<float>(cell.top),
                        static_cast<float>(cell.Width()), static_cast<float>(cell.Height()), 3, 0,
                        0, true, BgrToArgb(colours[i]));
            if (i == selected || i == hover) {
                g.RoundRect(static_cast<float>(cell.left), static_cast<float>(cell.top),
                            static_cast<float>(cell.Width()), static_cast<float>(cell.Height()), 3,
                            i == selected ? 0xFFFFFFFF : 0xA0FFFFFF, 2, false, 0);
            }
        }
        if (!IsEnabled()) {
            g.FillRect(CRect(0, 0, r.Width(), r.Height()), 0x80505050);
        }
    }
    EndCachedDraw(hdc);
}

// ---- CColorSelect ----

CColorSelect::CColorSelect(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MControlFont(parent, id, rect, L"", visible, enabled, 1) {}

void CColorSelect::SetColor(DWORD colour) {
    colour &= 0xFFFFFF;
    if (m_colour.exchange(colour) != colour) {
        UpdateControl(1, 0);
    }
}

CString CColorSelect::GetColorText() const {
    const DWORD c = m_colour;
    wchar_t text[8];
    std::swprintf(text, 8, L"#%02X%02X%02X", GetRValue(c), GetGValue(c), GetBValue(c));
    return text;
}

int CColorSelect::OnControlMouseMove(unsigned, CPoint point) {
    const int hover = IsEnabled() && GetRect().PtInRect(point) ? 1 : 0;
    if (m_hover.exchange(hover) != hover) {
        UpdateControl(1, 0);
    }
    return hover;
}

int CColorSelect::OnControlLButtonDown(unsigned, CPoint point) {
    if (!IsEnabled() || !GetRect().PtInRect(point)) {
        return 0;
    }
    m_pressed = 1;
    SendMessageW(1, m_colour, 0);
    return 1;
}

int CColorSelect::OnControlLButtonUp(unsigned, CPoint point) {
    if (!m_pressed.exchange(0) || !IsEnabled()) {
        return 0;
    }
    if (GetRect().PtInRect(point)) {
        SendMessageW(2, m_colour, 0);
    }
    return 1;
}

void CColorSelect::DrawControl(HDC& hdc, CRect) {
    if (BeginCachedDraw(hdc)) {
        Graphics g(GetMemDC());
        const CRect r = GetRect();
        g.RoundRect(0.5f, 0.5f, static_cast<float>(r.Width() - 1),
                    static_cast<float>(r.Height() - 1), 4, m_hover ? 0xFFFFFFFF : 0xFF5A5F66, 1,
                    true, 0xFF1E2023);
        const int side = r.Height() - 8;
        g.FillRect(CRect(4, 4, 4 + side, 4 + side), BgrToArgb(m_colour));
        g.DrawString(GetColorText(), CRect(side + 12, 0, r.Width() - 4, r.Height()), MakeFont(),
                     GetTextColor(), widgets::Layout(DT_LEFT));
    }
    EndCachedDraw(hdc);
}

// ---- CirclePalette ----

CirclePalette::CirclePalette(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MControlFont(parent, id, rect, L"", visible, enabled, 1) {}

DWORD CirclePalette::GetSelectColor() const {
    return HslToRgb(m_hue, m_saturation / 100.0, 0.5);
}

void CirclePalette::SetSelectColor(DWORD colour) {
    double h = 0;
    double s = 0;
    double l = 0;
    RgbToHsl(colour & 0xFFFFFF, h, s, l);
    m_hue = static_cast<int>(std::lround(h)) % 360;
    m_saturation = static_cast<int>(std::lround(s * 100));
    UpdateControl(1, 0);
}

bool CirclePalette::ColorAt(CPoint point, DWORD& colour) const {
    const CRect r = GetRect();
    const double radius = std::min(r.Width(), r.Height()) / 2.0 - 2;
    const double dx = point.x - (r.left + r.Width() / 2.0);
    const double dy = point.y - (r.top + r.Height() / 2.0);
    const double distance = std::sqrt(dx * dx + dy * dy);
    if (radius <= 0 || distance > radius) {
        return false;
    }
    const double hue = std::fmod(std::atan2(-dy, dx) * 180 / kPi + 360, 360);
    colour = HslToRgb(hue, distance / radius, 0.5);
    return true;
}

CPoint CirclePalette::GetMarker() const {
    const CRect r = GetRect();
    const double radius = std::min(r.Width(), r.Height()) / 2.0 - 2;
    const double angle = m_hue * kPi / 180;
    const double d = radius * m_saturation / 100.0;
    return CPoint(static_cast<int>(std::lround(r.left + r.Width() / 2.0 + d * std::cos(angle))),
                  static_cast<int>(std::lround(r.top + r.Height() / 2.0 - d * std::sin(angle))));
}

bool CirclePalette::Pick(CPoint point, bool clampToRim) {
    const CRect r = GetRect();
    const double radius = std::min(r.Width(), r.Height()) / 2.0 - 2;
    const double dx = point.x - (r.left + r.Width() / 2.0);
    const double dy = point.y - (r.top + r.Height() / 2.0);
    double distance = std::sqrt(dx * dx + dy * dy);
    if (radius <= 0 || (distance > radius && !clampToRim)) {
        return false;
    }
    distance = std::min(distance, radius);
    m_hue =
        static_cast<int>(std::lround(std::fmod(std::atan2(-dy, dx) * 180 / kPi + 360, 360))) % 360;
    m_saturation = static_cast<int>(std::lround(distance * 100 / radius));
    return true;
}

int CirclePalette::OnControlMouseMove(unsigned, CPoint point) {
    if (!IsEnabled() || !m_dragging) {
        return GetRect().PtInRect(point) ? 1 : 0;
    }
    const DWORD before = GetSelectColor();
    Pick(point, true);
    if (GetSelectColor() != before) {
        SendMessageW(27, GetSelectColor(), 0);
        UpdateControl(1, 0);
    }
    return 1;
}

int CirclePalette::OnControlLButtonDown(unsigned, CPoint point) {
    if (!IsEnabled()) {
        return 0;
    }
    const DWORD before = GetSelectColor();
    if (!Pick(point, false)) {
        return 0;
    }
    m_dragging = 1;
    if (GetSelectColor() != before) {
        SendMessageW(27, GetSelectColor(), 0);
    }
    UpdateControl(1, 0);
    return 1;
}

int CirclePalette::OnControlLButtonUp(unsigned, CPoint) {
    if (!m_dragging.exchange(0)) {
        return 0;
    }
    SendMessageW(2, GetSelectColor(), 0);
    return 1;
}

void CirclePalette::DrawControl(HDC& hdc, CRect) {
    if (BeginCachedDraw(hdc)) {
        Surface* mem = GetMemDC();
        const CRect r = GetRect();
        for (int y = 0; y < r.Height(); ++y) {
            for (int x = 0; x < r.Width(); ++x) {
                DWORD colour = 0;
                if (ColorAt(CPoint(r.left + x, r.top + y), colour)) {
                    PutPixel(*mem, x, y, colour);
                }
            }
        }
        mem->MarkDirty();
        Graphics g(mem);
        const CPoint marker = GetMarker();
        const float mx = static_cast<float>(marker.x - r.left);
        const float my = static_cast<float>(marker.y - r.top);
        g.RoundRect(mx - 5, my - 5, 10, 10, 5, 0xFFFFFFFF, 2, false, 0);
        g.RoundRect(mx - 6, my - 6, 12, 12, 6, 0xFF404040, 1, false, 0);
        if (!IsEnabled()) {
            g.FillRect(CRect(0, 0, r.Width(), r.Height()), 0x80505050);
        }
    }
    EndCachedDraw(hdc);
}

// ---- PaletteBar ----

PaletteBar::PaletteBar(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MControlFont(parent, id, rect, L"", visible, enabled, 1) {}

DWORD PaletteBar::GetSelectColor() const {
    return HslToRgb(m_hue, 1.0, 0.5);
}

void PaletteBar::SetHue(int hue) {
    hue = std::clamp(hue, 0, 360);
    if (m_hue.exchange(hue) != hue) {
        UpdateControl(1, 0);
    }
}

void PaletteBar::SetSelectColor(DWORD colour) {
    double h = 0;
    double s = 0;
    double l = 0;
    RgbToHsl(colour & 0xFFFFFF, h, s, l);
    SetHue(static_cast<int>(std::lround(h)));
}

void PaletteBar::Pick(CPoint point) {
    const CRect r = GetRect();
    const int hue = std::clamp((point.x - r.left) * 360 / std::max(1, r.Width() - 1), 0, 360);
    if (m_hue.exchange(hue) != hue) {
        SendMessageW(27, GetSelectColor(), 0);
        UpdateControl(1, 0);
    }
}

int PaletteBar::OnControlMouseMove(unsigned, CPoint point) {
    if (IsEnabled() && m_dragging) {
        Pick(point);
        return 1;
    }
    return GetRect().PtInRect(point) ? 1 : 0;
}

int PaletteBar::OnControlLButtonDown(unsigned, CPoint point) {
    if (!IsEnabled() || !GetRect().PtInRect(point)) {
        return 0;
    }
    m_dragging = 1;
    Pick(point);
    return 1;
}

int PaletteBar::OnControlLButtonUp(unsigned, CPoint) {
    if (!m_dragging.exchange(0)) {
        return 0;
    }
    SendMessageW(2, GetSelectColor(), 0);
    return 1;
}

void PaletteBar::DrawControl(HDC& hdc, CRect) {
    if (BeginCachedDraw(hdc)) {
        Surface* mem = GetMemDC();
        const CRect r = GetRect();
        const int top = 3;
        const int bottom = std::max(top + 1, r.Height() - 3);
        for (int x = 0; x < r.Width(); ++x) {
            const DWORD colour = HslToRgb(x * 360.0 / std::max(1, r.Width() - 1), 1.0, 0.5);
            for (int y = top; y < bottom; ++y) {
                PutPixel(*mem, x, y, colour);
            }
        }
        mem->MarkDirty();
        Graphics g(mem);
        const float x = static_cast<float>(m_hue * (r.Width() - 1) / 360);
        g.RoundRect(x - 3, 0.5f, 6, static_cast<float>(r.Height() - 1), 2, 0xFFFFFFFF, 2, false, 0);
        if (!IsEnabled()) {
            g.FillRect(CRect(0, 0, r.Width(), r.Height()), 0x80505050);
        }
    }
    EndCachedDraw(hdc);
}

}  // namespace DUI
