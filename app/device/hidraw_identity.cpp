#include "device/hidraw_identity.h"

#include <cctype>
#include <cstdio>
#include <vector>

namespace pellora {
namespace {

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::string part;
    for (char c : text) {
        if (c == separator) {
            parts.push_back(part);
            part.clear();
        } else {
            part.push_back(c);
        }
    }
    parts.push_back(part);
    return parts;
}

bool IsHex(const std::string& text, std::size_t from, std::size_t count) {
    if (from + count > text.size()) {
        return false;
    }
    for (std::size_t i = from; i < from + count; ++i) {
        if (std::isxdigit(static_cast<unsigned char>(text[i])) == 0) {
            return false;
        }
    }
    return true;
}

// "BBBB:VVVV:PPPP.NNNN"
bool ParseHidDeviceName(const std::string& name, HidrawIdentity& out) {
    if (name.size() != 19 || name[4] != ':' || name[9] != ':' || name[14] != '.' ||
        !IsHex(name, 0, 4) || !IsHex(name, 5, 4) || !IsHex(name, 10, 4) || !IsHex(name, 15, 4)) {
        return false;
    }
    out.vendor_id = static_cast<uint16_t>(std::stoul(name.substr(5, 4), nullptr, 16));
    out.product_id = static_cast<uint16_t>(std::stoul(name.substr(10, 4), nullptr, 16));
    return true;
}

// "<port path>:<configuration>.<interface>", e.g. "1-2.4:1.2"
int ParseUsbInterfaceNumber(const std::string& name) {
    const std::size_t colon = name.find(':');
    if (colon == std::string::npos || colon == 0) {
        return -1;
    }
    const std::size_t dot = name.find('.', colon);
    if (dot == std::string::npos || dot + 1 >= name.size() || dot == colon + 1) {
        return -1;
    }
    for (std::size_t i = colon + 1; i < name.size(); ++i) {
        if (i != dot && std::isdigit(static_cast<unsigned char>(name[i])) == 0) {
            return -1;
        }
    }
    const std::string digits = name.substr(dot + 1);
    if (digits.size() > 3) {
        return -1;
    }
    return std::stoi(digits);
}

}  // namespace

std::optional<HidrawIdentity> ParseHidrawDevpath(const std::string& devpath) {
    const std::vector<std::string> parts = Split(devpath, '/');
    for (std::size_t i = 0; i < parts.size(); ++i) {
        HidrawIdentity identity;
        if (!ParseHidDeviceName(parts[i], identity)) {
            continue;
        }
        if (i > 0) {
            identity.interface_number = ParseUsbInterfaceNumber(parts[i - 1]);
        }
        return identity;
    }
    return std::nullopt;
}

std::string FormatInterfacePath(const HidrawIdentity& identity, const std::string& node) {
    char text[48];
    if (identity.interface_number >= 0) {
        std::snprintf(text, sizeof text, "HID#VID_%04X&PID_%04X&MI_%02X#", identity.vendor_id,
                      identity.product_id, identity.interface_number & 0xFF);
    } else {
        std::snprintf(text, sizeof text, "HID#VID_%04X&PID_%04X#", identity.vendor_id,
                      identity.product_id);
    }
    return text + node;
}

}  // namespace pellora
