#pragma once
// Controls that show which devices are connected and in what state: the home view's row of
// device cards (CDeviceList), the self-sizing connection caption (CDeviceState), the battery
// gauge (BatteryCtrl), and device views the toolkit offers besides (CDeviceCtrl, UpgradeButton,
// DownloadButton). The device worker updates CDeviceList while the window paints it.

#include <memory>
#include <mutex>
#include <vector>

#include "tessel/controls/buttons.h"
#include "tessel/controls/strip.h"
#include "tessel/core/mpanel.h"

namespace DUI {

class CDeviceList : public MPanel {
  public:
    static constexpr int kItemExtent = 200;
    static constexpr int kCardHeight = 430;
    static constexpr int kCardGap = 20;
    static constexpr int kSingleCardWidth = 600;

    CDeviceList(MObject* parent, unsigned id, CRect rect, int visible, int enabled = 1);
    ~CDeviceList() override;

    void AddDevice(const wchar_t* name, int deviceType, const wchar_t* imagePath);
    void ClearList();
    void SetAllDeviceState(int state);
    // mode 0 the cable state, 1 the receiver state; other modes change nothing.
    void SetDeviceState(int deviceType, int mode, int value);
    int GetDeviceState(int deviceType) const;
    void SetDeviceVersion(int deviceType, int version);
    int GetDeviceVersion(int deviceType) const;
    void SetDeviceBattery(int deviceType, int level, int charging);
    void GetDeviceBattery(int deviceType, int& level, int& charging) const;
    int GetOnlineDevCount();
    void SetSelectDevice(int deviceType);
    int GetSelectDevice();
    int GetItemDeviceType(int index) const;
    void SetSelectItem(int index);
    int GetSelectItem() const;
    // Moves the selection by delta, wrapping at both ends.
    void SetSelectIndex(int delta);
    int GetItemCount() const;
    int GetHoverItem() const { return m_hover; }
    int GetScaleValue(int value) const;
    // The image's size fitted into box keeping its aspect.
    static CRect GetImageRect(int imageWidth, int imageHeight, const CRect& box);
    static void DrawRoundRectange(Graphics& g, const CRect& rect, int radius, DWORD border,
                                  float width, DWORD fill);
    void SetVersionDesc(const wchar_t* caption);
    int SetBatteryBkg(const wchar_t* file);
    int SetBatteryIcon(const wchar_t* value, const wchar_t* charging);
    int SetDevModeImage(const wchar_t* file);
    // The cards of n online devices in a control of the given size (relative to its corner).
    static std::vector<CRect> LayoutCards(int count, int width, int height);
    // Card of an online entry as the last paint placed it, relative to the control.
    CRect GetCardRect(int index) const;
    int GetScrollPos() const { return m_scrollPos; }

    void DrawControl(HDC& hdc, CRect paint) override;
    int OnControlMouseMove(unsigned flags, CPoint point) override;
    int OnControlLButtonDown(unsigned flags, CPoint point) override;
    int OnControlLButtonUp(unsigned flags, CPoint point) override;
    int OnControlScroll(int kind, unsigned direction, CPoint point) override;
    long OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) override;

  private:
    struct Entry {
        CString name;
        int deviceType = 0;
        int wired = 0;
        int receiver = 0;
        int charging = 0;
        int battery = 0;
        int version = 0;
        std::shared_ptr<Image> image;
        CRect card;
    };
    void RebuildOnline();
    Entry* FindEntry(int deviceType) const;
    int CardAt(CPoint local) const;
    void Repaint();

    mutable std::recursive_mutex m_lock;
    std::vector<std::unique_ptr<Entry>> m_items;
    std::vector<Entry*> m_online;
    int m_select = 0;
    std::atomic<int> m_hover{-1};
    std::atomic<int> m_pressed{-1};
    std::atomic<int> m_scrollPos{0};
    std::atomic<float> m_scale{0.8f};
    CString m_version{L"Version"};
    mutable std::mutex m_imageLock;
    ImageStrip m_batteryBack;
    ImageStrip m_batteryValue;
    ImageStrip m_batteryCharging;
    ImageStrip m_mode;
};

class BatteryCtrl : public MControlFont {
  public:
    static constexpr int kTicksPerStep = 5;

    BatteryCtrl(MObject* parent, unsigned id, CRect rect, int visible, int enabled = 1);
    ~BatteryCtrl() override;

    int SetImage(const wchar_t* file);
    int SetBatteryIcon(const wchar_t* value, const wchar_t* charging);
    // Repaints only when a value changed.
    void SetBatteryInfo(int level, int charging);
    int GetBatteryLevel() const { return m_level; }
    int GetCharging() const { return m_charging; }
    int GetAnimationStep() const { return m_step; }
    void EnableAnimation(int enable) { SetTimerActive(enable); }
    // How many value segments a level shows (0 means the red warning block).
    static int SegmentCount(int level);

    void InitControl(PaintManager* manager) override;
    void DrawControl(HDC& hdc, CRect paint) override;
    int OnControlTimer() override;

  private:
    mutable std::mutex m_imageLock;
    ImageStrip m_background;
    ImageStrip m_value;
    ImageStrip m_chargingImage;
    std::atomic<int> m_level{100};
    std::atomic<int> m_charging{0};
    std::atomic<int> m_step{0};
    std::atomic<int> m_ticks{0};
};

class CDeviceState : public MControlFont {
  public:
    CDeviceState(MObject* parent, unsigned id, CRect rect, const wchar_t* caption, int visible,
                 int enabled = 1, int responsive = 1);

    int SetBkgImage(const wchar_t* file);
    void SetCaption(const wchar_t* caption) { SetTitle(caption); }
    // The width the caption asks for: its text width plus 30.
    int WantedWidth() const;

    void DrawControl(HDC& hdc, CRect paint) override;

  private:
    mutable std::mutex m_imageLock;
    ImageStrip m_background;
};

// A clickable device tile: picture, back colour, status dot and name.
class CDeviceCtrl : public MControlFont {
  public:
    enum ShowMode { kShowImage = 0, kShowImageAndName = 1 };

    CDeviceCtrl(MObject* parent, unsigned id, CRect rect, const wchar_t* caption, int visible,
                int enabled = 1);

    int SetImage(const wchar_t* file);
    void SetBackColor(DWORD argb);
    DWORD GetBackColor() const { return m_back; }
    // 0 offline, 1 connected by cable, 2 through the receiver.
    void SetDeviceStatus(int status);
    int GetDeviceStatus() const { return m_status; }
    void SetShowMode(int mode);
    int GetShowMode() const { return m_showMode; }

    void DrawControl(HDC& hdc, CRect paint) override;
    int OnControlMouseMove(unsigned flags, CPoint point) override;
    int OnControlLButtonDown(unsigned flags, CPoint point) override;
    int OnControlLButtonUp(unsigned flags, CPoint point) override;

  private:
    mutable std::mutex m_imageLock;
    ImageStrip m_picture;
    std::atomic<DWORD> m_back{0x82050505};
    std::atomic<int> m_status{0};
    std::atomic<int> m_showMode{kShowImageAndName};
    std::atomic<int> m_hover{0};
    std::atomic<int> m_pressed{0};
};

// A push button that marks an available update with a badge.
class UpgradeButton : public MButton {
  public:
    UpgradeButton(MObject* parent, unsigned id, CRect rect, const wchar_t* caption, int visible,
                  int enabled = 1);
    // 0 up to date, 1 an update is available, 2 updating.
    void SetUpgradeStatus(int status);
    int GetUpgradeStatus() const { return m_upgrade; }

  protected:
    void RenderState(Graphics& g, int state, const CRect& slot) override;

  private:
    std::atomic<int> m_upgrade{0};
};

// A push button whose face fills with the download's progress.
class DownloadButton : public MButton {
  public:
    DownloadButton(MObject* parent, unsigned id, CRect rect, const wchar_t* caption, int visible,
                   int enabled = 1);
    // Percent, clamped to 0..100; -1 hides the progress.
    void SetDownloadProcess(int percent);
    int GetDownloadProcess() const { return m_progress; }
    void SetFrameSize(int size) { MButton::SetFrameSize(size); }
    void SetTextRect(CRect rect) { MButton::SetTextRect(rect); }

  protected:
    void RenderState(Graphics& g, int state, const CRect& slot) override;

  private:
    std::atomic<int> m_progress{-1};
};

}  // namespace DUI
