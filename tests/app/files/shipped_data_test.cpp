// The data that ships beside the program: config.xml, the description files and the language
// files load, and every text number the code asks for exists in every shipped language.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <set>

#include "files/app_config.h"
#include "files/device_catalog.h"
#include "files/device_description.h"
#include "files/language.h"
#include "files/profile_string.h"
#include "files/xml_doc.h"
#include "platform/folders.h"
#include "support/temp_dir.h"
#include "tessel/platform/app_name.h"
#include "tessel/platform/text.h"

namespace pellora {
namespace {

namespace fs = std::filesystem;

const fs::path kSource = PELLORA_SOURCE_DIR;
const fs::path kData = kSource / "data";

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Every number=text of section LAN, in file order.
std::map<int, std::wstring> LanguageTexts(int language) {
    const std::wstring content =
        DecodeProfileBytes(ReadAll(kData / "language" / (std::to_string(language) + ".lan")));
    std::map<int, std::wstring> texts;
    std::wregex line(LR"(^\s*(\d+)\s*=)");
    std::size_t pos = 0;
    while (pos < content.size()) {
        std::size_t end = content.find_first_of(L"\r\n", pos);
        if (end == std::wstring::npos) {
            end = content.size();
        }
        const std::wstring text = content.substr(pos, end - pos);
        std::wsmatch match;
        if (std::regex_search(text, match, line)) {
            const int id = std::stoi(match[1].str());
            texts[id] = FindProfileString(content, L"LAN", std::to_wstring(id));
        }
        pos = end + 1;
    }
    return texts;
}

// Text numbers passed to GetText anywhere in the program and the toolkit: literals, and named
// integer constants defined in those sources ("constexpr int kProfileWordText = 61;").
std::map<int, std::string> TextNumbersInSources() {
    std::map<int, std::string> used;
    const std::regex literal_call(R"(GetText\s*\(\s*(\d+))");
    const std::regex named_call(R"(GetText\s*\(\s*([A-Za-z_]\w*)\s*[,)])");
    const std::regex constant(R"((?:constexpr|const)\s+int\s+([A-Za-z_]\w*)\s*=\s*(\d+)\s*;)");
    std::map<std::string, int> constants;
    std::vector<std::pair<std::string, std::string>> named;  // constant name, file
    for (const char* root : {"app", "toolkit"}) {
        std::error_code ec;
        for (const auto& entry : fs::recursive_directory_iterator(kSource / root, ec)) {
            const std::string ext = entry.path().extension().string();
            if (!entry.is_regular_file() || (ext != ".cpp" && ext != ".h" && ext != ".cc")) {
                continue;
            }
            const std::string text = ReadAll(entry.path());
            const std::string where = fs::relative(entry.path(), kSource).string();
            for (auto it = std::sregex_iterator(text.begin(), text.end(), literal_call);
                 it != std::sregex_iterator(); ++it) {
                used.emplace(std::stoi((*it)[1].str()), where);
            }
            for (auto it = std::sregex_iterator(text.begin(), text.end(), named_call);
                 it != std::sregex_iterator(); ++it) {
                named.emplace_back((*it)[1].str(), where);
            }
            for (auto it = std::sregex_iterator(text.begin(), text.end(), constant);
                 it != std::sregex_iterator(); ++it) {
                constants[(*it)[1].str()] = std::stoi((*it)[2].str());
            }
        }
    }
    for (const auto& [name, where] : named) {
        if (const auto it = constants.find(name); it != constants.end()) {
            used.emplace(it->second, where);
        }
    }
    return used;
}

class ShippedDataTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ConfigureFolders({.app_dir = kData,
                          .data_dir = dir_.path() / "data",
                          .config_dir = dir_.path() / "config"});
    }
    void TearDown() override {
        ConfigureFolders({});
        DUI::SetApplicationName(DUI::kDefaultApplicationName);
        SetInstalledLanguages({});
        SetCurrentLanguage(kLanguageEnglish);
    }
    testing::TempDir dir_;
};

TEST_F(ShippedDataTest, ConfigurationNamesTheProgramAndItsLanguages) {
    ReadAppConfig();
    EXPECT_EQ(DUI::GetApplicationName(), L"Pellora");
    EXPECT_EQ(GetInstalledLanguages(), (std::set<int>{1033, 2052}));
    for (int language : GetInstalledLanguages()) {
        EXPECT_TRUE(fs::exists(LanguageFilePath(language))) << language;
    }

    const DeviceCatalog catalog = ReadDeviceCatalog();
    ASSERT_EQ(catalog.mice.size(), 2u);
    EXPECT_EQ(catalog.modes.size(), 3u);
    ASSERT_TRUE(catalog.has_software);
    EXPECT_FALSE(catalog.software.version.empty());
    for (const std::wstring* url :
         {&catalog.software.website_url, &catalog.software.feedback_url, &catalog.software.qa_url,
          &catalog.software.store_url, &catalog.software.upgrade_url}) {
        EXPECT_FALSE(url->empty());
    }
    EXPECT_FALSE(catalog.software.copyright.empty());

    const DeviceEntry* a = FindModel(catalog, catalog.mice[0].device_type);
    EXPECT_EQ(a->device_key, L"vx7");
    EXPECT_EQ(a->name, L"VX7 Wireless");
    EXPECT_EQ(catalog.mice[1].device_key, L"vx3");
    std::set<int> vx7_modes;
    for (const DeviceEntry& mode : catalog.modes) {
        EXPECT_NE(mode.vendor_id, 0);
        EXPECT_NE(mode.product_id, 0);
        EXPECT_EQ(mode.device_id.size(), 4u);
        if (mode.device_key == L"vx7") {
            vx7_modes.insert(mode.mode);
        }
    }
    EXPECT_EQ(vx7_modes, (std::set<int>{0, 1}));
}

TEST_F(ShippedDataTest, EveryDescriptionLoadsWithItsButtonsAndDefaults) {
    struct Expect {
        const wchar_t* key;
        bool lighting;
    };
    for (const Expect& e : {Expect{L"vx7", true}, Expect{L"vx3", false}}) {
        SCOPED_TRACE(DUI::WideToUtf8(e.key));
        const ModelDescription model = ReadModelDescription(e.key);
        ASSERT_TRUE(model.loaded);
        ASSERT_TRUE(model.picture && model.lighting_page && model.custom && model.firmware_url);
        EXPECT_EQ(*model.picture, L"device/" + std::wstring(e.key) + L".png");
        EXPECT_EQ(*model.lighting_page, e.lighting);
        EXPECT_EQ(model.light_effects.has_value(), e.lighting);
        EXPECT_GE(model.buttons.size(), 5u);
        if (e.lighting) {
            EXPECT_TRUE(model.custom->show_dpi_tips && model.custom->show_save_tips &&
                        model.custom->show_lod && model.custom->show_sensor);
        }
        const ConfigDefaults defaults = ReadModelDefaults(e.key, true);
        std::set<std::wstring> keys;
        for (const auto& [key, value] : defaults) {
            keys.insert(key);
        }
        for (const wchar_t* key : {L"dpi_index", L"dpi_count", L"dpi_group0_value", L"report_rate",
                                   L"sleep_light", L"move_wakeup", L"move_closelight"}) {
            EXPECT_TRUE(keys.count(key)) << DUI::WideToUtf8(key);
        }
    }
}

TEST_F(ShippedDataTest, EveryTextNumberInUseExistsInEveryLanguage) {
    std::map<int, std::string> needed = TextNumbersInSources();
    for (const auto& entry : fs::directory_iterator(kData / "device")) {
        if (entry.path().extension() != ".xml") {
            continue;
        }
        XmlDoc doc;
        ASSERT_TRUE(doc.LoadFile(entry.path()));
        ASSERT_TRUE(doc.FindNext(L"mouse") && doc.EnterElement());
        if (doc.FindNext(L"mouse_key") && doc.EnterElement()) {
            while (doc.FindNext(L"key")) {
                for (const wchar_t* attribute : {L"name", L"func_desc"}) {
                    needed.emplace(DUI::WToI(doc.GetAttribute(attribute)),
                                   entry.path().filename().string());
                }
            }
        }
    }
    const std::map<int, std::wstring> english = LanguageTexts(1033);
    const std::map<int, std::wstring> chinese = LanguageTexts(2052);
    ASSERT_GT(english.size(), 100u);
    for (const auto& [id, where] : needed) {
        EXPECT_FALSE(english.count(id) == 0 || english.at(id).empty())
            << "text " << id << " (used in " << where << ") is missing from 1033.lan";
        EXPECT_FALSE(chinese.count(id) == 0 || chinese.at(id).empty())
            << "text " << id << " (used in " << where << ") is missing from 2052.lan";
    }
    // Both languages carry the same numbers, none of them empty.
    for (const auto& [id, text] : english) {
        EXPECT_TRUE(chinese.count(id)) << "text " << id << " only in 1033.lan";
        EXPECT_FALSE(text.empty()) << "text " << id << " empty in 1033.lan";
    }
    for (const auto& [id, text] : chinese) {
        EXPECT_TRUE(english.count(id)) << "text " << id << " only in 2052.lan";
        EXPECT_FALSE(text.empty()) << "text " << id << " empty in 2052.lan";
    }
}

TEST_F(ShippedDataTest, LanguageFilesShipAsUtf16WithMark) {
    for (int language : {1033, 2052}) {
        const std::string bytes = ReadAll(kData / "language" / (std::to_string(language) + ".lan"));
        ASSERT_GE(bytes.size(), 2u);
        EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE") << language;
        SetCurrentLanguage(language);
        EXPECT_FALSE(GetText(61).empty()) << language;
    }
    SetCurrentLanguage(2052);
    EXPECT_EQ(GetText(61), L"\u914D\u7F6E");  // stored profile names start with it
    SetCurrentLanguage(1033);
    EXPECT_EQ(GetText(61), L"Profile");
}

}  // namespace
}  // namespace pellora
