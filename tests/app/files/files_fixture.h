#pragma once
// An app folder and a settings folder of their own for each test, and a way to write language
// files in the encodings the program accepts.

#include <gtest/gtest.h>

#include <string>

#include "files/language.h"
#include "platform/folders.h"
#include "support/temp_dir.h"
#include "tessel/platform/app_name.h"
#include "tessel/platform/text.h"

namespace pellora::testing {

class FilesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ConfigureFolders(
            {.app_dir = dir_ / "app", .data_dir = dir_ / "data", .config_dir = dir_ / "config"});
        DUI::SetApplicationName(DUI::kDefaultApplicationName);
        SetInstalledLanguages({});
        SetCurrentLanguage(kLanguageEnglish);
    }
    void TearDown() override {
        ConfigureFolders({});
        DUI::SetApplicationName(DUI::kDefaultApplicationName);
    }

    std::filesystem::path AppPath(const std::string& relative) const {
        return dir_ / "app" / relative;
    }
    std::filesystem::path SettingsPath() const { return dir_ / "config" / kSettingsFileName; }

    // A language file as shipped: UTF-16LE with its mark.
    bool WriteLanguage(int language, const std::wstring& text) const {
        return WriteFile(AppPath("language/" + std::to_string(language) + ".lan"),
                         "\xFF\xFE" + DUI::WideToUtf16Bytes(text, DUI::ByteOrder::Little));
    }

    TempDir dir_;
};

}  // namespace pellora::testing
