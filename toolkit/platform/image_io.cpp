#include "tessel/platform/image_io.h"

#include <cairo.h>

#include <cstring>
#include <fstream>

#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#define STBI_NO_STDIO
#define STBI_FAILURE_USERMSG
#include <stb/stb_image.h>

namespace DUI {
namespace {

// Straight RGBA rows into a premultiplied surface.
std::unique_ptr<Image> FromRgba(const unsigned char* rgba, int width, int height) {
    auto image = std::make_unique<Image>(width, height);
    auto* out = reinterpret_cast<std::uint8_t*>(image->Data());
    const int stride = image->Stride();
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(out + static_cast<std::size_t>(y) * stride);
        const unsigned char* in = rgba + static_cast<std::size_t>(y) * width * 4;
        for (int x = 0; x < width; ++x) {
            const std::uint32_t a = in[x * 4 + 3];
            const auto mul = [a](std::uint32_t c) { return (c * a + 127) / 255; };
            row[x] =
                (a << 24) | (mul(in[x * 4]) << 16) | (mul(in[x * 4 + 1]) << 8) | mul(in[x * 4 + 2]);
        }
    }
    image->MarkDirty();
    return image;
}

std::uint16_t Le16(const unsigned char* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
std::uint32_t Le32(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

// An icon directory: the largest entry, either an embedded PNG or a 32/24-bit DIB with its mask.
std::unique_ptr<Image> LoadIco(const unsigned char* data, std::size_t size) {
    if (size < 6 || Le16(data) != 0 || Le16(data + 2) != 1) {
        return nullptr;
    }
    const std::size_t count = Le16(data + 4);
    if (count == 0 || 6 + count * 16 > size) {
        return nullptr;
    }
    std::size_t best = count;
    std::uint64_t bestArea = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const unsigned char* e = data + 6 + i * 16;
        const std::uint64_t w = e[0] == 0 ? 256 : e[0];
        const std::uint64_t h = e[1] == 0 ? 256 : e[1];
        const std::uint32_t bytes = Le32(e + 8);
        const std::uint32_t offset = Le32(e + 12);
        if (offset >= size || bytes > size - offset) {
            continue;
        }
        if (w * h > bestArea) {
            bestArea = w * h;
            best = i;
        }
    }
    if (best == count) {
        return nullptr;
    }
    const unsigned char* e = data + 6 + best * 16;
    const unsigned char* body = data + Le32(e + 12);
    const std::size_t bodySize = Le32(e + 8);
    if (bodySize >= 8 && std::memcmp(body, "\x89PNG", 4) == 0) {
        return LoadImageData(body, bodySize);
    }
    if (bodySize < 40) {
        return nullptr;
    }
    const std::uint32_t headerSize = Le32(body);
    const int width = static_cast<int>(Le32(body + 4));
    const int height = static_cast<int>(Le32(body + 8)) / 2;
    const int bits = Le16(body + 14);
    if (headerSize < 40 || width <= 0 || height <= 0 || width > 1024 || height > 1024 ||
        (bits != 32 && bits != 24)) {
        return nullptr;
    }
    const std::size_t rowBytes = ((static_cast<std::size_t>(width) * bits + 31) / 32) * 4;
    const std::size_t maskRow = ((static_cast<std::size_t>(width) + 31) / 32) * 4;
    const std::size_t need = headerSize + rowBytes * height + (bits == 24 ? maskRow * height : 0);
    if (need > bodySize) {
        return nullptr;
    }
    std::vector<unsigned char> rgba(static_cast<std::size_t>(width) * height * 4);
    const unsigned char* pixels = body + headerSize;
    const unsigned char* mask = pixels + rowBytes * height;
    for (int y = 0; y < height; ++y) {
        const unsigned char* row = pixels + rowBytes * (height - 1 - y);
        for (int x = 0; x < width; ++x) {
            unsigned char* o = &rgba[(static_cast<std::size_t>(y) * width + x) * 4];
            const unsigned char* p = row + static_cast<std::size_t>(x) * (bits / 8);
            o[0] = p[2];
            o[1] = p[1];
            o[2] = p[0];
            if (bits == 32) {
                o[3] = p[3];
            } else {
                const unsigned char* m = mask + maskRow * (height - 1 - y);
                o[3] = (m[x / 8] & (0x80 >> (x % 8))) != 0 ? 0 : 255;
            }
        }
    }
    return FromRgba(rgba.data(), width, height);
}

}  // namespace

bool ReadFileBytes(const std::string& path, std::vector<unsigned char>* bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return false;
    }
    bytes->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

std::unique_ptr<Image> LoadImageData(const void* data, std::size_t size) {
    if (data == nullptr || size == 0 || size > 0x7FFFFFFF) {
        return nullptr;
    }
    const auto* bytes = static_cast<const unsigned char*>(data);
    if (size >= 4 && Le16(bytes) == 0 && Le16(bytes + 2) == 1) {
        return LoadIco(bytes, size);
    }
    int width = 0;
    int height = 0;
    int channels = 0;
    unsigned char* rgba =
        stbi_load_from_memory(bytes, static_cast<int>(size), &width, &height, &channels, 4);
    if (rgba == nullptr) {
        return nullptr;
    }
    std::unique_ptr<Image> image;
    if (width > 0 && height > 0 && width <= 16384 && height <= 16384) {
        image = FromRgba(rgba, width, height);
    }
    stbi_image_free(rgba);
    return image;
}

std::unique_ptr<Image> LoadImageFile(const std::string& path) {
    std::vector<unsigned char> bytes;
    if (path.empty() || !ReadFileBytes(path, &bytes)) {
        return nullptr;
    }
    return LoadImageData(bytes.data(), bytes.size());
}

std::vector<AnimationFrame> LoadAnimationData(const void* data, std::size_t size) {
    std::vector<AnimationFrame> frames;
    if (data == nullptr || size < 6 || size > 0x7FFFFFFF) {
        return frames;
    }
    const auto* bytes = static_cast<const unsigned char*>(data);
    if (std::memcmp(bytes, "GIF", 3) == 0) {
        int* delays = nullptr;
        int width = 0;
        int height = 0;
        int count = 0;
        int channels = 0;
        unsigned char* rgba = stbi_load_gif_from_memory(bytes, static_cast<int>(size), &delays,
                                                        &width, &height, &count, &channels, 4);
        if (rgba != nullptr) {
            const std::size_t frameBytes = static_cast<std::size_t>(width) * height * 4;
            for (int i = 0; i < count; ++i) {
                frames.push_back({FromRgba(rgba + frameBytes * i, width, height),
                                  delays != nullptr ? delays[i] : 0});
            }
            stbi_image_free(rgba);
            STBI_FREE(delays);
        }
        return frames;
    }
    if (auto image = LoadImageData(data, size)) {
        frames.push_back({std::move(image), 0});
    }
    return frames;
}

std::vector<AnimationFrame> LoadAnimationFile(const std::string& path) {
    std::vector<unsigned char> bytes;
    if (!ReadFileBytes(path, &bytes)) {
        return {};
    }
    return LoadAnimationData(bytes.data(), bytes.size());
}

std::unique_ptr<Image> ScaleImage(const Image& image, int width, int height) {
    auto scaled = std::make_unique<Image>(width, height);
    Graphics g(scaled.get());
    g.DrawImage(&image, CRect(0, 0, scaled->GetWidth(), scaled->GetHeight()), 0, 0,
                image.GetWidth(), image.GetHeight());
    return scaled;
}

}  // namespace DUI
