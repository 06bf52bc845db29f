#pragma once
// Push buttons and their variants, check-type buttons (check, radio, select, text-check,
// switch) and the two toggle buttons. Visual state doubles as the frame of the image strip:
// 0 normal, 1 hover, 2 pressed, 3 disabled, and for check types 4..7 the same while checked.

#include "tessel/controls/strip.h"
#include "tessel/core/mcontrolfont.h"
#include "tessel/platform/clock.h"

namespace DUI {

enum AIRBLADDER_MODE {
    AIRBLADDER_MODE_NONE = 0,
    AIRBLADDER_MODE_RIGHT = 1,
    AIRBLADDER_MODE_LEFT = 2
};

// What a radio group needs of its members: siblings of one class name and one group name
// uncheck each other.
class RadioMember {
  public:
    virtual ~RadioMember() = default;
    virtual CString GetGroupName() const = 0;
    // Check without group handling or enabled test; also resets the visual state.
    virtual void SetControlCheck(int check) = 0;
};

// Unchecks every sibling of control with its class name and group name; returns how many.
int ResetRadioGroup(MControl& control, const CString& group);

class MButton : public MControlFont {
  public:
    MButton(MObject* parent, unsigned id, CRect rect, const wchar_t* caption, int visible,
            int enabled);

    int SetIconImage(const wchar_t* file, int count);
    void SetFrameSize(int size) { m_frameSize = size; }
    void SetTextRect(CRect rect) { m_textRect = rect; }
    int GetState() const { return m_state; }

    void DrawControl(HDC& hdc, CRect paint) override;
    int OnControlMouseMove(unsigned flags, CPoint point) override;
    int OnControlLButtonDown(unsigned flags, CPoint point) override;
    int OnControlLButtonUp(unsigned flags, CPoint point) override;
    int OnControlKeyDown(unsigned key, unsigned repeat, unsigned modifier) override;
    void SetControlEnabled(int enabled) override;

  protected:
    // Visual state change with a repaint request that keeps the cached frames.
    void SetState(int state);
    virtual void OnHoverChanged(bool /*hover*/) {}
    virtual void RenderState(Graphics& g, int state, const CRect& slot);
    // Number of visual states in the cache.
    virtual int StateCount() const { return 4; }
    // The cache slot shown now.
    virtual int CurrentSlot() const { return m_state; }
    CRect LocalRect(const CRect& r, const CRect& slot) const;

    std::atomic<int> m_state{0};
    ImageStrip m_icon;
    std::atomic<int> m_frameSize{8};
    CRect m_textRect;
    CRect m_iconRect;
};

class CImageButton : public MButton {
  public:
    using MButton::MButton;
    void SetAlrBladderMode(AIRBLADDER_MODE mode) { m_balloonMode = mode; }

  protected:
    void OnHoverChanged(bool hover) override;
    std::atomic<int> m_balloonMode{AIRBLADDER_MODE_NONE};
};

class LongPressButton : public MButton {
  public:
    LongPressButton(MObject* parent, unsigned id, CRect rect, const wchar_t* caption, int visible,
                    int enabled);
    int OnControlLButtonDown(unsigned flags, CPoint point) override;
    int OnControlLButtonUp(unsigned flags, CPoint point) override;
    int OnControlTimer() override;

  private:
    std::atomic<long long> m_lastMs{0};
};

class CTextButton : public MControlFont {
  public:
    CTextButton(MObject* parent, unsigned id, CRect rect, const wchar_t* caption, int visible,
                int enabled);
    void SetTextButtonColor(Color normal, Color hover, Color pressed, Color disabled);
    int GetState() const { return m_state; }

    void DrawControl(HDC& hdc, CRect paint) override;
    int OnControlMouseMove(unsigned flags, CPoint point) override;
    int OnControlLButtonDown(unsigned flags, CPoint point) override;
    int OnControlLButtonUp(unsigned flags, CPoint point) override;
    void SetControlEnabled(int enabled) override;

  protected:
    std::atomic<int> m_state{0};
    DWORD m_colors[4];
    bool m_colorsSet = false;
};

class CIconButton : public MButton {
  public:
    CIconButton(MObject* parent, unsigned id, CRect rect, const wchar_t* caption, int visible,
                int enabled);
    void SetTextRect(CRect text, CRect icon);
    void SetTextButtonColor(Color normal, Color hover, Color pressed, Color disabled);

  protected:
    void RenderState(Graphics& g, int state, const CRect& slot) override;
    DWORD m_colors[4] = {0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFF323232};
};

class CTimerButton : public MButton {
  public:
    CTimerButton(MObject* parent, unsigned id, CRect rect, const wchar_t* caption, int visible,
                 int enabled);
    // Starts (1) or stops (0) a ten-second run; only while enabled.
    int SetRun(int run);
    int IsRun() const { return m_running; }
    int OnControlTimer() override;
    int SetControlFocus(int focus) override;
    void DrawControl(HDC& hdc, CRect paint) override;

    static constexpr int kRunMs = 10000;

  private:
    std::atomic<int> m_running{0};
    std::atomic<int> m_hasFocus{0};
    std::atomic<long long> m_startMs{0};
};

class CHelpButton : public MButton {
  public:
    CHelpButton(MObject* parent, unsigned id, CRect rect, const wchar_t* caption, int visible,
                int enabled);

  protected:
    void OnHoverChanged(bool hover) override;
    void RenderState(Graphics& g, int state, const CRect& slot) override;
    int StateCount() const override { return 4; }
};

// The shared behaviour of the check-type buttons.
class CheckTypeButton : public MControlFont {
  public:
    CheckTypeButton(MObject* parent, unsigned id, CRect rect, const wchar_t* caption, int visible,
                    int enabled);

    int SetCheck(int check);
    int GetCheck() const { return m_check; }
    int GetState() const { return m_state; }

    void DrawControl(HDC& hdc, CRect paint) override;
    int OnControlMouseMove(unsigned flags, CPoint point) override;
    int OnControlLButtonDown(unsigned flags, CPoint point) override;
    int OnControlLButtonUp(unsigned flags, CPoint point) override;
    int OnControlKeyDown(unsigned key, unsigned repeat, unsigned modifier) override;
    void SetControlEnabled(int enabled) override;

  protected:
    // Radio types set the check and reset their group; others toggle.
    virtual bool IsRadio() const { return false; }
    virtual CString Group() const { return L""; }
    virtual void RenderState(Graphics& g, int state, const CRect& slot);
    void SetState(int state);
    int RestingState(bool inside) const;

    std::atomic<int> m_check{0};
    std::atomic<int> m_state{0};
    std::atomic<int> m_pressing{0};
    std::atomic<int> m_keyToggle{0};
};

class CCheckButton : public CheckTypeButton {
  public:
    using CheckTypeButton::CheckTypeButton;
};

class CRadioButton : public CheckTypeButton, public RadioMember {
  public:
    using CheckTypeButton::CheckTypeButton;
    const wchar_t* GetClassNameW() const override { return L"RadioButton"; }
    void SetGroupName(const wchar_t* name);
    CString GetGroupName() const override;
    void SetControlCheck(int check) override;
    int ResetGroupCheck();

  protected:
    bool IsRadio() const override { return true; }
    CString Group() const override { return GetGroupName(); }
    mutable std::mutex m_groupLock;
    CString m_group;
};

class CSelectButton : public CRadioButton {
  public:
    using CRadioButton::CRadioButton;
    const wchar_t* GetClassNameW() const override { return L"CSelectButton"; }
};

class TextCheckButton : public CheckTypeButton {
  public:
    TextCheckButton(MObject* parent, unsigned id, CRect rect, const wchar_t* caption, int visible,
                    int enabled);
    void SetTextButtonColor(Color normal, Color hover, Color disabled);

  protected:
    void RenderState(Graphics& g, int state, const CRect& slot) override;
    DWORD m_normal = 0xFEFFFFFF;
    DWORD m_hover = 0xFEC95100;
    DWORD m_disabled = 0xFE808080;
};

class CSwitchButton : public MControlFont {
  public:
    CSwitchButton(MObject* parent, unsigned id, CRect rect, int visible, int enabled);
    int SetImage(const wchar_t* track, const wchar_t* knob, int count);
    int SetCheck(int check);
    int GetCheck() const { return m_check; }

    void DrawControl(HDC& hdc, CRect paint) override;
    int OnControlMouseMove(unsigned flags, CPoint point) override;
    int OnControlLButtonDown(unsigned flags, CPoint point) override;
    int OnControlLButtonUp(unsigned flags, CPoint point) override;

  private:
    ImageStrip m_track;
    ImageStrip m_knob;
    std::atomic<int> m_check{0};
    std::atomic<int> m_pressing{0};
};

// A toggle button in a radio group (class name "MButton2").
class MButton2 : public MButton, public RadioMember {
  public:
    MButton2(MObject* parent, unsigned id, CRect rect, int visible, int enabled);
    const wchar_t* GetClassNameW() const override { return L"MButton2"; }
    void SetGroupName(const wchar_t* name);
    CString GetGroupName() const override;
    void SetControlCheck(int check) override;
    int SetCheck(int check);
    int GetCheck() const { return m_check; }
    int ResetGroupCheck();
    int OnControlMouseMove(unsigned flags, CPoint point) override;
    int OnControlLButtonUp(unsigned flags, CPoint point) override;
    void SetControlEnabled(int enabled) override;

  protected:
    int StateCount() const override { return 8; }
    int CurrentSlot() const override;
    void RenderState(Graphics& g, int state, const CRect& slot) override;
    mutable std::mutex m_groupLock;
    CString m_group;
    std::atomic<int> m_check{0};
};

// A two-state toggle button.
class MButton3 : public MButton {
  public:
    MButton3(MObject* parent, unsigned id, CRect rect, int visible, int enabled);
    int SetCheck(int check);
    int GetCheck() const { return m_check; }
    int OnControlMouseMove(unsigned flags, CPoint point) override;
    int OnControlLButtonUp(unsigned flags, CPoint point) override;
    void SetControlEnabled(int enabled) override;

  protected:
    int StateCount() const override { return 8; }
    int CurrentSlot() const override;
    void RenderState(Graphics& g, int state, const CRect& slot) override;
    std::atomic<int> m_check{0};
};

}  // namespace DUI
