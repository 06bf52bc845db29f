#include "tessel/platform/app_name.h"

#include <mutex>

#include "tessel/platform/text.h"

namespace DUI {
namespace {

std::mutex& NameMutex() {
    static std::mutex mutex;
    return mutex;
}

std::wstring& NameStorage() {
    static std::wstring name = kDefaultApplicationName;
    return name;
}

}  // namespace

void SetApplicationName(const std::wstring& name) {
    std::lock_guard lock(NameMutex());
    NameStorage() = name;
}

std::wstring GetApplicationName() {
    std::lock_guard lock(NameMutex());
    return NameStorage();
}

std::string ApplicationNameForPath() {
    std::string name = WideToUtf8(GetApplicationName());
    for (char& c : name) {
        if (c == '/' || c == '\\' || c == '\0' || (static_cast<unsigned char>(c) < 0x20)) {
            c = '_';
        }
    }
    if (name.empty() || name == "." || name == "..") {
        name = WideToUtf8(kDefaultApplicationName);
    }
    return name;
}

}  // namespace DUI
