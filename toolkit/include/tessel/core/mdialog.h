#pragma once
// The window class every application window and dialog derives from: an MWindow whose client
// area is drawn by its PaintManager, and the MObject its top-level controls report to.

#include <memory>

#include "tessel/core/mobject.h"
#include "tessel/core/mwindow.h"
#include "tessel/core/paint_manager.h"

namespace DUI {

class MShadow;

// Where a balloon sits: 0..2 name the anchor below a control (left, centre, right edge); the
// balloon itself takes 1..5 for its shape and placement around the anchor.
enum AIRBLADDER_TYPE {
    AIRBLADDER_LEFT = 0,
    AIRBLADDER_CENTER = 1,
    AIRBLADDER_RIGHT = 2,
    AIRBLADDER_BELOW = 3,
    AIRBLADDER_ABOVE = 4,
    AIRBLADDER_BESIDE = 5
};

// Shadow and balloon settings; the shadow and balloon windows read them once they exist.
struct ShadowSettings {
    int created = 0;
    int show = 0;
    int size = 0;
    unsigned sharpness = 5;
    unsigned darkness = 150;
    int dx = 5;
    int dy = 5;
    DWORD color = 0;
    CString imagePath;
    unsigned imageId = 0;
    CRect imageGrid;
};

class MDialog : public MWindow, public MObject {
  public:
    MDialog();
    ~MDialog() override;

    const wchar_t* GetClassNameW() const override { return L"MDialog"; }
    long OnBaseMessage(unsigned id, unsigned code, unsigned wParam, long lParam) override;
    long OnControlUpdate(CRect rect, int flag, MControl* control) override;

    long OnWindowMessage(unsigned msg, unsigned wParam, long lParam) override;
    int PreTranslateMessage(MSG* msg) override;
    int OnInitDialog() override;
    void OnDestroyMessage(HWND hwnd) override;

    // ---- virtual operations added after those of MWindow, in their order ----
    virtual POINT GetAirBladderPoint(MControl* control, unsigned type);
    virtual void OnMinimize();
    virtual void OnMaximize();
    virtual void InitUI(CRect client) { (void)client; }
    virtual void UISize(CRect client) { (void)client; }
    virtual long OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam);
    virtual long OnUserCloseWindow(unsigned wParam, long lParam);
    virtual long OnCreate(CREATESTRUCTW* cs);
    virtual long OnSize(unsigned type, int width, int height);
    virtual long OnMouseMove(unsigned, CPoint) { return 0; }
    virtual long OnMouseLeave() { return 0; }
    virtual long OnMouseHover(unsigned, CPoint) { return 0; }
    virtual long OnMouseWheel(unsigned, short, CPoint) { return 0; }
    virtual long OnLButtonDown(unsigned, CPoint) { return 0; }
    virtual long OnLButtonUp(unsigned, CPoint) { return 0; }
    virtual long OnLButtonDblClk(unsigned, CPoint) { return 0; }
    virtual long OnRButtonDown(unsigned, CPoint) { return 0; }
    virtual long OnRButtonUp(unsigned, CPoint) { return 0; }
    virtual long OnRButtonDblClk(unsigned, CPoint) { return 0; }
    virtual long OnKeyDown(unsigned, unsigned, unsigned) { return 0; }
    virtual long OnNcHitTest(CPoint) { return 0; }
    virtual long OnGetMinMaxInfo(MINMAXINFO*) { return 0; }
    virtual long OnNcCalcSize(int, long) { return 0; }
    virtual long OnNcActivate(int) { return 0; }
    virtual long OnWindowPosChanging(long) { return 1; }
    virtual long OnWindowPosChanged(long) { return 1; }
    virtual long OnPaint() { return 0; }
    virtual long OnTimer(unsigned) { return 0; }
    virtual long OnNcPaint() { return 0; }
    virtual long OnClose() { return 1; }
    virtual long OnDestroy() { return 0; }
    virtual void PostNcDestroy() {}

    MControl* CreateArea(const wchar_t* className, unsigned id, CRect rect, const wchar_t* title,
                         int visible, int enabled);
    MControl* CreateControl(const wchar_t* className, unsigned id, CRect rect, const wchar_t* title,
                            int visible, int enabled);
    MControl* GetControl(unsigned id) { return m_manager.GetControl(id); }
    std::vector<MControl*>& GetControls() { return m_manager.GetControls(); }
    PaintManager& GetPaintManager() { return m_manager; }

    void DoOK();
    void DoCancel();
    void DoClose();
    void DoYes();
    void DoNo();
    void SetFocusControl(MControl* control) { m_manager.SetFocusControl(control); }
    unsigned SetMTimer(unsigned ms) { return m_manager.SetMTimer(ms); }
    void KillMTimer(unsigned id) { m_manager.KillMTimer(id); }
    int SetTooltip(CString text, CRect rect) { return m_manager.SetTooltip(text.c_str(), rect); }
    void ClearTooltip() { m_manager.ClearTooltip(); }
    void SetCaptionRect(CRect rect) { m_manager.SetCaptionRect(rect); }
    void EnableWndDrag(int enable) { m_manager.EnableWndDrag(enable); }
    void SetLayeredWindow(int layered) { m_manager.SetLayeredWindow(layered); }
    void SetBackMode(enumBackMode mode, int parameter) { m_manager.SetBackMode(mode, parameter); }
    int LoadBKImage(CString file) { return m_manager.LoadBKImage(file); }
    int LoadBKImage(unsigned id, CString type) { return m_manager.LoadBKImage(id, type); }
    void SetMessage(CString text, CRect rect, int fontSize) {
        m_manager.SetMessage(text, rect, fontSize);
    }
    void SetProgress(int percent, CString text, CRect rect) {
        m_manager.SetProgress(percent, text, rect);
    }
    CRect GetClientRectCached() const { return m_client; }

    int CreateShadow(int show, bool layered);
    int SetSize(int size);
    int SetSharpness(unsigned sharpness);
    int SetDarkness(unsigned darkness);
    int SetPosition(int dx, int dy);
    int SetShadowColor(DWORD color);
    int SetShadowImage(CString path, CRect grid);
    int SetShadowImage(unsigned id, CRect grid);
    int SetShadowShow(int show);
    const ShadowSettings& GetShadowSettings() const { return m_shadow; }
    MShadow* GetShadow() const { return m_shadowWnd.get(); }
    int SetAirBladderMsg(const wchar_t* text, POINT screenPoint, AIRBLADDER_TYPE type);

    void SetupBackTranslucent();
    void SetColorKey(DWORD key) { m_colorKey = key; }
    void SetWindowAlpha(BYTE alpha) { m_alpha = alpha; }

  protected:
    PaintManager m_manager;
    CRect m_client;
    DWORD m_colorKey = 0xFFFFFF;
    BYTE m_alpha = 255;
    ShadowSettings m_shadow;
    // The shadow window the settings above drive (made by CreateShadow).
    std::unique_ptr<MShadow> m_shadowWnd;
    CString m_balloonText;
    POINT m_balloonPoint;
    int m_balloonType = 0;
};

}  // namespace DUI
