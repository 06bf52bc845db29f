#include "tessel/core/mobject.h"

#include <cwchar>

namespace DUI {

int MObject::IsClass(const wchar_t* name) {
    const wchar_t* own = GetClassNameW();
    if (own == nullptr || name == nullptr) {
        return 0;
    }
    return std::wcscmp(own, name) == 0 ? 1 : 0;
}

long MObject::OnBaseMessage(unsigned, unsigned, unsigned, long) {
    return 0;
}

long MObject::OnControlUpdate(CRect, int, MControl*) {
    return 0;
}

}  // namespace DUI
