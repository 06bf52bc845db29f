#pragma once
// Resources compiled into a module: the library carries its scroll-bar pictures and its font;
// an application registers its own under its module handle. Types compare case-insensitively
// ("TTF" and "ttf" are one type), as resource types always have.

#include <cstddef>
#include <string>

#include "tessel/platform/types.h"

namespace DUI {

struct ResourceData {
    const unsigned char* data = nullptr;
    std::size_t size = 0;
    explicit operator bool() const { return data != nullptr && size > 0; }
};

// The library's own module handle.
HINSTANCE LibraryModule();
// Registers bytes (kept by the caller for the life of the process) under module, id and type.
void RegisterResource(HINSTANCE module, unsigned id, const std::wstring& type, const void* data,
                      std::size_t size);
ResourceData FindResource(HINSTANCE module, unsigned id, const std::wstring& type);

inline constexpr unsigned kScrollHorizontalResource = 101;
inline constexpr unsigned kScrollVerticalResource = 102;
inline constexpr unsigned kFontResource = 106;

}  // namespace DUI
