#pragma once
// The mouse models the simulator can be. Their VID/PIDs and model codes are the ones the shipped
// device catalogue lists, so a simulated mouse is recognised like a real one.

#include <cstdint>
#include <string>
#include <vector>

#include "device/hotplug.h"

namespace pellora::sim {

struct SimModel {
    int device_type = 0;
    std::string name;
    std::string model_code;  // 4 characters, reported in the information block
    uint16_t vendor_id = 0;
    uint16_t cable_product_id = 0;
    uint16_t receiver_product_id = 0;  // 0: the model has no receiver
    uint16_t release_number = 0;       // bcdDevice of the cable and the receiver
    uint8_t rate_ceiling = 0;          // information byte 11 (0x10 2000, 0x20 4000, 0x40 8000 Hz)
    // Collections of the vendor interface (interface 2). A real composite device lists both.
    std::vector<HidUsagePair> vendor_collections{{0xFF01, 0x0010}, {0x0001, 0x0000}};
};

// "VX7 Wireless" (device type 1, code VX07): cable and receiver, up to 8000 Hz.
// "VX3" (device type 2, code VX03): cable only, up to 1000 Hz.
const std::vector<SimModel>& DefaultModels();
const SimModel* FindDefaultModel(int device_type);

}  // namespace pellora::sim
