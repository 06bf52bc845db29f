#pragma once
// A control with a caption, a font, a text colour, alignment and an image strip; nearly every
// concrete control derives from it.

#include <memory>

#include "tessel/core/mcontrol.h"

namespace DUI {

struct ImgResInfo;

// A family as text is drawn with it: the registered name and the face it stands for.
struct FontFamily {
    std::wstring name;
    std::wstring family;  // family name the font system resolves
    int weight = 400;
};

inline constexpr int FontStyleRegular = 0;
inline constexpr int FontStyleBold = 1;
inline constexpr int FontStyleItalic = 2;
inline constexpr int FontStyleUnderline = 4;
inline constexpr int FontStyleStrikeout = 8;

class MControlFont : public MControl {
  public:
    MControlFont(MObject* parent, unsigned id, CRect rect, const wchar_t* title, int visible,
                 int enabled, int responsive);
    ~MControlFont() override;

    void SetTextFont(CString name);
    void SetTextColor(Color color);
    DWORD GetTextColor() const { return m_textColor; }
    // Loads an image strip from resources (the application's when the manager's instance is set,
    // through the manager's cache); 0 without a manager or when it cannot be loaded.
    int SetImage(unsigned resourceId, CString type, int count);
    int SetImage(const wchar_t* path, int count);
    void SetControlTitle(const wchar_t* title);
    CString GetControlTitle() const;

    void SetTitle(const wchar_t* title);
    CString GetTitle() const { return GetControlTitle(); }
    void SetAlignment(unsigned h);
    void SetVAlignment(unsigned v);
    void SetAlignment(unsigned h, unsigned v);
    void GetAlignment(unsigned& h, unsigned& v) const;
    void SetFont(const wchar_t* name, int size, int style);
    void SetFontName(CString name);
    void SetFontWidth(int size);
    int GetFontWidth() const { return m_fontSize; }
    void SetFontStyle(int style);
    int GetFontStyle() const { return m_fontStyle; }
    CString GetTextFont() const;
    void SetTextRenderingHint(int hint) { m_renderingHint = hint; }
    std::unique_ptr<FontFamily> GetFontFamily(const wchar_t* name);
    HFONT GetGDIFont();
    void ClearGDIFont();
    void SetDrawWithGDI(int value) { m_drawWithGDI = value; }
    CString GetImagePath() const;
    CSize GetImageSize() const { return {m_frameWidth, m_frameHeight}; }
    void SetImageCount(int count);
    int GetImageCount() const { return m_frameCount; }
    ImgResInfo* GetImageInfo() const { return m_image.load(); }
    const Image* GetImage() const;

    // The font text is drawn with: the resolved family, size and style.
    Font MakeFont();
    // Draws text in this control's font, colour and alignment into rect of g.
    void DrawText(Graphics& g, const CString& text, const CRect& rect, bool wordWrap = false,
                  bool ellipsis = false);
    // Frame i of the image strip into dest (nothing beyond the strip).
    void DrawImageFrameIndex(Graphics& g, int frame, const CRect& dest);

  protected:
    std::wstring m_title;
    std::wstring m_fontName;
    std::wstring m_imagePath;
    std::atomic<int> m_fontSize;
    std::atomic<DWORD> m_textColor{0xFFFFFFFF};
    std::atomic<int> m_fontStyle{0};
    std::atomic<unsigned> m_hAlign{0};
    std::atomic<unsigned> m_vAlign{4};
    std::atomic<int> m_renderingHint{5};
    std::unique_ptr<Font> m_gdiFont;
    std::atomic<int> m_drawWithGDI{0};
    std::atomic<ImgResInfo*> m_image{nullptr};
    std::atomic<int> m_frameWidth{0};
    std::atomic<int> m_frameHeight{0};
    std::atomic<int> m_frameCount{4};
};

}  // namespace DUI
