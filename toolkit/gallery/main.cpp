// tessel-gallery [--screenshot OUT.png]: shows every generic control in one window. With
// --screenshot the window is drawn once, its picture written to OUT.png, and the program ends
// (this also works without a display, on the headless backend).
#include <cstdio>
#include <cstring>
#include <string>

#include "device_widgets_page.h"
#include "gallery_dialog.h"
#include "tessel/core/manager.h"
#include "tessel/platform/window.h"

int main(int argc, char** argv) {
    std::string screenshot;
    bool deviceWidgets = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--screenshot") == 0 && i + 1 < argc) {
            screenshot = argv[++i];
        } else if (std::strcmp(argv[i], "--device-widgets") == 0) {
            deviceWidgets = true;
        } else if (std::strcmp(argv[i], "--help") == 0) {
            std::printf("usage: tessel-gallery [--device-widgets] [--screenshot OUT.png]\n");
            return 0;
        } else {
            std::fprintf(stderr, "tessel-gallery: unknown argument %s\n", argv[i]);
            return 2;
        }
    }
    if (deviceWidgets) {
        return gallery::RunDeviceWidgetsPage(screenshot);
    }
    gallery::GalleryDialog dialog;
    if (dialog.Create(nullptr, L"Tessel gallery", DUI::WS_POPUP, 0,
                      DUI::CRect(60, 40, 60 + 1180, 40 + 760)) == nullptr) {
        std::fprintf(stderr, "tessel-gallery: cannot create the window\n");
        return 1;
    }
    if (screenshot.empty()) {
        dialog.ShowModal(DUI::SW_SHOW);
        return 0;
    }
    dialog.ShowWindow(DUI::SW_SHOW);
    DUI::MWindow::PumpUntilIdle();
    dialog.GetPaintManager().Invalidate();
    DUI::MWindow::PumpUntilIdle();
    auto frame = DUI::GetWindowFrame(dialog.GetSafeHwnd());
    if (!frame || !frame->SavePng(screenshot)) {
        std::fprintf(stderr, "tessel-gallery: cannot write %s\n", screenshot.c_str());
        return 1;
    }
    std::printf("%s\n", screenshot.c_str());
    dialog.DestroyWindow();
    DUI::MWindow::PumpUntilIdle();
    return 0;
}
