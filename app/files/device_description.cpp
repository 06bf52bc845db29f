#include "files/device_description.h"

#include "files/device_catalog.h"
#include "files/language.h"
#include "files/xml_doc.h"
#include "platform/folders.h"
#include "tessel/platform/text.h"

namespace pellora {
namespace {

int Number(const XmlDoc& doc, std::wstring_view attribute) {
    return DUI::WToI(doc.GetAttribute(attribute));
}

bool IsOne(const XmlDoc& doc, std::wstring_view attribute) {
    return Number(doc, attribute) == 1;
}

bool EnterModel(XmlDoc& doc, const std::wstring& device_key) {
    return doc.LoadFile(DescriptionPath(device_key)) && doc.FindNext(L"mouse") &&
           doc.EnterElement();
}

}  // namespace

int ButtonDefinition::NameText() const {
    return DUI::WToI(name_attr);
}

int ButtonDefinition::FunctionText() const {
    return DUI::WToI(func_desc_attr);
}

std::filesystem::path DescriptionPath(const std::wstring& device_key) {
    return AppDir() / "device" / (DUI::WideToUtf8(device_key) + ".xml");
}

int ColorTextToBgr(std::wstring_view text) {
    if (!text.empty() && text.front() == L'#') {
        text.remove_prefix(1);
    }
    const int rgb = HexToInt(text.substr(0, 6)) & 0xFFFFFF;
    const int red = (rgb >> 16) & 0xFF;
    const int green = (rgb >> 8) & 0xFF;
    const int blue = rgb & 0xFF;
    return red | (green << 8) | (blue << 16);
}

std::array<int, 3> ParseRect(std::wstring_view text) {
    std::array<int, 3> rect{};
    for (int& value : rect) {
        const std::size_t hash = text.find(L'#');
        value = DUI::WToI(text.substr(0, hash));
        if (hash == std::wstring_view::npos) {
            break;
        }
        text.remove_prefix(hash + 1);
    }
    return rect;
}

ModelDescription ReadModelDescription(const std::wstring& device_key) {
    ModelDescription model;
    XmlDoc doc;
    if (!EnterModel(doc, device_key)) {
        return model;
    }
    model.loaded = true;
    if (doc.FindNext(L"image_file")) {
        model.picture = L"device/" + doc.GetAttribute(L"mouse_img");
    }
    if (doc.FindNext(L"menu")) {
        model.lighting_page = IsOne(doc, L"light");
    }
    if (doc.FindNext(L"custom")) {
        model.custom = CustomSwitches{.show_dpi_tips = IsOne(doc, L"show_dpitips"),
                                      .show_save_tips = IsOne(doc, L"show_savetips"),
                                      .show_lod = IsOne(doc, L"show_lod"),
                                      .show_sensor = IsOne(doc, L"show_sensor")};
    }
    if (doc.FindNext(L"firmware")) {
        model.firmware_url = doc.GetAttribute(L"url");
    }
    if (doc.FindNext(L"mouse_key")) {
        model.has_keys = true;
        doc.EnterElement();
        while (doc.FindNext(L"key")) {
            model.buttons.push_back({.name_attr = doc.GetAttribute(L"name"),
                                     .key_value = Number(doc, L"key_value"),
                                     .direction = Number(doc, L"direction"),
                                     .rect = ParseRect(doc.GetAttribute(L"rect")),
                                     .func_desc_attr = doc.GetAttribute(L"func_desc"),
                                     .func_type = Number(doc, L"func_type"),
                                     .func_value = Number(doc, L"func_value")});
        }
        doc.LeaveElement();
    }
    if (doc.FindNext(L"mouse_info") && doc.EnterElement() && doc.FindNext(L"light_info")) {
        std::array<bool, kLightEffectCount> effects{};
        doc.EnterElement();
        for (int n = 1; n <= kLightEffectCount; ++n) {
            if (doc.FindNext(L"light_" + std::to_wstring(n))) {
                effects[static_cast<std::size_t>(n - 1)] = IsOne(doc, L"enable");
            }
        }
        model.light_effects = effects;
    }
    return model;
}

KeyRecord FactoryKeyRecord(const ButtonDefinition& button) {
    KeyRecord record;
    record.key_code = button.key_value;
    record.layout_value = button.key_value;
    record.layout_desc = button.name_attr;
    record.macro_type = button.func_type;
    record.macro_value = button.func_value;
    record.macro_desc = button.func_desc_attr;
    return record;
}

void ApplyModelDescription(const ModelDescription& description, ModelDescriptionTarget& target) {
    if (!description.loaded) {
        return;
    }
    if (description.picture) {
        target.SetMousePicture(*description.picture);
    }
    if (description.lighting_page) {
        target.SetLightingPage(*description.lighting_page);
    }
    if (description.custom) {
        target.SetCustomSwitches(*description.custom);
    }
    if (description.firmware_url) {
        target.SetFirmwareUrl(*description.firmware_url);
    }
    if (description.has_keys) {
        target.ClearKeys();
        for (const ButtonDefinition& button : description.buttons) {
            target.AddKey(button, GetText(button.NameText()), GetText(button.FunctionText()));
            target.AddFactoryKey(FactoryKeyRecord(button));
        }
        target.KeysAdded();
    }
    if (description.light_effects) {
        target.SetLightEffects(*description.light_effects);
    }
}

ConfigDefaults ReadModelDefaults(const std::wstring& device_key, bool full_set) {
    ConfigDefaults values;
    XmlDoc doc;
    if (!EnterModel(doc, device_key) || !doc.FindNext(L"mouse_info") || !doc.EnterElement()) {
        return values;
    }
    const auto add = [&](const wchar_t* key, int value) {
        values.emplace_back(key, std::to_wstring(value));
    };
    if (doc.FindNext(L"dpi_info")) {
        add(L"dpi_index", Number(doc, L"default_dpi"));
        add(L"dpi_flag", Number(doc, L"dpi_count"));
        add(L"dpi_count", Number(doc, L"dpi_count"));
        doc.EnterElement();
        for (int n = 1; n <= 6; ++n) {
            if (doc.FindNext(L"dpi_" + std::to_wstring(n))) {
                const std::wstring group = L"dpi_group" + std::to_wstring(n - 1);
                values.emplace_back(group + L"_value", std::to_wstring(Number(doc, L"value")));
                values.emplace_back(group + L"_rgb",
                                    std::to_wstring(ColorTextToBgr(doc.GetAttribute(L"color"))));
            }
        }
        doc.LeaveElement();
    }
    if (!full_set) {
        return values;
    }
    if (doc.FindNext(L"report_rate")) {
        add(L"report_rate", Number(doc, L"default_value"));
    }
    for (const wchar_t* key : {L"sleep_light", L"move_wakeup", L"move_closelight"}) {
        if (doc.FindNext(key)) {
            add(key, Number(doc, L"value"));
        }
    }
    return values;
}

}  // namespace pellora
