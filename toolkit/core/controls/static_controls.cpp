#include "tessel/controls/static_controls.h"

#include "state_cache.h"
#include "tessel/core/control_factory.h"
#include "tessel/core/manager.h"
#include "tessel/core/mrender.h"
#include "tessel/platform/image_io.h"
#include "tessel/platform/text.h"
#include "tessel/platform/window.h"

namespace DUI {

// ---- MText ----

MText::MText(MObject* parent, unsigned id, CRect rect, const wchar_t* caption, int visible)
    : MControlFont(parent, id, rect, caption, visible, 0, 1) {}

void MText::EnableMultiLine(int enable) {
    if (m_multiLine.exchange(enable ? 1 : 0) != (enable ? 1 : 0)) {
        UpdateControl(1, 0);
    }
}

void MText::DrawControl(HDC& hdc, CRect) {
    if (BeginCachedDraw(hdc)) {
        const CRect r = GetRect();
        CRect local(0, 0, r.Width(), r.Height());
        const CString text = GetTitle();
        if (m_drawWithGDI) {
            unsigned format = m_hAlign | m_vAlign;
            format |= m_multiLine ? DT_WORDBREAK : (DT_SINGLELINE | DT_END_ELLIPSIS);
            HDC mem = GetMemDC();
            MRender::DrawTextW(mem, local, text.c_str(), GetTextColor(), GetGDIFont(), format);
        } else {
            Graphics g(GetMemDC());
            DrawText(g, text, local, m_multiLine != 0, false);
        }
    }
    EndCachedDraw(hdc);
}

// ---- MPicture ----

MPicture::MPicture(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MControlFont(parent, id, rect, L"", visible, enabled, 1) {
    m_frameCount = 1;
}

void MPicture::Changed() {
    SetUpdate(0, 0);
    UpdateControl(1, 0);
}

int MPicture::SetImage(const wchar_t* file, int count) {
    if (!m_picture.Load(file, count)) {
        return 0;
    }
    m_frameCount = m_picture.Count();
    m_frame = 0;
    Changed();
    return 1;
}

int MPicture::SetImage(unsigned id, CString type, int count) {
    if (!m_picture.Load(id, type, count)) {
        return 0;
    }
    m_frameCount = m_picture.Count();
    m_frame = 0;
    Changed();
    return 1;
}

int MPicture::SetShowMode(enumShowMode mode, int parameter) {
    if (m_mode == mode && (mode != SHOW_MODE_FRAME || m_parameter == parameter)) {
        return 0;
    }
    m_mode = mode;
    if (mode == SHOW_MODE_FRAME) {
        m_parameter = parameter;
    }
    Changed();
    return 1;
}

void MPicture::SetShowModeMID(int left, int top, int right, int bottom) {
    m_mid = CRect(left, top, right, bottom);
    m_mode = SHOW_MODE_MID;
    Changed();
}

void MPicture::SetCustomRect(CRect source) {
    m_custom = source;
    Changed();
}

void MPicture::SetCurFrame(int frame) {
    if (frame < 0 || frame >= m_picture.Count()) {
        return;
    }
    if (m_frame.exchange(frame) != frame) {
        Changed();
    }
}

void MPicture::DrawPicture(Graphics& g, const CRect& dest) {
    if (!m_picture.Loaded()) {
        return;
    }
    const int frame = m_frame;
    const int fw = m_picture.FrameWidth();
    const int fh = m_picture.FrameHeight();
    switch (m_mode.load()) {
        case SHOW_MODE_NORMAL: {
            const int x = m_hAlign == 0   ? dest.left
                          : m_hAlign == 2 ? dest.right - fw
                                          : dest.left + (dest.Width() - fw) / 2;
            const int y = m_vAlign == 0   ? dest.top
                          : m_vAlign == 8 ? dest.bottom - fh
                                          : dest.top + (dest.Height() - fh) / 2;
            m_picture.DrawAt(g, frame, x, y);
            break;
        }
        case SHOW_MODE_TILE: {
            g.SetClip(dest);
            for (int y = dest.top; y < dest.bottom; y += std::max(1, fh)) {
                for (int x = dest.left; x < dest.right; x += std::max(1, fw)) {
                    m_picture.DrawAt(g, frame, x, y);
                }
            }
            g.ResetClip();
            break;
        }
        case SHOW_MODE_FRAME: {
            const int b = m_parameter;
            m_picture.DrawNine(g, frame, dest, b, b, b, b);
            break;
        }
        case SHOW_MODE_MID:
            m_picture.DrawNine(g, frame, dest, m_mid.left, m_mid.top, m_mid.right, m_mid.bottom);
            break;
        case SHOW_MODE_CUSTOM: {
            const CRect s = m_custom.IsRectEmpty() ? CRect(0, 0, fw, fh) : m_custom;
            g.DrawImage(m_picture.Get(), dest, frame * fw + s.left, s.top, s.Width(), s.Height());
            break;
        }
        default:
            m_picture.Draw(g, frame, dest);
            break;
    }
}

void MPicture::DrawControl(HDC& hdc, CRect) {
    if (BeginCachedDraw(hdc)) {
        Graphics g(GetMemDC());
        const CRect r = GetRect();
        DrawPicture(g, CRect(0, 0, r.Width(), r.Height()));
    }
    EndCachedDraw(hdc);
}

// ---- CPhotoFrame ----

int CPhotoFrame::SetPhotoFrame(const wchar_t* file) {
    const bool ok = m_photoFrame.Load(file, 1);
    Changed();
    return ok ? 1 : 0;
}

int CPhotoFrame::SetPhotoFrame(unsigned id, CString type) {
    const bool ok = m_photoFrame.Load(id, type, 1);
    Changed();
    return ok ? 1 : 0;
}

void CPhotoFrame::DrawControl(HDC& hdc, CRect paint) {
    MPicture::DrawControl(hdc, paint);
    if (m_hover && m_photoFrame.Loaded() && hdc != nullptr) {
        Graphics g(hdc);
        m_photoFrame.DrawNine(g, 0, GetRect(), 4, 4, 4, 4);
    }
}

int CPhotoFrame::OnControlMouseMove(unsigned, CPoint point) {
    if (!IsEnabled()) {
        return 0;
    }
    const int inside = GetRect().PtInRect(point) ? 1 : 0;
    if (m_hover.exchange(inside) != inside) {
        UpdateControl(0, 0);
    }
    return inside;
}

int CPhotoFrame::OnControlLButtonDown(unsigned, CPoint point) {
    if (!IsEnabled() || !GetRect().PtInRect(point)) {
        return 0;
    }
    m_pressing = 1;
    SendMessageW(1, 0, 0);
    return 1;
}

int CPhotoFrame::OnControlLButtonUp(unsigned, CPoint point) {
    if (m_pressing.exchange(0) != 0 && GetRect().PtInRect(point)) {
        SendMessageW(2, 0, 0);
        return 1;
    }
    return 0;
}

// ---- CSliderPicture ----

CSliderPicture::CSliderPicture(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MPicture(parent, id, rect, visible, enabled) {
    m_runTimer = 1;
}

void CSliderPicture::SetRun(int run, SLIDER_MODE mode) {
    m_mode = mode;
    m_run = run ? 1 : 0;
    m_ticks = 0;
    if (run) {
        m_step = 0;
        AddMTimer();
    }
    InvalidateRect(nullptr, 0);
}

int CSliderPicture::OnControlTimer() {
    if (!m_run) {
        return 0;
    }
    if (++m_ticks < kTickThreshold) {
        return 0;
    }
    if (++m_step >= 100) {
        m_step = 100;
        m_run = 0;
    }
    const RECT r = GetRect();
    InvalidateRect(&r, 0);
    return 1;
}

void CSliderPicture::DrawControl(HDC& hdc, CRect paint) {
    if (hdc == nullptr) {
        return;
    }
    if (BeginCachedDraw(hdc)) {
        Graphics g(GetMemDC());
        const CRect r = GetRect();
        DrawPicture(g, CRect(0, 0, r.Width(), r.Height()));
    }
    (void)paint;
    // Only the revealed part of the cached picture reaches the frame.
    const CRect r = GetRect();
    const int step = m_step;
    CRect shown(0, 0, r.Width(), r.Height());
    switch (m_mode.load()) {
        case SLIDER_TOP_TO_BOTTOM:
            shown.bottom = r.Height() * step / 100;
            break;
        case SLIDER_RIGHT_TO_LEFT:
            shown.left = r.Width() - r.Width() * step / 100;
            break;
        default:
            shown.right = r.Width() * step / 100;
            break;
    }
    if (!shown.IsRectEmpty() && GetMemDC() != nullptr) {
        hdc->CopyFrom(*GetMemDC(), shown, r.left + shown.left, r.top + shown.top);
    }
}

// ---- CGifPicture ----

CGifPicture::CGifPicture(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MPicture(parent, id, rect, visible, enabled) {
    m_runTimer = 1;
}

int CGifPicture::SetImage(const wchar_t* file, int count) {
    if (file == nullptr) {
        return 0;
    }
    auto frames = LoadAnimationFile(WideToUtf8(Manager::GetThemeFolder() + file));
    if (frames.empty()) {
        return 0;
    }
    m_frames.clear();
    if (frames.size() > 1) {
        for (auto& f : frames) {
            m_frames.push_back(std::move(f.image));
        }
        m_picture.Adopt(m_frames.front()->Clone(), 1);
    } else {
        m_picture.Adopt(std::move(frames.front().image), count);
    }
    m_frameCount = GetFrameCount();
    m_frame = 0;
    Changed();
    return 1;
}

int CGifPicture::GetFrameCount() const {
    return m_frames.empty() ? (m_picture.Loaded() ? m_picture.Count() : 0)
                            : static_cast<int>(m_frames.size());
}

int CGifPicture::SetRunState(int run, int frame) {
    const int count = GetFrameCount();
    if (count <= 1) {
        return 0;
    }
    m_run = run ? 1 : 0;
    m_ticks = 0;
    m_frame = std::clamp(frame, 0, count - 1);
    if (run) {
        AddMTimer();
    }
    Changed();
    return 1;
}

int CGifPicture::OnControlTimer() {
    if (!m_run || (m_mouseActive && !m_inside)) {
        return 0;
    }
    if (++m_ticks % 5 != 0) {
        return 0;
    }
    const int count = GetFrameCount();
    m_frame = count > 0 ? (m_frame + 1) % count : 0;
    Changed();
    return 1;
}

int CGifPicture::OnControlMouseMove(unsigned, CPoint point) {
    const int inside = GetRect().PtInRect(point) ? 1 : 0;
    const int before = m_inside.exchange(inside);
    if (m_mouseActive && inside && !before) {
        m_frame = 0;
        m_ticks = 0;
        Changed();
    }
    return inside;
}

void CGifPicture::DrawControl(HDC& hdc, CRect paint) {
    if (m_frames.empty()) {
        MPicture::DrawControl(hdc, paint);
        return;
    }
    if (BeginCachedDraw(hdc)) {
        Graphics g(GetMemDC());
        const CRect r = GetRect();
        const Image* image = m_frames[std::clamp<size_t>(m_frame, 0, m_frames.size() - 1)].get();
        const int x = (r.Width() - image->GetWidth()) / 2;
        const int y = (r.Height() - image->GetHeight()) / 2;
        g.DrawImage(image, x, y);
    }
    EndCachedDraw(hdc);
}

// ---- CArea ----

CArea::CArea(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MControl(parent, id, rect, visible, enabled, 1) {}

void CArea::SetTransparent(int from, int to, DWORD color) {
    m_from = std::clamp(from, 0, 100);
    m_to = std::clamp(to, 0, 100);
    m_color = color;
    UpdateControl(1, 0);
}

void CArea::SetDirection(bool vertical) {
    m_vertical = vertical;
    UpdateControl(1, 0);
}

void CArea::SetFrame(int flag, DWORD color, int width) {
    m_frame = flag;
    m_frameColor = color;
    m_frameWidth = std::max(1, width);
    UpdateControl(1, 0);
}

BYTE CArea::AlphaAt(int i, int n) const {
    const int from = m_from;
    const int to = m_to;
    const int start = 255 - std::min(from, to) * 255 / 100;
    const int end = (100 - std::max(from, to)) * 255 / 100;
    if (n <= 1) {
        return static_cast<BYTE>(start);
    }
    return static_cast<BYTE>(start + (end - start) * i / (n - 1));
}

void CArea::DrawControl(HDC& hdc, CRect) {
    if (BeginCachedDraw(hdc)) {
        Graphics g(GetMemDC());
        const CRect r = GetRect();
        const DWORD c = m_color;
        const bool opaque = m_from == 0 && m_to == 0;
        if (opaque) {
            g.FillRect(CRect(0, 0, r.Width(), r.Height()),
                       MakeARGB(254, GetRValue(c), GetGValue(c), GetBValue(c)));
        } else if (m_vertical) {
            for (int y = 0; y < r.Height(); ++y) {
                g.FillRect(
                    CRect(0, y, r.Width(), y + 1),
                    MakeARGB(AlphaAt(y, r.Height()), GetRValue(c), GetGValue(c), GetBValue(c)));
            }
        } else {
            for (int x = 0; x < r.Width(); ++x) {
                g.FillRect(
                    CRect(x, 0, x + 1, r.Height()),
                    MakeARGB(AlphaAt(x, r.Width()), GetRValue(c), GetGValue(c), GetBValue(c)));
            }
        }
        if (opaque && m_frame) {
            const float w = static_cast<float>(m_frameWidth.load());
            g.DrawRect(CRect(0, 0, r.Width(), r.Height()), m_frameColor, w);
        }
    }
    EndCachedDraw(hdc);
}

// ---- CRoundArea ----

CRoundArea::CRoundArea(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MControl(parent, id, rect, visible, enabled, 1) {}

void CRoundArea::SetColor(Color color) {
    m_color = color.argb;
    UpdateControl(1, 0);
}

void CRoundArea::SetRadius(int radius) {
    m_radius = std::max(0, radius);
    UpdateControl(1, 0);
}

void CRoundArea::DrawControl(HDC& hdc, CRect) {
    if (BeginCachedDraw(hdc)) {
        Graphics g(GetMemDC());
        const CRect r = GetRect();
        g.RoundRect(0, 0, static_cast<float>(r.Width()), static_cast<float>(r.Height()),
                    static_cast<float>(m_radius.load()), 0, 0, true, m_color);
    }
    EndCachedDraw(hdc);
}

}  // namespace DUI

namespace {
constexpr unsigned kBoth = DUI::kWindowFactory | DUI::kContainerFactory;
}  // namespace

TESSEL_REGISTER_CONTROL(CArea, L"CArea", kBoth, new DUI::CArea(p, id, r, v, 1))
TESSEL_REGISTER_CONTROL(MText, L"MText", kBoth, new DUI::MText(p, id, r, t, v))
TESSEL_REGISTER_CONTROL(MPicture, L"MPicture", kBoth, new DUI::MPicture(p, id, r, v, e))
TESSEL_REGISTER_CONTROL(CPhotoFrame, L"CPhotoFrame", kBoth, new DUI::CPhotoFrame(p, id, r, v, e))
TESSEL_REGISTER_CONTROL(CSliderPicture, L"CSliderPicture", kBoth,
                        new DUI::CSliderPicture(p, id, r, v, e))
TESSEL_REGISTER_CONTROL(CGifPicture, L"CGifPicture", kBoth, new DUI::CGifPicture(p, id, r, v, e))
TESSEL_REGISTER_CONTROL(CRoundArea, L"CRoundArea", DUI::kContainerFactory,
                        new DUI::CRoundArea(p, id, r, v, 1))
