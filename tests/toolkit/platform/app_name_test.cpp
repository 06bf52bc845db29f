#include "tessel/platform/app_name.h"

#include <gtest/gtest.h>

namespace {

class AppNameTest : public ::testing::Test {
  protected:
    void TearDown() override { DUI::SetApplicationName(DUI::kDefaultApplicationName); }
};

}  // namespace

TEST_F(AppNameTest, DefaultUntilTheConfigurationNamesIt) {
    EXPECT_EQ(DUI::GetApplicationName(), L"Quorvel");
    DUI::SetApplicationName(L"Pellora");
    EXPECT_EQ(DUI::GetApplicationName(), L"Pellora");
    EXPECT_EQ(DUI::ApplicationNameForPath(), "Pellora");
}

TEST_F(AppNameTest, PathFormNeverLeavesItsFolder) {
    const std::pair<const wchar_t*, const char*> cases[] = {
        {L"../evil", ".._evil"},
        {L"a/b\\c", "a_b_c"},
        {L"", "Quorvel"},
        {L"..", "Quorvel"},
        {L"\u914D\u7F6E", "\xE9\x85\x8D\xE7\xBD\xAE"},
    };
    for (const auto& [name, path] : cases) {
        DUI::SetApplicationName(name);
        EXPECT_EQ(DUI::ApplicationNameForPath(), path);
    }
}
