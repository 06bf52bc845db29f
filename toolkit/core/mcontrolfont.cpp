#include "tessel/core/mcontrolfont.h"

#include "tessel/core/manager.h"
#include "tessel/core/paint_manager.h"

namespace DUI {

MControlFont::MControlFont(MObject* parent, unsigned id, CRect rect, const wchar_t* title,
                           int visible, int enabled, int responsive)
    : MControl(parent, id, rect, visible, enabled, responsive),
      m_title(title != nullptr ? title : L""),
      m_fontName(Manager::GetFontName()),
      m_fontSize(Manager::GetFontWidth()) {}

MControlFont::~MControlFont() = default;

void MControlFont::SetTextFont(CString name) {
    std::lock_guard lock(m_textLock);
    m_fontName = std::move(name);
}

void MControlFont::SetTextColor(Color color) {
    m_textColor = color.GetValue();
}

int MControlFont::SetImage(unsigned resourceId, CString type, int count) {
    PaintManager* manager = GetManager();
    if (manager == nullptr) {
        return 0;
    }
    ImgResInfo* info = manager->AddImgResInfo(resourceId, type, count, 1);
    if (info == nullptr) {
        // The library's own pictures answer to the same ids (scroll bars).
        info = manager->AddImgResInfo(resourceId, type, count, 0);
    }
    if (info == nullptr) {
        return 0;
    }
    m_frameWidth = info->frameWidth;
    m_frameHeight = info->frameHeight;
    m_frameCount = count;
    m_image = info;
    if (m_visible) {
        UpdateControl(1, 0);
    }
    return 1;
}

int MControlFont::SetImage(const wchar_t* path, int count) {
    PaintManager* manager = GetManager();
    if (manager == nullptr || path == nullptr) {
        return 0;
    }
    ImgResInfo* info = manager->AddImgResInfo(path, count);
    if (info == nullptr) {
        return 0;
    }
    {
        std::lock_guard lock(m_textLock);
        m_imagePath = path;
    }
    m_frameWidth = info->frameWidth;
    m_frameHeight = info->frameHeight;
    m_frameCount = count;
    m_image = info;
    if (m_visible) {
        UpdateControl(1, 0);
    }
    return 1;
}

void MControlFont::SetControlTitle(const wchar_t* title) {
    std::lock_guard lock(m_textLock);
    m_title = title != nullptr ? title : L"";
}

CString MControlFont::GetControlTitle() const {
    std::lock_guard lock(m_textLock);
    return m_title;
}

void MControlFont::SetTitle(const wchar_t* title) {
    ClearGDIFont();
    SetControlTitle(title);
    if (m_visible) {
        UpdateControl(1, 0);
    }
}

void MControlFont::SetAlignment(unsigned h) {
    if (m_hAlign.exchange(h) != h && m_visible) {
        UpdateControl(1, 0);
    }
}

void MControlFont::SetVAlignment(unsigned v) {
    if (m_vAlign.exchange(v) != v && m_visible) {
        UpdateControl(1, 0);
    }
}

void MControlFont::SetAlignment(unsigned h, unsigned v) {
    const bool changed = m_hAlign.exchange(h) != h;
    const bool vChanged = m_vAlign.exchange(v) != v;
    if ((changed || vChanged) && m_visible) {
        UpdateControl(1, 0);
    }
}

void MControlFont::GetAlignment(unsigned& h, unsigned& v) const {
    h = m_hAlign;
    v = m_vAlign;
}

void MControlFont::SetFont(const wchar_t* name, int size, int style) {
    {
        std::lock_guard lock(m_textLock);
        m_fontName = name != nullptr ? name : L"";
        m_gdiFont.reset();
    }
    m_fontSize = size;
    m_fontStyle = style;
}

void MControlFont::SetFontName(CString name) {
    std::lock_guard lock(m_textLock);
    m_fontName = std::move(name);
    m_gdiFont.reset();
}

void MControlFont::SetFontWidth(int size) {
    m_fontSize = size;
    ClearGDIFont();
}

void MControlFont::SetFontStyle(int style) {
    m_fontStyle = style;
    ClearGDIFont();
}

CString MControlFont::GetTextFont() const {
    std::lock_guard lock(m_textLock);
    return m_fontName;
}

std::unique_ptr<FontFamily> MControlFont::GetFontFamily(const wchar_t* name) {
    PaintManager* manager = GetManager();
    if (manager == nullptr || name == nullptr) {
        return nullptr;
    }
    FontFamily* family = manager->FindTempFont(name);
    return family != nullptr ? std::make_unique<FontFamily>(*family) : nullptr;
}

HFONT MControlFont::GetGDIFont() {
    std::lock_guard lock(m_textLock);
    if (!m_gdiFont) {
        auto font = std::make_unique<Font>();
        font->family = m_fontName.substr(0, 32);
        font->size = static_cast<float>(m_fontSize.load());
        font->style = m_fontStyle & (FontStyleBold | FontStyleItalic | FontStyleUnderline);
        font->weight = (m_fontStyle & FontStyleBold) != 0 ? 700 : 400;
        m_gdiFont = std::move(font);
    }
    return m_gdiFont.get();
}

void MControlFont::ClearGDIFont() {
    std::lock_guard lock(m_textLock);
    m_gdiFont.reset();
}

CString MControlFont::GetImagePath() const {
    std::lock_guard lock(m_textLock);
    return m_imagePath;
}

void MControlFont::SetImageCount(int count) {
    m_frameCount = count;
}

const Image* MControlFont::GetImage() const {
    ImgResInfo* info = m_image;
    return info != nullptr ? info->image.get() : nullptr;
}

Font MControlFont::MakeFont() {
    Font font;
    const CString name = GetTextFont();
    font.family = name;
    if (PaintManager* manager = GetManager()) {
        if (FontFamily* family = manager->FindTempFont(name.c_str())) {
            font.family = family->family;
            font.weight = family->weight;
        }
    }
    font.size = static_cast<float>(m_fontSize.load());
    font.style = m_fontStyle;
    return font;
}

void MControlFont::DrawText(Graphics& g, const CString& text, const CRect& rect, bool wordWrap,
                            bool ellipsis) {
    TextFormat format;
    format.hAlign = m_hAlign;
    format.vAlign = m_vAlign;
    format.wordWrap = wordWrap;
    format.ellipsis = ellipsis;
    g.DrawString(text, rect, MakeFont(), m_textColor, format);
}

void MControlFont::DrawImageFrameIndex(Graphics& g, int frame, const CRect& dest) {
    ImgResInfo* info = m_image;
    if (info == nullptr || !info->image || frame < 0) {
        return;
    }
    const int fw = info->frameWidth;
    const int fh = info->frameHeight;
    if (fw <= 0 || (frame + 1) * fw > info->image->GetWidth()) {
        return;
    }
    g.DrawImage(info->image.get(), dest, frame * fw, 0, fw, fh);
}

}  // namespace DUI
