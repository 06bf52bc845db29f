#pragma once
// Scroll bars: a thumb over a track whose position runs 0..range; the position stands for a
// content offset of position x overflow / range. Drawn from a four-thumb strip (normal, hover,
// dragged, disabled), by default the library's own pictures.

#include "tessel/controls/strip.h"
#include "tessel/core/mpanel.h"

namespace DUI {

class MScroll : public MControlFont, public PanelScrollBar {
  public:
    static constexpr int kStep = 30;

    MScroll(MObject* parent, unsigned id, CRect rect, int visible, int enabled, bool vertical);

    void SetScrollMaxRange(int range);
    int GetScrollMaxRange() const { return m_range; }
    // Moves the thumb without telling anyone.
    void SetScrollCurrentPos(int pos);
    // Moves the thumb and sends 8 when it moved.
    void SetScrollCurrentPosEx(int pos);
    int GetScrollCurrentPos() const { return m_pos; }
    void SetScrollFinalPos(int pos);
    int GetScrollFinalPos() const { return m_final; }
    // The visible extent the thumb stands for.
    void SetScrollSize(int size);
    int GetScrollSize() const { return m_size; }
    void SetScrollInfo(int range, int size, int pos);
    // Moves by rows of kStep.
    void ScrollRow(int rows);
    // Moves the position by delta and sends 8 with the new position.
    void MoveRange(int delta);
    void SetRange(int range) { SetScrollMaxRange(range); }
    void SetRangeEx(int range, int size) { SetScrollInfo(range, size, m_pos); }
    int IsChangeing() const { return m_dragging; }
    int SetImage(const wchar_t* file);
    int SetImage(unsigned id, CString type);
    bool IsVertical() const { return m_vertical; }
    CRect GetThumbRect() const;

    void SetPanelExtent(int range, int view) override;
    int GetPanelOffset() const override;
    int StepPanel(unsigned direction) override;

    void DrawControl(HDC& hdc, CRect paint) override;
    int OnControlMouseMove(unsigned flags, CPoint point) override;
    int OnControlLButtonDown(unsigned flags, CPoint point) override;
    int OnControlLButtonUp(unsigned flags, CPoint point) override;
    int OnControlScroll(int kind, unsigned direction, CPoint point) override;

  protected:
    // Sets the position; true when it changed (and then repaints and tells the panel).
    bool MoveTo(int pos);
    int PosFromPoint(CPoint point) const;

    const bool m_vertical;
    ImageStrip m_thumb;
    std::atomic<int> m_range{0};
    std::atomic<int> m_size{0};
    std::atomic<int> m_pos{0};
    std::atomic<int> m_final{0};
    std::atomic<int> m_view{0};
    std::atomic<int> m_state{0};
    std::atomic<int> m_dragging{0};
    int m_dragGrab = 0;
};

class CScrollVertical : public MScroll {
  public:
    CScrollVertical(MObject* parent, unsigned id, CRect rect, int visible, int enabled = 1)
        : MScroll(parent, id, rect, visible, enabled, true) {}
};

class CScrollHorizontal : public MScroll {
  public:
    CScrollHorizontal(MObject* parent, unsigned id, CRect rect, int visible, int enabled = 1)
        : MScroll(parent, id, rect, visible, enabled, false) {}
};

}  // namespace DUI
