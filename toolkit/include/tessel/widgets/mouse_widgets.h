#pragma once
// The key page's two views of the mouse's buttons: call-outs over the mouse picture (MouseCtrl)
// and a list pairing each button's name with its function (MouseKeyCtrl). Neither knows what a
// function is: they hold texts and a key value per item and report clicks with the item index.

#include <memory>
#include <mutex>
#include <vector>

#include "tessel/controls/strip.h"
#include "tessel/core/mpanel.h"

namespace DUI {

class MouseKeyCtrl : public MPanel {
  public:
    static constexpr int kRowHeight = 30;
    static constexpr int kRowGap = 10;

    MouseKeyCtrl(MObject* parent, unsigned id, CRect rect, int visible, int enabled = 1);
    ~MouseKeyCtrl() override;

    int AddItem(CString name, CString description, int keyValue);
    int DeleteAllItems();
    void SetSelectItem(int index);
    int GetSelectItem() const { return m_selected; }
    int GetHoverItem() const { return m_hover; }
    int GetItemCount() const;
    int GetItemKeyValue(int index) const;
    CString GetItemKeyName(int index) const;
    CString GetItemKeyDesc(int index) const;
    // Replaces the description of the first item carrying keyValue; 1 whether or not one did.
    int SetItemKeyDesc(int keyValue, CString description);
    void SetItemText(int index, CString name);
    void SetScaleValue(float scale);
    // Relative to the control's top-left corner, as the last paint laid it out.
    CRect GetItemRect(int index) const;

    void DrawControl(HDC& hdc, CRect paint) override;
    int OnControlMouseMove(unsigned flags, CPoint point) override;
    int OnControlLButtonDown(unsigned flags, CPoint point) override;
    int OnControlLButtonUp(unsigned flags, CPoint point) override;
    void SetControlRect(CRect rect) override;

  private:
    struct Item {
        CString name;
        CString description;
        int keyValue = 0;
        CRect row;
    };
    void LayoutRows();
    void Repaint();

    mutable std::recursive_mutex m_itemLock;
    std::vector<std::unique_ptr<Item>> m_items;
    std::atomic<int> m_hover{-1};
    std::atomic<int> m_selected{-1};
    std::atomic<float> m_scale{1.0f};
};

class MouseCtrl : public MPanel {
  public:
    MouseCtrl(MObject* parent, unsigned id, CRect rect, int visible, int enabled = 1);
    ~MouseCtrl() override;

    // first and second are the ends of the call-out line in unscaled picture coordinates.
    int AddItem(CString text, int keyValue, int direction, CPoint first, CPoint second);
    int DeleteAllItems();
    void SetSelectItem(int index);
    int GetSelectItem() const { return m_selected; }
    int GetHoverItem() const { return m_hover; }
    int GetItemCount() const;
    int GetItemKeyValue(int index) const;
    CString GetItemText(int index) const;
    void SetItemText(int index, CString text);
    void SetScaleValue(float scale);
    // The mouse picture drawn beneath the call-outs (a file in the theme folder); optional.
    int SetMouseImage(const wchar_t* file);
    // Relative to the control's top-left corner.
    CRect GetLabelRect(int index) const;

    void DrawControl(HDC& hdc, CRect paint) override;
    int OnControlMouseMove(unsigned flags, CPoint point) override;
    int OnControlLButtonDown(unsigned flags, CPoint point) override;
    int OnControlLButtonUp(unsigned flags, CPoint point) override;
    void SetControlRect(CRect rect) override;

  private:
    struct Item {
        CString text;
        int keyValue = 0;
        int direction = 0;
        CPoint first;
        CPoint second;
        CRect label;
    };
    void LayoutLabels();
    void Repaint();

    mutable std::recursive_mutex m_itemLock;
    std::vector<std::unique_ptr<Item>> m_items;
    ImageStrip m_mouse;
    std::atomic<int> m_hover{-1};
    std::atomic<int> m_selected{-1};
    std::atomic<float> m_scale{1.0f};
};

}  // namespace DUI
