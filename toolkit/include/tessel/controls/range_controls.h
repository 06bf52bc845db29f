#pragma once
// Controls that show or pick a value in a range: slider, spin button, progress bars and the
// level bar.

#include "tessel/controls/medit.h"
#include "tessel/controls/strip.h"
#include "tessel/core/mpanel.h"

namespace DUI {

class MSlider : public MControlFont {
  public:
    static constexpr unsigned kDragTimer = 1;
    static constexpr unsigned kDragPollMs = 60;

    MSlider(MObject* parent, unsigned id, CRect rect, int visible, int enabled);
    ~MSlider() override;
    int SetThumbImage(const wchar_t* file, int count = 4);
    // Stores v - minimum when it lies in the range; returns the stored offset.
    int SetProgress(int value);
    int GetProgress() const { return m_min + m_offset; }
    void SetMaxProgress(int max);
    void SetMinProgress(int min);
    int GetMaxProgress() const { return m_max; }
    int GetMinProgress() const { return m_min; }
    void SetShowText(int show);
    void SetScale(int scale);
    // Puts the thumb's centre at the point's position along the track.
    void MoveThumbPos(CPoint point);
    CRect GetThumbRect() const;
    int IsDragging() const { return m_state == 2; }

    void DrawControl(HDC& hdc, CRect paint) override;
    int OnControlMouseMove(unsigned flags, CPoint point) override;
    int OnControlLButtonDown(unsigned flags, CPoint point) override;
    int OnControlLButtonUp(unsigned flags, CPoint point) override;
    int OnControlScroll(int kind, unsigned direction, CPoint point) override;
    int OnControlTimer() override;
    void SetControlEnabled(int enabled) override;

  protected:
    int ThumbWidth() const;
    ImageStrip m_thumb;
    std::atomic<int> m_offset{0};
    std::atomic<int> m_min{0};
    std::atomic<int> m_max{10};
    std::atomic<int> m_showText{0};
    std::atomic<int> m_scale{1};
    std::atomic<int> m_state{0};
};

// A number field with up and down parts; sends 28 when the value changes.
class MSpinButton : public MPanel {
  public:
    MSpinButton(MObject* parent, unsigned id, CRect rect, int visible, int enabled);
    int SetCurValue(int value);
    int GetCurValue() const { return m_value; }
    void SetRange(int low, int high);
    void SetLimitLength(int length);
    // Adds delta within the range; returns the new value.
    int CalcValue(int delta);
    MEdit* GetEdit() const { return m_edit; }

    void DrawControl(HDC& hdc, CRect paint) override;
    int OnControlLButtonDown(unsigned flags, CPoint point) override;
    int OnControlScroll(int kind, unsigned direction, CPoint point) override;
    long OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) override;
    void SetControlRect(CRect rect) override;

  private:
    CRect UpRect() const;
    CRect DownRect() const;
    MEdit* m_edit = nullptr;
    std::atomic<int> m_value{0};
    std::atomic<int> m_min{0};
    std::atomic<int> m_max{100};
};

class MProgress : public MControlFont {
  public:
    MProgress(MObject* parent, unsigned id, CRect rect, int visible, int enabled);
    int SetBackGroundImage(const wchar_t* file);
    int SetBackGroundImage(unsigned id, CString type);
    int SetForeGroundImage(const wchar_t* file);
    int SetForeGroundImage(unsigned id, CString type);
    void SetProgress(int progress);
    int GetProgress() const { return m_progress; }
    void SetMaxProgress(int max);
    int GetMaxProgress() const { return m_max; }
    void EnableShowText(int show);
    // Indeterminate display: while running every third tick advances by one, wrapping at max.
    int SetRun(int run, int progress);
    int IsRun() const { return m_run; }
    void SetBackColor(DWORD argb) { m_backColor = argb; }
    void SetBarColor(DWORD argb) { m_barColor = argb; }

    void DrawControl(HDC& hdc, CRect paint) override;
    int OnControlTimer() override;

  protected:
    ImageStrip m_backImage;
    ImageStrip m_foreImage;
    std::atomic<int> m_progress{0};
    std::atomic<int> m_max{100};
    std::atomic<int> m_showText{0};
    std::atomic<int> m_run{0};
    std::atomic<int> m_ticks{0};
    std::atomic<DWORD> m_backColor{0x64050505};
    std::atomic<DWORD> m_barColor{0};
};

// The rounded progress bar with its percentage beside it.
class MProgress2 : public MProgress {
  public:
    using MProgress::MProgress;
    void DrawControl(HDC& hdc, CRect paint) override;
};

class MLevelCtrl : public MControlFont {
  public:
    MLevelCtrl(MObject* parent, unsigned id, CRect rect, int visible, int enabled);
    int SetLevelValue(int value);
    int GetLevelValue() const { return m_level; }
    void SetRangeValue(int min, int max);
    int LevelAt(CPoint point) const;

    void DrawControl(HDC& hdc, CRect paint) override;
    int OnControlLButtonDown(unsigned flags, CPoint point) override;
    int OnControlLButtonUp(unsigned flags, CPoint point) override;

  private:
    std::atomic<int> m_level{0};
    std::atomic<int> m_min{0};
    std::atomic<int> m_max{5};
    std::atomic<int> m_pressing{0};
};

}  // namespace DUI
