#pragma once
// The toolkit's own single- or multi-line text editor: text with a caret and a selection, typed
// characters, editing keys, the clipboard, an undo history, a length limit and the password,
// number-only and read-only modes. Edits and the rich edit host it and draw it into their
// rectangle; it owns no window. Not thread-safe: it lives on the window thread.

#include <functional>
#include <string>
#include <vector>

#include "tessel/platform/surface.h"

namespace DUI {

// The clipboard text: the display's clipboard in the SDL backend, one in the process otherwise.
void SetClipboardText(const std::wstring& text);
std::wstring GetClipboardText();

class EditBox {
  public:
    // Typed characters (WM_CHAR) and editing keys (WM_KEYDOWN). Both return true when handled.
    bool OnChar(wchar_t ch);
    bool OnKeyDown(unsigned key, bool shift, bool ctrl);

    void SetText(const std::wstring& text);
    const std::wstring& GetText() const { return text_; }
    // Replaces the selection with text as typing would (limit and number-only applied).
    bool ReplaceSelection(const std::wstring& text);
    void SetSel(int start, int end);
    void SelectAll() { SetSel(0, -1); }
    int GetSelStart() const { return std::min(anchor_, caret_); }
    int GetSelEnd() const { return std::max(anchor_, caret_); }
    int GetCaret() const { return caret_; }
    std::wstring GetSelText() const;

    void SetLimitText(int limit) { limit_ = limit; }
    int GetLimitText() const { return limit_; }
    void SetPassword(bool on) { password_ = on; }
    bool IsPassword() const { return password_; }
    void SetPasswordChar(wchar_t ch) { passwordChar_ = ch; }
    void SetNumberOnly(bool on) { numberOnly_ = on; }
    bool IsNumberOnly() const { return numberOnly_; }
    void SetReadOnly(bool on) { readOnly_ = on; }
    bool IsReadOnly() const { return readOnly_; }
    void SetMultiLine(bool on) { multiLine_ = on; }
    bool IsMultiLine() const { return multiLine_; }
    // When off, typed characters are swallowed (editing keys still work).
    void EnableCharMessage(bool on) { charMessages_ = on; }

    bool Copy() const;
    bool Cut();
    bool Paste();
    bool Undo();
    bool Redo();
    bool CanUndo() const { return !undo_.empty(); }

    // Layout and drawing in rect with the font; the caret shows when caretOn.
    void Draw(Graphics& g, const CRect& rect, const Font& font, DWORD textColor, DWORD selectColor,
              bool caretOn);
    // The character index nearest to a point of rect (for clicks and drags).
    int HitTest(const CRect& rect, const Font& font, CPoint point) const;
    // Horizontal scroll keeping the caret in view (single line).
    int GetScrollX() const { return scrollX_; }
    // What is shown: the text, or password characters.
    std::wstring DisplayText() const;

    // Called after every change of the text.
    std::function<void()> onChange;

  private:
    struct Snapshot {
        std::wstring text;
        int caret;
    };
    bool Accept(std::wstring& text) const;
    void Remember();
    void MoveCaret(int to, bool extend);
    void Changed();
    int WordBoundary(int from, int direction) const;
    int LineStart(int pos) const;
    int LineEnd(int pos) const;

    std::wstring text_;
    int caret_ = 0;
    int anchor_ = 0;
    int limit_ = 0x7FFFFFFE;
    bool password_ = false;
    wchar_t passwordChar_ = L'\x25CF';
    bool numberOnly_ = false;
    bool readOnly_ = false;
    bool multiLine_ = false;
    bool charMessages_ = true;
    std::vector<Snapshot> undo_;
    std::vector<Snapshot> redo_;
    int scrollX_ = 0;
};

}  // namespace DUI
