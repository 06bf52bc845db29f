// Drawing surfaces, image decoding and text measuring.
#include <gtest/gtest.h>

#include <fstream>

#include "support/temp_dir.h"
#include "tessel/platform/image_io.h"
#include "tessel/platform/surface.h"

using namespace DUI;

namespace {

TEST(Rectangles, IntersectionAndUnionFollowThePlatformRules) {
    CRect r;
    EXPECT_TRUE(r.IntersectRect(CRect(0, 0, 10, 10), CRect(5, 5, 20, 20)));
    EXPECT_EQ(r, CRect(5, 5, 10, 10));
    EXPECT_FALSE(r.IntersectRect(CRect(0, 0, 10, 10), CRect(10, 0, 20, 10)));  // touching edges
    EXPECT_TRUE(r.IsRectNull());
    EXPECT_TRUE(r.UnionRect(CRect(), CRect(1, 2, 3, 4)));
    EXPECT_EQ(r, CRect(1, 2, 3, 4));
    EXPECT_FALSE(CRect(0, 0, 10, 10).PtInRect(POINT{10, 5}));
    EXPECT_TRUE(CRect(0, 0, 10, 10).PtInRect(POINT{0, 9}));
}

TEST(Surfaces, PixelsRoundTripThroughPremultiplication) {
    Surface s(3, 1);
    for (const DWORD c : {0xFF123456u, 0x80FF0000u, 0xFE503E98u, 0x00000000u}) {
        s.SetPixel(1, 0, c);
        if (ColorA(c) == 255 || ColorA(c) == 254 || c == 0) {
            EXPECT_EQ(s.GetPixel(1, 0), c);
        } else {
            EXPECT_EQ(ColorA(s.GetPixel(1, 0)), ColorA(c));
            EXPECT_NEAR(ColorR(s.GetPixel(1, 0)), ColorR(c), 2);
        }
    }
    EXPECT_EQ(s.GetPixel(-1, 0), 0u);
    EXPECT_EQ(s.GetPixel(3, 0), 0u);
    Surface empty(0, -5);
    EXPECT_EQ(empty.GetWidth(), 1);
}

TEST(Surfaces, BlockCopyClipsToBothSurfaces) {
    Surface src(4, 4);
    src.Clear(0xFF00FF00);
    Surface dst(4, 4);
    // Source (0, 0) lands at (1 + 2, 1 + 2); the rest falls outside the target.
    dst.CopyFrom(src, CRect(-2, -2, 2, 2), 1, 1);
    EXPECT_EQ(dst.GetPixel(1, 1), 0u);
    EXPECT_EQ(dst.GetPixel(2, 2), 0u);
    EXPECT_EQ(dst.GetPixel(3, 3), 0xFF00FF00u);
    dst.CopyFrom(src, CRect(0, 0, 4, 4), 100, 100);  // entirely outside: nothing, no fault
}

TEST(Surfaces, GradientRunsFromOneColourToTheOther) {
    Surface s(100, 2);
    {
        Graphics g(&s);
        g.FillGradient(CRect(0, 0, 100, 2), 0xFF000000, 0xFFFFFFFF, false);
    }
    EXPECT_LT(ColorR(s.GetPixel(0, 0)), 10);
    EXPECT_GT(ColorR(s.GetPixel(99, 0)), 245);
    EXPECT_NEAR(ColorR(s.GetPixel(50, 0)), 128, 8);
}

TEST(Images, DecodersAndBadInput) {
    pellora::testing::TempDir dir("tessel-images");
    Surface picture(5, 3);
    picture.Clear(0xFF336699);
    const auto png = (dir.path() / "p.png").string();
    const auto bmp = (dir.path() / "p.bmp").string();
    ASSERT_TRUE(picture.SavePng(png));
    ASSERT_TRUE(picture.SaveBmp(bmp));
    for (const auto& path : {png, bmp}) {
        auto image = LoadImageFile(path);
        ASSERT_NE(image, nullptr) << path;
        EXPECT_EQ(image->GetWidth(), 5);
        EXPECT_EQ(image->GetHeight(), 3);
        EXPECT_EQ(image->GetPixel(4, 2), 0xFF336699u);
    }
    EXPECT_EQ(LoadImageFile((dir.path() / "missing.png").string()), nullptr);
    const std::string junk = "\x89PNG\r\n\x1a\n this is not a picture";
    EXPECT_EQ(LoadImageData(junk.data(), junk.size()), nullptr);
    EXPECT_EQ(LoadImageData(nullptr, 10), nullptr);
    // An icon directory whose entry points past the end of the file.
    const unsigned char ico[] = {0, 0,  1, 0,    1,    0, 16, 16, 0, 0, 1,
                                 0, 32, 0, 0xFF, 0xFF, 0, 0,  22, 0, 0, 0};
    EXPECT_EQ(LoadImageData(ico, sizeof ico), nullptr);
    EXPECT_TRUE(LoadAnimationData(junk.data(), junk.size()).empty());
    auto scaled = ScaleImage(picture, 10, 6);
    EXPECT_EQ(scaled->GetWidth(), 10);
    EXPECT_EQ(scaled->GetPixel(5, 3), 0xFF336699u);
}

TEST(Images, IconWithEmbeddedPictureTakesTheLargest) {
    pellora::testing::TempDir dir("tessel-icons");
    Surface small(16, 16);
    small.Clear(0xFFFF0000);
    Surface large(32, 32);
    large.Clear(0xFF0000FF);
    const auto a = (dir.path() / "a.png").string();
    const auto b = (dir.path() / "b.png").string();
    ASSERT_TRUE(small.SavePng(a));
    ASSERT_TRUE(large.SavePng(b));
    std::vector<unsigned char> pa;
    std::vector<unsigned char> pb;
    ASSERT_TRUE(ReadFileBytes(a, &pa));
    ASSERT_TRUE(ReadFileBytes(b, &pb));
    std::vector<unsigned char> ico = {0, 0, 1, 0, 2, 0};
    const auto entry = [&](int size, std::size_t bytes, std::size_t offset) {
        const unsigned char e[16] = {static_cast<unsigned char>(size),
                                     static_cast<unsigned char>(size),
                                     0,
                                     0,
                                     1,
                                     0,
                                     32,
                                     0,
                                     static_cast<unsigned char>(bytes),
                                     static_cast<unsigned char>(bytes >> 8),
                                     0,
                                     0,
                                     static_cast<unsigned char>(offset),
                                     static_cast<unsigned char>(offset >> 8),
                                     0,
                                     0};
        ico.insert(ico.end(), e, e + 16);
    };
    entry(16, pa.size(), 6 + 32);
    entry(32, pb.size(), 6 + 32 + pa.size());
    ico.insert(ico.end(), pa.begin(), pa.end());
    ico.insert(ico.end(), pb.begin(), pb.end());
    auto image = LoadImageData(ico.data(), ico.size());
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->GetWidth(), 32);
    EXPECT_EQ(image->GetPixel(3, 3), 0xFF0000FFu);
}

TEST(Text, WrappingMakesTextTallerAndNarrower) {
    Font font;
    font.family = L"Open Sans";
    const std::wstring text = L"Report rate and lift-off distance of the current profile";
    const CSize line = MeasureString(text, font, 0, false);
    const CSize wrapped = MeasureString(text, font, 120, true);
    EXPECT_GT(line.cx, 120);
    EXPECT_LE(wrapped.cx, 120);
    EXPECT_GT(wrapped.cy, line.cy);
    EXPECT_EQ(MeasureString(L"", font, 0, false), CSize(0, 0));

    Surface s(60, 20);
    {
        Graphics g(&s);
        TextFormat format;
        format.ellipsis = true;
        g.DrawString(text, CRect(0, 0, 60, 20), font, 0xFF000000, format);
    }
    int inked = 0;
    for (int x = 0; x < 60; ++x) {
        for (int y = 0; y < 20; ++y) {
            inked += ColorA(s.GetPixel(x, y)) != 0;
        }
    }
    EXPECT_GT(inked, 20);
}

}  // namespace
