#pragma once
// Text edits. The control draws its stored text; while the user types, the edit component
// (EditBox) is open over the text rectangle and owns the keyboard. Codes to the parent:
// 30 opened, 26 text changed, 29 closed, 1/2 press and click, 9/31 press and release on the icon.

#include <memory>

#include "tessel/controls/edit_box.h"
#include "tessel/controls/strip.h"
#include "tessel/core/mpanel.h"

namespace DUI {

class MEdit : public MControlFont {
  public:
    static constexpr unsigned kCaretTimer = 6553;
    static constexpr unsigned kCaretMs = 500;
    // The default password character: the black circle, as the double-byte code 0xA1F1 names it.
    static constexpr int kDefaultPasswordChar = 0xA1F1;

    MEdit(MObject* parent, unsigned id, CRect rect, const wchar_t* text, int visible, int enabled);
    ~MEdit() override;

    void SetEditText(const wchar_t* text);
    CString GetEditText() const;
    void SetTipInfo(const wchar_t* hint);
    CString GetTipInfo() const;
    int SetIconImage(const wchar_t* file, int count);
    void SetIconRect(CRect rect) { m_iconRect = rect; }
    void SetTextRect(CRect rect);
    CRect GetTextRect() const;
    void SetLimitText(int limit);
    int GetLimitText() const { return m_limit; }
    void EnablePassWord(int enable);
    int IsPassWord() const { return m_password; }
    void SetPassWordChar(int ch);
    int GetPassWordChar() const { return m_passwordChar; }
    void EnableMultLine(int enable);
    int IsMultLine() const { return m_multiLine; }
    void SetReadOnly(int readOnly);
    int IsReadOnly() const { return m_readOnly; }
    void SetNumberOnly(int numberOnly);
    int IsNumberOnly() const { return m_numberOnly; }
    void EnableCharMessage(int enable);
    int IsCharMessage() const { return m_charMessages; }
    // 0x00BBGGRR; -1 (0xFFFFFFFF) draws no edit background.
    void SetEditBKColor(DWORD color);
    DWORD GetEditBKColor() const { return m_editBack; }
    int IsEditFocused() const;
    void ShowEdit();
    void HideEdit();
    // The open editor (null until first shown); for tests and composite widgets.
    EditBox* GetEditWindow() const { return m_edit.get(); }
    int IsEditShowing() const { return m_editShowing; }

    void DrawControl(HDC& hdc, CRect paint) override;
    int OnControlMouseMove(unsigned flags, CPoint point) override;
    int OnControlLButtonDown(unsigned flags, CPoint point) override;
    int OnControlLButtonUp(unsigned flags, CPoint point) override;
    int OnControlLButtonDblClk(unsigned flags, CPoint point) override;
    int OnControlTimer() override;
    int SetControlFocus(int focus) override;
    long OnWindowMessage(unsigned msg, unsigned wParam, long lParam) override;
    void SetControlEnabled(int enabled) override;
    void SetControlVisible(int visible) override;

  protected:
    // The editor's text changed: store it and tell the parent.
    void OnEditChanged();
    bool HandleKey(unsigned key);
    void Invalidate();
    wchar_t PasswordGlyph() const;

    mutable std::recursive_mutex m_editLock;
    CString m_text;
    CString m_hint;
    ImageStrip m_icon;
    CRect m_iconRect;
    CRect m_textRect;
    std::atomic<int> m_password{0};
    std::atomic<int> m_multiLine{0};
    std::atomic<int> m_readOnly{0};
    std::atomic<int> m_numberOnly{0};
    std::atomic<int> m_charMessages{1};
    std::atomic<int> m_limit{120};
    std::atomic<int> m_passwordChar{kDefaultPasswordChar};
    std::atomic<DWORD> m_editBack{0x222527};
    std::unique_ptr<EditBox> m_edit;
    std::atomic<int> m_editShowing{0};
    std::atomic<int> m_caretOn{0};
    std::atomic<int> m_selecting{0};
    std::atomic<int> m_pressed{0};
    std::atomic<int> m_hover{0};
};

// A container holding one number-only edit limited to a few characters.
class NumberEdit : public MPanel {
  public:
    NumberEdit(MObject* parent, unsigned id, CRect rect, int visible, int enabled = 1,
               int limit = 5);
    void SetEditFont(const wchar_t* name, int size, int style);
    void SetEditText(const wchar_t* text);
    CString GetEditText() const;
    void SetTextRect(CRect rect);
    void SetEditBKColor(DWORD color);
    MEdit* GetEdit() const { return m_edit; }
    void SetControlRect(CRect rect) override;

  protected:
    MEdit* m_edit = nullptr;
};

class NumberEdit2 : public NumberEdit {
  public:
    NumberEdit2(MObject* parent, unsigned id, CRect rect, int visible, int enabled = 1);
};

// The rich edit: the edit component always hosted, editing while the control has the focus,
// with the editor operations of a text service (selection, undo, clipboard, scrolling, zoom,
// password mode).
class MRichEdit : public MControlFont {
  public:
    MRichEdit(MObject* parent, unsigned id, CRect rect, const wchar_t* text, int visible,
              int enabled);
    ~MRichEdit() override;

    void SetText(const wchar_t* text);
    CString GetText() const;
    int GetTextLength() const;
    void SetSel(int start, int end);
    void GetSel(int& start, int& end) const;
    CString GetSelText() const;
    void ReplaceSel(const wchar_t* text);
    int Undo();
    int Redo();
    int CanUndo() const;
    int Copy();
    int Cut();
    int Paste();
    void SetReadOnly(int readOnly);
    int IsReadOnly() const;
    void SetLimitText(int limit);
    void SetPasswordChar(wchar_t ch);
    void EnablePassword(int enable);
    void SetMultiLine(int enable);
    void SetNumberOnly(int enable);
    // Zoom as numerator/denominator of the font size; 0/0 resets.
    int SetZoom(int numerator, int denominator);
    void SetAutoURLDetect(int enable) { m_urlDetect = enable; }
    int GetAutoURLDetect() const { return m_urlDetect; }
    // Scrolls the first shown line.
    void LineScroll(int lines);
    int GetFirstVisibleLine() const { return m_firstLine; }
    void SetBackColor(DWORD argb);
    void SetTipInfo(const wchar_t* hint);
    EditBox& Editor() { return m_editor; }
    int IsEditing() const { return m_editing; }

    void DrawControl(HDC& hdc, CRect paint) override;
    int OnControlMouseMove(unsigned flags, CPoint point) override;
    int OnControlLButtonDown(unsigned flags, CPoint point) override;
    int OnControlLButtonUp(unsigned flags, CPoint point) override;
    int OnControlScroll(int kind, unsigned direction, CPoint point) override;
    int OnControlTimer() override;
    int SetControlFocus(int focus) override;
    long OnWindowMessage(unsigned msg, unsigned wParam, long lParam) override;

  protected:
    virtual CRect EditRect() const;
    virtual void OnTextChanged() {}
    Font EditFont();
    void Invalidate();

    mutable std::recursive_mutex m_lock;
    EditBox m_editor;
    CString m_hint;
    std::atomic<int> m_editing{0};
    std::atomic<int> m_caretOn{0};
    std::atomic<int> m_selecting{0};
    std::atomic<int> m_urlDetect{0};
    std::atomic<int> m_firstLine{0};
    std::atomic<int> m_zoomNum{0};
    std::atomic<int> m_zoomDen{0};
    std::atomic<DWORD> m_back{0xFF1E2023};
};

// A rich edit with a frame picture that shows its focus.
class MEditEx : public MRichEdit {
  public:
    using MRichEdit::MRichEdit;
    void DrawControl(HDC& hdc, CRect paint) override;
};

// A log-on field: a rich edit with a hint and an optional password mode.
class CLogonEdit : public MRichEdit {
  public:
    CLogonEdit(MObject* parent, unsigned id, CRect rect, int visible, int enabled);
};

// The rich-edit-based spin field: a number with up and down arrows at the right edge.
class CSpinButton : public MRichEdit {
  public:
    CSpinButton(MObject* parent, unsigned id, CRect rect, int visible, int enabled);
    int SetCurValue(int value);
    int GetCurValue() const { return m_value; }
    void SetRange(int low, int high);
    int GetMinValue() const { return m_min; }
    int GetMaxValue() const { return m_max; }

    void DrawControl(HDC& hdc, CRect paint) override;
    int OnControlLButtonDown(unsigned flags, CPoint point) override;
    int OnControlScroll(int kind, unsigned direction, CPoint point) override;
    int SetControlFocus(int focus) override;

  protected:
    CRect EditRect() const override;
    CRect UpRect() const;
    CRect DownRect() const;
    void Commit();

    std::atomic<int> m_value{0};
    std::atomic<int> m_min{0};
    std::atomic<int> m_max{100};
};

}  // namespace DUI
