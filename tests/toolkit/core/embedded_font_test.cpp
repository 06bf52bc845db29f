// With no font files on the machine at all, text still draws in "Open Sans Semibold" once the
// library's embedded font is registered.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>

#include "support/temp_dir.h"
#include "tessel/core/paint_manager.h"
#include "tessel/platform/fonts.h"
#include "tessel/platform/resources.h"
#include "tessel/platform/surface.h"

using namespace DUI;

namespace {

int InkedPixels(const Surface& surface) {
    int count = 0;
    for (int y = 0; y < surface.GetHeight(); ++y) {
        for (int x = 0; x < surface.GetWidth(); ++x) {
            count += ColorA(surface.GetPixel(x, y)) > 0 ? 1 : 0;
        }
    }
    return count;
}

TEST(EmbeddedFont, TextDrawsInTheEmbeddedFaceWithAnEmptyFontConfiguration) {
    pellora::testing::TempDir dir("tessel-fonts");
    const auto config = dir.path() / "fonts.conf";
    std::ofstream(config) << "<?xml version=\"1.0\"?>\n<fontconfig>\n<cachedir>"
                          << (dir.path() / "cache").string() << "</cachedir>\n</fontconfig>\n";
    setenv("FONTCONFIG_FILE", config.string().c_str(), 1);
    unsetenv("FONTCONFIG_PATH");

    EXPECT_FALSE(IsFontFamilyAvailable(L"Open Sans Semibold"));
    ASSERT_TRUE(FindResource(LibraryModule(), kFontResource, L"TTF"));

    PaintManager manager;
    ASSERT_EQ(manager.AddGDITempFont(kFontResource, L"TTF"), 1);
    EXPECT_TRUE(IsFontFamilyAvailable(L"Open Sans Semibold"));
    FontFamily* family = manager.FindTempFont(L"Open Sans Semibold");
    ASSERT_NE(family, nullptr);
    const std::wstring resolved = ResolveFontFamily(family->family, family->weight);
    EXPECT_EQ(resolved.rfind(L"Open Sans", 0), 0u) << std::string(resolved.begin(), resolved.end());

    Surface surface(120, 30);
    {
        Graphics g(&surface);
        Font font;
        font.family = family->family;
        g.DrawString(L"Quorvel", CRect(0, 0, 120, 30), font, 0xFF000000, TextFormat{});
    }
    EXPECT_GT(InkedPixels(surface), 50);
    EXPECT_GT(MeasureString(L"Quorvel", Font{}, 0, false).cx, 30);
}

}  // namespace
