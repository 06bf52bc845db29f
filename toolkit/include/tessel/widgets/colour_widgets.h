#pragma once
// The lighting page's colour controls: the step slider (LightSlider), the swatch button
// (CColorButton, grouped like radio buttons), the hue/lightness field with its saturation bar
// (MPalette), and smaller pickers the toolkit offers besides (ColorButtonEx, CColorPalette,
// CColorSelect, CirclePalette, PaletteBar). Colours cross these interfaces as 0x00BBGGRR.

#include <mutex>
#include <vector>

#include "tessel/controls/strip.h"
#include "tessel/core/mcontrolfont.h"

namespace DUI {

// HSL with hue 0..360 and saturation, lightness 0..1, to 0x00BBGGRR; and back.
DWORD HslToRgb(double hue, double saturation, double lightness);
void RgbToHsl(DWORD colour, double& hue, double& saturation, double& lightness);

class LightSlider : public MControlFont {
  public:
    static constexpr unsigned kDragTimer = 1;
    static constexpr int kDragPollMs = 60;

    LightSlider(MObject* parent, unsigned id, CRect rect, int visible, int enabled);
    ~LightSlider() override;

    // Returns the position (steps above the minimum) now held.
    int SetProgress(int value);
    int GetProgress() const { return m_min + m_position; }
    int GetPosition() const { return m_position; }
    void SetMaxProgress(int maximum) { m_max = maximum; }
    int GetMaxProgress() const { return m_max; }
    void SetMinProgress(int minimum) { m_min = minimum; }
    int GetMinProgress() const { return m_min; }
    void SetShowText(int show);
    void SetScale(int scale);
    void SetTextPrefix(const wchar_t* prefix);
    int SetThumbImage(const wchar_t* file);
    int SetImage(const wchar_t* file, int count);
    void MoveThumbPos(CPoint point);
    CRect GetThumbRect() const;
    // The track's left edge and width in window coordinates.
    void GetTrack(int& left, int& width) const;
    int GetState() const { return m_state; }

    void DrawControl(HDC& hdc, CRect paint) override;
    void SetControlRect(CRect rect) override;
    int OnControlMouseMove(unsigned flags, CPoint point) override;
    int OnControlLButtonDown(unsigned flags, CPoint point) override;
    int OnControlLButtonUp(unsigned flags, CPoint point) override;
    int OnControlTimer() override;

  private:
    void PlaceThumb();
    CSize ThumbSize() const;

    mutable std::mutex m_lock;
    ImageStrip m_thumb;
    ImageStrip m_track;
    CString m_prefix;
    CRect m_thumbRect;
    std::atomic<int> m_min{0};
    std::atomic<int> m_max{10};
    std::atomic<int> m_position{0};
    std::atomic<int> m_state{0};
    std::atomic<int> m_showText{0};
    std::atomic<int> m_scale{1};
    std::atomic<int> m_dragging{0};
    std::atomic<long long> m_lastDragMs{0};
};

class CColorButton : public MControlFont {
  public:
    CColorButton(MObject* parent, unsigned id, CRect rect, int visible, int enabled);

    const wchar_t* GetClassNameW() const override { return L"ColorButton"; }

    void SetColor(DWORD colour);
    DWORD GetColor() const { return m_colour; }
    // Only while enabled; checking clears the other buttons of the group. Returns the check.
    int SetCheck(int check);
    int GetCheck() const { return m_check; }
    // Check and state without touching the group.
    void SetControlCheck(int check);
    void SetGroupName(const wchar_t* group);
    CString GetGroupName() const;
    void SetVisibleBorder(bool visible);
    // Unchecks the visible, enabled siblings of this class with this group name.
    void ResetGroupCheck();
    int GetState() const { return m_state; }

    void DrawControl(HDC& hdc, CRect paint) override;
    int OnControlMouseMove(unsigned flags, CPoint point) override;
    int OnControlLButtonDown(unsigned flags, CPoint point) override;
    int OnControlLButtonUp(unsigned flags, CPoint point) override;
    void SetControlEnabled(int enabled) override;

  protected:
    // The swatch of one state in slot.
    virtual void RenderState(Graphics& g, int state, const CRect& slot);

    mutable std::mutex m_groupLock;
    CString m_group;
    std::atomic<DWORD> m_colour{0xFFFFFF};
    std::atomic<int> m_check{0};
    std::atomic<int> m_state{0};
    std::atomic<int> m_border{1};
    std::atomic<int> m_pressed{0};
};

// A swatch with its caption beside it; grouped separately from CColorButton.
class ColorButtonEx : public CColorButton {
  public:
    ColorButtonEx(MObject* parent, unsigned id, CRect rect, const wchar_t* caption, int visible,
                  int enabled);
    const wchar_t* GetClassNameW() const override { return L"ColorButtonEx"; }

  protected:
    void RenderState(Graphics& g, int state, const CRect& slot) override;
};

class MPalette : public MControlFont {
  public:
    MPalette(MObject* parent, unsigned id, CRect rect, int visible, int enabled = 1);

    DWORD GetSelectColor() const;
    void SetSelectColor(DWORD colour);
    void SetPalletHeight(int height);
    int GetPalletHeight() const { return m_fieldHeight; }
    int SetThumbImage(const wchar_t* file);
    CRect GetFieldRect() const;
    CRect GetBarRect() const;
    CPoint GetMarker() const;
    int GetHue() const { return m_hue; }
    int GetSaturation() const { return m_saturation; }
    int GetLightness() const { return m_lightness; }

    void DrawControl(HDC& hdc, CRect paint) override;
    int OnControlMouseMove(unsigned flags, CPoint point) override;
    int OnControlLButtonDown(unsigned flags, CPoint point) override;
    int OnControlLButtonUp(unsigned flags, CPoint point) override;
    int OnControlScroll(int kind, unsigned direction, CPoint point) override;

  private:
    void UpdatePaletteData();
    void UpdateBarData();
    void PickField(CPoint point);
    void PickBar(CPoint point);

    mutable std::mutex m_dataLock;
    std::unique_ptr<Surface> m_data;  // field at (0, 20) 360 x 180, bar at (370, 0) barWidth x 200
    ImageStrip m_thumb;
    CPoint m_marker;
    std::atomic<int> m_hue{180};
    std::atomic<int> m_saturation{200};
    std::atomic<int> m_lightness{120};
    std::atomic<DWORD> m_reported{0};
    std::atomic<int> m_fieldHeight{150};
    std::atomic<int> m_barWidth{16};
    std::atomic<int> m_dragField{0};
    std::atomic<int> m_dragBar{0};
};

// A grid of preset swatches; a press picks one (27 with the colour), the release sends 2.
class CColorPalette : public MControlFont {
  public:
    CColorPalette(MObject* parent, unsigned id, CRect rect, int visible, int enabled = 1);
    void SetColors(const std::vector<DWORD>& colours);
    std::vector<DWORD> GetColors() const;
    void SetColumns(int columns);
    // Selects the swatch of that colour, or none.
    void SetSelectColor(DWORD colour);
    DWORD GetSelectColor() const { return m_colour; }
    int GetSelectIndex() const { return m_selected; }
    CRect GetCellRect(int index) const;

    void DrawControl(HDC& hdc, CRect paint) override;
    int OnControlMouseMove(unsigned flags, CPoint point) override;
    int OnControlLButtonDown(unsigned flags, CPoint point) override;
    int OnControlLButtonUp(unsigned flags, CPoint point) override;

  private:
    int CellAt(CPoint point) const;
    mutable std::mutex m_lock;
    std::vector<DWORD> m_colours;
    std::atomic<int> m_columns{8};
    std::atomic<int> m_selected{-1};
    std::atomic<int> m_hover{-1};
    std::atomic<DWORD> m_colour{0};
    std::atomic<int> m_pressed{0};
};

// The current colour as a swatch with its hexadecimal value; a click sends 2.
class CColorSelect : public MControlFont {
  public:
    CColorSelect(MObject* parent, unsigned id, CRect rect, int visible, int enabled = 1);
    void SetColor(DWORD colour);
    DWORD GetColor() const { return m_colour; }
    // "#RRGGBB".
    CString GetColorText() const;

    void DrawControl(HDC& hdc, CRect paint) override;
    int OnControlMouseMove(unsigned flags, CPoint point) override;
    int OnControlLButtonDown(unsigned flags, CPoint point) override;
    int OnControlLButtonUp(unsigned flags, CPoint point) override;

  private:
    std::atomic<DWORD> m_colour{0xFFFFFF};
    std::atomic<int> m_hover{0};
    std::atomic<int> m_pressed{0};
};

// A colour wheel: the angle is the hue, the distance from the centre the saturation, at half
// lightness. A press or drag picks (27 with the colour); the release sends 2.
class CirclePalette : public MControlFont {
  public:
    CirclePalette(MObject* parent, unsigned id, CRect rect, int visible, int enabled = 1);
    DWORD GetSelectColor() const;
    void SetSelectColor(DWORD colour);
    // The colour the wheel shows at a window point; false outside the wheel.
    bool ColorAt(CPoint point, DWORD& colour) const;
    CPoint GetMarker() const;

    void DrawControl(HDC& hdc, CRect paint) override;
    int OnControlMouseMove(unsigned flags, CPoint point) override;
    int OnControlLButtonDown(unsigned flags, CPoint point) override;
    int OnControlLButtonUp(unsigned flags, CPoint point) override;

  private:
    bool Pick(CPoint point, bool clampToRim);
    std::atomic<int> m_hue{0};
    std::atomic<int> m_saturation{100};  // percent
    std::atomic<int> m_dragging{0};
};

// A horizontal hue bar: a press or drag picks the hue at full saturation (27), the release 2.
class PaletteBar : public MControlFont {
  public:
    PaletteBar(MObject* parent, unsigned id, CRect rect, int visible, int enabled = 1);
    DWORD GetSelectColor() const;
    int GetHue() const { return m_hue; }
    void SetHue(int hue);
    void SetSelectColor(DWORD colour);

    void DrawControl(HDC& hdc, CRect paint) override;
    int OnControlMouseMove(unsigned flags, CPoint point) override;
    int OnControlLButtonDown(unsigned flags, CPoint point) override;
    int OnControlLButtonUp(unsigned flags, CPoint point) override;

  private:
    void Pick(CPoint point);
    std::atomic<int> m_hue{0};
    std::atomic<int> m_dragging{0};
};

}  // namespace DUI
