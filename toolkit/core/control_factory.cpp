#include "tessel/core/control_factory.h"

#include <map>
#include <mutex>

namespace DUI {
namespace {

struct Row {
    unsigned tables;
    ControlCreator creator;
};

// Function-local so rows registered from other files' static initialisers always find it.
std::mutex& RowsLock() {
    static std::mutex lock;
    return lock;
}

std::map<std::wstring, Row>& Rows() {
    static std::map<std::wstring, Row> rows;
    return rows;
}

}  // namespace

bool RegisterControlClass(const wchar_t* name, unsigned tables, ControlCreator creator) {
    if (name == nullptr || *name == L'\0' || creator == nullptr) {
        return false;
    }
    std::lock_guard lock(RowsLock());
    Rows()[name] = Row{tables, creator};
    return true;
}

ControlCreator FindControlClass(const wchar_t* name, FactoryTable table) {
    if (name == nullptr || *name == L'\0') {
        return nullptr;
    }
    std::lock_guard lock(RowsLock());
    const auto it = Rows().find(name);
    if (it == Rows().end() || (it->second.tables & table) == 0) {
        return nullptr;
    }
    return it->second.creator;
}

std::vector<std::wstring> RegisteredControlClasses(FactoryTable table) {
    std::vector<std::wstring> names;
    std::lock_guard lock(RowsLock());
    for (const auto& [name, row] : Rows()) {
        if ((row.tables & table) != 0) {
            names.push_back(name);
        }
    }
    return names;
}

}  // namespace DUI
