#include "device/report_descriptor.h"

namespace pellora {

std::vector<HidUsagePair> TopLevelCollections(const uint8_t* descriptor, std::size_t size) {
    std::vector<HidUsagePair> collections;
    if (descriptor == nullptr) {
        return collections;
    }
    uint16_t usage_page = 0;
    uint16_t usage = 0;
    bool page_found = false;
    bool usage_found = false;
    int depth = 0;

    std::size_t i = 0;
    while (i < size) {
        const uint8_t key = descriptor[i];
        if (key == 0xFE) {  // long item: key, data size, long tag, data
            if (i + 1 >= size) {
                break;
            }
            i += 3 + static_cast<std::size_t>(descriptor[i + 1]);
            continue;
        }
        std::size_t data_size = key & 0x03;
        if (data_size == 3) {
            data_size = 4;
        }
        if (i + 1 + data_size > size) {
            break;
        }
        uint32_t value = 0;
        for (std::size_t k = 0; k < data_size; ++k) {
            value |= static_cast<uint32_t>(descriptor[i + 1 + k]) << (8 * k);
        }
        switch (key & 0xFC) {
            case 0x04:  // Usage Page (global)
                usage_page = static_cast<uint16_t>(value);
                page_found = true;
                break;
            case 0x08:  // Usage (local); a 4-byte usage carries its own page
                if (data_size == 4) {
                    usage_page = static_cast<uint16_t>(value >> 16);
                    page_found = true;
                }
                usage = static_cast<uint16_t>(value & 0xFFFF);
                usage_found = true;
                break;
            case 0xA0:  // Collection
                if (depth++ == 0 && page_found && usage_found) {
                    collections.push_back({usage_page, usage});
                }
                usage_found = false;
                break;
            case 0xC0:  // End Collection
                if (depth > 0) {
                    --depth;
                }
                usage_found = false;
                break;
            case 0x80:  // Input
            case 0x90:  // Output
            case 0xB0:  // Feature
                usage_found = false;
                break;
            default:
                break;
        }
        i += 1 + data_size;
    }
    return collections;
}

}  // namespace pellora
