// PaintManager's drawing side: the paint cycle, background, overlay, image cache and fonts.
#include <algorithm>
#include <filesystem>

#include "tessel/core/manager.h"
#include "tessel/core/mrender.h"
#include "tessel/core/paint_manager.h"
#include "tessel/platform/fonts.h"
#include "tessel/platform/image_io.h"
#include "tessel/platform/resources.h"
#include "tessel/platform/text.h"
#include "tessel/platform/window.h"

namespace DUI {
namespace {

constexpr unsigned kFadeTimer = 88;
constexpr unsigned kProgressTimer = 99;
constexpr auto kPaintPause = std::chrono::milliseconds(15);

DWORD Colour254(DWORD bgr) {
    return MakeARGB(254, GetRValue(bgr), GetGValue(bgr), GetBValue(bgr));
}

std::string ThemeFile(const wchar_t* file) {
    std::wstring name = file;
    std::replace(name.begin(), name.end(), L'\\', L'/');
    return WideToUtf8(Manager::GetThemeFolder() + name);
}

std::unique_ptr<ImgResInfo> MakeInfo(std::unique_ptr<Image> image, int count) {
    auto info = std::make_unique<ImgResInfo>();
    // A count below 1 would divide by zero; such a strip is one frame.
    const int frames = std::max(1, count);
    info->frameWidth = image->GetWidth() / frames;
    info->frameHeight = image->GetHeight();
    info->frameCount = frames;
    info->image = std::move(image);
    return info;
}

}  // namespace

// ---- paint cycle ----

int PaintManager::Paint() {
    HWND hwnd = m_hwnd;
    if (hwnd == nullptr || IsIconic(hwnd)) {
        return 0;
    }
    ApplyPendingUpdates();
    RECT pending;
    if (!GetUpdateRect(hwnd, &pending)) {
        return 0;
    }
    PAINTSTRUCT ps;
    BeginPaint(hwnd, &ps);
    const CRect update(ps.rcPaint);
    RECT clientRaw;
    ::DUI::GetClientRect(hwnd, &clientRaw);
    const CRect client(clientRaw);
    {
        std::lock_guard lock(m_backLock);
        if (!m_frame || m_frame->GetWidth() != std::max(1, client.Width()) ||
            m_frame->GetHeight() != std::max(1, client.Height())) {
            m_frame = std::make_unique<Surface>(client.Width(), client.Height());
        }
    }
    HDC frame = m_frame.get();
    const bool layered = m_layered != 0;
    {
        Graphics g(frame);
        if (layered) {
            g.FillRectOpaque(update, 0);
        }
        DrawBackground(g, client);
    }
    const CRect paint = layered ? client : update;
    {
        std::lock_guard lock(m_areaLock);
        for (MControl* c : m_areas) {
            c->Draw(frame, paint);
        }
    }
    {
        std::lock_guard lock(m_controlLock);
        for (MControl* c : m_controls) {
            c->Draw(frame, paint);
        }
    }
    {
        Graphics g(frame);
        DrawOverlay(g);
    }
    if (layered) {
        if ((GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & static_cast<long>(WS_EX_LAYERED)) == 0) {
            SetWindowLongPtrW(
                hwnd, GWL_EXSTYLE,
                GetWindowLongPtrW(hwnd, GWL_EXSTYLE) | static_cast<long>(WS_EX_LAYERED));
        }
        UpdateLayeredWindow(hwnd, *frame);
    } else {
        PresentFrame(hwnd, *frame, update);
    }
    EndPaint(hwnd, &ps);
    (m_clock != nullptr ? *m_clock : PlatformClock()).sleep_for(kPaintPause);
    return 1;
}

void PaintManager::DrawBackground(Graphics& g, const CRect& client) {
    std::lock_guard lock(m_backLock);
    if (m_backImage) {
        const Image* image = m_backImage.get();
        if (m_backMode == BACK_MODE_FRAME) {
            MRender::DrawImageFrame(g, image, client, 0, 0, image->GetWidth(), image->GetHeight(),
                                    m_backParam);
        } else {
            g.FillRectOpaque(client, 0);
            g.DrawImage(image, 0, 0);
        }
        return;
    }
    g.FillRectOpaque(client, Colour254(m_backBorder));
    CRect inner = client;
    inner.DeflateRect(1, 1);
    g.FillRectOpaque(inner, Colour254(m_backInner));
}

void PaintManager::DrawOverlay(Graphics& g) {
    std::lock_guard lock(m_overlayLock);
    if (m_overlayText.empty() || m_overlayAlpha <= 0) {
        return;
    }
    const BYTE alpha = static_cast<BYTE>(std::clamp(m_overlayAlpha.load(), 0, 255));
    const auto withAlpha = [alpha](DWORD c) {
        return (c & 0x00FFFFFF) | (static_cast<DWORD>(ColorA(c) * alpha / 255) << 24);
    };
    g.FillRect(m_overlayRect, withAlpha(0xFF141414));
    g.DrawRect(m_overlayRect, withAlpha(0xFF6D6D6D), 2);
    Font font;
    font.family = Manager::GetFontName().substr(0, 32);
    font.size = static_cast<float>(m_overlayFontSize);
    if (FontFamily* family = FindTempFont(font.family.c_str())) {
        font.family = family->family;
        font.weight = family->weight;
    }
    const CSize size = MeasureString(m_overlayText, font, m_overlayRect.Width(), true);
    CRect textRect(m_overlayRect.left, m_overlayRect.top + (m_overlayRect.Height() - size.cy) / 2,
                   m_overlayRect.right,
                   m_overlayRect.top + (m_overlayRect.Height() - size.cy) / 2 + size.cy);
    TextFormat format;
    format.hAlign = 1;
    format.wordWrap = true;
    g.DrawString(m_overlayText, textRect, font, withAlpha(0xFFFFFFFF), format);
}

int PaintManager::LoadBKImage(CString file) {
    std::lock_guard lock(m_backLock);
    m_backImage = LoadImageFile(ThemeFile(file.c_str()));
    Invalidate();
    return m_backImage ? 1 : 0;
}

int PaintManager::LoadBKImage(unsigned id, CString type) {
    std::lock_guard lock(m_backLock);
    const ResourceData data = FindResource(Manager::GetInstance(), id, type);
    m_backImage = data ? LoadImageData(data.data, data.size) : nullptr;
    Invalidate();
    return m_backImage ? 1 : 0;
}

void PaintManager::SetBackMode(enumBackMode mode, int parameter) {
    m_backMode = mode;
    m_backParam = parameter;
}

void PaintManager::SetBackColor(DWORD inner, DWORD border) {
    m_backInner = inner;
    m_backBorder = border;
}

// ---- overlay ----

void PaintManager::SetMessage(CString text, CRect rect, int fontSize) {
    {
        std::lock_guard lock(m_overlayLock);
        m_overlayAlpha = 255;
        m_overlayText = std::move(text);
        m_overlayRect = rect;
        m_overlayFontSize = fontSize;
        m_overlayShown = 0;
    }
    Invalidate();
}

void PaintManager::SetProgress(int percent, CString text, CRect rect) {
    HWND hwnd = m_hwnd;
    CRect area;
    bool jump = false;
    {
        std::lock_guard lock(m_overlayLock);
        if (percent == m_overlayTarget) {
            return;
        }
        if (percent < 5 && hwnd != nullptr) {
            ::DUI::KillTimer(hwnd, kFadeTimer);
        }
        m_overlayAlpha = 255;
        m_overlayText = std::move(text);
        m_overlayTarget = percent;
        if (rect.IsRectEmpty()) {
            const CRect client = GetClientRect();
            rect = CRect(client.left, client.bottom - 60, client.right, client.bottom - 2);
        }
        m_overlayRect = rect;
        area = rect;
        jump = percent - m_overlayShown < 6;
        if (jump) {
            m_overlayShown = percent;
        }
    }
    if (hwnd == nullptr) {
        return;
    }
    if (jump) {
        ::DUI::InvalidateRect(hwnd, &area, false);
        if (m_overlayShown > 99) {
            ::DUI::SetTimer(hwnd, kFadeTimer, 50);
        }
    } else {
        ::DUI::SetTimer(hwnd, kProgressTimer, 10);
    }
}

void PaintManager::OverlayTimer(unsigned id) {
    HWND hwnd = m_hwnd;
    if (hwnd == nullptr) {
        return;
    }
    CRect area;
    {
        std::lock_guard lock(m_overlayLock);
        area = m_overlayRect;
        if (id == kProgressTimer) {
            const int target = m_overlayTarget;
            int shown = m_overlayShown + 2;
            if (shown >= target) {
                shown = target;
                ::DUI::KillTimer(hwnd, kProgressTimer);
            }
            m_overlayShown = shown;
            if (shown >= 100) {
                ::DUI::SetTimer(hwnd, kFadeTimer, 50);
            }
        } else {
            m_overlayAlpha = m_overlayAlpha - 10;
            if (m_overlayAlpha < 20) {
                m_overlayAlpha = 0;
                m_overlayShown = 0;
                ::DUI::KillTimer(hwnd, kFadeTimer);
            }
        }
    }
    ::DUI::InvalidateRect(hwnd, &area, false);
}

// ---- image cache ----

ImgResInfo* PaintManager::AddImgResInfo(const wchar_t* file, int count) {
    if (file == nullptr || *file == L'\0') {
        return nullptr;
    }
    std::lock_guard lock(m_imageLock);
    if (const auto it = m_fileImages.find(file); it != m_fileImages.end()) {
        return it->second.get();
    }
    auto image = LoadImageFile(ThemeFile(file));
    if (!image) {
        return nullptr;
    }
    auto info = MakeInfo(std::move(image), count);
    info->source = file;
    ImgResInfo* result = info.get();
    m_fileImages[file] = std::move(info);
    return result;
}

ImgResInfo* PaintManager::AddImgResInfo(unsigned id, CString type, int count, int fromApplication) {
    std::lock_guard lock(m_imageLock);
    auto& map = fromApplication != 0 ? m_appImages : m_libImages;
    if (const auto it = map.find(id); it != map.end()) {
        return it->second.get();
    }
    const HINSTANCE module = fromApplication != 0 ? Manager::GetInstance() : LibraryModule();
    const ResourceData data = FindResource(module, id, type);
    if (!data) {
        return nullptr;
    }
    auto image = LoadImageData(data.data, data.size);
    if (!image) {
        return nullptr;
    }
    auto info = MakeInfo(std::move(image), count);
    info->resourceId = id;
    info->resourceType = type;
    ImgResInfo* result = info.get();
    map[id] = std::move(info);
    return result;
}

void PaintManager::ClearImgResInfo() {
    // Controls keep pointers into the cache: they are gone (or going) when this runs.
    std::lock_guard lock(m_imageLock);
    m_fileImages.clear();
    m_appImages.clear();
    m_libImages.clear();
}

// ---- fonts ----

FontFamily* PaintManager::AddTempFont(const wchar_t* family, const wchar_t* file) {
    if (family == nullptr || file == nullptr) {
        return nullptr;
    }
    FontFace face;
    if (!RegisterFontFile(WideToUtf8(file), &face) || face.families.empty()) {
        return nullptr;
    }
    auto entry = std::make_unique<FontFamily>();
    entry->name = family;
    const bool named =
        std::find(face.families.begin(), face.families.end(), entry->name) != face.families.end();
    entry->family = named ? entry->name : face.families.front();
    entry->weight = face.weight;
    std::lock_guard lock(m_fontLock);
    FontFamily* result = entry.get();
    m_fonts[family] = std::move(entry);
    return result;
}

FontFamily* PaintManager::AddTempFont(const wchar_t* family, unsigned resourceId) {
    if (family == nullptr) {
        return nullptr;
    }
    const ResourceData data = FindResource(LibraryModule(), resourceId, L"ttf");
    FontFace face;
    if (!data || !RegisterFontData(data.data, data.size, &face) || face.families.empty()) {
        return nullptr;
    }
    auto entry = std::make_unique<FontFamily>();
    entry->name = family;
    const bool named =
        std::find(face.families.begin(), face.families.end(), entry->name) != face.families.end();
    entry->family = named ? entry->name : face.families.front();
    entry->weight = face.weight;
    std::lock_guard lock(m_fontLock);
    FontFamily* result = entry.get();
    m_fonts[family] = std::move(entry);
    return result;
}

FontFamily* PaintManager::FindTempFont(const wchar_t* family) {
    if (family == nullptr || *family == L'\0') {
        return nullptr;
    }
    std::lock_guard lock(m_fontLock);
    if (const auto it = m_fonts.find(family); it != m_fonts.end()) {
        return it->second.get();
    }
    if (!IsFontFamilyAvailable(family)) {
        return nullptr;
    }
    auto entry = std::make_unique<FontFamily>();
    entry->name = family;
    entry->family = family;
    FontFamily* result = entry.get();
    m_fonts[family] = std::move(entry);
    return result;
}

int PaintManager::AddGDITempFont(unsigned resourceId, CString type) {
    const ResourceData data = FindResource(LibraryModule(), resourceId, type);
    if (!data || !RegisterFontData(data.data, data.size, nullptr)) {
        return 0;
    }
    std::lock_guard lock(m_fontLock);
    m_gdiFonts.push_back(resourceId);
    return 1;
}

void PaintManager::ClearTempFont() {
    std::lock_guard lock(m_fontLock);
    m_fonts.clear();
    m_gdiFonts.clear();
}

HBITMAP PaintManager::GetDropBitmap(MControl* control, const CRect& rect, DWORD color) {
    if (control == nullptr || rect.IsRectEmpty()) {
        return nullptr;
    }
    const CRect client = GetClientRect();
    Surface frame(std::max(client.right, rect.right), std::max(client.bottom, rect.bottom));
    {
        Graphics g(&frame);
        g.FillRectOpaque(rect, color);
    }
    control->SetUpdate(0, 0);
    HDC hdc = &frame;
    control->Draw(hdc, rect);
    control->SetUpdate(0, 0);
    auto* bitmap = new Surface(rect.Width(), rect.Height());
    bitmap->CopyFrom(frame, rect, 0, 0);
    return bitmap;
}

}  // namespace DUI
