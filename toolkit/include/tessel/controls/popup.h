#pragma once
// Pop-up windows with a paint manager of their own: the generic pop-up (base of the combo
// drop-down) and the toolkit-drawn context menu with its rows.

#include <functional>
#include <mutex>
#include <vector>

#include "tessel/controls/strip.h"
#include "tessel/core/mdialog.h"
#include "tessel/core/mwindow.h"
#include "tessel/core/paint_manager.h"

namespace DUI {

class MPopupWnd : public MWindow, public MObject {
  public:
    MPopupWnd();
    ~MPopupWnd() override;

    const wchar_t* GetWindowClassName() const override { return L"MPopupWnd"; }
    long OnWindowMessage(unsigned msg, unsigned wParam, long lParam) override;
    int PreTranslateMessage(MSG* msg) override;
    int OnInitDialog() override;
    void OnDestroyMessage(HWND hwnd) override;
    long OnBaseMessage(unsigned id, unsigned code, unsigned wParam, long lParam) override;
    long OnControlUpdate(CRect rect, int flag, MControl* control) override;

    // Notifications of the pop-up's controls; the default passes them to the parent.
    virtual long OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam);
    virtual void InitUI(CRect client) { (void)client; }
    virtual void UISize(CRect client) { (void)client; }

    int LoadBKImage(CString file) { return m_manager.LoadBKImage(file); }
    void SetBackMode(enumBackMode mode, int parameter) { m_manager.SetBackMode(mode, parameter); }
    void SetScrollResID(unsigned vertical, unsigned horizontal) {
        m_manager.SetScrollResID(vertical, horizontal);
    }
    void SetupBackTranslucent();
    void SetLayeredWindow(int layered) { m_manager.SetLayeredWindow(layered); }
    MControl* CreateArea(const wchar_t* className, unsigned id, CRect rect, const wchar_t* title,
                         int visible, int enabled);
    MControl* CreateControl(const wchar_t* className, unsigned id, CRect rect, const wchar_t* title,
                            int visible, int enabled);
    MControl* GetControl(unsigned id) { return m_manager.GetControl(id); }
    long SendMessageToParent(unsigned code, unsigned wParam, long lParam);
    // Posts a close: the window goes away once the current message is done.
    void CloseWindow();
    void SetParent(MObject* parent, unsigned id = 0);
    MObject* GetParent() const { return m_parentObject; }
    PaintManager& GetPaintManager() { return m_manager; }
    // Close when another window becomes active (drop-downs and menus).
    void SetCloseOnDeactivate(bool close) { m_closeOnDeactivate = close; }
    // Called once the native window has been destroyed.
    std::function<void()> onDestroyed;

  protected:
    PaintManager m_manager;
    MObject* m_parentObject = nullptr;
    unsigned m_parentId = 0;
    DWORD m_colorKey = 0xFFFFFF;
    BYTE m_alpha = 255;
    bool m_closeOnDeactivate = false;
};

// A menu row: text, optional icon strip, a check in a radio-style group, or a separator.
class MenuItem : public MControlFont {
  public:
    MenuItem(MObject* parent, unsigned id, CRect rect, const wchar_t* title, int visible,
             int enabled);
    const wchar_t* GetClassNameW() const override { return L"MenuItem"; }

    void SetValue(const wchar_t* value);
    CString GetValue() const;
    void SetGroupName(const wchar_t* group);
    CString GetGroupName() const;
    void SetCheck(int check);
    int GetCheck() const { return m_check; }
    void SetSeparator(int separator) { m_separator = separator; }
    int IsSeparator() const { return m_separator; }
    void SetPopupMenu(class MenuWnd* menu) { m_popup = menu; }
    int IsHover() const { return m_hover; }
    int SetIconImage(const wchar_t* file, int count);
    void SetRowImage(ImgResInfo* image) { m_rowImage = image; }
    void SetSelectedColor(DWORD color) { m_selectedColor = color; }
    void SetIconWidth(int width) { m_iconWidth = width; }

    void DrawControl(HDC& hdc, CRect paint) override;
    int OnControlMouseMove(unsigned flags, CPoint point) override;
    int OnControlLButtonDown(unsigned flags, CPoint point) override;
    int OnControlLButtonUp(unsigned flags, CPoint point) override;

  private:
    mutable std::mutex m_textLock;
    CString m_value;
    CString m_group;
    std::atomic<int> m_check{0};
    std::atomic<int> m_separator{0};
    class MenuWnd* m_popup = nullptr;
    std::atomic<int> m_hover{0};
    std::atomic<int> m_pressing{0};
    ImageStrip m_icon;
    std::atomic<ImgResInfo*> m_rowImage{nullptr};
    std::atomic<DWORD> m_selectedColor{0xFF3D5350};
    std::atomic<int> m_iconWidth{5};
};

// The context menu. Created with new; it deletes itself once its window is gone.
class MenuWnd : public MPopupWnd {
  public:
    explicit MenuWnd(MObject* parent);

    const wchar_t* GetWindowClassName() const override { return L"MenuWnd"; }
    int Create(HWND owner, CPoint point, unsigned message, int width);
    int Create(HWND owner, CPoint point, unsigned message, CString background, int width,
               int corner, enumBackMode mode);
    int Create(HWND owner, CPoint point, unsigned message);
    int AddMenu(CString text, unsigned id, CString iconFile, int check, int group);
    int AddMenu(CString text, unsigned id, int check, int group, int reserved);
    int AddSeparator(unsigned id, CString name);
    void SetItemTitle(CString name, CString title);
    void SetItemVisible(CString name, int visible);
    void SetItemEnable(CString name, int enabled);
    void SetItemCheck(CString name, int check);
    void SetFont(CString name, int size, int style);
    void SetItemHeight(int height) { m_itemHeight = height; }
    void SetMargins(int top, int bottom, int left);
    void SetItemImage(CString hoverStrip) { m_rowImageFile = std::move(hoverStrip); }
    void SetSelectedTextColor(DWORD color) { m_selectedColor = color; }
    int GetMenuHeight() const { return m_height; }
    std::vector<MenuItem*> GetItems();

    void InitUI(CRect client) override;
    long OnBaseMessage(unsigned id, unsigned code, unsigned wParam, long lParam) override;
    void OnDestroyMessage(HWND hwnd) override;

  private:
    struct Pending {
        CString name;
        CString title;
        int visible = -1;
        int enabled = -1;
        int check = -1;
        bool hasTitle = false;
    };
    int CreateWindowAt(CPoint point, int width);
    void ApplyPending();
    // Lays the rows out and resizes the window to them.
    void SetMenuPoint();
    MenuItem* FindItem(const CString& name);

    HWND m_owner = nullptr;
    unsigned m_message = 0;
    int m_width = 120;
    CString m_fontName = L"Arial";
    int m_fontSize = 14;
    int m_fontStyle = 0;
    int m_itemHeight = 25;
    int m_iconWidth = 5;
    int m_topMargin = 6;
    int m_bottomMargin = 6;
    int m_leftMargin = 6;
    CString m_rowImageFile = L"img_menu_item.png";
    DWORD m_selectedColor = 0xFF3D5350;
    std::vector<Pending> m_pending;
    std::vector<MenuItem*> m_items;
    std::recursive_mutex m_itemLock;
    int m_height = 0;
};

}  // namespace DUI
