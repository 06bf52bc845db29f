#include "tessel/controls/medit.h"

#include "tessel/core/control_factory.h"
#include "tessel/core/manager.h"
#include "tessel/core/mrender.h"
#include "tessel/core/paint_manager.h"
#include "tessel/platform/text.h"
#include "tessel/platform/window.h"

namespace DUI {
namespace {

bool KeyHeld(UINT key) {
    return (GetKeyState(key) & 0x8000) != 0;
}

DWORD FromBgr(DWORD bgr) {
    return MakeARGB(255, GetRValue(bgr), GetGValue(bgr), GetBValue(bgr));
}

constexpr DWORD kSelection = 0x804A90E2;
constexpr DWORD kHintColor = 0xFF808080;

}  // namespace

// ---- MEdit ----

MEdit::MEdit(MObject* parent, unsigned id, CRect rect, const wchar_t* text, int visible,
             int enabled)
    : MControlFont(parent, id, rect, L"", visible, enabled, 1),
      m_text(text != nullptr ? text : L"") {
    m_textColor = 0xFE050505;
    m_tabStop = 1;
}

MEdit::~MEdit() {
    if (PaintManager* manager = GetManager()) {
        manager->KillTimer(this);
    }
}

wchar_t MEdit::PasswordGlyph() const {
    const int ch = m_passwordChar;
    return ch == kDefaultPasswordChar ? L'\x25CF' : static_cast<wchar_t>(ch);
}

void MEdit::Invalidate() {
    const RECT r = GetRect();
    InvalidateRect(&r, 0);
}

void MEdit::SetEditText(const wchar_t* text) {
    {
        std::lock_guard lock(m_editLock);
        m_text = text != nullptr ? text : L"";
        if (m_edit && m_editShowing) {
            m_edit->SetText(m_text);
        }
    }
    UpdateControl(1, 0);
}

CString MEdit::GetEditText() const {
    std::lock_guard lock(m_editLock);
    if (m_edit && m_editShowing) {
        return m_edit->GetText();
    }
    return m_text;
}

void MEdit::SetTipInfo(const wchar_t* hint) {
    {
        std::lock_guard lock(m_editLock);
        m_hint = hint != nullptr ? hint : L"";
    }
    UpdateControl(1, 0);
}

CString MEdit::GetTipInfo() const {
    std::lock_guard lock(m_editLock);
    return m_hint;
}

int MEdit::SetIconImage(const wchar_t* file, int count) {
    if (!m_icon.Load(file, count)) {
        return 0;
    }
    UpdateControl(1, 0);
    return 1;
}

void MEdit::SetTextRect(CRect rect) {
    {
        std::lock_guard lock(m_editLock);
        m_textRect = rect;
    }
    UpdateControl(1, 0);
}

CRect MEdit::GetTextRect() const {
    std::lock_guard lock(m_editLock);
    if (!m_textRect.IsRectEmpty()) {
        return m_textRect;
    }
    CRect r = GetRect();
    r.DeflateRect(6, 2);
    if (!m_iconRect.IsRectEmpty()) {
        r.right = std::min(r.right, m_iconRect.left - 2);
    }
    return r;
}

void MEdit::SetLimitText(int limit) {
    m_limit = limit > 0 ? limit : 0x7FFFFFFE;
}
void MEdit::EnablePassWord(int enable) {
    m_password = enable ? 1 : 0;
    UpdateControl(1, 0);
}
void MEdit::SetPassWordChar(int ch) {
    m_passwordChar = ch;
    UpdateControl(1, 0);
}
void MEdit::EnableMultLine(int enable) {
    m_multiLine = enable ? 1 : 0;
}
void MEdit::SetReadOnly(int readOnly) {
    m_readOnly = readOnly ? 1 : 0;
    if (readOnly) {
        HideEdit();
    }
}
void MEdit::SetNumberOnly(int numberOnly) {
    m_numberOnly = numberOnly ? 1 : 0;
}
void MEdit::EnableCharMessage(int enable) {
    m_charMessages = enable ? 1 : 0;
}
void MEdit::SetEditBKColor(DWORD color) {
    m_editBack = color;
    UpdateControl(1, 0);
}

int MEdit::IsEditFocused() const {
    return m_editShowing && m_focused ? 1 : 0;
}

void MEdit::ShowEdit() {
    if (m_readOnly || !IsEnabled()) {
        return;
    }
    {
        std::lock_guard lock(m_editLock);
        if (!m_edit) {
            m_edit = std::make_unique<EditBox>();
            m_edit->onChange = [this] { OnEditChanged(); };
        }
        m_edit->SetMultiLine(m_multiLine != 0);
        m_edit->SetLimitText(m_limit);
        m_edit->SetPassword(m_password != 0);
        m_edit->SetPasswordChar(PasswordGlyph());
        m_edit->SetNumberOnly(m_numberOnly != 0);
        m_edit->SetReadOnly(false);
        m_edit->EnableCharMessage(m_charMessages != 0);
        m_edit->SetText(m_text);
        m_edit->SelectAll();
    }
    // The previous focus (possibly a container holding this edit) lets go first, so its
    // letting go cannot close the editor that is opening.
    PaintManager* manager = GetManager();
    if (manager != nullptr && manager->GetFocusControl() != this) {
        if (MControl* previous = manager->GetFocusControl()) {
            previous->SetControlFocus(0);
        }
        manager->SetFocusRecord(this);
    }
    m_editShowing = 1;
    m_focused = 1;
    m_caretOn = 1;
    if (manager != nullptr) {
        manager->SetTimer(this, kCaretTimer, kCaretMs);
    }
    Invalidate();
    SendMessageW(30, 0, 0);
}

void MEdit::HideEdit() {
    m_focused = 0;
    if (!m_editShowing.exchange(0)) {
        return;
    }
    if (PaintManager* manager = GetManager()) {
        manager->KillTimer(this, kCaretTimer);
    }
    bool changed = false;
    {
        std::lock_guard lock(m_editLock);
        if (m_edit && m_edit->GetText() != m_text) {
            m_text = m_edit->GetText();
            changed = true;
        }
    }
    if (changed) {
        UpdateControl(1, 0);
    } else {
        // Only the editor over the text goes away: the control's cached picture stays valid.
        Invalidate();
    }
    SendMessageW(29, 0, 0);
}

void MEdit::OnEditChanged() {
    bool differs = false;
    {
        std::lock_guard lock(m_editLock);
        if (m_edit && m_edit->GetText() != m_text) {
            m_text = m_edit->GetText();
            differs = true;
        }
    }
    if (differs) {
        UpdateControl(1, 0);
        SendMessageW(26, 0, 0);
    } else {
        Invalidate();
    }
}

bool MEdit::HandleKey(unsigned key) {
    if (key == VK_RETURN && !m_multiLine) {
        HideEdit();
        return true;
    }
    if (key == VK_ESCAPE) {
        HideEdit();
        return true;
    }
    bool handled;
    {
        std::lock_guard lock(m_editLock);
        handled = m_edit && m_edit->OnKeyDown(key, KeyHeld(VK_SHIFT), KeyHeld(VK_CONTROL));
    }
    m_caretOn = 1;
    Invalidate();
    return handled;
}

long MEdit::OnWindowMessage(unsigned msg, unsigned wParam, long) {
    if (!m_editShowing) {
        return 0;
    }
    switch (msg) {
        case WM_KEYDOWN:
            if (wParam == VK_SPACE && !KeyHeld(VK_SHIFT) && !KeyHeld(VK_CONTROL) &&
                !KeyHeld(VK_MENU)) {
                SendMessageW(1, 0, 0);
                SendMessageW(2, 0, 0);
            }
            HandleKey(wParam);
            return 1;
        case WM_CHAR: {
            std::lock_guard lock(m_editLock);
            if (m_edit) {
                m_edit->OnChar(static_cast<wchar_t>(wParam));
            }
            m_caretOn = 1;
            Invalidate();
            return 1;
        }
        case WM_KEYUP:
            return 1;
        case WM_NCACTIVATE:
            // The window lost activation: the editor loses the keyboard with it.
            if (wParam == 0) {
                HideEdit();
            }
            return 0;
        default:
            return 0;
    }
}

int MEdit::OnControlTimer() {
    if (!m_editShowing) {
        return 0;
    }
    m_caretOn = m_caretOn ? 0 : 1;
    Invalidate();
    return 1;
}

int MEdit::SetControlFocus(int focus) {
    if (!focus) {
        HideEdit();
    }
    return MControlFont::SetControlFocus(focus);
}

void MEdit::SetControlEnabled(int enabled) {
    if (!enabled) {
        HideEdit();
    }
    MControlFont::SetControlEnabled(enabled);
}

void MEdit::SetControlVisible(int visible) {
    if (!visible) {
        HideEdit();
    }
    MControlFont::SetControlVisible(visible);
}

int MEdit::OnControlMouseMove(unsigned, CPoint point) {
    const bool inside = GetRect().PtInRect(point);
    if (inside && IsEnabled() && !m_readOnly) {
        SetCursor(LoadCursorW(nullptr, m_iconRect.PtInRect(point) ? IDC_HAND : IDC_ARROW));
    }
    if (m_hover.exchange(inside ? 1 : 0) != (inside ? 1 : 0)) {
        UpdateControl(1, 0);
    }
    if (m_selecting && m_editShowing) {
        std::lock_guard lock(m_editLock);
        const int at = m_edit->HitTest(GetTextRect(), MakeFont(), point);
        m_edit->SetSel(m_edit->GetSelStart() == m_edit->GetCaret() ? m_edit->GetSelEnd()
                                                                   : m_edit->GetSelStart(),
                       at);
        Invalidate();
    }
    return inside ? 1 : 0;
}

int MEdit::OnControlLButtonDown(unsigned, CPoint point) {
    if (!IsEnabled() || !GetRect().PtInRect(point)) {
        return 0;
    }
    if (!m_iconRect.IsRectEmpty() && m_iconRect.PtInRect(point)) {
        HideEdit();
        SendMessageW(9, 0, 0);
        return 1;
    }
    m_pressed = 1;
    if (!m_editShowing) {
        ShowEdit();
    } else {
        std::lock_guard lock(m_editLock);
        const int at = m_edit->HitTest(GetTextRect(), MakeFont(), point);
        m_edit->SetSel(at, at);
        m_selecting = 1;
        m_caretOn = 1;
        Invalidate();
    }
    SendMessageW(1, 0, 0);
    return 1;
}

int MEdit::OnControlLButtonUp(unsigned, CPoint point) {
    m_selecting = 0;
    const bool wasPressed = m_pressed.exchange(0) != 0;
    if (!IsEnabled() || !GetRect().PtInRect(point)) {
        return 0;
    }
    if (!m_iconRect.IsRectEmpty() && m_iconRect.PtInRect(point)) {
        HideEdit();
        SendMessageW(31, 0, 0);
        return 1;
    }
    if (wasPressed) {
        SendMessageW(2, 0, 0);
    }
    return 1;
}

int MEdit::OnControlLButtonDblClk(unsigned flags, CPoint point) {
    if (m_editShowing) {
        std::lock_guard lock(m_editLock);
        m_edit->SelectAll();
        Invalidate();
        return 1;
    }
    return OnControlLButtonDown(flags, point);
}

void MEdit::DrawControl(HDC& hdc, CRect) {
    const CRect r = GetRect();
    CRect text = GetTextRect();
    if (BeginCachedDraw(hdc)) {
        Graphics g(GetMemDC());
        const CRect local(0, 0, r.Width(), r.Height());
        if (ImgResInfo* info = GetImageInfo(); info != nullptr && info->image) {
            const int frames = std::max(1, GetImageCount());
            const int frame =
                !IsEnabled() ? std::min(3, frames - 1) : std::min(m_hover.load(), frames - 1);
            const int fw = info->image->GetWidth() / frames;
            MRender::DrawImageFrame(g, info->image.get(), local, frame * fw, 0, fw,
                                    info->image->GetHeight(), 4);
        } else if (m_editBack != 0xFFFFFFFF) {
            g.FillRect(local, FromBgr(m_editBack));
        }
        if (m_icon.Loaded()) {
            CRect icon = m_iconRect;
            icon.OffsetRect(-r.left, -r.top);
            m_icon.Draw(g, std::min(m_hover.load(), m_icon.Count() - 1), icon);
        }
        CString shown;
        CString hint;
        {
            std::lock_guard lock(m_editLock);
            shown = m_password ? CString(m_text.size(), PasswordGlyph()) : m_text;
            hint = m_hint;
        }
        CRect t = text;
        t.OffsetRect(-r.left, -r.top);
        TextFormat f;
        f.hAlign = m_hAlign;
        f.vAlign = m_multiLine ? DT_TOP : DT_VCENTER;
        f.wordWrap = m_multiLine != 0;
        if (shown.empty()) {
            g.DrawString(hint, t, MakeFont(), kHintColor, f);
        } else {
            g.DrawString(shown, t, MakeFont(), IsEnabled() ? GetTextColor() : 0xFF808080, f);
        }
    }
    EndCachedDraw(hdc);
    if (m_editShowing && hdc != nullptr) {
        Graphics g(hdc);
        if (m_editBack != 0xFFFFFFFF) {
            g.FillRect(text, FromBgr(m_editBack));
        } else {
            // No edit background: the picture beneath the text shows through.
            hdc->CopyFrom(*GetMemDC(),
                          CRect(text.left - r.left, text.top - r.top, text.right - r.left,
                                text.bottom - r.top),
                          text.left, text.top);
            g.FillRect(text, 0x00000000);
        }
        std::lock_guard lock(m_editLock);
        if (m_edit) {
            m_edit->Draw(g, text, MakeFont(), GetTextColor(), kSelection, m_caretOn != 0);
        }
    }
}

// ---- NumberEdit ----

NumberEdit::NumberEdit(MObject* parent, unsigned id, CRect rect, int visible, int enabled,
                       int limit)
    : MPanel(parent, id, rect, visible, enabled, 1) {
    m_edit = new MEdit(this, id, rect, L"", 1, enabled);
    m_edit->SetNumberOnly(1);
    m_edit->SetLimitText(limit);
    m_edit->SetAlignment(1);
    AppendChild(m_edit, 1);
}

void NumberEdit::SetEditFont(const wchar_t* name, int size, int style) {
    m_edit->SetFont(name, size, style);
}
void NumberEdit::SetEditText(const wchar_t* text) {
    m_edit->SetEditText(text);
}
CString NumberEdit::GetEditText() const {
    return m_edit->GetEditText();
}
void NumberEdit::SetTextRect(CRect rect) {
    m_edit->SetTextRect(rect);
}
void NumberEdit::SetEditBKColor(DWORD color) {
    m_edit->SetEditBKColor(color);
}

void NumberEdit::SetControlRect(CRect rect) {
    MPanel::SetControlRect(rect);
    if (m_edit != nullptr) {
        m_edit->SetControlRect(rect);
    }
}

NumberEdit2::NumberEdit2(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : NumberEdit(parent, id, rect, visible, enabled, 2) {}

// ---- MRichEdit ----

MRichEdit::MRichEdit(MObject* parent, unsigned id, CRect rect, const wchar_t* text, int visible,
                     int enabled)
    : MControlFont(parent, id, rect, L"", visible, enabled, 1) {
    m_tabStop = 1;
    m_editor.SetText(text != nullptr ? text : L"");
    m_editor.onChange = [this] {
        Invalidate();
        OnTextChanged();
    };
}

MRichEdit::~MRichEdit() {
    if (PaintManager* manager = GetManager()) {
        manager->KillTimer(this);
    }
}

void MRichEdit::Invalidate() {
    const RECT r = GetRect();
    InvalidateRect(&r, 0);
}

Font MRichEdit::EditFont() {
    Font font = MakeFont();
    if (m_zoomNum > 0 && m_zoomDen > 0) {
        font.size = font.size * static_cast<float>(m_zoomNum) / static_cast<float>(m_zoomDen);
    }
    return font;
}

void MRichEdit::SetText(const wchar_t* text) {
    {
        std::lock_guard lock(m_lock);
        m_editor.SetText(text != nullptr ? text : L"");
    }
    Invalidate();
}

CString MRichEdit::GetText() const {
    std::lock_guard lock(m_lock);
    return m_editor.GetText();
}

int MRichEdit::GetTextLength() const {
    return static_cast<int>(GetText().size());
}

void MRichEdit::SetSel(int start, int end) {
    std::lock_guard lock(m_lock);
    m_editor.SetSel(start, end);
    Invalidate();
}

void MRichEdit::GetSel(int& start, int& end) const {
    std::lock_guard lock(m_lock);
    start = m_editor.GetSelStart();
    end = m_editor.GetSelEnd();
}

CString MRichEdit::GetSelText() const {
    std::lock_guard lock(m_lock);
    return m_editor.GetSelText();
}

void MRichEdit::ReplaceSel(const wchar_t* text) {
    std::lock_guard lock(m_lock);
    m_editor.ReplaceSelection(text != nullptr ? text : L"");
}

int MRichEdit::Undo() {
    std::lock_guard lock(m_lock);
    return m_editor.Undo() ? 1 : 0;
}
int MRichEdit::Redo() {
    std::lock_guard lock(m_lock);
    return m_editor.Redo() ? 1 : 0;
}
int MRichEdit::CanUndo() const {
    std::lock_guard lock(m_lock);
    return m_editor.CanUndo() ? 1 : 0;
}
int MRichEdit::Copy() {
    std::lock_guard lock(m_lock);
    return m_editor.Copy() ? 1 : 0;
}
int MRichEdit::Cut() {
    std::lock_guard lock(m_lock);
    return m_editor.Cut() ? 1 : 0;
}
int MRichEdit::Paste() {
    std::lock_guard lock(m_lock);
    return m_editor.Paste() ? 1 : 0;
}
void MRichEdit::SetReadOnly(int readOnly) {
    std::lock_guard lock(m_lock);
    m_editor.SetReadOnly(readOnly != 0);
}
int MRichEdit::IsReadOnly() const {
    std::lock_guard lock(m_lock);
    return m_editor.IsReadOnly() ? 1 : 0;
}
void MRichEdit::SetLimitText(int limit) {
    std::lock_guard lock(m_lock);
    m_editor.SetLimitText(limit > 0 ? limit : 0x7FFFFFFE);
}
void MRichEdit::SetPasswordChar(wchar_t ch) {
    std::lock_guard lock(m_lock);
    m_editor.SetPasswordChar(ch);
    m_editor.SetPassword(ch != 0);
    Invalidate();
}
void MRichEdit::EnablePassword(int enable) {
    std::lock_guard lock(m_lock);
    m_editor.SetPassword(enable != 0);
    Invalidate();
}
void MRichEdit::SetMultiLine(int enable) {
    std::lock_guard lock(m_lock);
    m_editor.SetMultiLine(enable != 0);
}
void MRichEdit::SetNumberOnly(int enable) {
    std::lock_guard lock(m_lock);
    m_editor.SetNumberOnly(enable != 0);
}

int MRichEdit::SetZoom(int numerator, int denominator) {
    if ((numerator == 0) != (denominator == 0) || numerator < 0 || denominator < 0 ||
        (denominator > 0 && (numerator * 64 < denominator || numerator > denominator * 64))) {
        return 0;
    }
    m_zoomNum = numerator;
    m_zoomDen = denominator;
    Invalidate();
    return 1;
}

void MRichEdit::LineScroll(int lines) {
    const CString text = GetText();
    const int count = 1 + static_cast<int>(std::count(text.begin(), text.end(), L'\n'));
    m_firstLine = std::clamp(m_firstLine + lines, 0, count - 1);
    Invalidate();
}

void MRichEdit::SetBackColor(DWORD argb) {
    m_back = argb;
    Invalidate();
}

void MRichEdit::SetTipInfo(const wchar_t* hint) {
    std::lock_guard lock(m_lock);
    m_hint = hint != nullptr ? hint : L"";
    Invalidate();
}

CRect MRichEdit::EditRect() const {
    CRect r = GetRect();
    r.DeflateRect(6, 3);
    return r;
}

int MRichEdit::SetControlFocus(int focus) {
    if (!focus && m_editing.exchange(0)) {
        if (PaintManager* manager = GetManager()) {
            manager->KillTimer(this, MEdit::kCaretTimer);
        }
        m_focused = 0;
        Invalidate();
    }
    return MControlFont::SetControlFocus(focus);
}

int MRichEdit::OnControlLButtonDown(unsigned, CPoint point) {
    if (!IsEnabled() || !GetRect().PtInRect(point)) {
        return 0;
    }
    if (!m_editing.exchange(1)) {
        m_focused = 1;
        if (PaintManager* manager = GetManager()) {
            manager->SetTimer(this, MEdit::kCaretTimer, MEdit::kCaretMs);
        }
    }
    {
        std::lock_guard lock(m_lock);
        CRect rect = EditRect();
        const int lineHeight = MeasureString(L"Ag", EditFont(), 0, false).cy;
        rect.OffsetRect(0, -m_firstLine * lineHeight);
        const int at = m_editor.HitTest(rect, EditFont(), point);
        m_editor.SetSel(at, at);
    }
    m_selecting = 1;
    m_caretOn = 1;
    Invalidate();
    SendMessageW(1, 0, 0);
    return 1;
}

int MRichEdit::OnControlMouseMove(unsigned, CPoint point) {
    const bool inside = GetRect().PtInRect(point);
    if (m_selecting && m_editing) {
        std::lock_guard lock(m_lock);
        CRect rect = EditRect();
        const int lineHeight = MeasureString(L"Ag", EditFont(), 0, false).cy;
        rect.OffsetRect(0, -m_firstLine * lineHeight);
        const int at = m_editor.HitTest(rect, EditFont(), point);
        const int anchor = m_editor.GetCaret() == m_editor.GetSelEnd() ? m_editor.GetSelStart()
                                                                       : m_editor.GetSelEnd();
        m_editor.SetSel(anchor, at);
        Invalidate();
    }
    return inside ? 1 : 0;
}

int MRichEdit::OnControlLButtonUp(unsigned, CPoint point) {
    m_selecting = 0;
    return GetRect().PtInRect(point) ? 1 : 0;
}

int MRichEdit::OnControlScroll(int, unsigned direction, CPoint) {
    LineScroll(direction == 1 ? 1 : -1);
    return 1;
}

int MRichEdit::OnControlTimer() {
    if (!m_editing) {
        return 0;
    }
    m_caretOn = m_caretOn ? 0 : 1;
    Invalidate();
    return 1;
}

long MRichEdit::OnWindowMessage(unsigned msg, unsigned wParam, long) {
    if (!m_editing) {
        return 0;
    }
    switch (msg) {
        case WM_KEYDOWN: {
            if (wParam == VK_ESCAPE) {
                SetControlFocus(0);
                return 1;
            }
            std::lock_guard lock(m_lock);
            m_editor.OnKeyDown(wParam, KeyHeld(VK_SHIFT), KeyHeld(VK_CONTROL));
            m_caretOn = 1;
            Invalidate();
            return 1;
        }
        case WM_CHAR: {
            std::lock_guard lock(m_lock);
            m_editor.OnChar(static_cast<wchar_t>(wParam));
            m_caretOn = 1;
            Invalidate();
            return 1;
        }
        case WM_KEYUP:
            return 1;
        case WM_NCACTIVATE:
            if (wParam == 0) {
                SetControlFocus(0);
            }
            return 0;
        default:
            return 0;
    }
}

void MRichEdit::DrawControl(HDC& hdc, CRect) {
    if (hdc == nullptr) {
        return;
    }
    const CRect r = GetRect();
    Graphics g(hdc);
    g.FillRect(r, m_back);
    const CRect edit = EditRect();
    std::lock_guard lock(m_lock);
    const Font font = EditFont();
    if (m_editor.GetText().empty() && !m_editing) {
        TextFormat f;
        f.vAlign = m_editor.IsMultiLine() ? DT_TOP : DT_VCENTER;
        g.DrawString(m_hint, edit, font, kHintColor, f);
        return;
    }
    CRect shifted = edit;
    if (m_editor.IsMultiLine()) {
        shifted.OffsetRect(0, -m_firstLine * MeasureString(L"Ag", font, 0, false).cy);
        g.SetClip(edit);
    }
    m_editor.Draw(g, shifted, font, GetTextColor(), kSelection, m_editing && m_caretOn);
    g.ResetClip();
}

void MEditEx::DrawControl(HDC& hdc, CRect paint) {
    MRichEdit::DrawControl(hdc, paint);
    if (hdc == nullptr) {
        return;
    }
    Graphics g(hdc);
    const CRect r = GetRect();
    g.DrawRect(CRect(r.left, r.top, r.right - 1, r.bottom - 1),
               m_editing ? Manager::GetSelectColor().argb : 0xFF4A4D52, 1);
}

CLogonEdit::CLogonEdit(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MRichEdit(parent, id, rect, L"", visible, enabled) {
    m_editor.SetLimitText(64);
}

// ---- CSpinButton ----

CSpinButton::CSpinButton(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MRichEdit(parent, id, rect, L"0", visible, enabled) {
    m_editor.SetNumberOnly(true);
    m_editor.SetLimitText(6);
}

CRect CSpinButton::EditRect() const {
    CRect r = MRichEdit::EditRect();
    r.right -= 16;
    return r;
}

CRect CSpinButton::UpRect() const {
    const CRect r = GetRect();
    return CRect(r.right - 18, r.top, r.right, r.top + r.Height() / 2);
}

CRect CSpinButton::DownRect() const {
    const CRect r = GetRect();
    return CRect(r.right - 18, r.top + r.Height() / 2, r.right, r.bottom);
}

int CSpinButton::SetCurValue(int value) {
    value = std::clamp(value, m_min.load(), m_max.load());
    const int before = m_value.exchange(value);
    {
        std::lock_guard lock(m_lock);
        m_editor.SetText(std::to_wstring(value));
    }
    Invalidate();
    if (before != value) {
        SendMessageW(28, 0, 0);
    }
    return value;
}

void CSpinButton::SetRange(int low, int high) {
    if (low > high) {
        std::swap(low, high);
    }
    m_min = low;
    m_max = high;
    SetCurValue(m_value);
}

void CSpinButton::Commit() {
    const CString text = GetText();
    SetCurValue(text.empty() ? m_min.load() : WToI(text.c_str()));
}

int CSpinButton::SetControlFocus(int focus) {
    if (!focus && m_editing) {
        MRichEdit::SetControlFocus(0);
        Commit();
        return 0;
    }
    return MRichEdit::SetControlFocus(focus);
}

int CSpinButton::OnControlLButtonDown(unsigned flags, CPoint point) {
    if (!IsEnabled()) {
        return 0;
    }
    if (UpRect().PtInRect(point)) {
        SetCurValue(m_value + 1);
        return 1;
    }
    if (DownRect().PtInRect(point)) {
        SetCurValue(m_value - 1);
        return 1;
    }
    return MRichEdit::OnControlLButtonDown(flags, point);
}

int CSpinButton::OnControlScroll(int, unsigned direction, CPoint) {
    if (!IsEnabled()) {
        return 0;
    }
    SetCurValue(m_value + (direction == 1 ? -1 : 1));
    return 1;
}

void CSpinButton::DrawControl(HDC& hdc, CRect paint) {
    MRichEdit::DrawControl(hdc, paint);
    if (hdc == nullptr) {
        return;
    }
    Graphics g(hdc);
    const CRect up = UpRect();
    const CRect down = DownRect();
    g.FillRect(up, 0xFF2E3136);
    g.FillRect(down, 0xFF2A2D31);
    const float cx = static_cast<float>(up.left + up.right) / 2;
    g.DrawLine(cx - 4, static_cast<float>(up.bottom - 4), cx, static_cast<float>(up.top + 3),
               0xFFC8C8C8, 1.5f);
    g.DrawLine(cx, static_cast<float>(up.top + 3), cx + 4, static_cast<float>(up.bottom - 4),
               0xFFC8C8C8, 1.5f);
    g.DrawLine(cx - 4, static_cast<float>(down.top + 4), cx, static_cast<float>(down.bottom - 3),
               0xFFC8C8C8, 1.5f);
    g.DrawLine(cx, static_cast<float>(down.bottom - 3), cx + 4, static_cast<float>(down.top + 4),
               0xFFC8C8C8, 1.5f);
}

}  // namespace DUI

namespace {
constexpr unsigned kBoth = DUI::kWindowFactory | DUI::kContainerFactory;
}  // namespace

TESSEL_REGISTER_CONTROL(MEdit, L"MEdit", kBoth, new DUI::MEdit(p, id, r, t, v, e))
TESSEL_REGISTER_CONTROL(MRichEdit, L"MRichEdit", kBoth, new DUI::MRichEdit(p, id, r, t, v, e))
TESSEL_REGISTER_CONTROL(MEditEx, L"MEditEx", kBoth, new DUI::MEditEx(p, id, r, t, v, e))
TESSEL_REGISTER_CONTROL(CSpinButton, L"CSpinButton", kBoth, new DUI::CSpinButton(p, id, r, v, e))
TESSEL_REGISTER_CONTROL(NumberEdit, L"NumberEdit", DUI::kContainerFactory,
                        new DUI::NumberEdit(p, id, r, v))
TESSEL_REGISTER_CONTROL(NumberEdit2, L"NumberEdit2", DUI::kContainerFactory,
                        new DUI::NumberEdit2(p, id, r, v))
