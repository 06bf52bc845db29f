// The generated pictures against what the controls rely on: sizes and frame counts, states that
// can be told apart, text that stays legible on them, and an icon file the tray can read.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "catalog.h"
#include "picture.h"

namespace pellora::testing {
namespace {
using theme::ImageLayout;

std::string Bytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void ExpectSize(const std::filesystem::path& path, int width, int height) {
    const auto picture = LoadPicture(path);
    ASSERT_TRUE(picture) << path << " is missing or not a PNG";
    EXPECT_EQ(picture->width, width) << path;
    EXPECT_EQ(picture->height, height) << path;
}

TEST(ThemePictures, EveryCataloguedPictureHasTheSizeItsControlsCutItBy) {
    for (const ImageLayout& layout : theme::kThemeImages) {
        SCOPED_TRACE(layout.name);
        ExpectSize(ThemeDir() / layout.name, layout.width(), layout.height);
        EXPECT_EQ(layout.width() % layout.frames, 0);
    }
    for (const ImageLayout& layout : theme::kMousePictures) {
        SCOPED_TRACE(layout.name);
        ExpectSize(AppDir() / "device" / layout.name, layout.width(), layout.height);
        // The device list and the key page must show the same mouse.
        EXPECT_EQ(Bytes(AppDir() / "device" / layout.name),
                  Bytes(ThemeDir() / "device" / layout.name));
    }
    for (const auto& scroll : theme::kScrollPictures) {
        SCOPED_TRACE(scroll.name);
        ExpectSize(ResourceDir() / scroll.name, scroll.width, scroll.height);
    }
}

int DifferingPixels(const Picture& p, int frame_width, int a, int b) {
    int count = 0;
    for (int y = 0; y < p.height; ++y) {
        for (int x = 0; x < frame_width; ++x) {
            count += p.At(a * frame_width + x, y) == p.At(b * frame_width + x, y) ? 0 : 1;
        }
    }
    return count;
}

TEST(ThemePictures, EveryStateOfAStripLooksDifferent) {
    for (const ImageLayout& layout : theme::kThemeImages) {
        if (layout.frames < 2) {
            continue;
        }
        const auto picture = LoadPicture(ThemeDir() / layout.name);
        ASSERT_TRUE(picture) << layout.name;
        for (int a = 0; a < layout.frames; ++a) {
            for (int b = a + 1; b < layout.frames; ++b) {
                EXPECT_GE(DifferingPixels(*picture, layout.frame_width, a, b), 8)
                    << layout.name << ": frames " << a << " and " << b << " look alike";
            }
        }
    }
}

// Text colours the controls draw on these pictures (white captions, the check boxes' grey, the
// key list's pale blue, the call-out labels' accent and near-black, the disabled grey).
struct TextOnPicture {
    const char* picture;
    int frame;
    std::uint32_t text;
    int text_right = 0;  // pixels at the right edge the text stays out of (a combo's button)
};

constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kCaptionGrey = 0xC8C8C8;
constexpr std::uint32_t kKeyListText = 0xB8D3EF;
constexpr std::uint32_t kAccentText = 0x503E98;
constexpr std::uint32_t kNearBlack = 0x050505;
constexpr std::uint32_t kDisabledText = 0x808080;
constexpr std::uint32_t kWindow = 0x0A0B0C;

constexpr TextOnPicture kTextOnPictures[] = {
    {"img_button.png", 0, kWhite},
    {"img_button.png", 1, kWhite},
    {"img_button.png", 2, kWhite},
    {"img_button.png", 3, kDisabledText},
    {"img_button2.png", 0, kWhite},
    {"img_button2.png", 1, kWhite},
    {"img_button2.png", 2, kWhite},
    {"img_button2.png", 3, kDisabledText},
    {"img_combobox.png", 0, kWhite, 35},
    {"img_combobox.png", 1, kWhite, 35},
    {"img_combobox.png", 2, kWhite, 35},
    {"img_combobox.png", 3, kDisabledText, 35},
    {"img_combobox_bkg.png", 0, kWhite, 35},
    {"img_edit.png", 0, kWhite},
    {"img_edit.png", 2, kWhite},
    {"img_area.png", 0, kWhite},
    {"img_area.png", 1, kWhite},
    {"img_area.png", 2, kWhite},
    {"img_list_bkg.png", 0, kWhite},
    {"img_list_bkg.png", 1, kWhite},
    {"img_list_bkg.png", 0, kKeyListText},
    {"img_list_bkg.png", 1, kKeyListText},
    {"img_key_bkg.png", 0, kAccentText},
    {"img_key_bkg.png", 1, kNearBlack},
    {"img_tabitem_bkg.png", 0, kWhite},
    {"img_tabitem_bkg.png", 1, kWhite},
    {"img_tabitem_bkg.png", 2, kWhite},
    {"img_tip_bk.png", 0, kWhite},
    {"main_bkg.png", 0, kWhite},
    {"main_bkg.png", 0, kCaptionGrey},
    {"img_area_bkg.png", 0, kCaptionGrey},
    {"img_area_content.png", 0, kCaptionGrey},
    {"img_area3.png", 0, kWhite},
    {"img_area_caption.png", 0, kWhite},
    {"img_menu_item.png", 1, kWhite},
    {"img_menu_item.png", 2, kWhite},
    {"img_record_bkg.png", 0, kWhite},
    {"img_record_bkg.png", 1, kWhite},
    {"img_record_bkg.png", 2, kWhite},
    {"bk_prompt.png", 0, kWhite},
    {"img_upgrade_bkg.png", 0, kWhite},
};

TEST(ThemePictures, TextOnThemeFillsMeetsAaContrast) {
    for (const TextOnPicture& t : kTextOnPictures) {
        const ImageLayout* layout = nullptr;
        for (const ImageLayout& s : theme::kThemeImages) {
            layout = std::strcmp(s.name, t.picture) == 0 ? &s : layout;
        }
        ASSERT_NE(layout, nullptr) << t.picture;
        const auto picture = LoadPicture(ThemeDir() / t.picture);
        ASSERT_TRUE(picture) << t.picture;
        // Across the frame's middle, where a caption sits; pictures lie on the window colour.
        for (double at : {0.25, 0.5, 0.75}) {
            const int span = layout->frame_width - t.text_right;
            const int x = t.frame * layout->frame_width + static_cast<int>(span * at);
            const std::uint32_t fill = Over(picture->At(x, layout->height / 2), kWindow);
            EXPECT_GE(ContrastRatio(fill, t.text), 4.5)
                << t.picture << " frame " << t.frame << " at " << at << ": fill " << std::hex
                << fill << " under text " << t.text;
        }
    }
}

std::uint32_t Le(const std::string& b, std::size_t at, int bytes) {
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) {
        v = (v << 8) | static_cast<unsigned char>(b[at + i]);
    }
    return v;
}

TEST(ThemePictures, ProgramIconHoldsEverySizeAndMatchesItsPng) {
    const std::string ico = Bytes(ThemeDir() / theme::kIconFile);
    ASSERT_GE(ico.size(), 6u);
    EXPECT_EQ(Le(ico, 0, 2), 0u);
    EXPECT_EQ(Le(ico, 2, 2), 1u) << "not an icon file";
    const std::uint32_t count = Le(ico, 4, 2);
    ASSERT_EQ(count, std::size(theme::kIconSizes));
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::size_t entry = 6 + 16 * i;
        const int size = theme::kIconSizes[i];
        EXPECT_EQ(Le(ico, entry, 1), size >= 256 ? 0u : static_cast<std::uint32_t>(size));
        const std::uint32_t length = Le(ico, entry + 8, 4), offset = Le(ico, entry + 12, 4);
        ASSERT_LE(static_cast<std::size_t>(offset) + length, ico.size());
        const auto image = LoadPictureFromBytes(ico.substr(offset, length));
        ASSERT_TRUE(image) << "entry " << i << " is not a PNG";
        EXPECT_EQ(image->width, size);
        EXPECT_EQ(image->height, size);
        if (size == 256) {
            const auto png = LoadPicture(ThemeDir() / "Ostrevan.png");
            ASSERT_TRUE(png);
            EXPECT_EQ(png->pixels, image->pixels) << "the desktop picture differs from the icon";
        }
    }
}

}  // namespace
}  // namespace pellora::testing
