#include "gallery_dialog.h"

#include <memory>
#include <string>

#include "tessel/controls/air_bladder.h"
#include "tessel/controls/buttons.h"
#include "tessel/controls/combo.h"
#include "tessel/controls/lists.h"
#include "tessel/controls/loading_wnd.h"
#include "tessel/controls/medit.h"
#include "tessel/controls/mscroll.h"
#include "tessel/controls/popup.h"
#include "tessel/controls/range_controls.h"
#include "tessel/controls/static_controls.h"
#include "tessel/core/manager.h"

using namespace DUI;

namespace gallery {
namespace {

enum : unsigned {
    kClose = 2,
    kStatus = 900,
    kMenuButton = 801,
    kBalloonButton = 802,
    kLoadingButton = 803,
    kTimerButton = 105,
    kSliderPicture = 204,
    kGif = 205,
    kProgress = 410,
};

constexpr UINT kMenuMessage = WM_USER + 100;
constexpr DWORD kHeading = 0xFF4AA8FF;
constexpr DWORD kLabel = 0xFFC8C8C8;

std::unique_ptr<LoadingWnd>& Loading() {
    static std::unique_ptr<LoadingWnd> loading;
    return loading;
}

template <class T>
T* As(MControl* control) {
    return dynamic_cast<T*>(control);
}

}  // namespace

void GalleryDialog::Status(const std::wstring& text) {
    if (auto* status = As<MText>(GetControl(kStatus))) {
        status->SetTitle(text.c_str());
    }
}

void GalleryDialog::InitUI(CRect client) {
    LoadBKImage(L"main_bkg.png");
    SetBackMode(BACK_MODE_FRAME, 12);
    SetCaptionRect(CRect(0, 0, client.Width(), 40));
    auto* title =
        As<MText>(CreateControl(L"MText", 1, CRect(20, 8, 400, 36), L"Tessel gallery", 1, 1));
    title->SetFont(Manager::GetFontName().c_str(), 20, FontStyleBold);
    auto* close = As<MButton>(CreateControl(
        L"MButton", kClose, CRect(client.right - 40, 6, client.right - 10, 36), L"", 1, 1));
    close->SetImage(L"sysbtn_close.png", 4);
    close->SetFrameSize(0);
    auto* status = As<MText>(CreateControl(
        L"MText", kStatus, CRect(20, client.bottom - 30, client.right - 20, client.bottom - 8),
        L"Try the controls: notifications show here.", 1, 1));
    status->SetTextColor(kLabel);
    BuildButtons();
    BuildStatics();
    BuildInputs();
    BuildLists();
    BuildPopups();
    SetMTimer(30);
    if (SupportsPerPixelAlpha()) {
        CreateShadow(1, true);
    }
}

void GalleryDialog::BuildButtons() {
    auto* heading =
        As<MText>(CreateControl(L"MText", 10, CRect(20, 44, 300, 64), L"Buttons", 1, 1));
    heading->SetTextColor(kHeading);

    auto* plain =
        As<MButton>(CreateControl(L"MButton", 101, CRect(20, 70, 140, 100), L"MButton", 1, 1));
    plain->SetImage(L"img_button.png", 4);
    auto* image = As<CImageButton>(
        CreateControl(L"CImageButton", 102, CRect(150, 70, 230, 100), L"Balloon", 1, 1));
    image->SetImage(L"img_button2.png", 4);
    image->SetAlrBladderMode(AIRBLADDER_MODE_RIGHT);
    auto* text = As<CTextButton>(
        CreateControl(L"CTextButton", 103, CRect(236, 70, 300, 100), L"Text", 1, 1));
    text->SetAlignment(1);
    auto* icon = As<CIconButton>(
        CreateControl(L"CIconButton", 104, CRect(20, 108, 160, 140), L"Record", 1, 1));
    icon->SetImage(L"img_button2.png", 4);
    icon->SetIconImage(L"icon/icon_rec.png", 4);
    auto* timer = As<CTimerButton>(CreateControl(L"CTimerButton", kTimerButton,
                                                 CRect(170, 108, 300, 140), L"Runs 10 s", 1, 1));
    timer->SetImage(L"img_button.png", 4);
    timer->SetRun(1);
    auto* help = As<CHelpButton>(CreateControl(L"CHelpButton", 106, CRect(20, 150, 38, 168),
                                               L"Help buttons explain\nthings in a balloon", 1, 1));
    help->SetImage(L"icon/icon_help.png", 1);
    auto* check = As<CCheckButton>(
        CreateControl(L"CCheckButton", 107, CRect(50, 148, 170, 170), L"Check", 1, 1));
    check->SetImage(L"btn_checkbox.png", 8);
    check->SetCheck(1);
    auto* check2 = As<CCheckButton>(
        CreateControl(L"CCheckButton", 108, CRect(180, 148, 300, 170), L"Disabled", 1, 1));
    check2->SetImage(L"btn_checkbox.png", 8);
    check2->SetEnabled(0);
    for (int i = 0; i < 2; ++i) {
        auto* radio = As<CRadioButton>(CreateControl(L"CRadioButton", 109 + i,
                                                     CRect(20 + i * 100, 176, 115 + i * 100, 198),
                                                     i == 0 ? L"Radio A" : L"Radio B", 1, 1));
        radio->SetImage(L"btn_radiobox.png", 8);
        radio->SetGroupName(L"radio");
        if (i == 0) {
            radio->SetCheck(1);
        }
    }
    auto* select = As<CSelectButton>(
        CreateControl(L"CSelectButton", 111, CRect(220, 176, 300, 198), L"Select", 1, 1));
    select->SetImage(L"btn_radiobox.png", 8);
    select->SetGroupName(L"radio");
    auto* textCheck = As<TextCheckButton>(
        CreateControl(L"TextCheckButton", 112, CRect(20, 204, 160, 226), L"Text check", 1, 1));
    textCheck->SetCheck(1);
    auto* sw = As<CSwitchButton>(
        CreateControl(L"CSwitchButton", 113, CRect(170, 204, 220, 226), L"", 1, 1));
    sw->SetImage(L"img_switch_track.png", L"img_switch_knob.png", 2);
    sw->SetCheck(1);

    // Container-only buttons live in a page.
    auto* panel =
        As<MPanel>(CreateControl(L"MTabLayout", 120, CRect(20, 232, 300, 272), L"", 1, 1));
    auto* hold = As<LongPressButton>(
        panel->CreateControl(L"LongPressButton", 121, CRect(20, 236, 100, 268), L"Hold", 1, 1));
    hold->SetImage(L"img_button.png", 4);
    for (int i = 0; i < 2; ++i) {
        auto* toggle = As<MButton2>(panel->CreateControl(
            L"MButton2", 122 + i, CRect(108 + i * 50, 236, 154 + i * 50, 268), L"", 1, 1));
        toggle->SetImage(L"img_button2.png", 4);
        toggle->SetTitle(i == 0 ? L"1" : L"2");
        toggle->SetGroupName(L"pair");
        if (i == 0) {
            toggle->SetCheck(1);
        }
    }
    auto* two =
        As<MButton3>(panel->CreateControl(L"MButton3", 124, CRect(210, 236, 298, 268), L"", 1, 1));
    two->SetImage(L"img_button.png", 4);
    two->SetTitle(L"On/off");
}

void GalleryDialog::BuildStatics() {
    auto* heading = As<MText>(
        CreateControl(L"MText", 20, CRect(20, 282, 300, 302), L"Texts and pictures", 1, 1));
    heading->SetTextColor(kHeading);
    auto* text = As<MText>(
        CreateControl(L"MText", 201, CRect(20, 304, 300, 344),
                      L"MText wraps long captions onto more lines when multi-line is on.", 1, 1));
    text->EnableMultiLine(1);
    text->SetTextColor(kLabel);
    auto* picture =
        As<MPicture>(CreateControl(L"MPicture", 202, CRect(20, 348, 300, 392), L"", 1, 1));
    picture->SetImage(L"logo.png", 1);
    picture->SetAlignment(1);
    auto* photo =
        As<CPhotoFrame>(CreateControl(L"CPhotoFrame", 203, CRect(20, 398, 110, 458), L"", 1, 1));
    photo->SetImage(L"Ostrevan.png", 1);
    photo->SetShowMode(SHOW_MODE_STRETCH);
    photo->SetPhotoFrame(L"img_area3.png");
    auto* slide = As<CSliderPicture>(
        CreateControl(L"CSliderPicture", kSliderPicture, CRect(120, 398, 210, 458), L"", 1, 1));
    slide->SetImage(L"img_upgrade_bkg.png", 1);
    slide->SetShowMode(SHOW_MODE_STRETCH);
    slide->SetRun(1, SLIDER_LEFT_TO_RIGHT);
    // Start part-way so the first picture already shows what the control does.
    for (int i = 0; i < CSliderPicture::kTickThreshold + 60; ++i) {
        slide->OnTimer();
    }
    auto* gif =
        As<CGifPicture>(CreateControl(L"CGifPicture", kGif, CRect(220, 398, 300, 458), L"", 1, 1));
    gif->SetImage(L"img_loading.png", 12);
    gif->SetRunState(1, 0);
    auto* area = As<CArea>(CreateControl(L"CArea", 206, CRect(20, 466, 150, 516), L"", 1, 1));
    area->SetTransparent(10, 90, RGB(74, 168, 255));
    auto* solid = As<CArea>(CreateControl(L"CArea", 207, CRect(160, 466, 220, 516), L"", 1, 1));
    solid->SetTransparent(0, 0, RGB(40, 44, 52));
    solid->SetFrame(1, 0xFF4AA8FF);
    auto* holder =
        As<MPanel>(CreateControl(L"MTabLayout", 208, CRect(230, 466, 300, 516), L"", 1, 1));
    auto* round = As<CRoundArea>(
        holder->CreateControl(L"CRoundArea", 209, CRect(230, 466, 300, 516), L"", 1, 1));
    round->SetRadius(10);
}

void GalleryDialog::BuildInputs() {
    auto* heading =
        As<MText>(CreateControl(L"MText", 30, CRect(330, 44, 620, 64), L"Inputs", 1, 1));
    heading->SetTextColor(kHeading);
    auto* edit = As<MEdit>(CreateControl(L"MEdit", 301, CRect(330, 70, 620, 100), L"", 1, 1));
    edit->SetImage(L"img_edit.png", 4);
    edit->SetEditBKColor(0xFFFFFFFF);
    edit->SetTextColor(0xFFFFFFFF);
    edit->SetTipInfo(L"Type here (120 characters at most)");
    auto* password =
        As<MEdit>(CreateControl(L"MEdit", 302, CRect(330, 106, 470, 136), L"secret", 1, 1));
    password->SetImage(L"img_edit.png", 4);
    password->SetEditBKColor(0xFFFFFFFF);
    password->SetTextColor(0xFFFFFFFF);
    password->EnablePassWord(1);
    auto* numbers =
        As<MPanel>(CreateControl(L"MTabLayout", 303, CRect(480, 106, 620, 136), L"", 1, 1));
    auto* five = As<NumberEdit>(
        numbers->CreateControl(L"NumberEdit", 304, CRect(480, 106, 545, 136), L"", 1, 1));
    five->SetEditText(L"12345");
    five->GetEdit()->SetImage(L"img_edit.png", 4);
    five->GetEdit()->SetTextColor(0xFFFFFFFF);
    five->SetEditBKColor(0xFFFFFFFF);
    auto* two = As<NumberEdit2>(
        numbers->CreateControl(L"NumberEdit2", 305, CRect(555, 106, 620, 136), L"", 1, 1));
    two->SetEditText(L"42");
    two->GetEdit()->SetImage(L"img_edit.png", 4);
    two->GetEdit()->SetTextColor(0xFFFFFFFF);
    two->SetEditBKColor(0xFFFFFFFF);

    auto* combo =
        As<MComboBox>(CreateControl(L"MComboBox", 306, CRect(330, 144, 620, 174), L"", 1, 1));
    for (int rate : {125, 250, 500, 1000, 2000, 4000, 8000}) {
        combo->AddItem((std::to_wstring(rate) + L" Hz").c_str(), rate);
    }
    for (const wchar_t* extra : {L"Custom A", L"Custom B", L"Custom C"}) {
        combo->AddItem(extra, 0);
    }
    combo->SelectData(1000);
    auto* pair =
        As<MPanel>(CreateControl(L"MTabLayout", 307, CRect(330, 180, 620, 210), L"", 1, 1));
    for (int i = 0; i < 2; ++i) {
        auto* c2 = As<MComboBox2>(pair->CreateControl(
            L"MComboBox2", 308 + i, CRect(330 + i * 150, 180, 470 + i * 150, 210), L"", 1, 1));
        c2->AddItem(L"Profile 1", 1);
        c2->AddItem(L"Profile 2", 2);
        c2->SetCurSel(i);
        c2->SetGroupName(L"profiles");
        if (i == 0) {
            c2->SetCheck(1);
        }
    }
    auto* colour = new CColorCombo(this, 310, CRect(330, 216, 430, 244), 1, 1);
    GetPaintManager().AddControl(colour, 1);
    colour->SetAreaColor(0xFFE0533D);
    auto* slider =
        As<MSlider>(CreateControl(L"MSlider", 311, CRect(440, 216, 620, 244), L"", 1, 1));
    slider->SetMaxProgress(10);
    slider->SetProgress(6);
    auto* spin =
        As<MSpinButton>(CreateControl(L"MSpinButton", 312, CRect(330, 252, 430, 282), L"", 1, 1));
    spin->SetRange(1, 10);
    spin->SetCurValue(4);
    auto* spin2 =
        As<CSpinButton>(CreateControl(L"CSpinButton", 313, CRect(440, 252, 540, 282), L"", 1, 1));
    spin2->SetRange(0, 99);
    spin2->SetCurValue(16);
    auto* level =
        As<MLevelCtrl>(CreateControl(L"MLevelCtrl", 314, CRect(550, 256, 620, 278), L"", 1, 1));
    level->SetRangeValue(1, 4);
    level->SetLevelValue(3);
    auto* progress =
        As<MProgress>(CreateControl(L"MProgress", kProgress, CRect(330, 292, 620, 302), L"", 1, 1));
    progress->SetBackGroundImage(L"img_progress_bkg.png");
    progress->SetForeGroundImage(L"img_progress_bar.png");
    progress->SetRun(1, 40);
    auto* progress2 =
        As<MProgress2>(CreateControl(L"MProgress2", 411, CRect(330, 308, 620, 328), L"", 1, 1));
    progress2->EnableShowText(1);
    progress2->SetTextColor(kLabel);
    progress2->SetProgress(72);
    auto* rich = As<MRichEdit>(CreateControl(
        L"MRichEdit", 315, CRect(330, 336, 620, 406),
        L"MRichEdit: several lines,\nselection, undo and the clipboard.\nThe wheel scrolls.", 1,
        1));
    rich->SetMultiLine(1);
    rich->SetText(
        L"MRichEdit: several lines,\nselection, undo and the clipboard.\nThe wheel scrolls.");
    auto* ex = As<MEditEx>(
        CreateControl(L"MEditEx", 316, CRect(330, 412, 620, 440), L"MEditEx with a frame", 1, 1));
    (void)ex;
    auto* logon = new CLogonEdit(this, 317, CRect(330, 446, 620, 474), 1, 1);
    GetPaintManager().AddControl(logon, 1);
    logon->SetTipInfo(L"CLogonEdit: user name");
}

void GalleryDialog::BuildLists() {
    auto* heading = As<MText>(
        CreateControl(L"MText", 40, CRect(640, 44, 1160, 64), L"Lists, scrolling and tabs", 1, 1));
    heading->SetTextColor(kHeading);
    auto* list = As<MListBox>(CreateControl(L"MListBox", 501, CRect(640, 70, 860, 230), L"", 1, 1));
    for (const wchar_t* item : {L"Left button", L"Right button", L"Middle button", L"Forward",
                                L"Back", L"DPI up", L"DPI down", L"Profile cycle"}) {
        list->AddString(item, 0);
    }
    list->SetCurSel(1);
    list->EnableShowEdit(1);

    auto* vertical = new CScrollVertical(this, 502, CRect(868, 70, 873, 230), 1);
    GetPaintManager().AddControl(vertical, 1);
    vertical->SetScrollInfo(400, 160, 120);
    auto* horizontal = new CScrollHorizontal(this, 503, CRect(640, 236, 860, 241), 1);
    GetPaintManager().AddControl(horizontal, 1);
    horizontal->SetScrollInfo(600, 220, 300);

    // A panel whose children overflow it, so its own scroll bar shows.
    auto* scroller =
        As<MPanel>(CreateControl(L"MTabLayout", 504, CRect(890, 70, 1160, 241), L"", 1, 1));
    for (int i = 0; i < 9; ++i) {
        auto* row = As<CCheckButton>(scroller->CreateControl(
            L"CCheckButton", 510 + i, CRect(898, 74 + i * 30, 1140, 98 + i * 30),
            (L"Scrolled option " + std::to_wstring(i + 1)).c_str(), 1, 1));
        row->SetImage(L"btn_checkbox.png", 8);
        row->SetCheck(i % 3 == 0);
    }

    auto* tab =
        As<MTabCtrl>(CreateControl(L"MTabCtrl", 520, CRect(640, 250, 1160, 560), L"", 1, 1));
    tab->SetTabCtrlHeight(70);
    const wchar_t* icons[] = {L"icon/tab_home.png", L"icon/tab_mousedpi.png",
                              L"icon/tab_light.png"};
    const wchar_t* names[] = {L"Home", L"DPI", L"Lighting"};
    for (int i = 0; i < 3; ++i) {
        auto* page =
            As<MPanel>(tab->CreatePanel(L"MTabLayout", 530 + i, CRect(640, 326, 1160, 560)));
        auto* label = As<MText>(page->CreateControl(
            L"MText", 540 + i, CRect(660, 336, 1140, 360),
            (std::wstring(L"Page ") + names[i] + L" (an MTabLayout)").c_str(), 1, 1));
        label->SetTextColor(kLabel);
        auto* back = As<MPicture>(
            page->CreateArea(L"MPicture", 550 + i, CRect(650, 366, 1150, 552), L"", 1, 1));
        back->SetImage(L"img_area_content.png", 1);
        back->SetShowModeMID(8, 8, 8, 8);
        auto* button = As<MButton>(
            page->CreateControl(L"MButton", 560 + i, CRect(670, 380, 800, 412), names[i], 1, 1));
        button->SetImage(L"img_button.png", 4);
        tab->InsertItem(570 + i, names[i], icons[i], page, 3, 90);
    }
    tab->SetSelectItem(0);
}

void GalleryDialog::BuildPopups() {
    auto* heading =
        As<MText>(CreateControl(L"MText", 50, CRect(640, 568, 1160, 588), L"Pop-ups", 1, 1));
    heading->SetTextColor(kHeading);
    const std::pair<unsigned, const wchar_t*> buttons[] = {
        {kMenuButton, L"Menu"}, {kBalloonButton, L"Balloon"}, {kLoadingButton, L"Loading"}};
    int x = 640;
    for (const auto& [id, caption] : buttons) {
        auto* button =
            As<MButton>(CreateControl(L"MButton", id, CRect(x, 594, x + 110, 626), caption, 1, 1));
        button->SetImage(L"img_button.png", 4);
        x += 120;
    }
}

long GalleryDialog::OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) {
    if (code == 2 && id == kClose) {
        DoClose();
        return 0;
    }
    if (code == 2 && id == kMenuButton) {
        auto* menu = new MenuWnd(this);
        POINT p = GetAirBladderPoint(GetControl(kMenuButton), 0);
        menu->Create(GetSafeHwnd(), CPoint(p.x, p.y + 2), kMenuMessage, 170);
        menu->AddMenu(L"Copy profile", 1, L"", 0, 0);
        menu->AddMenu(L"Paste profile", 2, L"", 0, 0);
        menu->AddSeparator(3, L"sep");
        menu->AddMenu(L"Reset", 4, L"", 1, 0);
        ::DUI::SetForegroundWindow(menu->GetSafeHwnd());
    } else if (code == 2 && id == kBalloonButton) {
        SetAirBladderMsg(L"A balloon tip: it hides\nitself after five seconds.",
                         GetAirBladderPoint(GetControl(kBalloonButton), 1), AIRBLADDER_BELOW);
    } else if (code == 2 && id == kLoadingButton) {
        auto& loading = Loading();
        if (loading && loading->GetSafeHwnd() != nullptr) {
            loading->CloseWindow();
        } else {
            loading = std::make_unique<LoadingWnd>();
            POINT p = GetAirBladderPoint(GetControl(kLoadingButton), 1);
            loading->LoadAnimateImage(L"img_loading.png", 12);
            loading->CreateDlg(GetSafeHwnd(), CRect(p.x - 40, p.y - 120, p.x + 40, p.y - 40));
        }
    } else if (code == 2 && id == kTimerButton) {
        As<CTimerButton>(GetControl(kTimerButton))->SetRun(1);
    }
    Status(L"control " + std::to_wstring(id) + L": code " + std::to_wstring(code) + L", wParam " +
           std::to_wstring(wParam) + L", lParam " + std::to_wstring(lParam));
    return 0;
}

long GalleryDialog::OnWindowMessage(unsigned msg, unsigned wParam, long lParam) {
    if (msg == kMenuMessage) {
        Status(L"menu row " + std::to_wstring(lParam) + L" chosen");
        return 0;
    }
    return MDialog::OnWindowMessage(msg, wParam, lParam);
}

}  // namespace gallery
