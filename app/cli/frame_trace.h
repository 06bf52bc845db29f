#pragma once
// With --trace, every HID report written and read goes to the diagnostic trace as one line:
// "> " or "< " and the bytes as two-digit upper-case hexadecimal separated by single spaces.
// A decorator around whichever HID layer the run uses.

#include <memory>

#include "device/hid_backend.h"

namespace pellora::cli {

std::unique_ptr<HidBackend> MakeTracingBackend(std::unique_ptr<HidBackend> inner);
// Ownership stays with the caller (the simulated bus is kept for `sim dump`).
std::unique_ptr<HidBackend> MakeTracingBackend(HidBackend& inner);

// "> 00 12 00" for the direction marker and the bytes.
std::string FormatFrameLine(char direction, const uint8_t* data, std::size_t length);

}  // namespace pellora::cli
