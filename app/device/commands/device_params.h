#pragma once
// What the window remembers about the connected model for encoding commands: set by the state
// read, used by the DPI and report-rate writes and the pages.

namespace pellora {

struct DeviceParams {
    int sensor_code = 0;  // 37 after the first state read; selects the DPI encoding
    int dpi_min = 50;
    int dpi_max = 26000;
    int rate_ceiling = 4;  // 4..7 from information byte 11, or the model's default rate
    int light_mode = 0;    // the current lighting mode
};

}  // namespace pellora
