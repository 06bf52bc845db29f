#include "picture.h"

#include <cairo.h>

#include <cmath>
#include <cstring>

namespace pellora::testing {
namespace {

struct ReadState {
    const std::string* bytes;
    std::size_t offset;
};

cairo_status_t ReadBytes(void* closure, unsigned char* data, unsigned int length) {
    auto* state = static_cast<ReadState*>(closure);
    if (state->offset + length > state->bytes->size()) {
        return CAIRO_STATUS_READ_ERROR;
    }
    std::memcpy(data, state->bytes->data() + state->offset, length);
    state->offset += length;
    return CAIRO_STATUS_SUCCESS;
}

std::optional<Picture> FromSurface(cairo_surface_t* surface) {
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface);
        return std::nullopt;
    }
    cairo_surface_t* argb =
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, cairo_image_surface_get_width(surface),
                                   cairo_image_surface_get_height(surface));
    cairo_t* cr = cairo_create(argb);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(cr, surface, 0, 0);
    cairo_paint(cr);
    cairo_destroy(cr);
    cairo_surface_flush(argb);

    Picture picture;
    picture.width = cairo_image_surface_get_width(argb);
    picture.height = cairo_image_surface_get_height(argb);
    const int stride = cairo_image_surface_get_stride(argb);
    const unsigned char* data = cairo_image_surface_get_data(argb);
    picture.pixels.reserve(static_cast<std::size_t>(picture.width) * picture.height);
    for (int y = 0; y < picture.height; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(data + y * stride);
        for (int x = 0; x < picture.width; ++x) {
            const std::uint32_t p = row[x];
            const unsigned a = p >> 24;
            auto straight = [a](unsigned c) {
                return static_cast<std::uint8_t>(a == 0 ? 0 : (c * 255 + a / 2) / a);
            };
            picture.pixels.push_back({straight((p >> 16) & 0xFF), straight((p >> 8) & 0xFF),
                                      straight(p & 0xFF), static_cast<std::uint8_t>(a)});
        }
    }
    cairo_surface_destroy(argb);
    cairo_surface_destroy(surface);
    return picture;
}

double Channel(unsigned c) {
    const double v = c / 255.0;
    return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
}

double Luminance(std::uint32_t rgb) {
    return 0.2126 * Channel((rgb >> 16) & 0xFF) + 0.7152 * Channel((rgb >> 8) & 0xFF) +
           0.0722 * Channel(rgb & 0xFF);
}

}  // namespace

std::optional<Picture> LoadPicture(const std::filesystem::path& path) {
    return FromSurface(cairo_image_surface_create_from_png(path.c_str()));
}

std::optional<Picture> LoadPictureFromBytes(const std::string& png) {
    ReadState state{&png, 0};
    return FromSurface(cairo_image_surface_create_from_png_stream(ReadBytes, &state));
}

double ContrastRatio(std::uint32_t a, std::uint32_t b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

std::uint32_t Over(Rgba p, std::uint32_t background) {
    auto mix = [&](unsigned fg, int shift) {
        const unsigned bg = (background >> shift) & 0xFF;
        return static_cast<std::uint32_t>(std::lround((fg * p.a + bg * (255.0 - p.a)) / 255.0))
               << shift;
    };
    return mix(p.r, 16) | mix(p.g, 8) | mix(p.b, 0);
}

std::filesystem::path SourceDir() {
    return PELLORA_SOURCE_DIR;
}
std::filesystem::path AppDir() {
    return PELLORA_APP_DIR;
}
std::filesystem::path ThemeDir() {
    return AppDir() / "skins" / "theme1";
}
std::filesystem::path ResourceDir() {
    return PELLORA_RESOURCE_DIR;
}

}  // namespace pellora::testing
