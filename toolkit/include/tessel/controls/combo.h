#pragma once
// Drop-down choices: the combo box with its "ComboWnd" list, the radio-style combo toggle and
// the colour combo.

#include <mutex>
#include <vector>

#include "tessel/controls/buttons.h"
#include "tessel/controls/popup.h"
#include "tessel/controls/strip.h"

namespace DUI {

struct ComboItem {
    CString text;
    long data = 0;
    CString icon;
    DWORD color = 0;  // 0: the combo's text colour
};

// The list inside the drop-down: rows of 30 pixels, hover, wheel scrolling; a release over a
// row sends 2 with the row and lParam 19.
class CComboBoxList : public MControlFont {
  public:
    static constexpr int kRowHeight = 30;
    static constexpr int kMargin = 6;

    CComboBoxList(MObject* parent, unsigned id, CRect rect, int visible, int enabled);
    void SetItems(std::vector<ComboItem> items);
    int GetItemCount() const;
    void SetCurSel(int index) { m_selected = index; }
    int GetHoverItem() const { return m_hover; }
    int GetTopItem() const { return m_top; }
    void SetBackImage(const wchar_t* file, int count);
    // The row under a point, or -1.
    int RowAt(CPoint point) const;

    void DrawControl(HDC& hdc, CRect paint) override;
    int OnControlMouseMove(unsigned flags, CPoint point) override;
    int OnControlLButtonDown(unsigned flags, CPoint point) override;
    int OnControlLButtonUp(unsigned flags, CPoint point) override;
    int OnControlScroll(int kind, unsigned direction, CPoint point) override;

  private:
    int VisibleRows() const;
    mutable std::recursive_mutex m_lock;
    std::vector<ComboItem> m_items;
    std::atomic<int> m_hover{-1};
    std::atomic<int> m_selected{-1};
    std::atomic<int> m_top{0};
    std::atomic<int> m_pressing{0};
};

class MComboBox : public MControlFont {
  public:
    static constexpr int kMaxRows = 8;

    MComboBox(MObject* parent, unsigned id, CRect rect, int visible, int enabled);
    ~MComboBox() override;

    int AddItem(const wchar_t* text, long data = 0, const wchar_t* icon = nullptr,
                Color color = Color(0u));
    int InsertItem(int index, const wchar_t* text, long data = 0, const wchar_t* icon = nullptr,
                   Color color = Color(0u));
    int SetItemData(int index, long data);
    long GetItemData(int index) const;
    int SetItemText(int index, const wchar_t* text);
    CString GetItemText(int index) const;
    int SetCurSel(int index);
    int GetCurSel() const { return m_selected; }
    long GetCurData() const;
    int FindData(long data) const;
    int SelectData(long data);
    int DeleteItem(int index);
    void DelAllItems();
    int GetItemCount() const;
    void SetTextRect(CRect rect);
    int SetBackImage(const wchar_t* file, int count = 4);
    int SetBackImage(unsigned id, CString type, int count = 4);
    void SetShowModeMID(int left, int top, int right, int bottom);
    void SetTextColorEx(Color normal, Color hover, Color disabled);
    void SetScrollResID(unsigned vertical, unsigned horizontal);

    // The drop-down: opens under the combo (ignored while open); null when closed.
    int OpenList();
    void CloseList();
    MPopupWnd* GetDropWindow() const { return m_drop; }
    // The list's height for the current items.
    int ListHeight() const;

    void DrawControl(HDC& hdc, CRect paint) override;
    int OnControlMouseMove(unsigned flags, CPoint point) override;
    int OnControlLButtonDown(unsigned flags, CPoint point) override;
    int OnControlLButtonUp(unsigned flags, CPoint point) override;
    int OnControlScroll(int kind, unsigned direction, CPoint point) override;
    void SetControlEnabled(int enabled) override;
    // A row was chosen in the list.
    virtual void OnListChoice(int row);

  protected:
    virtual void RenderFace(Graphics& g, const CRect& local, int state);

    mutable std::recursive_mutex m_itemLock;
    std::vector<ComboItem> m_items;
    std::atomic<int> m_selected{-1};
    std::atomic<int> m_state{0};
    ImageStrip m_back;
    CRect m_mid{4, 4, 35, 4};
    CRect m_textRect;
    DWORD m_colors[3] = {0xFFFFFFFF, 0xFFFFFFFF, 0xFF808080};
    unsigned m_scrollV = 102;
    unsigned m_scrollH = 101;
    MPopupWnd* m_drop = nullptr;
};

// A combo-like toggle that belongs to a radio group: the face checks it, the arrow opens it.
class MComboBox2 : public MComboBox, public RadioMember {
  public:
    MComboBox2(MObject* parent, unsigned id, CRect rect, int visible, int enabled);
    const wchar_t* GetClassNameW() const override { return L"MComboBox2"; }
    void SetGroupName(const wchar_t* name);
    CString GetGroupName() const override;
    void SetControlCheck(int check) override;
    int SetCheck(int check);
    int GetCheck() const { return m_check; }
    int OnControlLButtonUp(unsigned flags, CPoint point) override;
    void OnListChoice(int row) override;

  protected:
    void RenderFace(Graphics& g, const CRect& local, int state) override;
    mutable std::mutex m_groupLock;
    CString m_group;
    std::atomic<int> m_check{0};
};

// A colour swatch with an open/closed arrow; press and release send 1 and 2.
class CColorCombo : public MControlFont {
  public:
    CColorCombo(MObject* parent, unsigned id, CRect rect, int visible, int enabled);
    void SetAreaColor(Color color);
    DWORD GetAreaColor() const { return m_color; }
    void SetIsOpen(int open);
    int GetIsOpen() const { return m_open; }
    void DrawControl(HDC& hdc, CRect paint) override;
    int OnControlLButtonDown(unsigned flags, CPoint point) override;
    int OnControlLButtonUp(unsigned flags, CPoint point) override;

  private:
    ImageStrip m_arrow;
    std::atomic<DWORD> m_color{0xFFFF0000};
    std::atomic<int> m_open{0};
    std::atomic<int> m_pressing{0};
};

}  // namespace DUI
