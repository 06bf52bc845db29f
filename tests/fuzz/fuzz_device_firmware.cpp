// Arbitrary output reports into the simulated firmware, and arbitrary bytes as a saved memory
// image: the simulator must stand any host and any state file.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "mouse_firmware.h"
#include "onboard_memory.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<uint8_t> bytes(data, data + size);
    if (const auto memory = pellora::sim::LoadImage(bytes)) {
        pellora::sim::DumpJson(*memory, "VX07");
    }
    pellora::sim::MouseFirmware firmware(*pellora::sim::FindDefaultModel(1));
    // Reports of 1 to 65 bytes, back to back; each first byte is forced to report id 0.
    for (std::size_t i = 0; i < size;) {
        const std::size_t length = 1 + data[i] % 65;
        std::vector<uint8_t> report(data + i, data + std::min(size, i + length));
        report[0] = 0;
        firmware.HandleOutput(report.data(), report.size(), true);
        i += length;
    }
    firmware.PressDpiButton();
    pellora::sim::DumpJson(firmware.memory(), "VX07");
    return 0;
}
