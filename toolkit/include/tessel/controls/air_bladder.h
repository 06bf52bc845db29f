#pragma once
// The balloon tip: a small topmost window with a text, a background picture and an arrow that
// points at an anchor on the screen. Each window's paint manager creates one on first use and
// hands it to the controls that show tips; an owner id records which control holds it.

#include <mutex>

#include "tessel/controls/buttons.h"
#include "tessel/controls/strip.h"
#include "tessel/core/mdialog.h"
#include "tessel/core/mwindow.h"

namespace DUI {

class PaintManager;

class MAirBladder : public MWindow {
  public:
    static constexpr unsigned kHideTimer = 10;
    static constexpr unsigned kHideMs = 5000;

    MAirBladder();
    ~MAirBladder() override;

    const wchar_t* GetWindowClassName() const override { return L"AirBladderWnd"; }
    long OnWindowMessage(unsigned msg, unsigned wParam, long lParam) override;

    // Creates the window owned by owner, hidden; false when it cannot be created.
    bool CreateFor(HWND owner);
    int LoadBKImage(const wchar_t* file);
    int LoadBKImage(unsigned id, CString type);
    int LoadArrowLImage(const wchar_t* file);
    int LoadArrowLImage(unsigned id, CString type);
    int LoadArrowRImage(const wchar_t* file);
    int LoadArrowRImage(unsigned id, CString type);
    int LoadArrowTImage(const wchar_t* file);
    int LoadArrowTImage(unsigned id, CString type);
    void SetBackMode(enumBackMode mode, int parameter);
    // Shows text at the screen point; unchanged text, point, type and mode change nothing.
    int SetAirBladderMsg(const wchar_t* text, POINT point, AIRBLADDER_TYPE type,
                         AIRBLADDER_MODE mode);
    void CloseWindow();
    // Measures the text and places the window from the anchor by type.
    void AutoFit();
    // Hides (0) or shows (1) the window as it stands.
    void Show(int show);
    bool IsShowing() const;

    CString GetText() const;
    CRect GetPlacement() const;
    int GetLineCount() const { return m_lines; }

  private:
    void Paint();

    mutable std::mutex m_lock;
    CString m_text;
    POINT m_point{};
    int m_type = 0;
    int m_mode = 0;
    bool m_hasMessage = false;
    ImageStrip m_back;
    ImageStrip m_arrowL;
    ImageStrip m_arrowR;
    ImageStrip m_arrowT;
    int m_backMode = BACK_MODE_FRAME;
    int m_backParam = 8;
    int m_lines = 0;
    int m_textW = 0;
    int m_textH = 0;
    CRect m_placement;
};

// The balloon of a window's paint manager, created on first use ("AirBladder Window" with the
// theme's tip pictures); null when the manager has no window.
MAirBladder* GetAirBladder(PaintManager* manager);
// Shows or hides the manager's balloon for a control id; hiding is refused (0) while another
// owner holds it.
int ShowAirBladder(PaintManager* manager, int show, unsigned owner);
unsigned GetAirBladderOwner(PaintManager* manager);
void SetAirBladderOwner(PaintManager* manager, unsigned owner);

}  // namespace DUI
