#pragma once
// The list box (a container whose rows it draws itself, scrolled by its own bar, with an inline
// edit for renaming rows) and the tab control with its pages.

#include <mutex>
#include <vector>

#include "tessel/controls/medit.h"
#include "tessel/controls/strip.h"
#include "tessel/core/mimagelist.h"
#include "tessel/core/mpanel.h"

namespace DUI {

class MListBox : public MPanel {
  public:
    struct Item {
        CString text;
        long data = 0;
        int image = -1;
    };

    MListBox(MObject* parent, unsigned id, CRect rect, int visible, int enabled = 1);

    int AddString(const wchar_t* text, int image = -1);
    int AddString(const wchar_t* text, long data, int image);
    int InsertString(int index, const wchar_t* text, long data = 0, int image = -1);
    int SetItemData(int index, long data);
    long GetItemData(int index) const;
    int ModifyItemString(int index, const wchar_t* text);
    int FindString(const wchar_t* text) const;
    int FindItemData(long data) const;
    int GetItemCount() const;
    int SetCurSel(int index);
    int GetCurSel() const { return m_selected; }
    int SetCurData(long data);
    void SetItemHeight(int height);
    int GetItemHeight() const { return m_itemHeight; }
    int DeleteItem(int index);
    void DeleteAllItems();
    // In window coordinates, before scrolling.
    CRect GetItemRect(int index) const;
    CString GetItemText(int index) const;
    void SetImageList(MImageList* images);
    int SwapItem(int a, int b);
    void EnableShowEdit(int enable) { m_editEnabled = enable; }
    // Opens the inline edit over a row.
    int ShowEdit(int index);
    void HideEdit();
    int GetEditItem() const { return m_editItem; }
    MEdit* GetEdit() const { return m_edit; }

    void DrawControl(HDC& hdc, CRect paint) override;
    int OnControlMouseMove(unsigned flags, CPoint point) override;
    int OnControlLButtonDown(unsigned flags, CPoint point) override;
    int OnControlLButtonDblClk(unsigned flags, CPoint point) override;
    int OnControlRButtonUp(unsigned flags, CPoint point) override;
    long OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) override;
    void SetControlRect(CRect rect) override;

  private:
    int RowAt(CPoint contentPoint) const;
    void Relayout();
    static constexpr unsigned kEditId = 0xFFFF0001;

    mutable std::recursive_mutex m_itemLock;
    std::vector<Item> m_items;
    std::atomic<int> m_selected{-1};
    std::atomic<int> m_hover{-1};
    std::atomic<int> m_itemHeight{30};
    MImageList* m_images = nullptr;
    std::atomic<int> m_editEnabled{0};
    std::atomic<int> m_editItem{-1};
    MEdit* m_edit = nullptr;
};

enum TAB_TYPE { TAB_HORIZONTAL = 0, TAB_VERTICAL = 1 };

struct TabItemInfo {
    int visible = 1;
    std::shared_ptr<Image> image;
    int frameWidth = 0;
    int frameHeight = 0;
    int frameCount = 3;
    CRect button;
    CString text;
    unsigned id = 0;
    MControl* page = nullptr;
};

// A page of a tab control.
class MTabLayout : public MPanel {
  public:
    MTabLayout(MObject* parent, unsigned id, CRect rect, int visible, int enabled = 1)
        : MPanel(parent, id, rect, visible, enabled, 1) {}
};

class MTabCtrl : public MPanel {
  public:
    MTabCtrl(MObject* parent, unsigned id, CRect rect, int visible, int enabled);

    int InsertItem(unsigned id, const wchar_t* text, const wchar_t* imageFile, MControl* page,
                   int frameCount = -1, int width = 0);
    int InsertItem(int index, TabItemInfo& info);
    int DeleteItem(int index);
    int GetItemCount() const;
    int GetItemInfo(int index, TabItemInfo& info) const;
    // Sends 1 with the new index and shows its page; nothing when already selected.
    int SetSelectItem(int index);
    int GetSelectItem() const { return m_selected; }
    unsigned GetItemID(int index) const;
    int SetItemText(int index, const wchar_t* text);
    int SetItemVisible(int index, int visible);
    int GetItemVisible(int index) const;
    void SetItemWidth(int width);
    void SetItemHeight(int height);
    void SetTabCtrlWidth(int width);
    void SetTabCtrlHeight(int height);
    int GetCtrlWidth() const { return m_tabWidth; }
    int GetCtrlHeight() const { return m_tabHeight; }
    void SetLeftRightPading(int left, int right);
    void SetTopBottomPading(int top, int bottom);
    void SetTabCtrlVisible(int visible);
    void SetTabType(TAB_TYPE type);
    void EnableAnimateChangeTab(int enable) { m_animate = enable; }
    void SetUpdataRect(CRect rect) { m_updateRect = rect; }
    void SetAirBladderInfo(int index, const wchar_t* text);
    void SetTabTooltip(int index, const wchar_t* text);
    void ClearTabTooltip();
    void RefreshItems();
    void RefreshItemData();
    // The tab button under the point, or -1.
    int PtInTabButton(CPoint point) const;
    // Makes an MTabLayout page inside the control; any other class gives null.
    MControl* CreatePanel(const wchar_t* className, unsigned id, CRect rect);
    int GetPreviousSelect() const { return m_previous; }

    void DrawControl(HDC& hdc, CRect paint) override;
    int OnControlMouseMove(unsigned flags, CPoint point) override;
    int OnControlLButtonDown(unsigned flags, CPoint point) override;

  private:
    mutable std::recursive_mutex m_itemLock;
    std::vector<TabItemInfo> m_items;
    std::vector<CString> m_tooltips;
    std::atomic<int> m_selected{-1};
    std::atomic<int> m_previous{-1};
    std::atomic<int> m_hover{-1};
    std::atomic<int> m_tabWidth{70};
    std::atomic<int> m_tabHeight{0};
    int m_padLeft = 0;
    int m_padRight = 0;
    int m_padTop = 0;
    int m_padBottom = 0;
    std::atomic<int> m_type{TAB_HORIZONTAL};
    std::atomic<int> m_animate{0};
    std::atomic<int> m_barVisible{1};
    CRect m_updateRect;
};

}  // namespace DUI
