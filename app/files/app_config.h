#pragma once
// The application configuration "config.xml" in the app folder: the installed languages and
// the program's own name (read at start-up), and the software block with version and web
// addresses (read again with the device catalogue). Children are searched in file order, so
// `language.info` must come before `device`, and `device` before `software`.

#include <filesystem>
#include <string>

namespace pellora {

class XmlDoc;

struct SoftwareInfo {
    std::wstring caption;
    std::wstring version;
    std::wstring website_url;
    std::wstring feedback_url;
    std::wstring qa_url;
    std::wstring store_url;
    std::wstring upgrade_url;
    std::wstring copyright;
};

std::filesystem::path AppConfigPath();

// Start-up pass: empties and refills the installed languages, takes `default_lan` as the
// current language and the `software` caption as the application name. A missing or damaged
// file leaves the default name and no language installed.
void ReadAppConfig();

// Reads the `software` element from where the cursor is (among the children of `config`);
// leaves the cursor on it. False when there is none.
bool ReadSoftwareInfo(XmlDoc& doc, SoftwareInfo& info);

}  // namespace pellora
