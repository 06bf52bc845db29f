// A full paint of a 1300 x 788 dialog with 100 text controls and 50 image controls: cold (every
// control cache stale) and warm (caches valid). The pause after each paint runs on a manual
// clock, so it is not counted. Targets: warm <= 2 ms, cold <= 20 ms on one core.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "tessel/core/manager.h"
#include "tessel/core/mdialog.h"
#include "tessel/platform/text.h"
#include "tessel/platform/window.h"

using namespace DUI;

namespace {

class TextControl : public MControlFont {
  public:
    TextControl(MObject* parent, unsigned id, CRect rect, const wchar_t* title)
        : MControlFont(parent, id, rect, title, 1, 1, 1) {}
    void DrawControl(HDC& hdc, CRect) override {
        if (BeginCachedDraw(hdc)) {
            Graphics g(GetMemDC());
            const CRect r = GetRect();
            DrawText(g, GetTitle(), CRect(0, 0, r.Width(), r.Height()), false, true);
        }
        EndCachedDraw(hdc);
    }
};

class ImageControl : public MControlFont {
  public:
    ImageControl(MObject* parent, unsigned id, CRect rect)
        : MControlFont(parent, id, rect, L"", 1, 1, 1) {}
    void DrawControl(HDC& hdc, CRect) override {
        if (BeginCachedDraw(hdc)) {
            Graphics g(GetMemDC());
            const CRect r = GetRect();
            DrawImageFrameIndex(g, static_cast<int>(GetControlID() % 4),
                                CRect(0, 0, r.Width(), r.Height()));
        }
        EndCachedDraw(hdc);
    }
};

class BenchDialog : public MDialog {
  public:
    const wchar_t* GetWindowClassName() const override { return L"TesselBenchDialog"; }
    void InitUI(CRect) override {
        PaintManager& manager = GetPaintManager();
        for (unsigned i = 0; i < 100; ++i) {
            const int x = 20 + static_cast<int>(i % 5) * 250;
            const int y = 20 + static_cast<int>(i / 5) * 36;
            auto* text = new TextControl(
                this, 100 + i, CRect(x, y, x + 230, y + 28),
                (L"Sensitivity level " + std::to_wstring(i + 1) + L" of the profile").c_str());
            text->SetTextColor(0xFFE0E0E0);
            manager.AddControl(text, 1);
        }
        for (unsigned i = 0; i < 50; ++i) {
            const int x = 20 + static_cast<int>(i % 10) * 126;
            const int y = 560 + static_cast<int>(i / 10) * 44;
            auto* image = new ImageControl(this, 300 + i, CRect(x, y, x + 120, y + 40));
            manager.AddControl(image, 1);
            image->SetImage(L"button.png", 4);
        }
    }
};

struct Scene {
    Scene()
        : folder(std::filesystem::temp_directory_path() /
                 ("tessel-bench-" + std::to_string(getpid()))) {
        UseBackend(BackendKind::Headless);
        SetPlatformClock(&clock);
        std::filesystem::create_directories(folder / "skins" / "theme1");
        Surface strip(480, 40);
        {
            Graphics g(&strip);
            const DWORD colours[] = {0xFF3A3A46, 0xFF4A4A5A, 0xFF2A2A36, 0xFF202024};
            for (int i = 0; i < 4; ++i) {
                g.RoundRect(i * 120.0f + 1, 1, 118, 38, 6, 0xFF8080A0, 1, true, colours[i]);
            }
        }
        strip.SavePng((folder / "skins" / "theme1" / "button.png").string());
        Manager::SetExeFolder(Utf8ToWide(folder.string()));
        dialog.Create(nullptr, L"bench", WS_POPUP, 0, CRect(0, 0, 1300, 788));
        dialog.ShowWindow(SW_SHOW);
        MWindow::PumpUntilIdle();
    }
    ~Scene() {
        dialog.DestroyWindow();
        MWindow::PumpUntilIdle();
        SetPlatformClock(nullptr);
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
    }
    void PaintAll(bool cold) {
        PaintManager& manager = dialog.GetPaintManager();
        if (cold) {
            std::lock_guard lock(manager.ControlLock());
            for (MControl* c : manager.GetControls()) {
                c->SetUpdate(0, 0);
            }
        }
        manager.Invalidate();
        manager.Paint();
    }
    std::filesystem::path folder;
    ManualClock clock;
    BenchDialog dialog;
};

Scene& TheScene() {
    static Scene scene;
    return scene;
}

void BM_FullPaintWarm(benchmark::State& state) {
    Scene& scene = TheScene();
    scene.PaintAll(false);
    for (auto _ : state) {
        scene.PaintAll(false);
    }
}
BENCHMARK(BM_FullPaintWarm)->Unit(benchmark::kMillisecond);

void BM_FullPaintCold(benchmark::State& state) {
    Scene& scene = TheScene();
    for (auto _ : state) {
        scene.PaintAll(true);
    }
}
BENCHMARK(BM_FullPaintCold)->Unit(benchmark::kMillisecond);

}  // namespace
