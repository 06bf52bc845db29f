// The start-up pass over config.xml.
#include "files/app_config.h"

#include <gtest/gtest.h>

#include "files/xml_doc.h"
#include "files_fixture.h"

namespace pellora {
namespace {

using testing::FilesTest;
using testing::WriteFile;

class AppConfigTest : public FilesTest {};

TEST_F(AppConfigTest, ReadsLanguagesAndNameInFileOrder) {
    struct Case {
        const char* name;
        std::string xml;
        std::set<int> installed;
        int current;
        std::wstring app_name;
    };
    const Case cases[] = {
        {"complete",
         "<config><language.info default_lan=\"2052\"><lan value=\"1033\"/><lan value=\"2052\"/>"
         "</language.info><device/><software caption=\"Pellora\" version=\"1.2\"/></config>",
         {1033, 2052},
         2052,
         L"Pellora"},
        // The search for software starts after language.info: one before it is not seen.
        {"software first",
         "<config><software caption=\"Early\"/><language.info default_lan=\"1033\">"
         "<lan value=\"1033\"/></language.info></config>",
         {1033},
         1033,
         L"Quorvel"},
        {"empty caption keeps the name",
         "<config><software caption=\"\"/></config>",
         {},
         1033,
         L"Quorvel"},
        {"not well formed",
         "<config><language.info><lan value=\"1033\"/></config>",
         {},
         1033,
         L"Quorvel"},
        {"missing", "", {}, 1033, L"Quorvel"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(AppPath("config.xml"));
        if (!c.xml.empty()) {
            ASSERT_TRUE(WriteFile(AppPath("config.xml"), c.xml));
        }
        SetInstalledLanguages({9999});
        SetCurrentLanguage(1033);
        DUI::SetApplicationName(DUI::kDefaultApplicationName);
        ReadAppConfig();
        EXPECT_EQ(GetInstalledLanguages(), c.installed);
        EXPECT_EQ(GetCurrentLanguage(), c.current);
        EXPECT_EQ(DUI::GetApplicationName(), c.app_name);
    }
}

TEST_F(AppConfigTest, SoftwareBlockReadsEveryAddressInOrder) {
    XmlDoc doc;
    ASSERT_TRUE(doc.SetText(
        L"<config><device/><software caption=\"P\" version=\"1.0.3\"><website url=\"w\"/>"
        L"<feedback url=\"f\"/><store url=\"s\"/><upgrade url=\"u\"/>"
        L"<copyright info=\"&#169; 2026\"/></software></config>"));
    ASSERT_TRUE(doc.FindNext(L"config") && doc.EnterElement() && doc.FindNext(L"device"));
    SoftwareInfo info;
    ASSERT_TRUE(ReadSoftwareInfo(doc, info));
    EXPECT_EQ(info.version, L"1.0.3");
    EXPECT_EQ(info.website_url, L"w");
    EXPECT_EQ(info.feedback_url, L"f");
    EXPECT_EQ(info.qa_url, L"");  // missing: the next search goes on from feedback
    EXPECT_EQ(info.store_url, L"s");
    EXPECT_EQ(info.upgrade_url, L"u");
    EXPECT_EQ(info.copyright, L"\u00A9 2026");
    EXPECT_FALSE(ReadSoftwareInfo(doc, info));
}

}  // namespace
}  // namespace pellora
