// The theme is drawn at every build, so it must come out the same every time: a picture that
// changes by itself churns caches and packages and hides real changes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "picture.h"
#include "support/temp_dir.h"

namespace pellora::testing {
namespace {
namespace fs = std::filesystem;

std::string Bytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool Draw(const fs::path& out) {
    const std::string command =
        std::string("\"") + PELLORA_THEME_TOOL + "\" --app \"" + (out / "app").string() +
        "\" --resources \"" + (out / "res").string() + "\" --font-semibold \"" +
        PELLORA_THEME_FONT_SEMIBOLD + "\" --font-bold \"" + PELLORA_THEME_FONT_BOLD + "\"";
    return std::system(command.c_str()) == 0;
}

TEST(ThemeGenerator, DrawsTheSameBytesEveryTime) {
    TempDir first, second;
    ASSERT_TRUE(Draw(first.path()));
    ASSERT_TRUE(Draw(second.path()));
    int files = 0;
    for (const auto& entry : fs::recursive_directory_iterator(first.path())) {
        if (!entry.is_regular_file()) {
            continue;
        }
        ++files;
        const fs::path relative = entry.path().lexically_relative(first.path());
        EXPECT_EQ(Bytes(entry.path()), Bytes(second.path() / relative)) << relative;
    }
    EXPECT_GT(files, 50);
    // And the same as the build's own copy.
    EXPECT_EQ(Bytes(first.path() / "app" / "skins" / "theme1" / "img_button.png"),
              Bytes(ThemeDir() / "img_button.png"));
}

TEST(ThemeGenerator, RefusesToRunWithoutItsFonts) {
    TempDir out;
    const std::string command = std::string("\"") + PELLORA_THEME_TOOL + "\" --app \"" +
                                out.path().string() + "\" --resources \"" + out.path().string() +
                                "\" --font-semibold /nonexistent.ttf --font-bold /nonexistent.ttf"
                                " 2>/dev/null";
    EXPECT_NE(std::system(command.c_str()), 0);
    EXPECT_FALSE(fs::exists(out.path() / "skins"));
}

}  // namespace
}  // namespace pellora::testing
