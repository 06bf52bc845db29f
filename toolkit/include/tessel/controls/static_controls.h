#pragma once
// Static controls: text, pictures (still, framed, sliding, animated) and plain filled areas.

#include <vector>

#include "tessel/controls/strip.h"
#include "tessel/core/mcontrolfont.h"

namespace DUI {

class MText : public MControlFont {
  public:
    // Always created disabled: static text never takes the press.
    MText(MObject* parent, unsigned id, CRect rect, const wchar_t* caption, int visible);
    void EnableMultiLine(int enable);
    int IsMultiLine() const { return m_multiLine; }
    void DrawControl(HDC& hdc, CRect paint) override;

  private:
    std::atomic<int> m_multiLine{0};
};

enum enumShowMode {
    SHOW_MODE_NORMAL = 0,   // one frame placed by the alignment
    SHOW_MODE_TILE = 1,     // tiled, the last column and row clipped
    SHOW_MODE_STRETCH = 2,  // scaled to the control
    SHOW_MODE_FRAME = 3,    // nine-grid with an equal border (the parameter)
    SHOW_MODE_MID = 4,      // nine-grid with four borders (SetShowModeMID)
    SHOW_MODE_CUSTOM = 5    // a source rectangle (SetCustomRect) scaled to the control
};

class MPicture : public MControlFont {
  public:
    MPicture(MObject* parent, unsigned id, CRect rect, int visible, int enabled);
    int SetImage(const wchar_t* file, int count);
    int SetImage(unsigned id, CString type, int count);
    // 0 when nothing changes.
    int SetShowMode(enumShowMode mode, int parameter = 4);
    void SetShowModeMID(int left, int top, int right, int bottom);
    void SetCustomRect(CRect source);
    void SetCurFrame(int frame);
    int GetCurFrame() const { return m_frame; }
    int GetShowMode() const { return m_mode; }
    const ImageStrip& Picture() const { return m_picture; }
    void DrawControl(HDC& hdc, CRect paint) override;

  protected:
    // Draws the current frame by the show mode into dest.
    void DrawPicture(Graphics& g, const CRect& dest);
    void Changed();

    ImageStrip m_picture;
    std::atomic<int> m_mode{SHOW_MODE_NORMAL};
    std::atomic<int> m_parameter{4};
    CRect m_mid{4, 4, 4, 4};
    CRect m_custom;
    std::atomic<int> m_frame{0};
};

class CPhotoFrame : public MPicture {
  public:
    using MPicture::MPicture;
    int SetPhotoFrame(const wchar_t* file);
    int SetPhotoFrame(unsigned id, CString type);
    int IsHover() const { return m_hover; }
    void DrawControl(HDC& hdc, CRect paint) override;
    int OnControlMouseMove(unsigned flags, CPoint point) override;
    int OnControlLButtonDown(unsigned flags, CPoint point) override;
    int OnControlLButtonUp(unsigned flags, CPoint point) override;

  private:
    ImageStrip m_photoFrame;
    std::atomic<int> m_hover{0};
    std::atomic<int> m_pressing{0};
};

enum SLIDER_MODE { SLIDER_LEFT_TO_RIGHT = 1, SLIDER_TOP_TO_BOTTOM = 2, SLIDER_RIGHT_TO_LEFT = 3 };

class CSliderPicture : public MPicture {
  public:
    static constexpr int kTickThreshold = 2;
    CSliderPicture(MObject* parent, unsigned id, CRect rect, int visible, int enabled);
    void SetRun(int run, SLIDER_MODE mode);
    int IsRun() const { return m_run; }
    // Revealed share in hundredths.
    int GetRevealed() const { return m_step; }
    int OnControlTimer() override;
    void DrawControl(HDC& hdc, CRect paint) override;

  private:
    std::atomic<int> m_run{0};
    std::atomic<int> m_mode{SLIDER_LEFT_TO_RIGHT};
    std::atomic<int> m_step{0};
    std::atomic<int> m_ticks{0};
};

class CGifPicture : public MPicture {
  public:
    CGifPicture(MObject* parent, unsigned id, CRect rect, int visible, int enabled);
    int SetImage(const wchar_t* file, int count);
    // 0 for a picture of one frame.
    int SetRunState(int run, int frame);
    int IsRun() const { return m_run; }
    void SetMouseMoveActive(bool active) { m_mouseActive = active; }
    int GetFrameCount() const;
    int OnControlTimer() override;
    int OnControlMouseMove(unsigned flags, CPoint point) override;
    void DrawControl(HDC& hdc, CRect paint) override;

  private:
    std::vector<std::unique_ptr<Image>> m_frames;
    std::atomic<int> m_run{0};
    std::atomic<int> m_ticks{0};
    std::atomic<bool> m_mouseActive{false};
    std::atomic<int> m_inside{0};
};

class CArea : public MControl {
  public:
    CArea(MObject* parent, unsigned id, CRect rect, int visible, int enabled);
    // Colour in red-green-blue byte order (0x00BBGGRR).
    void SetTransparent(int from, int to, DWORD color);
    void SetDirection(bool vertical);
    void SetFrame(int flag, DWORD color = 0xFE050505, int width = 1);
    // The alpha of row (or column) i of n.
    BYTE AlphaAt(int i, int n) const;
    void DrawControl(HDC& hdc, CRect paint) override;

  private:
    std::atomic<int> m_from{80};
    std::atomic<int> m_to{80};
    std::atomic<DWORD> m_color{0xFFFFFF};
    std::atomic<bool> m_vertical{true};
    std::atomic<int> m_frame{0};
    std::atomic<DWORD> m_frameColor{0xFE050505};
    std::atomic<int> m_frameWidth{1};
};

class CRoundArea : public MControl {
  public:
    CRoundArea(MObject* parent, unsigned id, CRect rect, int visible, int enabled);
    void SetColor(Color color);
    void SetRadius(int radius);
    void DrawControl(HDC& hdc, CRect paint) override;

  private:
    std::atomic<DWORD> m_color{0xC82B2B2B};
    std::atomic<int> m_radius{0};
};

}  // namespace DUI
