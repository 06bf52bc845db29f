#pragma once
// One per window: holds the window's top-level controls, turns native messages into calls on
// them, keeps focus, hover, tooltips, timers and window dragging, paints the window, and caches
// its images and private fonts.

#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "tessel/core/cmtimer.h"
#include "tessel/core/mcontrolfont.h"
#include "tessel/platform/clock.h"
#include "tessel/platform/surface.h"

namespace DUI {

class MWindow;
class TooltipWindow;

enum enumBackMode { BACK_MODE_NORMAL = 0, BACK_MODE_FRAME = 1 };

struct ImgResInfo {
    std::unique_ptr<Image> image;
    int frameWidth = 0;
    int frameHeight = 0;
    int frameCount = 1;
    CString source;
    unsigned resourceId = 0;
    CString resourceType;
};

class PaintManager : public CMTimer {
  public:
    PaintManager();
    ~PaintManager() override;

    void Init(HWND hwnd, MWindow* dialog);
    void DestroyData();
    int IsInitialised() const { return m_initialised; }

    // ---- factory and lists ----
    MControl* CreateControl(unsigned kind, MObject* parent, const wchar_t* className, unsigned id,
                            CRect rect, const wchar_t* title, int visible, int enabled);
    MControl* CreateArea(MObject* parent, const wchar_t* className, unsigned id, CRect rect,
                         const wchar_t* title, int visible, int enabled);
    MControl* CreateControl(MObject* parent, const wchar_t* className, unsigned id, CRect rect,
                            const wchar_t* title, int visible, int enabled);
    // Appends an already constructed control (kind 0 area, 1 control), giving it this manager.
    void AddControl(MControl* control, unsigned kind);
    MControl* GetControl(unsigned id);
    std::vector<MControl*>& GetControls() { return m_controls; }
    std::vector<MControl*>& GetAreas() { return m_areas; }
    std::recursive_mutex& ControlLock() { return m_controlLock; }
    std::recursive_mutex& AreaLock() { return m_areaLock; }
    int RemoveControl(MControl* control);
    void ClearControls();
    void ClearAreaControls();

    // ---- routing ----
    long OnWindowMessage(unsigned msg, unsigned wParam, long lParam);
    int PreTranslateMessage(MSG* msg);
    long OnControlUpdate(CRect rect, int flag, MControl* control);

    // ---- per-control native timers ----
    int SetTimer(MControl* control, unsigned key, unsigned ms);
    int KillTimer(MControl* control, unsigned key);
    void KillTimer(MControl* control);
    void ClearTimers();
    void OnTimer(unsigned id);

    // ---- high-resolution timer ----
    unsigned SetMTimer(unsigned ms);
    void KillMTimer(unsigned id);
    void KillMTimer();
    int AddMTimer(MControl* control);
    int DeleteTimer(MControl* control);
    void OnMTimer(unsigned id) override;
    using CMTimer::OnMTimer;

    // ---- focus, hover, capture ----
    void SetFocusControl(MControl* control);
    // Records the focus control without telling either control (a press does the telling).
    void SetFocusRecord(MControl* control) { m_focus = control; }
    // A control being destroyed: drop every reference the manager keeps to it.
    void ForgetControl(MControl* control);
    MControl* GetFocusControl() const { return m_focus.load(); }
    MControl* GetHoverControl() const { return m_hover.load(); }
    MControl* GetNextFocusableControl();
    MControl* GetPrevFocusableControl();
    void SetCapture();
    void ReleaseCapture();
    int IsCaptured() const { return m_captured; }

    // ---- window properties ----
    void SetLayeredWindow(int layered) { m_layered = layered; }
    int IsLayered() const { return m_layered; }
    void EnableWndDrag(int enable) { m_windowDrag = enable; }
    void SetCaptionRect(CRect rect);
    CRect GetCaptionRect() const;
    void SetWindowMaxSize(int w, int h);
    void SetWindowMixSize(int w, int h);
    void GetWindowMinSize(int& w, int& h) const;
    void GetWindowManSize(int& w, int& h) const;
    CRect GetClientRect() const;
    CRect GetWindowRect() const;
    CSize GetClientSize() const;
    void SetClientRect(CRect rect);
    HWND GetPaintWnd() const { return m_hwnd.load(); }
    HDC GetPaintDC() const { return m_frame.get(); }
    MWindow* GetMDialog() const { return m_dialog; }
    void Invalidate();
    void InvalidateRect(CRect rect, int erase);
    long SendMessageW(unsigned msg, unsigned wParam, long lParam);
    long PostMessageW(unsigned msg, unsigned wParam, long lParam);
    DWORD GetDefaultEnabledColor() const { return m_defaultEnabledColor; }
    void SetDefaultEnabledColor(DWORD color) { m_defaultEnabledColor = color; }
    void SetScrollResID(unsigned vertical, unsigned horizontal);
    unsigned GetScrollVID() const { return m_scrollV; }
    unsigned GetScrollHID() const { return m_scrollH; }

    // ---- tooltip ----
    int SetTooltip(const wchar_t* text, CRect rect);
    void ClearTooltip();
    void SetTooltipCtrlID(unsigned id) { m_tooltipOwner = id; }
    unsigned GetTooltipCtrlID() const { return m_tooltipOwner; }
    TooltipWindow* GetTooltipWindow() const { return m_tooltip.get(); }

    // ---- drawing ----
    int LoadBKImage(CString file);
    int LoadBKImage(unsigned id, CString type);
    void SetBackMode(enumBackMode mode, int parameter);
    void SetBackColor(DWORD inner, DWORD border);
    void SetMessage(CString text, CRect rect, int fontSize);
    void SetProgress(int percent, CString text, CRect rect);
    int GetProgressShown() const { return m_overlayShown; }
    int GetOverlayAlpha() const { return m_overlayAlpha; }
    ImgResInfo* AddImgResInfo(const wchar_t* file, int count);
    ImgResInfo* AddImgResInfo(unsigned id, CString type, int count, int fromApplication);
    void ClearImgResInfo();
    FontFamily* AddTempFont(const wchar_t* family, const wchar_t* file);
    FontFamily* AddTempFont(const wchar_t* family, unsigned resourceId);
    FontFamily* FindTempFont(const wchar_t* family);
    int AddGDITempFont(unsigned resourceId, CString type);
    void ClearTempFont();
    HBITMAP GetDropBitmap(MControl* control, const CRect& rect, DWORD color);
    // Paints the update region now (what the paint message does); returns 1 when painted.
    int Paint();
    // Paint pacing: the pause after each paint reads this clock.
    void SetClock(Clock* clock) { m_clock = clock; }

  private:
    void DrawBackground(Graphics& g, const CRect& client);
    void DrawOverlay(Graphics& g);
    void HandleMouseMove(CPoint point, unsigned flags);
    void HandleButtonDown(CPoint point, unsigned flags, bool right);
    void HandleButtonUp(CPoint point, unsigned flags, bool right);
    void HandleDblClk(CPoint point, unsigned flags, bool right);
    int HandleWheel(unsigned wParam, long lParam);
    void HandleLeave();
    void HandleDeactivate();
    void HandleKeyDown(unsigned key);
    void HandleMinMax(MINMAXINFO* info);
    void OverlayTimer(unsigned id);
    void MarkLaterSiblings(const CRect& rect, MControl* control, CRect& region);
    // Repaint requests, completed with their later overlapping siblings before each paint.
    void ApplyPendingUpdates();

    std::atomic<int> m_initialised{0};
    std::atomic<HWND> m_hwnd{nullptr};
    MWindow* m_dialog = nullptr;
    std::atomic<DWORD> m_backInner{0x0C0B0A};
    std::atomic<DWORD> m_backBorder{0x983E50};
    std::atomic<int> m_maxW{0}, m_maxH{0}, m_minW{0}, m_minH{0};
    std::atomic<int> m_dragArmed{0};
    HBITMAP m_dragBitmap = nullptr;
    CPoint m_lastDragPoint;
    mutable std::mutex m_rectLock;
    CRect m_caption;
    CRect m_client;
    std::atomic<int> m_layered{0};
    std::atomic<int> m_tracking{0};
    std::atomic<int> m_pressing{0};
    std::atomic<int> m_dblClkSeen{0};
    std::atomic<int> m_rightPressing{0};
    std::atomic<int> m_captured{0};
    std::atomic<MControl*> m_hover{nullptr};
    std::atomic<MControl*> m_focus{nullptr};
    std::atomic<int> m_windowDrag{1};
    std::unique_ptr<TooltipWindow> m_tooltip;
    std::atomic<unsigned> m_tooltipOwner{0};
    std::vector<MControl*> m_areas;
    std::vector<MControl*> m_controls;
    std::recursive_mutex m_areaLock;
    std::recursive_mutex m_controlLock;
    std::vector<MControl*> m_fastTimers;
    std::recursive_mutex m_fastTimerLock;
    std::atomic<unsigned> m_fastTimerId{0};
    struct TimerEntry {
        HWND hwnd;
        unsigned key;
        unsigned nativeId;
        bool killed;
        MControl* control;
    };
    std::vector<TimerEntry> m_timers;
    std::recursive_mutex m_timerLock;
    unsigned m_nextTimerId = 4096;
    // Overlay.
    std::recursive_mutex m_overlayLock;
    CString m_overlayText;
    CRect m_overlayRect;
    int m_overlayFontSize = 16;
    std::atomic<int> m_overlayAlpha{0};
    std::atomic<int> m_overlayShown{0};
    std::atomic<int> m_overlayTarget{-1};
    std::atomic<DWORD> m_defaultEnabledColor{0x808080};
    std::atomic<unsigned> m_scrollV{0};
    std::atomic<unsigned> m_scrollH{0};
    std::atomic<int> m_backMode{0};
    std::atomic<int> m_backParam{4};
    std::unique_ptr<Image> m_backImage;
    std::recursive_mutex m_backLock;
    std::unique_ptr<Surface> m_frame;
    // Caches.
    std::recursive_mutex m_imageLock;
    std::map<CString, std::unique_ptr<ImgResInfo>> m_fileImages;
    std::map<unsigned, std::unique_ptr<ImgResInfo>> m_appImages;
    std::map<unsigned, std::unique_ptr<ImgResInfo>> m_libImages;
    std::recursive_mutex m_fontLock;
    std::map<CString, std::unique_ptr<FontFamily>> m_fonts;
    std::vector<unsigned> m_gdiFonts;
    Clock* m_clock = nullptr;
    struct PendingUpdate {
        CRect rect;
        const MControl* control;  // compared, never dereferenced: it may be gone by then
    };
    std::mutex m_pendingLock;
    std::vector<PendingUpdate> m_pending;
};

}  // namespace DUI
