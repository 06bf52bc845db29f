// The device catalogue in config.xml and the model description files.
#include <gtest/gtest.h>

#include "files/device_catalog.h"
#include "files/device_description.h"
#include "files_fixture.h"

namespace pellora {
namespace {

using testing::FilesTest;
using testing::WriteFile;

class DeviceFilesTest : public FilesTest {};

TEST_F(DeviceFilesTest, CatalogueKeepsOneEntryPerMouseAndPerMode) {
    ASSERT_TRUE(WriteFile(
        AppPath("config.xml"),
        "<config><language.info/><device>"
        "<mouse name=\"One\" device_type=\"7\" device_attr=\"one\" image=\"one.png\">"
        "<mode value=\"0\" desc=\"cable\" vid=\"1A2B\" pid=\"0x00ff\" dev_id=\"AB01\" "
        "hid_interface=\"2\"/></mouse>"
        "<mouse name=\"Two\" device_type=\"9\" device_attr=\"two\">"
        "<mode value=\"0\" vid=\"12G4\" pid=\"zz\"/><mode value=\"1\" vid=\"1209\" pid=\"5A02\" "
        "dev_id=\"TW02\"/></mouse>"
        "</device><software caption=\"X\" version=\"2.0\"><website url=\"w\"/></software>"
        "</config>"));
    const DeviceCatalog catalog = ReadDeviceCatalog();
    ASSERT_EQ(catalog.mice.size(), 2u);
    ASSERT_EQ(catalog.modes.size(), 3u);
    EXPECT_EQ(catalog.connection_modes.size(), 3u);
    ASSERT_EQ(catalog.registrations.size(), 3u);

    EXPECT_EQ(catalog.mice[0].name, L"One");
    EXPECT_EQ(catalog.mice[0].image, (AppPath("device") / "one.png").wstring());
    EXPECT_EQ(catalog.mice[0].vendor_id, 0);  // the per-mouse entry carries no mode
    EXPECT_EQ(catalog.mice[1].image, L"");

    const DeviceEntry& first = catalog.modes[0];
    EXPECT_EQ(first.vendor_id, 6699);
    EXPECT_EQ(first.product_id, 0xFF);
    EXPECT_EQ(first.device_id, L"AB01");
    EXPECT_EQ(first.hid_interface, L"2");
    EXPECT_EQ(first.description, L"cable");
    // Malformed identifiers keep their leading hexadecimal digits; attributes missing from a
    // later mode do not inherit the earlier mode's values.
    EXPECT_EQ(catalog.modes[1].vendor_id, 0x12);
    EXPECT_EQ(catalog.modes[1].product_id, 0);
    EXPECT_EQ(catalog.modes[1].device_id, L"");
    EXPECT_EQ(catalog.modes[2].mode, 1);
    EXPECT_EQ(catalog.modes[2].device_type, 9);
    EXPECT_EQ(catalog.modes[2].device_key, L"two");

    const DeviceRegistration& reg = catalog.registrations[2];
    EXPECT_EQ(reg.vendor_id, 0x1209);
    EXPECT_EQ(reg.product_id, 0x5A02);
    EXPECT_EQ(reg.path, L"");
    EXPECT_EQ(reg.device_type, 9);
    EXPECT_EQ(reg.mode, 1);
    EXPECT_EQ(reg.device_id, L"TW02");

    EXPECT_TRUE(catalog.has_software);
    EXPECT_EQ(catalog.software.version, L"2.0");
    EXPECT_EQ(catalog.software.website_url, L"w");
    EXPECT_EQ(FindModel(catalog, 9)->name, L"Two");
    EXPECT_EQ(FindModel(catalog, 3), nullptr);

    // The current model follows the remembered device type.
    ASSERT_TRUE(WriteFile(SettingsPath(), "DeviceType=9\n"));
    CurrentModel current = ReadCurrentModel(catalog);
    EXPECT_EQ(current.device_type, 9);
    EXPECT_EQ(current.name, L"Two");
    EXPECT_EQ(current.device_key, L"two");
    ASSERT_TRUE(WriteFile(SettingsPath(), "DeviceType=3\n"));
    current = ReadCurrentModel(catalog);
    EXPECT_EQ(current.device_type, 3);
    EXPECT_EQ(current.device_key, L"");
}

TEST_F(DeviceFilesTest, MissingConfigurationGivesAnEmptyCatalogue) {
    const DeviceCatalog catalog = ReadDeviceCatalog();
    EXPECT_TRUE(catalog.mice.empty());
    EXPECT_TRUE(catalog.modes.empty());
    EXPECT_FALSE(catalog.has_software);
}

TEST(DeviceValues, NumberFormats) {
    const struct {
        const wchar_t* text;
        int value;
    } hex[] = {{L"1A2B", 6699}, {L"0x1a2b", 6699}, {L"12G4", 0x12},
               {L"", 0},        {L"zz", 0},        {L"FFFFFFFFFF", 0x7FFFFFFF}};
    for (const auto& c : hex) {
        EXPECT_EQ(HexToInt(c.text), c.value) << DUI::WideToUtf8(c.text);
    }
    const struct {
        const wchar_t* text;
        int value;
    } colours[] = {{L"#FF8000", 33023},
                   {L"#0000FF", 0xFF0000},
                   {L"#ff", 0xFF0000},
                   {L"", 0},
                   {L"#FF8000AA", 33023}};
    for (const auto& c : colours) {
        EXPECT_EQ(ColorTextToBgr(c.text), c.value) << DUI::WideToUtf8(c.text);
    }
    EXPECT_EQ(ParseRect(L"10#20#30"), (std::array<int, 3>{10, 20, 30}));
    EXPECT_EQ(ParseRect(L"10#20"), (std::array<int, 3>{10, 20, 0}));
    EXPECT_EQ(ParseRect(L""), (std::array<int, 3>{0, 0, 0}));
    EXPECT_EQ(ParseRect(L"1#2#3#4"), (std::array<int, 3>{1, 2, 3}));
}

// Records what a description applies, in order.
class RecordingTarget : public ModelDescriptionTarget {
  public:
    std::vector<std::wstring> calls;
    std::vector<KeyRecord> factory;
    void SetMousePicture(const std::wstring& picture) override {
        calls.push_back(L"picture " + picture);
    }
    void SetLightingPage(bool shown) override {
        calls.push_back(L"lighting " + std::to_wstring(shown));
    }
    void SetCustomSwitches(const CustomSwitches& s) override {
        calls.push_back(L"custom " + std::to_wstring(s.show_dpi_tips) +
                        std::to_wstring(s.show_save_tips) + std::to_wstring(s.show_lod) +
                        std::to_wstring(s.show_sensor));
    }
    void SetFirmwareUrl(const std::wstring& url) override { calls.push_back(L"firmware " + url); }
    void ClearKeys() override { calls.push_back(L"clear"); }
    void AddKey(const ButtonDefinition& b, const std::wstring& name,
                const std::wstring& function) override {
        calls.push_back(L"key " + name + L"/" + function + L" " + std::to_wstring(b.rect[0]) +
                        L"," + std::to_wstring(b.rect[1]) + L"," + std::to_wstring(b.rect[2]) +
                        L" dir " + std::to_wstring(b.direction));
    }
    void AddFactoryKey(const KeyRecord& record) override { factory.push_back(record); }
    void KeysAdded() override { calls.push_back(L"keys added"); }
    void SetLightEffects(const std::array<bool, kLightEffectCount>& e) override {
        std::wstring bits;
        for (bool b : e) {
            bits += b ? L'1' : L'0';
        }
        calls.push_back(L"effects " + bits);
    }
};

TEST_F(DeviceFilesTest, DescriptionAppliesItsPartsInFileOrder) {
    ASSERT_TRUE(WriteLanguage(1033, L"[LAN]\r\n106=Left\r\n141=DPI cycle\r\n"));
    ASSERT_TRUE(WriteFile(
        AppPath("device/m.xml"),
        "<mouse><image_file mouse_img=\"m.png\"/><menu light=\"2\"/>"
        "<custom show_dpitips=\"1\" show_savetips=\"0\" show_lod=\"1\" show_sensor=\"x\"/>"
        "<firmware url=\"file:///fw\"/><mouse_key>"
        "<key name=\"106\" key_value=\"0\" direction=\"1\" rect=\"10#20#30\" func_desc=\"106\" "
        "func_type=\"1\" func_value=\"1\"/>"
        "<key name=\"190\" key_value=\"5\" rect=\"1#2\" func_desc=\"141\" func_value=\"3\"/>"
        "</mouse_key><mouse_info><dpi_info/><light_info><light_1 enable=\"1\"/>"
        "<light_3 enable=\"0\"/><light_4 enable=\"1\"/></light_info></mouse_info></mouse>"));
    const ModelDescription model = ReadModelDescription(L"m");
    ASSERT_TRUE(model.loaded);
    RecordingTarget target;
    ApplyModelDescription(model, target);
    const std::vector<std::wstring> expected = {
        L"picture device/m.png",
        L"lighting 0",  // only 1 shows the lighting tab
        L"custom 1010",
        L"firmware file:///fw",
        L"clear",
        L"key Left/Left 10,20,30 dir 1",
        L"key /DPI cycle 1,2,0 dir 0",  // no text 190 in this language file
        L"keys added",
        L"effects 100100",
    };
    EXPECT_EQ(target.calls, expected);
    ASSERT_EQ(target.factory.size(), 2u);
    EXPECT_EQ(target.factory[1].key_code, 5);
    EXPECT_EQ(target.factory[1].layout_value, 5);
    EXPECT_EQ(target.factory[1].layout_desc, L"190");
    EXPECT_EQ(target.factory[1].macro_type, 0);  // no func_type
    EXPECT_EQ(target.factory[1].macro_value, 3);
    EXPECT_EQ(target.factory[1].macro_desc, L"141");
}

TEST_F(DeviceFilesTest, ElementsOutOfOrderOrMissingAreNotApplied) {
    // firmware before custom: the search for firmware starts after custom and finds nothing.
    ASSERT_TRUE(WriteFile(AppPath("device/late.xml"),
                          "<mouse><firmware url=\"u\"/><custom show_lod=\"1\"/></mouse>"));
    ModelDescription model = ReadModelDescription(L"late");
    ASSERT_TRUE(model.loaded);
    EXPECT_TRUE(model.custom.has_value());
    EXPECT_FALSE(model.firmware_url.has_value());
    RecordingTarget target;
    ApplyModelDescription(model, target);
    EXPECT_EQ(target.calls, (std::vector<std::wstring>{L"custom 0010"}));

    // Missing, damaged or with another root: nothing at all is applied.
    ASSERT_TRUE(WriteFile(AppPath("device/bad.xml"), "<mouse><menu light=\"1\">"));
    ASSERT_TRUE(WriteFile(AppPath("device/other.xml"), "<keyboard><menu light=\"1\"/></keyboard>"));
    for (const wchar_t* key : {L"missing", L"bad", L"other", L""}) {
        RecordingTarget nothing;
        ApplyModelDescription(ReadModelDescription(key), nothing);
        EXPECT_TRUE(nothing.calls.empty()) << DUI::WideToUtf8(key);
    }
}

TEST_F(DeviceFilesTest, DefaultsListWhatTheFileGives) {
    ASSERT_TRUE(WriteFile(
        AppPath("device/d.xml"),
        "<mouse><mouse_info><light_info/><dpi_info default_dpi=\"2\" dpi_count=\"4\">"
        "<dpi_1 value=\"800\" color=\"#FF8000\"/><dpi_3 value=\"3200\" color=\"#0000FF\"/>"
        "</dpi_info><report_rate default_value=\"1\"/><move_wakeup value=\"1\"/>"
        "</mouse_info></mouse>"));
    const ConfigDefaults dpi_only = {
        {L"dpi_index", L"2"},
        {L"dpi_flag", L"4"},
        {L"dpi_count", L"4"},
        {L"dpi_group0_value", L"800"},
        {L"dpi_group0_rgb", L"33023"},
        {L"dpi_group2_value", L"3200"},
        {L"dpi_group2_rgb", L"16711680"},
    };
    EXPECT_EQ(ReadModelDefaults(L"d", false), dpi_only);
    ConfigDefaults full = dpi_only;
    full.emplace_back(L"report_rate", L"1");
    full.emplace_back(L"move_wakeup", L"1");
    EXPECT_EQ(ReadModelDefaults(L"d", true), full);
    EXPECT_TRUE(ReadModelDefaults(L"missing", true).empty());
}

}  // namespace
}  // namespace pellora
