#include "tessel/platform/resources.h"

#include <cwctype>
#include <map>
#include <mutex>
#include <tuple>

namespace DUI {
namespace {

using Key = std::tuple<HINSTANCE, unsigned, std::wstring>;

std::mutex& TableLock() {
    static std::mutex lock;
    return lock;
}

std::map<Key, ResourceData>& Table() {
    static std::map<Key, ResourceData> table;
    return table;
}

std::wstring Lower(std::wstring text) {
    for (auto& c : text) {
        c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    }
    return text;
}

const int g_library_anchor = 0;

}  // namespace

HINSTANCE LibraryModule() {
    return const_cast<int*>(&g_library_anchor);
}

void RegisterResource(HINSTANCE module, unsigned id, const std::wstring& type, const void* data,
                      std::size_t size) {
    std::lock_guard lock(TableLock());
    Table()[Key(module, id, Lower(type))] =
        ResourceData{static_cast<const unsigned char*>(data), size};
}

ResourceData FindResource(HINSTANCE module, unsigned id, const std::wstring& type) {
    std::lock_guard lock(TableLock());
    const auto it = Table().find(Key(module, id, Lower(type)));
    return it == Table().end() ? ResourceData{} : it->second;
}

}  // namespace DUI
