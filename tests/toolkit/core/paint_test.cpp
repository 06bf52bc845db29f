// The paint cycle, per-control caches, the image cache, nine-grid drawing, the overlay, the
// tooltip and the library's own resources, all read back as pixels from headless windows.
#include <filesystem>

#include "headless_fixture.h"
#include "tessel/core/mimagelist.h"
#include "tessel/core/mrender.h"
#include "tessel/core/tooltip_window.h"
#include "tessel/platform/image_io.h"
#include "tessel/platform/resources.h"

using namespace DUI;
using namespace std::chrono_literals;
using tessel_test::Box;
using tessel_test::HeadlessTest;
using tessel_test::RecordingDialog;

namespace {

class Painting : public HeadlessTest {
  protected:
    // Writes a picture into the theme folder: width x height, each pixel from colour(x, y).
    std::wstring WriteThemeImage(const std::string& name, int width, int height,
                                 const std::function<DWORD(int, int)>& colour) {
        Surface image(width, height);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                image.SetPixel(x, y, colour(x, y));
            }
        }
        const auto folder = appDir_.path() / "skins" / "theme1";
        std::filesystem::create_directories(folder);
        EXPECT_TRUE(image.SavePng((folder / name).string()));
        return Utf8ToWide(name);
    }
    std::unique_ptr<Surface> Frame(MWindow& window) { return GetWindowFrame(window.GetSafeHwnd()); }
};

TEST_F(Painting, DefaultBackgroundIsTheBorderColourAroundTheInnerColour) {
    RecordingDialog dialog;
    OpenDialog(dialog, 50, 40);
    auto frame = Frame(dialog);
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->GetPixel(0, 0), 0xFE503E98u);
    EXPECT_EQ(frame->GetPixel(49, 39), 0xFE503E98u);
    EXPECT_EQ(frame->GetPixel(1, 1), 0xFE0A0B0Cu);
    EXPECT_EQ(frame->GetPixel(48, 38), 0xFE0A0B0Cu);
    // Every paint ends with the pause.
    EXPECT_FALSE(clock_.sleeps().empty());
    EXPECT_EQ(clock_.sleeps().back(), 15ms);
}

TEST_F(Painting, AClickedControlRepaintsAndItsPixelsCanBeRead) {
    RecordingDialog dialog;
    OpenDialog(dialog, 200, 100);
    auto* box =
        static_cast<Box*>(dialog.CreateControl(L"TestBox", 1, CRect(10, 10, 60, 60), L"", 1, 1));
    dialog.GetPaintManager().Invalidate();
    Pump();
    EXPECT_EQ(Frame(dialog)->GetPixel(30, 30), 0xFF20C040u);
    box->fill = 0xFFFF0000;
    box->UpdateControl(1, 0);
    Pump();
    EXPECT_EQ(Frame(dialog)->GetPixel(30, 30), 0xFFFF0000u);
    const auto png = appDir_.path() / "frame.png";
    ASSERT_TRUE(Frame(dialog)->SavePng(png.string()));
    auto reloaded = LoadImageFile(png.string());
    ASSERT_NE(reloaded, nullptr);
    EXPECT_EQ(reloaded->GetPixel(30, 30), 0xFFFF0000u);
}

TEST_F(Painting, OnlyStaleControlsRenderAndLaterOverlappingSiblingsAreStale) {
    RecordingDialog dialog;
    OpenDialog(dialog, 300, 200);
    auto* below =
        static_cast<Box*>(dialog.CreateControl(L"TestBox", 1, CRect(10, 10, 100, 100), L"", 1, 1));
    auto* over =
        static_cast<Box*>(dialog.CreateControl(L"TestBox", 2, CRect(50, 50, 150, 150), L"", 1, 1));
    auto* apart =
        static_cast<Box*>(dialog.CreateControl(L"TestBox", 3, CRect(200, 10, 250, 60), L"", 1, 1));
    auto* earlier =
        static_cast<Box*>(dialog.CreateArea(L"TestBox", 4, CRect(0, 0, 120, 120), L"", 1, 1));
    over->fill = 0x80FFFFFF;  // translucent: what is beneath shows through its cache
    dialog.GetPaintManager().Invalidate();
    Pump();
    const int belowRenders = below->renders;
    const int overRenders = over->renders;
    const int apartRenders = apart->renders;
    const int earlierRenders = earlier->renders;

    dialog.GetPaintManager().Invalidate();  // a full repaint with every cache valid
    Pump();
    EXPECT_EQ(below->renders, belowRenders);
    EXPECT_EQ(over->renders, overRenders);

    below->fill = 0xFF0000FF;
    below->UpdateControl(1, 0);
    Pump();
    EXPECT_EQ(below->renders, belowRenders + 1);
    EXPECT_EQ(over->renders, overRenders + 1);  // drawn later and overlapping: re-rendered
    EXPECT_EQ(apart->renders, apartRenders);
    EXPECT_EQ(earlier->renders, earlierRenders);  // drawn earlier: only re-blitted
    const DWORD mixed = Frame(dialog)->GetPixel(60, 60);
    EXPECT_GT(ColorB(mixed), 0xC0);  // the new blue shows through the translucent sibling
    EXPECT_LT(ColorR(mixed), 0xC0);
}

TEST_F(Painting, NineGridKeepsCornersAndScalesTheCentre) {
    // 12 x 12 source: 4-pixel corners red, edges green, centre blue.
    Surface source(12, 12);
    for (int y = 0; y < 12; ++y) {
        for (int x = 0; x < 12; ++x) {
            const bool edgeX = x < 4 || x >= 8;
            const bool edgeY = y < 4 || y >= 8;
            source.SetPixel(
                x, y, edgeX && edgeY ? 0xFFFF0000 : (edgeX || edgeY ? 0xFF00FF00 : 0xFF0000FF));
        }
    }
    source.SetPixel(0, 0, 0xFFFFFF00);  // marks the corner's orientation
    Surface target(20, 20);
    {
        Graphics g(&target);
        MRender::DrawImageFrame(g, &source, CRect(5, 5, 15, 15), 0, 0, 12, 12, 4);
    }
    EXPECT_EQ(target.GetPixel(5, 5), 0xFFFFFF00u);
    EXPECT_EQ(target.GetPixel(6, 6), 0xFFFF0000u);
    EXPECT_EQ(target.GetPixel(14, 14), 0xFFFF0000u);
    EXPECT_EQ(target.GetPixel(5, 14), 0xFFFF0000u);
    EXPECT_EQ(target.GetPixel(14, 5), 0xFFFF0000u);
    // A 2 x 2 centre at (9..10, 9..10), framed by 2-pixel edges.
    for (int y = 9; y <= 10; ++y) {
        for (int x = 9; x <= 10; ++x) {
            EXPECT_EQ(target.GetPixel(x, y), 0xFF0000FFu) << x << "," << y;
        }
    }
    EXPECT_EQ(target.GetPixel(9, 5), 0xFF00FF00u);
    EXPECT_EQ(target.GetPixel(5, 9), 0xFF00FF00u);
    EXPECT_EQ(target.GetPixel(4, 4), 0u);
    EXPECT_EQ(target.GetPixel(15, 15), 0u);
}

TEST_F(Painting, ImageStripsAreCutByTheFirstRequestedCount) {
    RecordingDialog dialog;
    OpenDialog(dialog);
    const std::wstring strip = WriteThemeImage(
        "strip.png", 100, 10, [](int x, int) { return x < 33 ? 0xFFFF0000 : 0xFF0000FF; });
    PaintManager& manager = dialog.GetPaintManager();
    ImgResInfo* three = manager.AddImgResInfo(strip.c_str(), 3);
    ASSERT_NE(three, nullptr);
    EXPECT_EQ(three->frameWidth, 33);
    EXPECT_EQ(three->frameHeight, 10);
    EXPECT_EQ(manager.AddImgResInfo(strip.c_str(), 8), three);
    EXPECT_EQ(manager.AddImgResInfo(L"missing.png", 4), nullptr);
    EXPECT_EQ(manager.AddImgResInfo(strip.c_str(), 0)->frameWidth, 33);

    auto* box =
        static_cast<Box*>(dialog.CreateControl(L"TestBox", 1, CRect(0, 0, 10, 10), L"", 1, 1));
    EXPECT_EQ(box->SetImage(strip.c_str(), 3), 1);
    EXPECT_EQ(box->GetImageSize(), CSize(33, 10));
    EXPECT_EQ(box->SetImage(L"missing.png", 3), 0);
    EXPECT_EQ(box->GetImagePath(), strip);  // the previous image stays

    Surface target(40, 10);
    {
        Graphics g(&target);
        box->DrawImageFrameIndex(g, 0, CRect(0, 0, 33, 10));
        box->DrawImageFrameIndex(g, 3, CRect(0, 0, 33, 10));  // beyond the strip: nothing
    }
    EXPECT_EQ(target.GetPixel(32, 5), 0xFFFF0000u);
    Box orphan(nullptr, 9, CRect(), L"", 1, 1);
    EXPECT_EQ(orphan.SetImage(strip.c_str(), 3), 0);
}

TEST_F(Painting, BackgroundImageInFrameModeIsANineGridOverTheClient) {
    RecordingDialog dialog;
    OpenDialog(dialog, 60, 40);
    const std::wstring back = WriteThemeImage("back.png", 12, 12, [](int x, int y) {
        return (x < 4 && y < 4) ? 0xFFFF0000 : 0xFF00FF00;
    });
    dialog.SetBackMode(BACK_MODE_FRAME, 4);
    ASSERT_EQ(dialog.LoadBKImage(back), 1);
    Pump();
    EXPECT_EQ(Frame(dialog)->GetPixel(1, 1), 0xFFFF0000u);
    EXPECT_EQ(Frame(dialog)->GetPixel(30, 20), 0xFF00FF00u);
    EXPECT_EQ(dialog.LoadBKImage(L"missing.png"), 0);
    Pump();
    EXPECT_EQ(Frame(dialog)->GetPixel(0, 0), 0xFE503E98u);
}

TEST_F(Painting, ProgressAnimatesInStepsOfTwoAndSmallStepsJump) {
    RecordingDialog dialog;
    OpenDialog(dialog, 300, 200);
    PaintManager& manager = dialog.GetPaintManager();
    manager.SetProgress(0, L"Saving", CRect());
    manager.SetProgress(50, L"Saving", CRect());
    EXPECT_EQ(manager.GetProgressShown(), 0);
    for (int tick = 1; tick <= 3; ++tick) {
        clock_.advance(10ms);
        Pump();
        EXPECT_EQ(manager.GetProgressShown(), 2 * tick);
    }
    RecordingDialog other;
    OpenDialog(other);
    other.GetPaintManager().SetProgress(0, L"", CRect());
    other.GetPaintManager().SetProgress(3, L"", CRect());
    EXPECT_EQ(other.GetPaintManager().GetProgressShown(), 3);
    // The box is drawn over the bottom band of the client area.
    Pump();
    EXPECT_EQ(Frame(dialog)->GetPixel(5, 190) & 0x00FFFFFF, 0x141414u);
}

TEST_F(Painting, DrawColorWithZeroAlphaLeavesTheSurface) {
    Surface surface(4, 4);
    surface.Clear(0xFF112233);
    HDC hdc = &surface;
    MRender::DrawColor(hdc, CRect(0, 0, 4, 4), 0x00FFFFFF);
    EXPECT_EQ(surface.GetPixel(2, 2), 0xFF112233u);
    MRender::DrawColor(hdc, CRect(0, 0, 4, 4), 0xFFFFFFFF);
    EXPECT_EQ(surface.GetPixel(2, 2), 0xFFFFFFFFu);
    DWORD black = 0xFF000000;
    MRender::CheckAlphaColor(black);
    EXPECT_EQ(black, 0xFF000001u);
    EXPECT_EQ(MRender::GetOriginPoint(100, 50, 20, 10, 1, 4), CPoint(40, 20));
    EXPECT_EQ(MRender::GetOriginPoint(CRect(10, 10, 110, 60), 20, 10, 2, 8), CPoint(90, 52));
}

TEST_F(Painting, TooltipShowsNearThePointerWithItsOwnColour) {
    RecordingDialog dialog;
    OpenDialog(dialog);
    auto* box =
        static_cast<Box*>(dialog.CreateControl(L"TestBox", 1, CRect(10, 10, 100, 100), L"", 1, 1));
    box->SetTooltip(
        L"Sensitivity levels of the current profile, shown as a long explanation that wraps");
    InjectMouse(dialog.GetSafeHwnd(), WM_MOUSEMOVE, 20, 20);
    InjectMouse(dialog.GetSafeHwnd(), WM_MOUSEMOVE, 21, 20);
    Pump();
    TooltipWindow* tip = dialog.GetPaintManager().GetTooltipWindow();
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(dialog.GetPaintManager().GetTooltipCtrlID(), 1u);
    ASSERT_TRUE(IsWindowVisible(tip->GetHwnd()));
    RECT rect;
    GetWindowRect(tip->GetHwnd(), &rect);
    EXPECT_LE(CRect(rect).Width(), 256);
    EXPECT_GT(CRect(rect).Height(), 20);  // wrapped onto several lines
    auto frame = GetWindowFrame(tip->GetHwnd());
    EXPECT_EQ(frame->GetPixel(2, 2), 0xFFF5F5F5u);
    InjectMouse(dialog.GetSafeHwnd(), WM_MOUSELEAVE, 0, 0);
    Pump();
    EXPECT_FALSE(IsWindowVisible(tip->GetHwnd()));
}

TEST(LibraryResources, ScrollPicturesAndFontAreEmbedded) {
    struct Case {
        unsigned id;
        int width;
        int height;
    } cases[] = {{kScrollHorizontalResource, 22, 20}, {kScrollVerticalResource, 12, 72}};
    for (const auto& c : cases) {
        auto image = MRender::LoadImageFromIDResource(c.id, L"PNG", LibraryModule());
        ASSERT_NE(image, nullptr) << c.id;
        EXPECT_EQ(image->GetWidth(), c.width);
        EXPECT_EQ(image->GetHeight(), c.height);
    }
    EXPECT_TRUE(FindResource(LibraryModule(), kFontResource, L"TTF"));
    EXPECT_TRUE(FindResource(LibraryModule(), kFontResource, L"ttf"));
    EXPECT_EQ(MRender::LoadImageFromIDResource(999, L"PNG", LibraryModule()), nullptr);
}

TEST(ImageList, InsertRulesAndFrameDrawing) {
    pellora::testing::TempDir dir("tessel-images");
    Surface strip(20, 10);
    {
        Graphics g(&strip);
        g.FillRect(CRect(0, 0, 10, 10), 0xFFFF0000);
        g.FillRect(CRect(10, 0, 20, 10), 0xFF00FF00);
    }
    const std::string path = (dir.path() / "icons.png").string();
    ASSERT_TRUE(strip.SavePng(path));
    const std::wstring wpath = Utf8ToWide(path);
    MImageList list;
    EXPECT_EQ(list.AddImage(wpath.c_str(), 7, 2), 0);
    EXPECT_EQ(list.InsertImage(-1, wpath.c_str(), 8, 2), 1);
    EXPECT_EQ(list.InsertImage(0, wpath.c_str(), 9, 2), -1);
    EXPECT_EQ(list.InsertImage(5, wpath.c_str(), 10, 2), -1);
    EXPECT_EQ(list.InsertImage(-1, nullptr, 11, 2), -1);
    EXPECT_EQ(list.GetImageCount(), 3);
    EXPECT_EQ(list.GetItemImageData(0).id, 9);
    EXPECT_EQ(list.GetImagePathByID(8), wpath);
    EXPECT_EQ(list.GetItemImageData(1).frameWidth, 10);
    Surface target(30, 30);
    {
        Graphics g(&target);
        list.DrawItemIcon(g, CRect(0, 0, 30, 30), 0, 1);
    }
    EXPECT_EQ(target.GetPixel(15, 15), 0xFF00FF00u);
    EXPECT_EQ(target.GetPixel(5, 5), 0u);
    list.DelAllImages();
    EXPECT_EQ(list.GetImageCount(), 0);
}

}  // namespace
