#include "files/exchange/profile_exchange.h"

#include <algorithm>
#include <cwctype>
#include <optional>
#include <system_error>
#include <utility>
#include <vector>

#include "files/exchange/exchange_format.h"
#include "files/xml_doc.h"
#include "platform/trace.h"
#include "tessel/platform/text.h"

namespace pellora {

namespace {

using exchange::ColourAttribute;
using exchange::DpiColourKey;
using exchange::DpiElement;
using exchange::DpiValueKey;
using exchange::kDpiLevels;
using exchange::kMouseOptions;

std::wstring ConfigText(DeviceDatabase& db, int profile, const std::wstring& key) {
    std::wstring value;
    db.GetConfigValue(profile, key, value);
    return value;
}

void WriteKeys(XmlDoc& xml, DeviceDatabase& db, int profile) {
    xml.AppendElement(L"keyitems");
    xml.EnterElement();
    KeyList keys;
    db.ListKeys(profile, keys);
    for (const auto& key : keys) {
        xml.AppendElement(L"item");
        xml.SetAttribute(L"key_code", key->key_code);
        xml.SetAttribute(L"macro_type", key->macro_type);
        xml.SetAttribute(L"macro_value", key->macro_value);
        xml.SetAttribute(L"macro_value2", key->macro_value2);
        xml.SetAttribute(L"macro_value3", key->macro_value3);
        xml.SetAttribute(L"macro_desc", key->macro_desc);
    }
    xml.LeaveElement();
}

void WriteLights(XmlDoc& xml, DeviceDatabase& db, int profile) {
    xml.AppendElement(L"Lightitems");
    xml.SetAttribute(L"lightmode", db.GetActiveLightMode(profile));
    xml.EnterElement();
    LightList lights;
    db.ListLights(profile, lights);
    for (const auto& light : lights) {
        xml.AppendElement(L"item");
        xml.SetAttribute(L"light_mode", light->mode);
        xml.SetAttribute(L"brightness", light->brightness);
        xml.SetAttribute(L"speed", light->speed);
        xml.SetAttribute(L"direction", light->direction);
        xml.SetAttribute(L"colorful", light->colorful);
        xml.SetAttribute(L"colorindex", light->colorindex);
        for (int i = 0; i < kLightColourCount; ++i) {
            xml.SetAttribute(ColourAttribute(i), light->color_values[i]);
        }
    }
    xml.LeaveElement();
}

void WriteDpi(XmlDoc& xml, DeviceDatabase& db, int profile) {
    xml.AppendElement(L"Mouse_DPI");
    for (const wchar_t* key : {L"dpi_flag", L"dpi_index", L"dpi_count"}) {
        xml.SetAttribute(key, ConfigText(db, profile, key));
    }
    xml.EnterElement();
    for (int level = 0; level < kDpiLevels; ++level) {
        xml.AppendElement(DpiElement(level));
        xml.SetAttribute(L"value", ConfigText(db, profile, DpiValueKey(level)));
        xml.SetAttribute(L"color", ConfigText(db, profile, DpiColourKey(level)));
    }
    xml.LeaveElement();
}

void WriteMouseOptions(XmlDoc& xml, DeviceDatabase& db, int profile) {
    xml.AppendElement(L"Mouse");
    xml.EnterElement();
    for (const wchar_t* option : kMouseOptions) {
        xml.AppendElement(option);
        xml.SetAttribute(L"value", ConfigText(db, profile, option));
    }
    xml.LeaveElement();
}

// Everything a profile file carries, read completely before anything is stored so that a
// file which turns out unusable changes nothing.
struct ProfileFile {
    std::vector<KeyRecord> keys;
    bool has_lights = false;
    int light_mode = 0;
    std::vector<LightRecord> lights;                            // mode and the twelve effect values
    std::vector<std::pair<std::wstring, std::wstring>> config;  // key, value
};

// Configuration values are numbers; an empty or missing attribute keeps the stored value
// rather than turning a DPI level or a report rate into 0.
void TakeConfig(ProfileFile& plan, const std::wstring& key, std::wstring value) {
    if (!value.empty()) {
        plan.config.emplace_back(key, std::move(value));
    }
}

int IntAttribute(const XmlDoc& xml, const wchar_t* name) {
    return DUI::WToI(xml.GetAttribute(name));
}

void ReadKeys(XmlDoc& xml, int profile, ProfileFile& plan) {
    if (!xml.FindNext(L"keyitems")) {
        return;
    }
    xml.EnterElement();
    while (xml.FindNext(L"item")) {
        KeyRecord key;
        key.profile = profile;
        key.layer = 0;
        key.key_code = IntAttribute(xml, L"key_code");
        key.macro_type = IntAttribute(xml, L"macro_type");
        key.macro_value = IntAttribute(xml, L"macro_value");
        key.macro_value2 = IntAttribute(xml, L"macro_value2");
        key.macro_value3 = IntAttribute(xml, L"macro_value3");
        key.macro_desc = xml.GetAttribute(L"macro_desc");
        plan.keys.push_back(std::move(key));
    }
    xml.LeaveElement();
}

void ReadLights(XmlDoc& xml, ProfileFile& plan) {
    if (!xml.FindNext(L"Lightitems")) {
        return;
    }
    plan.has_lights = true;
    plan.light_mode = IntAttribute(xml, L"lightmode");
    xml.EnterElement();
    while (xml.FindNext(L"item")) {
        LightRecord light;
        light.mode = IntAttribute(xml, L"light_mode");
        light.brightness = IntAttribute(xml, L"brightness");
        light.speed = IntAttribute(xml, L"speed");
        light.direction = IntAttribute(xml, L"direction");
        light.colorful = IntAttribute(xml, L"colorful");
        light.colorindex = IntAttribute(xml, L"colorindex");
        for (int i = 0; i < kLightColourCount; ++i) {
            light.color_values[i] = DUI::WToI(xml.GetAttribute(ColourAttribute(i)));
        }
        plan.lights.push_back(light);
    }
    xml.LeaveElement();
}

void ReadDpi(XmlDoc& xml, ProfileFile& plan) {
    if (!xml.FindNext(L"Mouse_DPI")) {
        return;
    }
    for (const wchar_t* key : {L"dpi_flag", L"dpi_index", L"dpi_count"}) {
        TakeConfig(plan, key, xml.GetAttribute(key));
    }
    xml.EnterElement();
    for (int level = 0; level < kDpiLevels; ++level) {
        if (xml.FindNext(DpiElement(level))) {
            TakeConfig(plan, DpiValueKey(level), xml.GetAttribute(L"value"));
            TakeConfig(plan, DpiColourKey(level), xml.GetAttribute(L"color"));
        }
    }
    xml.LeaveElement();
}

void ReadMouseOptions(XmlDoc& xml, ProfileFile& plan) {
    if (!xml.FindNext(L"Mouse")) {
        return;
    }
    xml.EnterElement();
    for (const wchar_t* option : kMouseOptions) {
        if (xml.FindNext(option)) {
            TakeConfig(plan, option, xml.GetAttribute(L"value"));
        }
    }
    xml.LeaveElement();
}

std::optional<ProfileFile> ReadProfileFile(const std::filesystem::path& file, int profile,
                                           bool has_lighting_page) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error)) {
        return std::nullopt;
    }
    XmlDoc xml;
    if (!xml.LoadFile(file) || !xml.FindNext(L"profile")) {
        return std::nullopt;
    }
    xml.EnterElement();
    // Without profileinfo the file is not a profile file; going on would rename the profile
    // and remove its button assignments for nothing.
    if (!xml.FindNext(L"profileinfo")) {
        return std::nullopt;
    }
    xml.EnterElement();
    ProfileFile plan;
    ReadKeys(xml, profile, plan);
    if (has_lighting_page) {
        ReadLights(xml, plan);
    }
    ReadDpi(xml, plan);
    ReadMouseOptions(xml, plan);
    return plan;
}

bool StoreProfile(DeviceDatabase& db, int profile, const std::wstring& name,
                  const ProfileFile& plan) {
    bool ok = db.RenameProfile(profile, name);
    ok = db.DeleteKeys(profile) && ok;
    for (const KeyRecord& key : plan.keys) {
        const bool stores_a_row = key.macro_value != 0 || key.macro_value2 != 0;
        if (db.SaveKey(key) == 0 && stores_a_row) {
            ok = false;
        }
    }
    if (plan.has_lights) {
        ok = db.SetActiveLightMode(profile, plan.light_mode) && ok;
        for (const LightRecord& item : plan.lights) {
            LightRecord stored;
            if (!db.GetLight(profile, item.mode, stored)) {
                continue;  // the profile has no row for this effect
            }
            stored.brightness = item.brightness;
            stored.speed = item.speed;
            stored.direction = item.direction;
            stored.colorful = item.colorful;
            stored.colorindex = item.colorindex;
            std::copy(std::begin(item.color_values), std::end(item.color_values),
                      std::begin(stored.color_values));
            ok = db.UpdateLight(item.mode, stored) && ok;
        }
    }
    for (const auto& [key, value] : plan.config) {
        ok = db.SetConfigValue(profile, key, value) && ok;
    }
    return ok;
}

}  // namespace

std::wstring ProfileNameFromFile(const std::filesystem::path& file) {
    std::wstring title = DUI::Utf8ToWide(file.filename().string());
    // The file dialog offers *.xml files; a title without that ending is kept whole instead
    // of losing four characters of the name.
    if (title.size() >= 4) {
        std::wstring ending = title.substr(title.size() - 4);
        for (wchar_t& c : ending) {
            c = static_cast<wchar_t>(std::towlower(c));
        }
        if (ending == L".xml") {
            title.resize(title.size() - 4);
        }
    }
    return title;
}

bool ExportProfile(DeviceDatabase& db, const std::filesystem::path& file, int profile,
                   const std::wstring& caption, bool has_lighting_page) {
    XmlDoc xml;
    xml.SetText(exchange::kDeclaration);
    xml.AppendElement(L"profile");
    xml.EnterElement();
    xml.AppendElement(L"profileinfo");
    xml.SetAttribute(L"name", caption);
    xml.EnterElement();
    {
        // One consistent picture of the profile even while the device worker stores values.
        auto hold = db.Lock();
        WriteKeys(xml, db, profile);
        if (has_lighting_page) {
            WriteLights(xml, db, profile);
        }
        WriteDpi(xml, db, profile);
        WriteMouseOptions(xml, db, profile);
    }
    xml.LeaveElement();
    xml.LeaveElement();
    const bool saved = xml.SaveFile(file);
    if (!saved) {
        Trace(kTraceWarning, "exchange: cannot write profile file %s", file.c_str());
    }
    return saved;
}

ProfileImportResult ImportProfile(DeviceDatabase& db, const std::filesystem::path& file,
                                  int profile, bool has_lighting_page) {
    ProfileImportResult result;
    const std::optional<ProfileFile> plan = ReadProfileFile(file, profile, has_lighting_page);
    if (!plan) {
        Trace(kTraceWarning, "exchange: %s is not a readable profile file", file.c_str());
        return result;
    }
    const std::wstring name = ProfileNameFromFile(file);

    auto hold = db.Lock();
    SQLiteAutoTransaction transaction(&db);
    if (!transaction.Begin()) {
        return result;  // closed or busy store: nothing can be stored as a whole
    }
    if (!StoreProfile(db, profile, name, *plan) || !transaction.End()) {
        transaction.Rollback();
        Trace(kTraceError, "exchange: profile %d could not be stored; left unchanged", profile);
        return result;
    }
    result.imported = true;
    result.profile_name = name;
    result.task_to_queue = kWriteProfileTask;
    return result;
}

}  // namespace pellora
