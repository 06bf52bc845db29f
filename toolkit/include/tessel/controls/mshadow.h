#pragma once
// The drop shadow that follows a window: a click-through, per-pixel-alpha pop-up owned by the
// shadowed window and kept behind it. The shadowed window hands its messages to ParentProc.

#include <map>
#include <mutex>

#include "tessel/controls/strip.h"
#include "tessel/platform/window.h"

namespace DUI {

class PaintManager;

class MShadow {
  public:
    static constexpr BYTE kStateParentVisible = 1;
    static constexpr BYTE kStateShowing = 2;
    static constexpr BYTE kStateParentRestored = 4;

    MShadow();
    ~MShadow();
    MShadow(const MShadow&) = delete;
    MShadow& operator=(const MShadow&) = delete;

    // Registers the "ShadowWnd" class once (again only when forced); false when it cannot.
    static bool Initialize(HINSTANCE instance, bool force = false);
    // Makes the shadow of the manager's window (only while showing is on).
    int Create(PaintManager* manager);
    // Redraws the shadow for the owner's current size.
    void Update(HWND owner);

    void ShowShadow(int show);
    int IsShowShadow() const { return m_show; }
    void DisableShadow(int disable) { m_disabled = disable; }
    int IsDisableShadow() const { return m_disabled; }
    int SetSize(int size);
    int SetSharpness(unsigned sharpness);
    int SetDarkness(unsigned darkness);
    int SetPosition(int dx, int dy);
    int SetColor(DWORD bgr);
    int SetImage(const wchar_t* file);
    int SetImage(unsigned id, CString type = L"PNG");
    int SetShadowCorner(RECT corners);
    void CopyShadow(MShadow* other);

    HWND GetShadowWnd() const { return m_hwnd; }
    BYTE GetState() const { return m_state; }
    int GetSize() const { return m_size; }
    unsigned GetSharpness() const { return m_sharpness; }
    unsigned GetDarkness() const { return m_darkness; }
    POINT GetOffset() const { return {m_dx, m_dy}; }
    DWORD GetColor() const { return m_color; }

    static std::map<HWND, MShadow*>& GetShadowMap();
    // The owner's messages, before it handles them itself.
    static LRESULT ParentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    static DWORD PreMultiply(DWORD bgr, BYTE alpha);

  private:
    void OnParentMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    void MakeShadow(Surface& target, const CRect& ownerRect);
    void Place();
    CRect ShadowRect() const;
    static LRESULT ShadowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    HWND m_hwnd = nullptr;
    HWND m_owner = nullptr;
    PaintManager* m_manager = nullptr;
    BYTE m_state = 0;
    int m_show = 1;
    int m_disabled = 0;
    unsigned m_darkness = 150;
    unsigned m_sharpness = 5;
    int m_size = 0;
    int m_dx = 5;
    int m_dy = 5;
    DWORD m_color = 0;
    ImageStrip m_image;
    CRect m_corners;
    bool m_redrawPending = false;
    CSize m_drawnSize;
};

}  // namespace DUI
