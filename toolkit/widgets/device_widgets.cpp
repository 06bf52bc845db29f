#include "tessel/widgets/device_widgets.h"

#include <algorithm>

#include "tessel/core/control_factory.h"
#include "tessel/core/manager.h"
#include "tessel/core/mrender.h"
#include "tessel/core/paint_manager.h"
#include "widgets/widget_support.h"

namespace DUI {

TESSEL_REGISTER_CONTROL(CDeviceState, L"CDeviceState", kWindowFactory,
                        new CDeviceState(p, id, r, t, v, 1, 1))
TESSEL_REGISTER_CONTROL(BatteryCtrl, L"BatteryCtrl", kWindowFactory,
                        new BatteryCtrl(p, id, r, v, 1))
TESSEL_REGISTER_CONTROL(CDeviceList, L"CDeviceList", kWindowFactory | kContainerFactory,
                        new CDeviceList(p, id, r, v, 1))
TESSEL_REGISTER_CONTROL(UpgradeButton, L"UpgradeButton", kContainerFactory,
                        new UpgradeButton(p, id, r, t, v, 1))
TESSEL_REGISTER_CONTROL(DownloadButton, L"DownloadButton", kContainerFactory,
                        new DownloadButton(p, id, r, t, v, 1))
// Not in the application's tables: offered to device views that build their own tiles.
TESSEL_REGISTER_CONTROL(CDeviceCtrl, L"CDeviceCtrl", kContainerFactory,
                        new CDeviceCtrl(p, id, r, t, v, 1))

namespace {

constexpr DWORD kCardFill = 0x82050505;
constexpr DWORD kRed = 0xFFFF0000;
constexpr int kWheelLineStep = 3;
constexpr unsigned kScrollBarId = 8;

}  // namespace

// ---- CDeviceList ----

CDeviceList::CDeviceList(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MPanel(parent, id, rect, visible, enabled, 1) {
    SetEnableScroll(0);
}

CDeviceList::~CDeviceList() = default;

void CDeviceList::Repaint() {
    UpdateControl(1, 0);
}

CDeviceList::Entry* CDeviceList::FindEntry(int deviceType) const {
    for (const auto& entry : m_items) {
        if (entry->deviceType == deviceType) {
            return entry.get();
        }
    }
    return nullptr;
}

void CDeviceList::RebuildOnline() {
    std::lock_guard lock(m_lock);
    m_online.clear();
    for (const auto& entry : m_items) {
        if (entry->wired > 0 || entry->receiver > 0) {
            m_online.push_back(entry.get());
        }
    }
}

void CDeviceList::AddDevice(const wchar_t* name, int deviceType, const wchar_t* imagePath) {
    auto entry = std::make_unique<Entry>();
    entry->name = name != nullptr ? name : L"";
    entry->deviceType = deviceType;
    if (imagePath != nullptr && *imagePath != L'\0') {
        entry->image = MRender::LoadImageFromFileEx(imagePath, 0, 0);
    }
    {
        std::lock_guard lock(m_lock);
        m_items.push_back(std::move(entry));
    }
    Repaint();
}

void CDeviceList::ClearList() {
    {
        std::lock_guard lock(m_lock);
        m_online.clear();
        m_items.clear();
        m_hover = -1;
        m_pressed = -1;
        m_select = 0;
    }
    m_scrollPos = 0;
    Repaint();
}

void CDeviceList::SetAllDeviceState(int state) {
    {
        std::lock_guard lock(m_lock);
        for (auto& entry : m_items) {
            entry->wired = state;
            entry->receiver = state;
        }
    }
    Repaint();
}

void CDeviceList::SetDeviceState(int deviceType, int mode, int value) {
    {
        std::lock_guard lock(m_lock);
        Entry* entry = FindEntry(deviceType);
        if (entry == nullptr || (mode != 0 && mode != 1)) {
            return;
        }
        (mode == 0 ? entry->wired : entry->receiver) = value;
    }
    Repaint();
}

int CDeviceList::GetDeviceState(int deviceType) const {
    std::lock_guard lock(m_lock);
    const Entry* entry = FindEntry(deviceType);
    return entry != nullptr ? (entry->wired | entry->receiver) : 0;
}

void CDeviceList::SetDeviceVersion(int deviceType, int version) {
    std::lock_guard lock(m_lock);
    if (Entry* entry = FindEntry(deviceType)) {
        entry->version = version;
    }
}

int CDeviceList::GetDeviceVersion(int deviceType) const {
    std::lock_guard lock(m_lock);
    const Entry* entry = FindEntry(deviceType);
    return entry != nullptr ? entry->version : 0;
}

void CDeviceList::SetDeviceBattery(int deviceType, int level, int charging) {
    std::lock_guard lock(m_lock);
    if (Entry* entry = FindEntry(deviceType)) {
        entry->battery = level;
        entry->charging = charging;
    }
}

void CDeviceList::GetDeviceBattery(int deviceType, int& level, int& charging) const {
    std::lock_guard lock(m_lock);
    if (const Entry* entry = FindEntry(deviceType)) {
        level = entry->battery;
        charging = entry->charging;
    }
}

int CDeviceList::GetOnlineDevCount() {
    std::lock_guard lock(m_lock);
    RebuildOnline();
    return static_cast<int>(m_online.size());
}

void CDeviceList::SetSelectDevice(int deviceType) {
    {
        std::lock_guard lock(m_lock);
        RebuildOnline();
        m_select = -1;
        for (size_t i = 0; i < m_online.size(); ++i) {
            if (m_online[i]->deviceType == deviceType) {
                m_select = static_cast<int>(i);
                break;
            }
        }
        if (m_select < 0 && !m_online.empty()) {
            m_select = 0;
        }
    }
    Repaint();
}

int CDeviceList::GetSelectDevice() {
    std::lock_guard lock(m_lock);
    if (m_online.empty()) {
        return 0;
    }
    // The online list may have shrunk under a stale selection since it was made.
    if (m_select < 0 || m_select >= static_cast<int>(m_online.size())) {
        m_select = 0;
    }
    return m_online[m_select]->deviceType;
}

int CDeviceList::GetItemDeviceType(int index) const {
    std::lock_guard lock(m_lock);
    if (index < 0 || index >= static_cast<int>(m_online.size())) {
        return 0;
    }
    return m_online[index]->deviceType;
}

void CDeviceList::SetSelectItem(int index) {
    {
        std::lock_guard lock(m_lock);
        if (m_online.empty()) {
            return;
        }
        m_select = index;
    }
    Repaint();
}

int CDeviceList::GetSelectItem() const {
    std::lock_guard lock(m_lock);
    return m_select;
}

void CDeviceList::SetSelectIndex(int delta) {
    {
        std::lock_guard lock(m_lock);
        const int count = static_cast<int>(m_online.size());
        if (count == 0) {
            return;
        }
        int index = m_select + delta;
        if (index < 0) {
            index = count - 1;
        } else if (index > count - 1) {
            index = 0;
        }
        m_select = index;
    }
    Repaint();
}

int CDeviceList::GetItemCount() const {
    std::lock_guard lock(m_lock);
    return static_cast<int>(m_items.size());
}

int CDeviceList::GetScaleValue(int value) const {
    return static_cast<int>(static_cast<float>(value) * m_scale);
}

CRect CDeviceList::GetImageRect(int imageWidth, int imageHeight, const CRect& box) {
    return widgets::FitInside(imageWidth, imageHeight, box);
}

void CDeviceList::DrawRoundRectange(Graphics& g, const CRect& rect, int radius, DWORD border,
                                    float width, DWORD fill) {
    MRender::DrawRoundRectange(g, static_cast<float>(rect.left), static_cast<float>(rect.top),
                               static_cast<float>(rect.Width()), static_cast<float>(rect.Height()),
                               static_cast<float>(radius), Color(border), width, true, Color(fill));
}

void CDeviceList::SetVersionDesc(const wchar_t* caption) {
    std::lock_guard lock(m_lock);
    m_version = caption != nullptr ? caption : L"";
}

int CDeviceList::SetBatteryBkg(const wchar_t* file) {
    std::lock_guard lock(m_imageLock);
    return m_batteryBack.Load(file, 1) ? 1 : 0;
}

int CDeviceList::SetBatteryIcon(const wchar_t* value, const wchar_t* charging) {
    std::lock_guard lock(m_imageLock);
    const bool a = m_batteryValue.Load(value, 1);
    const bool b = m_batteryCharging.Load(charging, 1);
    return a && b ? 1 : 0;
}

int CDeviceList::SetDevModeImage(const wchar_t* file) {
    bool ok;
    {
        std::lock_guard lock(m_imageLock);
        ok = m_mode.Load(file, 1);
    }
    Repaint();
    return ok ? 1 : 0;
}

std::vector<CRect> CDeviceList::LayoutCards(int count, int width, int height) {
    std::vector<CRect> cards;
    if (count <= 0) {
        return cards;
    }
    const int cardWidth = count == 1 ? kSingleCardWidth : (width - 30 * count + 30) / count;
    const int left = (width - count * (cardWidth + kCardGap) + kCardGap) / 2;
    const int top = (height - kCardHeight) / 2;
    for (int i = 0; i < count; ++i) {
        const int x = left + i * (cardWidth + kCardGap);
        cards.emplace_back(x, top, x + cardWidth, top + kCardHeight);
    }
    return cards;
}

CRect CDeviceList::GetCardRect(int index) const {
    std::lock_guard lock(m_lock);
    if (index < 0 || index >= static_cast<int>(m_online.size())) {
        return CRect();
    }
    return m_online[index]->card;
}

void CDeviceList::DrawControl(HDC& hdc, CRect) {
    if (BeginCachedDraw(hdc)) {
        Graphics g(GetMemDC());
        const CRect r = GetRect();
        const int w = r.Width();
        const int h = r.Height();
        struct Card {
            CString name;
            int wired;
            std::shared_ptr<Image> image;
            CRect rect;
        };
        std::vector<Card> cards;
        {
            // Only the data is read under the lock; drawing runs without it so the worker never
            // waits on text layout.
            std::lock_guard lock(m_lock);
            RebuildOnline();
            m_scale = 1.0f;
            const std::vector<CRect> rects = LayoutCards(static_cast<int>(m_online.size()), w, h);
            for (size_t i = 0; i < m_online.size(); ++i) {
                Entry& entry = *m_online[i];
                entry.card = rects[i];
                entry.card.OffsetRect(-m_scrollPos, 0);
                cards.push_back({entry.name, entry.wired, entry.image, entry.card});
            }
        }
        const float s = m_scale;
        const int hover = m_hover;
        Font nameFont = MakeFont();
        nameFont.size = 25 * s;
        nameFont.style = FontStyleBold;
        Font modeFont = MakeFont();
        modeFont.size = 16 * s;
        modeFont.style = FontStyleRegular;
        const DWORD accent = Manager::GetSelectColor().argb;
        std::lock_guard imageLock(m_imageLock);
        for (int i = 0; i < static_cast<int>(cards.size()); ++i) {
            const Card& card = cards[i];
            const CRect& c = card.rect;
            DrawRoundRectange(g, c, 6, i == hover ? accent : kCardFill, 2, kCardFill);
            if (card.image) {
                const CRect box(c.left + 50, c.top + 50, c.right - 50, c.bottom - 60);
                g.DrawImage(card.image.get(),
                            GetImageRect(card.image->GetWidth(), card.image->GetHeight(), box));
            }
            const int modeLeft = c.right - static_cast<int>(100 * s);
            const int modeTop = c.top + static_cast<int>(20 * s);
            if (m_mode.Loaded()) {
                m_mode.Draw(g, 0, CRect(modeLeft + 10, modeTop + 5, modeLeft + 30, modeTop + 25));
            }
            g.DrawString(card.wired >= 1 ? L"USB" : L"2.4G",
                         CRect(modeLeft + 35, modeTop, modeLeft + 95, modeTop + 30), modeFont,
                         GetTextColor(), widgets::Layout(DT_LEFT, false));
            if (!card.name.empty()) {
                // Inside its own card: a name box as wide as the control would run into the
                // neighbouring cards.
                const CRect nameBox(
                    c.left + static_cast<int>(30 * s), c.bottom - static_cast<int>(55 * s),
                    c.right - static_cast<int>(30 * s), c.bottom - static_cast<int>(25 * s));
                g.DrawString(card.name, nameBox, nameFont, GetTextColor(),
                             widgets::Layout(DT_CENTER));
            }
        }
    }
    EndCachedDraw(hdc);
}

int CDeviceList::CardAt(CPoint local) const {
    std::lock_guard lock(m_lock);
    for (size_t i = 0; i < m_online.size(); ++i) {
        if (m_online[i]->card.PtInRect(local)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int CDeviceList::OnControlMouseMove(unsigned, CPoint point) {
    if (!IsEnabled()) {
        return 0;
    }
    const CRect r = GetRect();
    if (!r.PtInRect(point)) {
        widgets::ArrowCursor();
        if (m_hover.exchange(-1) != -1) {
            Repaint();
        }
        return 0;
    }
    const CPoint local(point.x - r.left, point.y - r.top);
    const int hover = m_hover;
    if (hover >= 0 && GetCardRect(hover).PtInRect(local)) {
        widgets::HandCursor();
        return 1;
    }
    const int found = CardAt(local);
    found >= 0 ? widgets::HandCursor() : widgets::ArrowCursor();
    if (m_hover.exchange(found) != found) {
        Repaint();
    }
    return 1;
}

int CDeviceList::OnControlLButtonDown(unsigned, CPoint point) {
    if (!IsEnabled()) {
        return 0;
    }
    const int hover = m_hover;
    const CRect r = GetRect();
    if (hover < 0 || !GetCardRect(hover).PtInRect(CPoint(point.x - r.left, point.y - r.top))) {
        return 0;
    }
    m_pressed = hover;
    widgets::HandCursor();
    return 1;
}

int CDeviceList::OnControlLButtonUp(unsigned, CPoint point) {
    const int pressed = m_pressed.exchange(-1);
    if (!IsEnabled()) {
        return 0;
    }
    const int hover = m_hover;
    const CRect r = GetRect();
    if (hover < 0 || hover != pressed ||
        !GetCardRect(hover).PtInRect(CPoint(point.x - r.left, point.y - r.top))) {
        return 0;
    }
    {
        std::lock_guard lock(m_lock);
        m_select = hover;
    }
    Repaint();
    SendMessageW(2, 0, 0);
    widgets::ArrowCursor();
    return 1;
}

int CDeviceList::OnControlScroll(int, unsigned direction, CPoint) {
    const int range = GetItemCount() * kItemExtent - GetRect().Width();
    if (range <= 0) {
        return 0;
    }
    const int step = 10 * kWheelLineStep;
    const int before = m_scrollPos;
    const int after = std::clamp(before + (direction == 1 ? step : -step), 0, range);
    if (after != before) {
        m_scrollPos = after;
        Repaint();
    }
    return 1;
}

long CDeviceList::OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) {
    if (id == kScrollBarId && (code == 1 || code == 2)) {
        Repaint();
    }
    return MPanel::OnMessage(id, code, wParam, lParam);
}

// ---- BatteryCtrl ----

BatteryCtrl::BatteryCtrl(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MControlFont(parent, id, rect, L"", visible, enabled, 1) {
    SetFontWidth(14);
    SetTimerActive(1);
}

BatteryCtrl::~BatteryCtrl() {
    if (PaintManager* manager = GetManager()) {
        manager->DeleteTimer(this);
    }
}

void BatteryCtrl::InitControl(PaintManager* manager) {
    MControlFont::InitControl(manager);
    SetRunTimer(1);
    AddMTimer();
}

int BatteryCtrl::SetImage(const wchar_t* file) {
    bool ok;
    {
        std::lock_guard lock(m_imageLock);
        ok = m_background.Load(file, 1);
    }
    UpdateControl(1, 0);
    return ok ? 1 : 0;
}

int BatteryCtrl::SetBatteryIcon(const wchar_t* value, const wchar_t* charging) {
    bool ok;
    {
        std::lock_guard lock(m_imageLock);
        ok = m_value.Load(value, 1);
        ok = m_chargingImage.Load(charging, 1) && ok;
    }
    UpdateControl(1, 0);
    return ok ? 1 : 0;
}

void BatteryCtrl::SetBatteryInfo(int level, int charging) {
    const bool changed = m_level.exchange(level) != level;
    const bool chargingChanged = m_charging.exchange(charging) != charging;
    if (chargingChanged) {
        m_step = 0;
        m_ticks = 0;
    }
    if (changed || chargingChanged) {
        UpdateControl(1, 0);
    }
}

int BatteryCtrl::SegmentCount(int level) {
    if (level >= 75) {
        return 4;
    }
    if (level >= 50) {
        return 3;
    }
    if (level >= 25) {
        return 2;
    }
    return 0;
}

int BatteryCtrl::OnControlTimer() {
    if (!IsTimerActive() || !IsVisible() || m_charging != 1) {
        return 0;
    }
    if (++m_ticks % kTicksPerStep != 0) {
        return 0;
    }
    int step = m_step + 2;
    if (step >= m_level) {
        step = 0;
    }
    m_step = step;
    UpdateControl(1, 0);
    return 1;
}

void BatteryCtrl::DrawControl(HDC& hdc, CRect) {
    if (BeginCachedDraw(hdc)) {
        Graphics g(GetMemDC());
        const CRect r = GetRect();
        std::lock_guard lock(m_imageLock);
        int backWidth = 46;
        if (m_background.Loaded()) {
            backWidth = m_background.FrameWidth();
            m_background.DrawAt(g, 0, 0, 0);
        }
        const bool charging = m_charging == 1;
        const int level = m_level;
        if (m_value.Loaded()) {
            const int vw = m_value.FrameWidth();
            const int vh = m_value.FrameHeight();
            const int segment = std::max(1, (vw - 6) / 4);
            // While charging the segments fill up in turn; otherwise they show the level.
            const int shown = charging ? std::max(1, SegmentCount(m_step)) : SegmentCount(level);
            if (shown == 0) {
                g.FillRect(CRect(4, 4, 4 + segment, 4 + vh), kRed);
            }
            for (int i = 0; i < shown; ++i) {
                const int x = 4 + i * (segment + 2);
                const int source = std::min(i * (segment + 2), vw - segment);
                g.DrawImage(m_value.Get(), CRect(x, 4, x + segment, 4 + vh), source, 0, segment,
                            vh);
            }
        }
        if (charging && m_chargingImage.Loaded()) {
            const int ch = m_chargingImage.FrameHeight();
            m_chargingImage.DrawAt(g, 0, backWidth + 1, (r.Height() - ch) / 2);
        }
    }
    EndCachedDraw(hdc);
}

// ---- CDeviceState ----

CDeviceState::CDeviceState(MObject* parent, unsigned id, CRect rect, const wchar_t* caption,
                           int visible, int enabled, int responsive)
    : MControlFont(parent, id, rect, caption, visible, enabled, responsive) {}

int CDeviceState::SetBkgImage(const wchar_t* file) {
    bool ok;
    {
        std::lock_guard lock(m_imageLock);
        ok = m_background.Load(file, 1);
    }
    UpdateControl(1, 0);
    return ok ? 1 : 0;
}

int CDeviceState::WantedWidth() const {
    const CString caption = GetTitle();
    const Font font = const_cast<CDeviceState*>(this)->MakeFont();
    // The classic text path measured in a 200-pixel box, so it never asks for more than that.
    const CSize size = m_drawWithGDI ? MeasureString(caption, font, 200, false)
                                     : MeasureString(caption, font, 0, false);
    const int width = m_drawWithGDI ? std::min(size.cx, 200) : size.cx;
    return width + 30;
}

void CDeviceState::DrawControl(HDC& hdc, CRect) {
    const CString caption = GetTitle();
    const CRect r = GetRect();
    if (!caption.empty()) {
        const int wanted = WantedWidth();
        if (wanted != r.Width()) {
            // Grow or shrink first; the repaint that follows draws the caption at the new size.
            const CRect resized(r.left, r.top, r.left + wanted, r.bottom);
            CRect both;
            both.UnionRect(r, resized);
            SetControlRect(resized);
            UpdateControl(both, 0, 1);
            return;
        }
    }
    if (BeginCachedDraw(hdc)) {
        Graphics g(GetMemDC());
        {
            std::lock_guard lock(m_imageLock);
            if (m_background.Loaded()) {
                m_background.Draw(g, 0, CRect(0, 0, r.Width(), r.Height()));
            }
        }
        if (!caption.empty()) {
            g.DrawString(caption, CRect(0, 0, r.Width(), r.Height()), MakeFont(), GetTextColor(),
                         widgets::Layout(DT_CENTER));
        }
    }
    EndCachedDraw(hdc);
}

// ---- CDeviceCtrl ----

CDeviceCtrl::CDeviceCtrl(MObject* parent, unsigned id, CRect rect, const wchar_t* caption,
                         int visible, int enabled)
    : MControlFont(parent, id, rect, caption, visible, enabled, 1) {}

int CDeviceCtrl::SetImage(const wchar_t* file) {
    bool ok;
    {
        std::lock_guard lock(m_imageLock);
        ok = m_picture.Load(file, 1);
        if (!ok && file != nullptr) {
            // Device pictures also live outside the theme (the program's device folder).
            if (auto image = MRender::LoadImageFromFileEx(file, 0, 0)) {
                m_picture.Adopt(std::move(image), 1);
                ok = true;
            }
        }
    }
    UpdateControl(1, 0);
    return ok ? 1 : 0;
}

void CDeviceCtrl::SetBackColor(DWORD argb) {
    if (m_back.exchange(argb) != argb) {
        UpdateControl(1, 0);
    }
}

void CDeviceCtrl::SetDeviceStatus(int status) {
    if (m_status.exchange(status) != status) {
        UpdateControl(1, 0);
    }
}

void CDeviceCtrl::SetShowMode(int mode) {
    if (m_showMode.exchange(mode) != mode) {
        UpdateControl(1, 0);
    }
}

int CDeviceCtrl::OnControlMouseMove(unsigned, CPoint point) {
    const int hover = IsEnabled() && GetRect().PtInRect(point) ? 1 : 0;
    if (m_hover.exchange(hover) != hover) {
        hover ? widgets::HandCursor() : widgets::ArrowCursor();
        UpdateControl(1, 0);
    }
    return hover;
}

int CDeviceCtrl::OnControlLButtonDown(unsigned, CPoint point) {
    if (!IsEnabled() || !GetRect().PtInRect(point)) {
        return 0;
    }
    m_pressed = 1;
    SendMessageW(1, 0, 0);
    return 1;
}

int CDeviceCtrl::OnControlLButtonUp(unsigned, CPoint point) {
    if (!m_pressed.exchange(0) || !IsEnabled()) {
        return 0;
    }
    if (GetRect().PtInRect(point)) {
        SendMessageW(2, static_cast<unsigned>(m_status.load()), 0);
    }
    return 1;
}

void CDeviceCtrl::DrawControl(HDC& hdc, CRect) {
    if (BeginCachedDraw(hdc)) {
        Graphics g(GetMemDC());
        const CRect r = GetRect();
        const CRect local(0, 0, r.Width(), r.Height());
        CDeviceList::DrawRoundRectange(g, CRect(1, 1, r.Width() - 1, r.Height() - 1), 6,
                                       m_hover ? Manager::GetSelectColor().argb : m_back.load(), 2,
                                       m_back);
        const bool withName = m_showMode == kShowImageAndName;
        const int nameBand = withName ? 30 : 0;
        {
            std::lock_guard lock(m_imageLock);
            if (m_picture.Loaded()) {
                const Image* image = m_picture.Get();
                const CRect box(10, 10, r.Width() - 10, r.Height() - 10 - nameBand);
                g.DrawImage(image, widgets::FitInside(image->GetWidth(), image->GetHeight(), box));
            }
        }
        const int status = m_status;
        const DWORD dot = status == 1 ? 0xFF3CC864 : (status == 2 ? 0xFF3CA0F0 : 0xFF707070);
        g.FillEllipse(static_cast<float>(r.Width() - 20), 10, 10, 10, dot);
        if (withName) {
            g.DrawString(
                GetTitle(), CRect(8, r.Height() - 8 - nameBand, r.Width() - 8, r.Height() - 8),
                MakeFont(), status != 0 ? GetTextColor() : 0xFF909090, widgets::Layout(DT_CENTER));
        }
        if (!IsEnabled()) {
            g.FillRect(local, 0x80505050);
        }
    }
    EndCachedDraw(hdc);
}

// ---- UpgradeButton ----

UpgradeButton::UpgradeButton(MObject* parent, unsigned id, CRect rect, const wchar_t* caption,
                             int visible, int enabled)
    : MButton(parent, id, rect, caption, visible, enabled) {}

void UpgradeButton::SetUpgradeStatus(int status) {
    if (m_upgrade.exchange(status) != status) {
        SetUpdate(0, 0);
        UpdateControl(1, 0);
    }
}

void UpgradeButton::RenderState(Graphics& g, int state, const CRect& slot) {
    if (GetImageInfo() == nullptr) {
        const DWORD fill = state == 3
                               ? 0xFF3A3D42
                               : (state == 2 ? 0xFF2A2D32 : (state == 1 ? 0xFF454A52 : 0xFF34383E));
        g.RoundRect(static_cast<float>(slot.left), static_cast<float>(slot.top),
                    static_cast<float>(slot.Width()), static_cast<float>(slot.Height()), 6, 0, 0,
                    true, fill);
    }
    MButton::RenderState(g, state, slot);
    const int status = m_upgrade;
    if (status != 0) {
        // The badge: red when an update waits, the accent colour while updating.
        const DWORD badge = status == 1 ? kRed : Manager::GetSelectColor().argb;
        g.FillEllipse(static_cast<float>(slot.right - 12), static_cast<float>(slot.top + 3), 8, 8,
                      badge);
    }
}

// ---- DownloadButton ----

DownloadButton::DownloadButton(MObject* parent, unsigned id, CRect rect, const wchar_t* caption,
                               int visible, int enabled)
    : MButton(parent, id, rect, caption, visible, enabled) {}

void DownloadButton::SetDownloadProcess(int percent) {
    percent = percent < 0 ? -1 : std::min(percent, 100);
    if (m_progress.exchange(percent) != percent) {
        SetUpdate(0, 0);
        UpdateControl(1, 0);
    }
}

void DownloadButton::RenderState(Graphics& g, int state, const CRect& slot) {
    const float x = static_cast<float>(slot.left);
    const float y = static_cast<float>(slot.top);
    const float w = static_cast<float>(slot.Width());
    const float h = static_cast<float>(slot.Height());
    if (GetImageInfo() == nullptr) {
        g.RoundRect(x, y, w, h, 6, 0, 0, true, state == 1 ? 0xFF454A52 : 0xFF34383E);
    }
    const int progress = m_progress;
    if (progress > 0) {
        g.RoundRect(x, y, w * static_cast<float>(progress) / 100.0f, h, 6, 0, 0, true,
                    Manager::GetSelectColor().argb);
    }
    MButton::RenderState(g, state, slot);
}

}  // namespace DUI
