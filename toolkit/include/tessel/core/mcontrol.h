#pragma once
// A windowless control: a rectangle in its window's client area with an id, an owner that hears
// its notifications, and two child lists (area children drawn beneath it, control children drawn
// above it and hit-tested). The device worker and the timer thread change controls while the
// window thread paints and dispatches, so flags are atomic and each list has its own re-entrant
// lock.

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "tessel/core/mobject.h"
#include "tessel/platform/surface.h"

namespace DUI {

class PaintManager;

struct POSITION_ITEM {
    int type = 0;
    unsigned fromEnd = 0;
    float value = 0;
};

class MControl : public MObject {
  public:
    MControl(MObject* parent, unsigned id, CRect rect, int visible, int enabled, int responsive);
    ~MControl() override;
    MControl(const MControl&) = delete;
    MControl& operator=(const MControl&) = delete;

    const wchar_t* GetClassNameW() const override { return L"MControl"; }

    // ---- virtual operations, in their order ----
    virtual void InitControl(PaintManager* manager);
    virtual int PtInRect(CPoint point);
    virtual void DrawControl(HDC& hdc, CRect paint) = 0;
    virtual int DrawSubControls(HDC& hdc, CRect paint);
    virtual int IsDraw(CPoint point);
    virtual void SetUpdate(int valid, unsigned long arg);
    virtual int SetControlFocus(int focus);
    virtual void InitUI(CRect rect);
    virtual int OnMousePointChange(CPoint& point);
    virtual int OnCheckMouseResponse(unsigned flags, CPoint point);
    virtual long OnWindowMessage(unsigned msg, unsigned wParam, long lParam);
    virtual long OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam);
    virtual void SetControlRect(CRect rect);
    virtual void SetControlVisible(int visible);
    virtual void SetControlWndVisible(int visible);
    virtual void SetControlEnabled(int enabled);
    virtual int OnControlTimer();
    virtual HBITMAP GetControlDropBitmap();
    virtual int OnControlMouseMove(unsigned flags, CPoint point);
    virtual int OnControlSetCursor(unsigned flags, CPoint point);
    virtual int OnControlLButtonDown(unsigned flags, CPoint point);
    virtual int OnControlLButtonUp(unsigned flags, CPoint point);
    virtual int OnControlLButtonDblClk(unsigned flags, CPoint point);
    virtual int OnControlScroll(int kind, unsigned direction, CPoint point);
    virtual int OnControlRButtonDown(unsigned flags, CPoint point);
    virtual int OnControlRButtonUp(unsigned flags, CPoint point);
    virtual int OnControlRButtonDblClk(unsigned flags, CPoint point);
    virtual int OnControlKeyDown(unsigned key, unsigned repeat, unsigned modifier);
    virtual void OnPositionChange();
    virtual void InvalidateRect(const RECT* rect, int erase);

    // ---- identity and tree ----
    unsigned GetControlID() const { return m_id; }
    MObject* GetParantObject() const { return m_parent.load(); }
    void SetParent(MObject* parent) { m_parent = parent; }
    PaintManager* GetManager() const { return m_manager.load(); }
    void SetManager(PaintManager* manager);
    // The live list; walk it under LockControls().
    std::vector<MControl*>& GetControls() { return m_controls; }
    std::vector<MControl*>& GetAreas() { return m_areas; }
    CRect GetRect() const;
    MControl* GetControl(unsigned id);
    int RemoveControl(MControl* control);
    void RemoveAllControl();
    int IsParentVisible();
    // Appends an owned child (kind 0 area, 1 control) under the list's lock.
    void AppendChild(MControl* child, unsigned kind);
    std::recursive_mutex& AreaLock() { return m_areaLock; }
    std::recursive_mutex& ControlLock() { return m_controlLock; }

    // ---- state setters that ask for a repaint ----
    void SetRect(CRect rect);
    void SetRect(int x, int y, int width, int height);
    void SetVisible(int visible);
    void SetVisible(int visible, int notify);
    void SetEnabled(int enabled);
    void UpdateControl(int flag = 1, int force = 0);
    void UpdateControl(CRect rect, int force, int flag);
    void UpdateAControl(int full, int force);

    int IsVisible() const { return m_visible; }
    int IsEnabled() const { return m_enabled; }
    void SetDragDrop(int value) { m_dragSource = value; }
    int IsDragDrop() const { return m_dragSource; }
    void SetRresponse(int value) { m_responsive = value; }
    int GetRresponse() const { return m_responsive; }
    void SetTabStop(int value) { m_tabStop = value; }
    int IsTabStop() const { return m_tabStop; }
    void SetDblClk(int value) { m_dblClkEnabled = value; }
    int GetDblClk() const { return m_dblClkEnabled; }
    int IsFocused() const { return m_focused; }
    void SetFocused(int value) { m_focused = value; }
    int IsKeyDown() const { return m_keyDown; }
    int GetUpdate() const { return m_cacheValid; }
    void SetRunTimer(int value) { m_runTimer = value; }
    int IsRunTimer() const { return m_runTimer; }
    int UseImageECM() const { return m_useImageECM; }
    int IsAnimate() const { return m_animate; }
    int IsTimerActive() const { return m_timerActive; }
    void SetTimerActive(int value) { m_timerActive = value; }

    int SetCursorEx(const wchar_t* name);
    HCURSOR GetCursor() const { return m_cursor.load(); }
    void SetTooltip(const wchar_t* text);
    std::wstring GetTooltip() const;
    void SetTooltip(CString text, CRect rect);
    void ClearTooltip();
    int SetTooltipCtrlID(unsigned) { return 0; }
    int GetTooltipCtrlID() { return 0; }
    int IsFocusControl();
    void OnFocus(int focus) { SetControlFocus(focus); }
    MControl* GetFocusControl() { return nullptr; }
    MControl* GetNextFocusableControl() { return nullptr; }
    MControl* GetPrevFocusableControl() { return nullptr; }
    void AddMTimer();
    long SendMessageW(unsigned code, unsigned wParam, long lParam);
    HBITMAP GetDropBitmap() { return GetControlDropBitmap(); }

    // ---- the off-screen caches ----
    void UpdateMemDC(HDC& hdc, int width, int height);
    void UpdateAnimateDC(HDC& hdc, int width, int height);
    Surface* GetMemDC() const { return m_memDC.get(); }
    Surface* GetAnimateDC() const { return m_animateDC.get(); }
    // The cache pattern of DrawControl: when the cache is stale, sizes it, copies the pixels
    // beneath from the frame and returns true (draw onto GetMemDC() in control-local
    // coordinates, then call EndCachedDraw); when valid, returns false.
    bool BeginCachedDraw(HDC& frame);
    // Copies the cache into the frame at the control's rectangle.
    void EndCachedDraw(HDC& frame);

    static int PositionItem2Value(const POSITION_ITEM& item, int low, int high);

    // ---- dispatch from the window (Part of the routing, called by the manager) ----
    int OnMouseMove(unsigned flags, CPoint point);
    int OnLButtonDown(unsigned flags, CPoint point);
    int OnLButtonUp(unsigned flags, CPoint point);
    int OnLButtonDblClk(unsigned flags, CPoint point);
    int OnRButtonDown(unsigned flags, CPoint point);
    int OnRButtonUp(unsigned flags, CPoint point);
    int OnRButtonDblClk(unsigned flags, CPoint point);
    int OnScroll(int kind, unsigned direction, CPoint point);
    int OnKeyDown(unsigned key, unsigned repeat, unsigned modifier);
    int OnKeyUp(unsigned, unsigned, unsigned) { return 0; }
    int OnTimer();
    void Draw(HDC& hdc, CRect paint);
    MControl* GetActiveChild() const { return m_active.load(); }

    // Public data the application may set; the library never sets them.
    std::atomic<unsigned> m_hotKey{0};
    std::atomic<unsigned> m_hotKeyModifier{0};
    std::atomic<int> m_dblClkNotify{0};
    std::atomic<int> m_keyNotify{0};

  protected:
    int DispatchButtonDown(unsigned flags, CPoint point, bool right);
    int DispatchButtonUp(unsigned flags, CPoint point, bool right);
    int DispatchDblClk(unsigned flags, CPoint point, bool right);
    // Point a child receives: scroll bars (ids 1, 2) get the untranslated one.
    static CPoint PointFor(const MControl* child, CPoint raw, CPoint translated);

    std::atomic<MObject*> m_parent;
    std::atomic<PaintManager*> m_manager{nullptr};
    const unsigned m_id;
    mutable std::mutex m_rectLock;
    CRect m_rect;
    std::atomic<int> m_visible;
    std::atomic<int> m_enabled;
    std::atomic<int> m_dragSource{0};
    std::atomic<int> m_responsive;
    std::atomic<int> m_tabStop{0};
    std::atomic<int> m_dblClkEnabled{0};
    std::atomic<int> m_pressedInside{0};
    std::atomic<int> m_keyDown{0};
    std::atomic<int> m_focused{0};
    std::atomic<int> m_cacheValid{0};
    std::atomic<int> m_animate{0};
    std::atomic<int> m_runTimer{0};
    std::atomic<int> m_timerActive{0};
    std::atomic<int> m_useImageECM{0};
    std::atomic<int> m_pointOutside{1};
    std::vector<MControl*> m_areas;
    std::vector<MControl*> m_controls;
    std::recursive_mutex m_areaLock;
    std::recursive_mutex m_controlLock;
    std::atomic<MControl*> m_active{nullptr};
    std::unique_ptr<Surface> m_memDC;
    std::unique_ptr<Surface> m_animateDC;
    mutable std::mutex m_textLock;
    std::wstring m_tooltip;
    std::atomic<HCURSOR> m_cursor{nullptr};
};

}  // namespace DUI
