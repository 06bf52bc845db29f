#include "files/app_config.h"

#include <set>

#include "files/language.h"
#include "files/xml_doc.h"
#include "platform/folders.h"
#include "tessel/platform/app_name.h"
#include "tessel/platform/text.h"

namespace pellora {

std::filesystem::path AppConfigPath() {
    return AppDir() / "config.xml";
}

void ReadAppConfig() {
    SetInstalledLanguages({});
    XmlDoc doc;
    if (!doc.LoadFile(AppConfigPath())) {
        return;
    }
    if (!doc.FindNext(L"config") || !doc.EnterElement()) {
        return;
    }
    if (doc.FindNext(L"language.info")) {
        SetCurrentLanguage(DUI::WToI(doc.GetAttribute(L"default_lan")));
        std::set<int> installed;
        doc.EnterElement();
        while (doc.FindNext(L"lan")) {
            installed.insert(DUI::WToI(doc.GetAttribute(L"value")));
        }
        doc.LeaveElement();
        SetInstalledLanguages(installed);
    }
    if (doc.FindNext(L"software")) {
        // An empty caption would name the settings and data folders with nothing.
        const std::wstring caption = doc.GetAttribute(L"caption");
        if (!caption.empty()) {
            DUI::SetApplicationName(caption);
        }
    }
}

bool ReadSoftwareInfo(XmlDoc& doc, SoftwareInfo& info) {
    if (!doc.FindNext(L"software")) {
        return false;
    }
    info.caption = doc.GetAttribute(L"caption");
    info.version = doc.GetAttribute(L"version");
    doc.EnterElement();
    const struct {
        const wchar_t* element;
        const wchar_t* attribute;
        std::wstring* target;
    } children[] = {
        {L"website", L"url", &info.website_url}, {L"feedback", L"url", &info.feedback_url},
        {L"qa", L"url", &info.qa_url},           {L"store", L"url", &info.store_url},
        {L"upgrade", L"url", &info.upgrade_url}, {L"copyright", L"info", &info.copyright},
    };
    for (const auto& child : children) {
        if (doc.FindNext(child.element)) {
            *child.target = doc.GetAttribute(child.attribute);
        }
    }
    doc.LeaveElement();
    return true;
}

}  // namespace pellora
