#pragma once
// The device catalogue: the `device` element of config.xml lists every supported model
// (`mouse`) with the ways it connects (`mode`: cable or receiver, with its USB identifiers).
// The main window keeps three lists of entries (one per model, one per mode, and one per mode
// for the connection logic) and registers each mode's identifiers with device discovery; the
// `software` block that follows `device` is read in the same pass.

#include <string>
#include <vector>

#include "files/app_config.h"

namespace pellora {

struct DeviceEntry {
    std::wstring name;        // shown in the device list
    int device_type = 0;      // model number, remembered as "DeviceType"
    std::wstring device_key;  // names the description file and the database
    std::wstring image;       // full path: <app folder>/device/<image>
    int mode = 0;             // connection mode of this cable or receiver entry
    int vendor_id = 0;
    int product_id = 0;
    std::wstring device_id;
    std::wstring description;
    std::wstring hid_interface;  // which interface of the USB device carries the commands
};

// What device discovery is told about each mode: vendor id, product id, an interface path
// (always empty here), device type, mode and device id.
struct DeviceRegistration {
    int vendor_id = 0;
    int product_id = 0;
    std::wstring path;
    int device_type = 0;
    int mode = 0;
    std::wstring device_id;
};

struct DeviceCatalog {
    std::vector<DeviceEntry> mice;              // one per `mouse`, without mode fields
    std::vector<DeviceEntry> modes;             // one per `mode`
    std::vector<DeviceEntry> connection_modes;  // the connection logic's own copy
    std::vector<DeviceRegistration> registrations;
    SoftwareInfo software;
    bool has_software = false;
};

// Reads <app folder>/config.xml; an unreadable file gives an empty catalogue.
DeviceCatalog ReadDeviceCatalog();

// The first model of that type, or nullptr.
const DeviceEntry* FindModel(const DeviceCatalog& catalog, int device_type);

// The model the program works with: the remembered "DeviceType" looked up in the catalogue.
// With no match, name and key are empty (the database is then named by an empty key).
struct CurrentModel {
    int device_type = 0;
    std::wstring name;
    std::wstring device_key;
};
CurrentModel ReadCurrentModel(const DeviceCatalog& catalog);

// Leading hexadecimal digits (an optional "0x" first); 0 when there are none.
int HexToInt(std::wstring_view text);

}  // namespace pellora
