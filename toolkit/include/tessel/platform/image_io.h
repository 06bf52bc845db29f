#pragma once
// Decoding and encoding pictures. PNG, GIF, BMP and JPEG decode through stb_image; icon files
// (".ico") take their largest picture. Every failure gives null, never a half-read image.

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "tessel/platform/surface.h"

namespace DUI {

std::unique_ptr<Image> LoadImageFile(const std::string& path);
std::unique_ptr<Image> LoadImageData(const void* data, std::size_t size);

struct AnimationFrame {
    std::unique_ptr<Image> image;
    int delayMs = 0;
};
// Every frame of an animated GIF (one frame for other formats); empty on failure.
std::vector<AnimationFrame> LoadAnimationFile(const std::string& path);
std::vector<AnimationFrame> LoadAnimationData(const void* data, std::size_t size);

// A width x height copy scaled with smoothing.
std::unique_ptr<Image> ScaleImage(const Image& image, int width, int height);

bool ReadFileBytes(const std::string& path, std::vector<unsigned char>* bytes);

}  // namespace DUI
