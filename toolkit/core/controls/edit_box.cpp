#include "tessel/controls/edit_box.h"

#include <SDL.h>

#include <algorithm>
#include <cwctype>
#include <mutex>

#include "tessel/platform/messages.h"
#include "tessel/platform/text.h"
#include "tessel/platform/window.h"

namespace DUI {
namespace {

std::mutex& ClipboardLock() {
    static std::mutex lock;
    return lock;
}

std::wstring& ProcessClipboard() {
    static std::wstring text;
    return text;
}

constexpr size_t kUndoDepth = 100;

}  // namespace

void SetClipboardText(const std::wstring& text) {
    if (CurrentBackend() == BackendKind::Sdl && SDL_WasInit(SDL_INIT_VIDEO) != 0) {
        SDL_SetClipboardText(WideToUtf8(text).c_str());
        return;
    }
    std::lock_guard lock(ClipboardLock());
    ProcessClipboard() = text;
}

std::wstring GetClipboardText() {
    if (CurrentBackend() == BackendKind::Sdl && SDL_WasInit(SDL_INIT_VIDEO) != 0) {
        char* raw = SDL_GetClipboardText();
        std::wstring text = raw != nullptr ? Utf8ToWide(raw) : std::wstring();
        SDL_free(raw);
        return text;
    }
    std::lock_guard lock(ClipboardLock());
    return ProcessClipboard();
}

void EditBox::SetText(const std::wstring& text) {
    text_ = text;
    if (!multiLine_) {
        std::erase_if(text_, [](wchar_t c) { return c == L'\r' || c == L'\n'; });
    }
    caret_ = anchor_ = static_cast<int>(text_.size());
    undo_.clear();
    redo_.clear();
    scrollX_ = 0;
}

void EditBox::SetSel(int start, int end) {
    const int n = static_cast<int>(text_.size());
    if (end < 0 || end > n) {
        end = n;
    }
    anchor_ = std::clamp(start, 0, n);
    caret_ = std::clamp(end, 0, n);
}

std::wstring EditBox::GetSelText() const {
    return text_.substr(GetSelStart(), GetSelEnd() - GetSelStart());
}

std::wstring EditBox::DisplayText() const {
    return password_ ? std::wstring(text_.size(), passwordChar_) : text_;
}

// Filters text for the modes and trims it to the room the limit leaves; false when nothing of
// it may go in.
bool EditBox::Accept(std::wstring& text) const {
    if (!multiLine_) {
        std::erase_if(text, [](wchar_t c) { return c == L'\r' || c == L'\n'; });
    }
    if (numberOnly_ &&
        std::any_of(text.begin(), text.end(), [](wchar_t c) { return c < L'0' || c > L'9'; })) {
        return false;
    }
    const int room = limit_ - (static_cast<int>(text_.size()) - (GetSelEnd() - GetSelStart()));
    if (room <= 0) {
        return text.empty();
    }
    if (static_cast<int>(text.size()) > room) {
        text.resize(room);
    }
    return true;
}

void EditBox::Remember() {
    undo_.push_back({text_, caret_});
    if (undo_.size() > kUndoDepth) {
        undo_.erase(undo_.begin());
    }
    redo_.clear();
}

void EditBox::Changed() {
    if (onChange) {
        onChange();
    }
}

bool EditBox::ReplaceSelection(const std::wstring& input) {
    if (readOnly_) {
        return false;
    }
    std::wstring text = input;
    if (!Accept(text)) {
        return false;
    }
    const int start = GetSelStart();
    const int end = GetSelEnd();
    if (text.empty() && start == end) {
        return false;
    }
    Remember();
    text_.replace(start, end - start, text);
    caret_ = anchor_ = start + static_cast<int>(text.size());
    Changed();
    return true;
}

bool EditBox::OnChar(wchar_t ch) {
    if (ch == L'\b' || ch == 0x7F) {
        return true;  // handled as keys
    }
    if (ch == L'\r' || ch == L'\n') {
        if (!multiLine_) {
            return false;
        }
        ch = L'\n';
    } else if (ch == L'\t' || ch < 0x20) {
        return false;  // control characters (clipboard shortcuts arrive as keys)
    }
    if (!charMessages_) {
        return true;
    }
    ReplaceSelection(std::wstring(1, ch));
    return true;
}

void EditBox::MoveCaret(int to, bool extend) {
    caret_ = std::clamp(to, 0, static_cast<int>(text_.size()));
    if (!extend) {
        anchor_ = caret_;
    }
}

int EditBox::WordBoundary(int from, int direction) const {
    const int n = static_cast<int>(text_.size());
    int i = from;
    if (direction < 0) {
        while (i > 0 && std::iswspace(text_[i - 1])) {
            --i;
        }
        while (i > 0 && !std::iswspace(text_[i - 1])) {
            --i;
        }
    } else {
        while (i < n && !std::iswspace(text_[i])) {
            ++i;
        }
        while (i < n && std::iswspace(text_[i])) {
            ++i;
        }
    }
    return i;
}

int EditBox::LineStart(int pos) const {
    if (!multiLine_) {
        return 0;
    }
    const size_t at = pos > 0 ? text_.rfind(L'\n', pos - 1) : std::wstring::npos;
    return at == std::wstring::npos ? 0 : static_cast<int>(at) + 1;
}

int EditBox::LineEnd(int pos) const {
    if (!multiLine_) {
        return static_cast<int>(text_.size());
    }
    const size_t at = text_.find(L'\n', pos);
    return at == std::wstring::npos ? static_cast<int>(text_.size()) : static_cast<int>(at);
}

bool EditBox::OnKeyDown(unsigned key, bool shift, bool ctrl) {
    const int n = static_cast<int>(text_.size());
    switch (key) {
        case VK_LEFT:
            if (!shift && GetSelStart() != GetSelEnd()) {
                MoveCaret(GetSelStart(), false);
            } else {
                MoveCaret(ctrl ? WordBoundary(caret_, -1) : caret_ - 1, shift);
            }
            return true;
        case VK_RIGHT:
            if (!shift && GetSelStart() != GetSelEnd()) {
                MoveCaret(GetSelEnd(), false);
            } else {
                MoveCaret(ctrl ? WordBoundary(caret_, 1) : caret_ + 1, shift);
            }
            return true;
        case VK_HOME:
            MoveCaret(ctrl ? 0 : LineStart(caret_), shift);
            return true;
        case VK_END:
            MoveCaret(ctrl ? n : LineEnd(caret_), shift);
            return true;
        case VK_UP:
        case VK_DOWN: {
            if (!multiLine_) {
                return false;
            }
            const int column = caret_ - LineStart(caret_);
            if (key == VK_UP) {
                const int start = LineStart(caret_);
                if (start == 0) {
                    MoveCaret(0, shift);
                } else {
                    const int prev = LineStart(start - 1);
                    MoveCaret(std::min(prev + column, start - 1), shift);
                }
            } else {
                const int end = LineEnd(caret_);
                if (end >= n) {
                    MoveCaret(n, shift);
                } else {
                    MoveCaret(std::min(end + 1 + column, LineEnd(end + 1)), shift);
                }
            }
            return true;
        }
        case VK_BACK:
            if (readOnly_) {
                return true;
            }
            if (GetSelStart() == GetSelEnd()) {
                MoveCaret(ctrl ? WordBoundary(caret_, -1) : caret_ - 1, true);
            }
            ReplaceSelection(L"");
            return true;
        case VK_DELETE:
            if (readOnly_) {
                return true;
            }
            if (shift && GetSelStart() != GetSelEnd()) {
                Cut();
                return true;
            }
            if (GetSelStart() == GetSelEnd()) {
                MoveCaret(ctrl ? WordBoundary(caret_, 1) : caret_ + 1, true);
            }
            ReplaceSelection(L"");
            return true;
        default:
            break;
    }
    if (ctrl) {
        switch (key) {
            case 'A':
                SelectAll();
                return true;
            case 'C':
                Copy();
                return true;
            case 'X':
                Cut();
                return true;
            case 'V':
                Paste();
                return true;
            case 'Z':
                shift ? Redo() : Undo();
                return true;
            case 'Y':
                Redo();
                return true;
            default:
                break;
        }
    }
    if (key == 0x2D /* Insert */) {
        if (ctrl) {
            Copy();
        } else if (shift) {
            Paste();
        }
        return true;
    }
    return false;
}

bool EditBox::Copy() const {
    // A password never leaves the editor.
    if (password_ || GetSelStart() == GetSelEnd()) {
        return false;
    }
    SetClipboardText(GetSelText());
    return true;
}

bool EditBox::Cut() {
    if (readOnly_ || !Copy()) {
        return false;
    }
    return ReplaceSelection(L"");
}

bool EditBox::Paste() {
    const std::wstring text = GetClipboardText();
    return !text.empty() && ReplaceSelection(text);
}

bool EditBox::Undo() {
    if (readOnly_ || undo_.empty()) {
        return false;
    }
    redo_.push_back({text_, caret_});
    text_ = undo_.back().text;
    caret_ = anchor_ = std::min(undo_.back().caret, static_cast<int>(text_.size()));
    undo_.pop_back();
    Changed();
    return true;
}

bool EditBox::Redo() {
    if (readOnly_ || redo_.empty()) {
        return false;
    }
    undo_.push_back({text_, caret_});
    text_ = redo_.back().text;
    caret_ = anchor_ = std::min(redo_.back().caret, static_cast<int>(text_.size()));
    redo_.pop_back();
    Changed();
    return true;
}

int EditBox::HitTest(const CRect& rect, const Font& font, CPoint point) const {
    const std::wstring shown = DisplayText();
    int lineStart = 0;
    if (multiLine_) {
        const int lineHeight = std::max(1, MeasureString(L"Ag", font, 0, false).cy);
        int line = std::max(0, (point.y - rect.top) / lineHeight);
        while (line > 0) {
            const size_t at = shown.find(L'\n', lineStart);
            if (at == std::wstring::npos) {
                break;
            }
            lineStart = static_cast<int>(at) + 1;
            --line;
        }
    }
    const size_t lineEndAt = shown.find(L'\n', lineStart);
    const int lineEnd = lineEndAt == std::wstring::npos ? static_cast<int>(shown.size())
                                                        : static_cast<int>(lineEndAt);
    const int x = point.x - rect.left + (multiLine_ ? 0 : scrollX_);
    int previous = 0;
    for (int i = lineStart + 1; i <= lineEnd; ++i) {
        const int w = MeasureString(shown.substr(lineStart, i - lineStart), font, 0, false).cx;
        if (x < (previous + w) / 2) {
            return i - 1;
        }
        previous = w;
    }
    return lineEnd;
}

void EditBox::Draw(Graphics& g, const CRect& rect, const Font& font, DWORD textColor,
                   DWORD selectColor, bool caretOn) {
    const std::wstring shown = DisplayText();
    const int lineHeight = std::max(1, MeasureString(L"Ag", font, 0, false).cy);
    const auto width = [&](int from, int to) {
        return to > from ? MeasureString(shown.substr(from, to - from), font, 0, false).cx : 0;
    };
    TextFormat format;
    format.hAlign = DT_LEFT;
    format.vAlign = DT_TOP;
    g.SetClip(rect);
    // Single line: centred vertically, scrolled so the caret stays inside.
    const int top = multiLine_ ? rect.top : rect.top + (rect.Height() - lineHeight) / 2;
    if (!multiLine_) {
        const int caretX = width(0, caret_);
        if (caretX - scrollX_ > rect.Width() - 2) {
            scrollX_ = caretX - rect.Width() + 2;
        } else if (caretX < scrollX_) {
            scrollX_ = caretX;
        }
    } else {
        scrollX_ = 0;
    }
    int lineStart = 0;
    int y = top;
    while (true) {
        const size_t at = shown.find(L'\n', lineStart);
        const int lineEnd =
            at == std::wstring::npos ? static_cast<int>(shown.size()) : static_cast<int>(at);
        const int x0 = rect.left - scrollX_;
        const int selFrom = std::max(GetSelStart(), lineStart);
        const int selTo = std::min(GetSelEnd(), lineEnd);
        if (selFrom < selTo) {
            g.FillRect(CRect(x0 + width(lineStart, selFrom), y, x0 + width(lineStart, selTo),
                             y + lineHeight),
                       selectColor);
        }
        const std::wstring line = shown.substr(lineStart, lineEnd - lineStart);
        g.DrawString(line, CRect(x0, y, x0 + width(lineStart, lineEnd) + 4, y + lineHeight), font,
                     textColor, format);
        if (caretOn && caret_ >= lineStart && caret_ <= lineEnd) {
            const float cx = static_cast<float>(x0 + width(lineStart, caret_)) + 0.5f;
            g.DrawLine(cx, static_cast<float>(y), cx, static_cast<float>(y + lineHeight), textColor,
                       1);
        }
        if (at == std::wstring::npos) {
            break;
        }
        lineStart = lineEnd + 1;
        y += lineHeight;
    }
    g.ResetClip();
}

}  // namespace DUI
