#pragma once
// The DPI page's controls: the row of level cards with their in-place number editor, the DPI
// slider that works in whole positions, and the row of report-rate buttons. The device worker
// sets values and selections while the window paints, so item lists sit behind each control's
// own lock.

#include <memory>
#include <mutex>
#include <vector>

#include "tessel/controls/medit.h"
#include "tessel/controls/strip.h"
#include "tessel/core/mpanel.h"

namespace DUI {

// The number editor laid over a DPI card while its value is typed.
class ValueEditWnd2 : public MEdit {
  public:
    ValueEditWnd2(MObject* parent, unsigned id, CRect rect);
};

class DPIControl : public MPanel {
  public:
    static constexpr int kCardWidth = 110;
    static constexpr int kBandHeight = 45;
    static constexpr unsigned kEditId = 0xFFFF0102;

    DPIControl(MObject* parent, unsigned id, CRect rect, int visible, int enabled = 1);

    // colour is 0x00BBGGRR. Returns the new item's index.
    int AddItem(int value, int colour);
    void ClearList();
    void SetDPIValue(int index, int value);
    void SetDPIColorValue(int index, int colour);
    // 50 below the list and 26000 past its end: the sensor's limits, so callers clamping with it
    // get a sane bound.
    int GetDPIValue(int index) const;
    int GetDPIColorValue(int index) const;
    void SetSelectItem(int index);
    int GetSelectItem() const { return m_selected; }
    int GetItemCount() const;
    int GetColorItem() const { return m_colorItem; }
    void SetColorItem(int index) { m_colorItem = index; }

    void ShowEdit();
    // Commits a changed number into the edited card, then hides the editor.
    void HideEdit();
    int IsEditing() const { return m_editing; }
    void SetEditText(const wchar_t* text);
    CString GetEditText() const;
    // The editor's colours: background 0x00BBGGRR, text ARGB.
    void SetEditWindow(DWORD background, DWORD text);
    Font GetDefaultFont() const;
    DWORD GetEditBKColor() const { return m_editBack; }
    DWORD GetEditTextColor() const { return m_editText; }
    // The caption of a card: "DPI n" with n counted from 1.
    CString GetTitleEx(int index) const;
    DWORD GetSelectionColor() const { return m_selectColor; }
    // In window coordinates; empty outside the list.
    CRect GetCardRect(int index) const;
    CRect GetValueRect(int index) const;
    ValueEditWnd2* GetEditWindow() const { return m_edit; }

    void DrawControl(HDC& hdc, CRect paint) override;
    int OnControlMouseMove(unsigned flags, CPoint point) override;
    int OnControlLButtonDown(unsigned flags, CPoint point) override;
    int OnControlLButtonUp(unsigned flags, CPoint point) override;
    long OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) override;

  private:
    struct Item {
        int value = 0;
        int colour = 0;
    };
    int CardAt(CPoint point) const;

    mutable std::recursive_mutex m_itemLock;
    std::vector<Item> m_items;
    std::atomic<int> m_hover{-1};
    std::atomic<int> m_selected{0};
    std::atomic<int> m_pressed{-1};
    std::atomic<int> m_colorItem{-1};
    std::atomic<int> m_editing{0};
    std::atomic<int> m_editIndex{-1};
    std::atomic<DWORD> m_selectColor;  // 0x00BBGGRR, like the items
    std::atomic<DWORD> m_editBack{0x141C23};
    std::atomic<DWORD> m_editText{0xFFFFFFFF};
    std::atomic<ValueEditWnd2*> m_edit{nullptr};
};

class DPISlider : public MControlFont {
  public:
    static constexpr unsigned kDragTimer = 1;
    static constexpr int kDragPollMs = 60;

    DPISlider(MObject* parent, unsigned id, CRect rect, int visible, int enabled);
    ~DPISlider() override;

    // Returns the offset now held (see the rule in the .cpp).
    int SetProgress(int position);
    int GetProgress() const { return m_offset; }
    void SetMinProgress(int minimum);
    int GetMinProgress() const { return m_min; }
    // The largest offset above the minimum.
    void SetMaxProgress(int maximumOffset);
    int GetMaxProgress() const { return m_maxOffset; }
    void SetScale(int scale) { m_scale = scale; }
    int GetScale() const { return m_scale; }
    void SetScaleValue(float scale);
    // The thumb: an image strip with one frame per state (normal, hover, dragged, disabled).
    int SetImage(const wchar_t* file, int count);
    int SetBkgImage(const wchar_t* file);
    void SetDPIDesc(const wchar_t* maximumLabel, const wchar_t* minimumLabel);
    int MoveThumbPos(CPoint point);
    CRect GetThumbRect() const;
    int GetState() const { return m_state; }

    void DrawControl(HDC& hdc, CRect paint) override;
    int OnControlMouseMove(unsigned flags, CPoint point) override;
    int OnControlLButtonDown(unsigned flags, CPoint point) override;
    int OnControlLButtonUp(unsigned flags, CPoint point) override;
    int OnControlTimer() override;

  private:
    CSize ThumbSize() const;
    // The track the thumb's centre runs along, in window coordinates.
    void Track(int& left, int& width) const;

    mutable std::mutex m_imageLock;
    ImageStrip m_thumb;
    ImageStrip m_background;
    CString m_maxLabel;
    CString m_minLabel;
    std::atomic<int> m_min{0};
    std::atomic<int> m_maxOffset{0};
    std::atomic<int> m_offset{0};
    std::atomic<int> m_scale{1};
    std::atomic<float> m_scaleValue{1.0f};
    std::atomic<int> m_state{0};
    std::atomic<int> m_timerOn{0};
    std::atomic<long long> m_lastMoveMs{0};
};

class ReporteCtrl : public MControlFont {
  public:
    static constexpr int kPitch = 120;
    static constexpr int kFirstX = 11;
    static constexpr int kItemWidth = 100;

    ReporteCtrl(MObject* parent, unsigned id, CRect rect, int visible, int enabled = 1);

    int AddItem(const wchar_t* text, int value, int colour);
    void DeleteAllItems();
    void SetItemText(int index, const wchar_t* text);
    void SetSelectItem(int index);
    void SetSelectItemValue(int value);
    int GetSelectItem() const { return m_selected; }
    int GetItemCount() const;
    int GetItemKeyValue(int index) const;
    CString GetItemKeyName(int index) const;
    void SetFillColor(DWORD argb);
    // Window coordinates; empty outside the list.
    CRect GetItemRect(int index) const;

    void DrawControl(HDC& hdc, CRect paint) override;
    int OnControlMouseMove(unsigned flags, CPoint point) override;
    int OnControlLButtonDown(unsigned flags, CPoint point) override;
    int OnControlLButtonUp(unsigned flags, CPoint point) override;

  private:
    struct Item {
        CString text;
        int value = 0;
        int colour = 0;
    };
    int ItemAt(CPoint point) const;

    mutable std::recursive_mutex m_itemLock;
    std::vector<Item> m_items;
    std::atomic<int> m_hover{-1};
    std::atomic<int> m_selected{-1};
    std::atomic<DWORD> m_fillColor{0xFF231C14};
};

}  // namespace DUI
