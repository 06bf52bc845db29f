#include "files/device_catalog.h"

#include <climits>

#include "files/xml_doc.h"
#include "platform/folders.h"
#include "platform/settings_file.h"
#include "tessel/platform/text.h"

namespace pellora {

int HexToInt(std::wstring_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == L' ' || text[i] == L'\t')) {
        ++i;
    }
    if (i + 1 < text.size() && text[i] == L'0' && (text[i + 1] == L'x' || text[i + 1] == L'X')) {
        i += 2;
    }
    long long value = 0;
    for (; i < text.size(); ++i) {
        const wchar_t c = text[i];
        int digit = 0;
        if (c >= L'0' && c <= L'9') {
            digit = c - L'0';
        } else if (c >= L'a' && c <= L'f') {
            digit = c - L'a' + 10;
        } else if (c >= L'A' && c <= L'F') {
            digit = c - L'A' + 10;
        } else {
            break;
        }
        value = value * 16 + digit;
        if (value > INT_MAX) {
            return INT_MAX;
        }
    }
    return static_cast<int>(value);
}

DeviceCatalog ReadDeviceCatalog() {
    DeviceCatalog catalog;
    XmlDoc doc;
    if (!doc.LoadFile(AppDir() / "config.xml")) {
        return catalog;
    }
    if (!doc.FindNext(L"config") || !doc.EnterElement()) {
        return catalog;
    }
    if (doc.FindNext(L"device") && doc.EnterElement()) {
        while (doc.FindNext(L"mouse")) {
            DeviceEntry entry;
            entry.name = doc.GetAttribute(L"name");
            entry.device_type = DUI::WToI(doc.GetAttribute(L"device_type"));
            entry.device_key = doc.GetAttribute(L"device_attr");
            const std::wstring image = doc.GetAttribute(L"image");
            if (!image.empty()) {
                entry.image = (AppDir() / "device" / DUI::WideToUtf8(image)).wstring();
            }
            catalog.mice.push_back(entry);

            doc.EnterElement();
            while (doc.FindNext(L"mode")) {
                entry.mode = DUI::WToI(doc.GetAttribute(L"value"));
                entry.description = doc.GetAttribute(L"desc");
                entry.vendor_id = HexToInt(doc.GetAttribute(L"vid"));
                entry.product_id = HexToInt(doc.GetAttribute(L"pid"));
                entry.device_id = doc.GetAttribute(L"dev_id");
                entry.hid_interface = doc.GetAttribute(L"hid_interface");
                catalog.modes.push_back(entry);
                catalog.connection_modes.push_back(entry);
                catalog.registrations.push_back({.vendor_id = entry.vendor_id,
                                                 .product_id = entry.product_id,
                                                 .path = L"",
                                                 .device_type = entry.device_type,
                                                 .mode = entry.mode,
                                                 .device_id = entry.device_id});
            }
            doc.LeaveElement();
        }
        doc.LeaveElement();
    }
    catalog.has_software = ReadSoftwareInfo(doc, catalog.software);
    return catalog;
}

const DeviceEntry* FindModel(const DeviceCatalog& catalog, int device_type) {
    for (const DeviceEntry& entry : catalog.mice) {
        if (entry.device_type == device_type) {
            return &entry;
        }
    }
    return nullptr;
}

CurrentModel ReadCurrentModel(const DeviceCatalog& catalog) {
    CurrentModel current;
    current.device_type = ReadAppRegInt(L"DeviceType");
    if (const DeviceEntry* entry = FindModel(catalog, current.device_type)) {
        current.name = entry->name;
        current.device_key = entry->device_key;
    }
    return current;
}

}  // namespace pellora
