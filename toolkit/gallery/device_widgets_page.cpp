#include "device_widgets_page.h"

#include <cstdio>

#include "tessel/controls/static_controls.h"
#include "tessel/core/manager.h"
#include "tessel/core/mdialog.h"
#include "tessel/core/mpanel.h"
#include "tessel/platform/window.h"
#include "tessel/widgets/colour_widgets.h"
#include "tessel/widgets/device_widgets.h"
#include "tessel/widgets/dpi_widgets.h"
#include "tessel/widgets/macro_widgets.h"
#include "tessel/widgets/mouse_widgets.h"

namespace gallery {
namespace {

using namespace DUI;

constexpr int kWidth = 1400;
constexpr int kHeight = 1080;

// Most device widgets are made by the container factory: the page hosts them in one panel.
class Board : public MPanel {
  public:
    Board(MObject* parent, CRect rect) : MPanel(parent, 5000, rect, 1, 1, 1) {}
};

class DeviceWidgetsDialog : public MDialog {
  public:
    const wchar_t* GetWindowClassName() const override { return L"TesselGalleryDevice"; }

    void InitUI(CRect) override {
        board_ = new Board(this, CRect(0, 0, kWidth, kHeight));
        GetPaintManager().AddControl(board_, 1);
        Caption(L"MouseCtrl", 10, 10);
        BuildMouse();
        Caption(L"DPIControl, DPISlider, ReporteCtrl", 780, 10);
        BuildDpi();
        Caption(
            L"LightSlider, CColorButton, ColorButtonEx, MPalette, CirclePalette, PaletteBar, "
            L"CColorSelect, "
            L"CColorPalette",
            780, 300);
        BuildColours();
        Caption(L"CDeviceList", 10, 580);
        BuildDevices();
    }

    long OnMessage(unsigned id, unsigned code, unsigned wParam, long) override {
        // The two key views stay in step, as the key page keeps them.
        if (id == 101 && (code == 1 || code == 2)) {
            keys_->SetSelectItem(static_cast<int>(wParam));
        } else if (id == 102 && (code == 1 || code == 2)) {
            mouse_->SetSelectItem(static_cast<int>(wParam));
        }
        return 0;
    }

  private:
    template <class T>
    T* Add(const wchar_t* className, unsigned id, CRect rect, const wchar_t* title = L"") {
        return dynamic_cast<T*>(board_->CreateControl(className, id, rect, title, 1, 1));
    }

    void Caption(const wchar_t* text, int x, int y) {
        if (auto* label =
                Add<MControlFont>(L"MText", nextCaption_++, CRect(x, y, x + 610, y + 22), text)) {
            label->SetTextColor(0xFF9AA3AD);
        }
    }

    void BuildMouse() {
        mouse_ = Add<MouseCtrl>(L"MouseCtrl", 101, CRect(10, 40, 450, 560));
        mouse_->SetMouseImage(L"device/vx7.png");
        mouse_->SetImage(L"img_key_bkg.png", 2);
        struct CallOut {
            const wchar_t* name;
            int key;
            int direction;
            int a, b, c;  // the description's "rect" a#b#c
        } callOuts[] = {{L"Left", 1, 0, 86, 170, 130},    {L"Right", 2, 1, 272, 352, 100},
                        {L"Wheel", 3, 1, 222, 352, 135},  {L"DPI", 6, 1, 222, 352, 190},
                        {L"Forward", 5, 0, 86, 116, 255}, {L"Back", 4, 0, 86, 116, 301}};
        Caption(L"MouseKeyCtrl", 460, 10);
        keys_ = Add<MouseKeyCtrl>(L"MouseKeyCtrl", 102, CRect(460, 40, 760, 280));
        keys_->SetImage(L"img_list_bkg.png", 2);
        const wchar_t* functions[] = {L"Left click", L"Right click", L"Middle click",
                                      L"DPI cycle",  L"Forward",     L"Back"};
        int i = 0;
        for (const CallOut& c : callOuts) {
            mouse_->AddItem(c.name, c.key, c.direction, CPoint(c.a, c.c), CPoint(c.b, c.c));
            keys_->AddItem(c.name, functions[i++], c.key);
        }
        mouse_->SetSelectItem(2);
        keys_->SetSelectItem(2);

        Caption(L"MacroList", 460, 290);
        auto* macros = Add<MacroList>(L"MacroList", 103, CRect(460, 320, 760, 464));
        macros->SetImage(L"img_list_bkg.png", 2);
        macros->SetMoreImage(L"icon/icon_more.png");
        macros->EnableShowEdit(true);
        int data = 1;
        for (const wchar_t* name : {L"Reload", L"Burst fire", L"Build wall", L"Quick scope"}) {
            macros->AddString(name, data++, 0);
        }
        macros->SetCurSel(1);

        Caption(L"DListBox", 460, 474);
        auto* profiles = Add<DListBox>(L"DListBox", 104, CRect(460, 500, 760, 572));
        for (const wchar_t* name : {L"Default profile", L"Shooter"}) {
            profiles->AddString(name, data++, 0);
        }
        profiles->SetCurSel(0);
    }

    void BuildDpi() {
        auto* cards = Add<DPIControl>(L"DPIControl", 110, CRect(780, 40, 1330, 160));
        const DWORD colours[] = {RGB(255, 64, 64), RGB(255, 170, 0), RGB(80, 220, 90),
                                 RGB(40, 150, 255), RGB(200, 90, 255)};
        int value = 400;
        for (DWORD colour : colours) {
            cards->AddItem(value, static_cast<int>(colour));
            value *= 2;
        }
        cards->SetSelectItem(2);

        auto* slider = Add<DPISlider>(L"DPISlider", 111, CRect(780, 170, 1330, 230));
        slider->SetMinProgress(1);
        slider->SetMaxProgress(99);
        slider->SetDPIDesc(L"10000", L"100");
        slider->SetProgress(16);

        auto* rates = Add<ReporteCtrl>(L"ReporteCtrl", 112, CRect(780, 240, 1330, 280));
        for (int hz : {125, 250, 500, 1000}) {
            rates->AddItem((std::to_wstring(hz) + L" Hz").c_str(), hz, 0);
        }
        rates->SetSelectItemValue(1000);
    }

    void BuildColours() {
        auto* brightness = Add<LightSlider>(L"LightSlider", 120, CRect(780, 330, 1060, 395));
        brightness->SetMaxProgress(4);
        brightness->SetProgress(3);
        brightness->SetShowText(1);
        brightness->SetTextPrefix(L"Brightness ");
        brightness->SetTextColor(0xFFD0D4DA);
        const DWORD swatches[] = {RGB(255, 0, 0),   RGB(255, 128, 0),  RGB(255, 255, 0),
                                  RGB(0, 255, 0),   RGB(0, 255, 255),  RGB(0, 0, 255),
                                  RGB(160, 0, 255), RGB(255, 255, 255)};
        for (int i = 0; i < 8; ++i) {
            auto* b = Add<CColorButton>(L"CColorButton", 121 + i,
                                        CRect(1080 + i * 32, 335, 1106 + i * 32, 361));
            b->SetColor(swatches[i]);
            b->SetGroupName(L"DEFAULTCOLOR");
        }
        dynamic_cast<CColorButton*>(board_->GetControl(123))->SetCheck(1);
        auto* named = Add<ColorButtonEx>(L"ColorButtonEx", 130, CRect(1080, 368, 1230, 394),
                                         L"Custom colour");
        named->SetColor(RGB(0, 200, 170));

        auto* palette = Add<MPalette>(L"MPalette", 131, CRect(780, 405, 1170, 555));
        palette->SetSelectColor(RGB(40, 150, 255));
        auto* wheel = Add<CirclePalette>(L"CirclePalette", 132, CRect(1185, 405, 1295, 515));
        wheel->SetSelectColor(RGB(255, 100, 40));
        auto* select = Add<CColorSelect>(L"CColorSelect", 133, CRect(1300, 405, 1395, 433));
        select->SetColor(RGB(255, 100, 40));
        auto* bar = Add<PaletteBar>(L"PaletteBar", 134, CRect(1185, 525, 1395, 545));
        bar->SetHue(200);
        auto* grid = Add<CColorPalette>(L"CColorPalette", 135, CRect(1300, 440, 1396, 488));
        grid->SetColumns(4);
        grid->SetSelectColor(RGB(0, 255, 0));
    }

    void BuildDevices() {
        auto* devices = Add<CDeviceList>(L"CDeviceList", 140, CRect(10, 610, 1000, 1070));
        // The catalogue's mouse pictures live in the app folder's device/.
        const CString app = Manager::GetExeFolder();
        devices->SetDevModeImage(L"device_mode.png");
        devices->AddDevice(L"VX7 Wireless", 7, (app + L"device/vx7.png").c_str());
        devices->AddDevice(L"VX3", 3, (app + L"device/vx3.png").c_str());
        devices->SetDeviceState(7, 1, 1);
        devices->SetDeviceState(3, 0, 1);
        devices->SetSelectDevice(7);

        Caption(L"CRecordList", 1010, 580);
        auto* steps = Add<CRecordList>(L"CRecordList", 141, CRect(1010, 610, 1390, 790));
        steps->SetImage(L"img_record_bkg.png", 3);
        steps->SetItemImage(L"icon/icon_record_kind.png", 8);
        steps->SetScaleValue(1.05f);
        steps->AddString(L"A down", 2, 65, 1);
        steps->AddString(L"35 ms", 1, 35, 2);
        steps->AddString(L"A up", 3, 65, 1);
        steps->AddString(L"Left button down", 4, 1, 3);
        steps->AddString(L"20 ms", 1, 20, 4);
        steps->SetCurSel(1);

        Caption(L"BatteryCtrl, CDeviceState", 1010, 800);
        const struct {
            int level;
            int charging;
        } batteries[] = {{90, 0}, {60, 0}, {30, 0}, {10, 0}, {70, 1}};
        int x = 1010;
        unsigned id = 150;
        for (const auto& b : batteries) {
            auto* gauge = dynamic_cast<BatteryCtrl*>(
                CreateControl(L"BatteryCtrl", id++, CRect(x, 830, x + 62, 850), L"", 1, 1));
            gauge->SetImage(L"icon/icon_battery_bkg.png");
            gauge->SetBatteryIcon(L"icon/icon_batteryvalue.png", L"icon/icon_charge.png");
            gauge->SetBatteryInfo(b.level, b.charging);
            x += 74;
        }
        auto* state = dynamic_cast<CDeviceState*>(CreateControl(
            L"CDeviceState", 160, CRect(1010, 860, 1040, 888), L"Connected (2.4G)", 1, 1));
        state->SetBkgImage(L"bk_prompt.png");

        Caption(L"CDeviceCtrl, UpgradeButton, DownloadButton", 1010, 900);
        auto* tile =
            Add<CDeviceCtrl>(L"CDeviceCtrl", 161, CRect(1010, 930, 1150, 1070), L"VX7 Wireless");
        tile->SetImage((app + L"device/vx7.png").c_str());
        tile->SetDeviceStatus(2);
        auto* upgrade = Add<UpgradeButton>(L"UpgradeButton", 162, CRect(1170, 940, 1330, 975),
                                           L"Update firmware");
        upgrade->SetImage(L"img_button2.png", 4);
        upgrade->SetUpgradeStatus(1);
        auto* download = Add<DownloadButton>(L"DownloadButton", 163, CRect(1170, 990, 1330, 1025),
                                             L"Downloading");
        download->SetDownloadProcess(45);
    }

    Board* board_ = nullptr;
    MouseCtrl* mouse_ = nullptr;
    MouseKeyCtrl* keys_ = nullptr;
    unsigned nextCaption_ = 4000;
};

}  // namespace

int RunDeviceWidgetsPage(const std::string& screenshot) {
    DeviceWidgetsDialog dialog;
    if (dialog.Create(nullptr, L"Tessel gallery: device widgets", WS_POPUP, 0,
                      CRect(40, 20, 40 + kWidth, 20 + kHeight)) == nullptr) {
        std::fprintf(stderr, "tessel-gallery: cannot create the window\n");
        return 1;
    }
    if (screenshot.empty()) {
        dialog.ShowModal(SW_SHOW);
        return 0;
    }
    dialog.ShowWindow(SW_SHOW);
    MWindow::PumpUntilIdle();
    dialog.GetPaintManager().Invalidate();
    MWindow::PumpUntilIdle();
    auto frame = GetWindowFrame(dialog.GetSafeHwnd());
    if (!frame || !frame->SavePng(screenshot)) {
        std::fprintf(stderr, "tessel-gallery: cannot write %s\n", screenshot.c_str());
        return 1;
    }
    std::printf("%s\n", screenshot.c_str());
    dialog.DestroyWindow();
    MWindow::PumpUntilIdle();
    return 0;
}

}  // namespace gallery
