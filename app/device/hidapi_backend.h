#pragma once
// The HID layer of a real machine: hidapi with its hidraw backend.

#include <memory>

#include "device/hid_backend.h"

namespace pellora {

std::unique_ptr<HidBackend> MakeHidapiBackend();

}  // namespace pellora
