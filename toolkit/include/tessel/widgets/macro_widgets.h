#pragma once
// The macro editor's and profile dialog's lists: MacroList (the macro library, renamed in place),
// DListBox (the same model for plain choices) and CRecordList (a macro's steps, each with a kind,
// a value and a timestamp). All scroll vertically through the panel's bar and keep their items
// behind a lock that is held only while the vector is read or changed, never while drawing.

#include <memory>
#include <mutex>
#include <vector>

#include "tessel/controls/medit.h"
#include "tessel/controls/strip.h"
#include "tessel/core/mimagelist.h"
#include "tessel/core/mpanel.h"

namespace DUI {

// What MacroList and DListBox share; the two differ only in how the in-place edit opens and in
// MacroList's "more" button.
class TextItemList : public MPanel {
  public:
    static constexpr unsigned kEditId = 0xFFFF0103;

    TextItemList(MObject* parent, unsigned id, CRect rect, int visible, int enabled = 1);
    ~TextItemList() override;

    int AddString(const wchar_t* text, int data, int flag);
    int AddString(const wchar_t* text, int flag);
    // index -1 appends; any other index outside the list gives -1. Returns the last item's index.
    int InsertString(int index, const wchar_t* text, int flag, int data);
    int SetItemData(int index, int data);
    int GetItemData(int index) const;
    int GetItemFlag(int index) const;
    int ModifyItemString(int index, const wchar_t* text);
    int FindString(const wchar_t* text) const;
    int FindItemData(int data) const;
    int GetItemCount() const;
    int GetCurSel() const { return m_selected; }
    int SetCurSel(int index);
    int SetCurData(int data);
    int GetCurData() const;
    int DeleteItem(int index);
    void DeleteAllItems();
    // Window coordinates, before scrolling; empty outside the list.
    CRect GetItemRect(int index) const;
    CString GetItemText(int index) const;
    void SetItemHeight(int height);
    int GetItemHeight() const { return m_itemHeight; }
    void SetImageList(MImageList* images);
    int SetImage(const wchar_t* file, int count);
    int SetEditImage(const wchar_t* file);
    int SetMoreImage(const wchar_t* file);
    int SwapItem(int first, int second);
    void EnableShowEdit(bool enable) { m_editEnabled = enable ? 1 : 0; }
    void SetScaleValue(float scale);
    int GetHotItem() const { return m_hot; }
    // Opens the in-place edit over the selected item (when enabled); 1 when it opened.
    int ShowEdit();
    void HideEdit();
    int IsEditing() const { return m_editItem >= 0; }
    MEdit* GetEdit() const { return m_edit; }

    void DrawControl(HDC& hdc, CRect paint) override;
    int OnControlMouseMove(unsigned flags, CPoint point) override;
    int OnControlLButtonDown(unsigned flags, CPoint point) override;
    int OnControlLButtonUp(unsigned flags, CPoint point) override;
    int OnControlRButtonUp(unsigned flags, CPoint point) override;
    long OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) override;
    void SetControlRect(CRect rect) override;

  protected:
    struct Item {
        CString text;
        int data = 0;
        int flag = 0;
    };
    // The item under a point in content coordinates (scroll offset already added), or -1.
    int ItemAt(CPoint point) const;
    // The "more" button of a row (window coordinates, before scrolling).
    CRect MoreRect(int index) const;
    void Relayout();
    virtual bool HasMoreButton() const { return false; }

    mutable std::recursive_mutex m_itemLock;
    std::vector<std::unique_ptr<Item>> m_items;
    std::atomic<int> m_hot{-1};
    std::atomic<int> m_selected{-1};
    std::atomic<int> m_itemHeight{36};
    std::atomic<float> m_scale{1.0f};
    std::atomic<int> m_editEnabled{0};
    std::atomic<int> m_editItem{-1};
    std::atomic<int> m_pressed{-1};
    MEdit* m_edit = nullptr;
    MImageList* m_images = nullptr;
    mutable std::mutex m_imageLock;
    ImageStrip m_background;
    ImageStrip m_editFrame;
    ImageStrip m_more;
};

class MacroList : public TextItemList {
  public:
    MacroList(MObject* parent, unsigned id, CRect rect, int visible, int enabled = 1);
    int OnControlLButtonDblClk(unsigned flags, CPoint point) override;

  protected:
    bool HasMoreButton() const override { return true; }
};

class DListBox : public TextItemList {
  public:
    DListBox(MObject* parent, unsigned id, CRect rect, int visible, int enabled = 1);
    int OnControlLButtonDblClk(unsigned flags, CPoint point) override;
    int OnControlRButtonDown(unsigned flags, CPoint point) override;
};

// One step of a macro. Kinds: 1 delay, 2/3 key down/up, 4/5 mouse button down/up, 6-7 other
// mouse steps, 8-12 other events.
struct RecordItem {
    CString text;
    int kind = 0;
    int value = 0;
    int timestamp = 0;
    CRect rect;
};

class CRecordList : public MPanel {
  public:
    static constexpr unsigned kEditId = 0xFFFF0104;
    static constexpr int kDelayKind = 1;

    CRecordList(MObject* parent, unsigned id, CRect rect, int visible, int enabled = 1);
    ~CRecordList() override;

    int AddString(const wchar_t* text, int kind, int value, int timestamp);
    // Inserts before index; -1 or an index past the end appends. Returns the new item's index.
    int InsertString(int index, const wchar_t* text, int kind, int value, int timestamp);
    void GetRecordInfo(int index, CString& text, int& kind, int& value, int& timestamp) const;
    int SetRecordInfo(int index, const wchar_t* text, int kind, int value, int timestamp);
    // Every item with this timestamp and kind gets the text and value.
    int SetRecordInfo(int timestamp, int kind, const wchar_t* text, int value);
    int GetRecrodTimeStamp(int index) const;
    int DeleteTimeStamp(int timestamp);
    void SetTimeStampSelect(int timestamp);
    int GetTimeStampSelect() const { return m_stampSelect; }
    bool UpdateDelayTime(int value);
    void UpdateTimeStamp(int kind, int value, int timestamp);
    int GetItemCount() const;
    int GetEventCount() const;
    int GetSelectEvent() const;
    int SetCurSel(int index);
    int GetCurSel() const { return m_selected; }
    int DeleteItem(int index);
    void DeleteAllItems();
    int MoveTop(int index);
    int MoveBottom(int index);
    int SwapItem(int first, int second);
    // The list keeps owning the items.
    std::vector<RecordItem*> GetRecordItems() const;
    void SetEditText(const wchar_t* text);
    CString GetEditText() const;
    int ShowEdit();
    void HideEdit();
    int IsEditing() const { return m_editItem >= 0; }
    void SetItemHeight(int height);
    int GetItemHeight() const { return m_itemHeight; }
    void SetImageList(MImageList* images);
    int SetImage(const wchar_t* file, int count);
    int SetMoreImage(const wchar_t* file);
    int SetItemImage(const wchar_t* file, int count);
    void SetScaleValue(float scale);
    CRect GetItemRect(int index) const;
    // The frame of the kind icon strip an item shows.
    static int KindFrame(int kind, bool highlighted);

    void DrawControl(HDC& hdc, CRect paint) override;
    int OnControlMouseMove(unsigned flags, CPoint point) override;
    int OnControlLButtonDown(unsigned flags, CPoint point) override;
    int OnControlLButtonUp(unsigned flags, CPoint point) override;
    int OnControlLButtonDblClk(unsigned flags, CPoint point) override;
    int OnControlRButtonUp(unsigned flags, CPoint point) override;
    long OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) override;
    void SetControlRect(CRect rect) override;

  private:
    int ItemAt(CPoint point) const;
    void Relayout();
    void ClearMarks();

    mutable std::recursive_mutex m_itemLock;
    std::vector<std::unique_ptr<RecordItem>> m_items;
    std::atomic<int> m_hot{-1};
    std::atomic<int> m_selected{-1};
    std::atomic<int> m_itemHeight{36};
    std::atomic<float> m_scale{1.0f};
    std::atomic<int> m_stampSelect{-1};
    std::atomic<int> m_editItem{-1};
    MEdit* m_edit = nullptr;
    MImageList* m_images = nullptr;
    mutable std::mutex m_imageLock;
    ImageStrip m_background;
    ImageStrip m_more;
    ImageStrip m_kinds;
};

}  // namespace DUI
