#pragma once
// A decoded PNG for the theme tests, with pixels as straight (not premultiplied) RGBA.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace pellora::testing {

struct Rgba {
    std::uint8_t r = 0, g = 0, b = 0, a = 0;
    bool operator==(const Rgba&) const = default;
};

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<Rgba> pixels;

    Rgba At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

std::optional<Picture> LoadPicture(const std::filesystem::path& path);
std::optional<Picture> LoadPictureFromBytes(const std::string& png);

// WCAG 2 contrast ratio of two opaque colours given as 0xRRGGBB.
double ContrastRatio(std::uint32_t a, std::uint32_t b);
// The pixel composited over an opaque background, as 0xRRGGBB.
std::uint32_t Over(Rgba pixel, std::uint32_t background);

// Where the build put things.
std::filesystem::path SourceDir();
std::filesystem::path AppDir();
std::filesystem::path ThemeDir();
std::filesystem::path ResourceDir();

}  // namespace pellora::testing
