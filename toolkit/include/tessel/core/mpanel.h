#pragma once
// The container control: owns children, hosts the container factory, passes its children's
// notifications up and their repaint requests on in window coordinates, and translates points
// by its scroll offsets. Its two scroll bars (ids 1 and 2) come from a hook the scroll-bar
// class installs; without it the panel simply has none.

#include <functional>

#include "tessel/core/mcontrolfont.h"

namespace DUI {

// What a panel asks of its scroll bars (the scroll-bar class implements it).
class PanelScrollBar {
  public:
    virtual ~PanelScrollBar() = default;
    // range: the content's extent; view: the panel's. The bar shows only when range > view.
    virtual void SetPanelExtent(int range, int view) = 0;
    // The content offset the bar's position stands for.
    virtual int GetPanelOffset() const = 0;
    // One wheel step towards the end (1) or the start (0); 1 when the position moved.
    virtual int StepPanel(unsigned direction) = 0;
};

class MPanel : public MControlFont {
  public:
    MPanel(MObject* parent, unsigned id, CRect rect, int visible, int enabled = 1,
           int responsive = 1);
    ~MPanel() override;

    // ---- virtual operations added after those of MControlFont, in their order ----
    virtual MControl* CreateArea(const wchar_t* className, unsigned id, CRect rect,
                                 const wchar_t* title, int visible, int enabled);
    virtual MControl* CreateControl(unsigned kind, MObject* parent, const wchar_t* className,
                                    unsigned id, CRect rect, const wchar_t* title, int visible,
                                    int enabled);
    virtual MControl* CreateControl(const wchar_t* className, unsigned id, CRect rect,
                                    const wchar_t* title, int visible, int enabled);
    virtual int OnControlKeyUp(unsigned key, unsigned repeat, unsigned modifier);

    void DrawControl(HDC& hdc, CRect paint) override;
    void InitControl(PaintManager* manager) override;
    int OnMousePointChange(CPoint& point) override;
    long OnWindowMessage(unsigned msg, unsigned wParam, long lParam) override;
    long OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) override;
    long OnBaseMessage(unsigned id, unsigned code, unsigned wParam, long lParam) override;
    long OnControlUpdate(CRect rect, int flag, MControl* control) override;
    void SetControlEnabled(int enabled) override;
    void SetControlRect(CRect rect) override;
    int DrawSubControls(HDC& hdc, CRect paint) override;
    int OnControlScroll(int kind, unsigned direction, CPoint point) override;

    // Recomputes the content extent from the children and hands it to the scroll bars.
    void UpdateScrollBars();
    // A scroll bar moved: takes its offsets and repaints.
    void OnScrollBarMoved();

    MControl* GetScrollVertical() const { return m_scrollV; }
    MControl* GetScrollHorizontal() const { return m_scrollH; }
    void SetVirtualHeight(int height) { m_virtualHeight = height; }
    void SetVirtualWidth(int width) { m_virtualWidth = width; }
    int GetVirtualHeight() const { return m_virtualHeight; }
    int GetVirtualWidth() const { return m_virtualWidth; }
    void SetEnableScroll(int enable) { m_scrollEnabled = enable; }
    int GetEnableScroll() const { return m_scrollEnabled; }
    // Content offset added to points (and subtracted from repaint regions).
    void SetScrollOffset(int x, int y);
    CPoint GetScrollOffset() const { return {m_scrollX, m_scrollY}; }
    int IsInitialised() const { return m_initialised; }

    // Installed by the scroll-bar class: makes the vertical (id 1) or horizontal (id 2) bar.
    using ScrollBarMaker = std::function<MControl*(MPanel* panel, bool vertical)>;
    static void SetScrollBarMaker(ScrollBarMaker maker);

  protected:
    MControl* m_scrollV = nullptr;
    MControl* m_scrollH = nullptr;
    std::atomic<int> m_scrollThickness{5};
    std::atomic<int> m_virtualWidth{0};
    std::atomic<int> m_virtualHeight{0};
    std::atomic<int> m_scrollEnabled{1};
    std::atomic<int> m_initialised{0};
    std::atomic<int> m_scrollX{0};
    std::atomic<int> m_scrollY{0};
};

}  // namespace DUI
