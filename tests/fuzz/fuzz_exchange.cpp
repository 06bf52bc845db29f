// Imports arbitrary bytes as a profile file and as a macro file. Whatever the bytes, the import
// must not crash, must not add configuration rows, and must leave the profile whole.

#include <sqlite3.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#include "files/exchange/macro_exchange.h"
#include "files/exchange/profile_exchange.h"
#include "store/device_database.h"
#include "store/init_profiles.h"

namespace fs = std::filesystem;

namespace {

struct Store {
    Store() {
        dir = fs::temp_directory_path() / ("pellora-fuzz-exchange-" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir / "db");
        db.OpenForDevice(dir, L"Fuzz");
        db.Execute("PRAGMA journal_mode = MEMORY");  // thousands of imports: spare the disk
        pellora::InitProfiles(db, L"Profile", nullptr);
        db.AddLight(pellora::LightRecord{.profile = 1, .mode = 1});
        db.AddLight(pellora::LightRecord{.profile = 1, .mode = 2});
    }
    ~Store() {
        db.Close();
        std::error_code error;
        fs::remove_all(dir, error);
    }
    static Store& Instance() {
        static Store store;
        return store;
    }
    int ConfigRows() {
        pellora::SQLiteStatement st;
        db.Prepare(st, "SELECT count(*) FROM t_configdata");
        return st.Step() == SQLITE_ROW ? st.ColumnInt(0) : -1;
    }
    fs::path dir;
    pellora::DeviceDatabase db;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Store& store = Store::Instance();
    const fs::path file = store.dir / "input.xml";
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    const int rows = store.ConfigRows();
    pellora::ImportProfile(store.db, file, 1, true);
    if (store.ConfigRows() != rows) {
        std::abort();  // an import only changes values; it never adds keys
    }
    std::wstring name;
    if (!store.db.GetProfileName(1, name)) {
        std::abort();
    }
    const pellora::MacroImportResult macro = pellora::ImportMacro(store.db, file);
    if (macro.macro_id > 0) {
        store.db.DeleteMacro(macro.macro_id);
    }
    return 0;
}
