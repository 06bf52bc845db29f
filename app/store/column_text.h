#pragma once
// Text columns come back as UTF-8 or null (a NULL column); callers want wide text.

#include <string>

#include "store/sqlite_db.h"
#include "tessel/platform/text.h"

namespace pellora {

inline std::wstring WideColumn(SQLiteStatement& statement, int column) {
    const char* text = statement.ColumnText(column);
    return text != nullptr ? DUI::Utf8ToWide(text) : std::wstring();
}

}  // namespace pellora
