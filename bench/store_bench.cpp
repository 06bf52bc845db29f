// The store against a bare loop of prepared statements doing the same SQL on the same file.
// The store's overhead (locking, conversions, records) should stay within 1.5x of the loop.

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <filesystem>
#include <string>
#include <vector>

#include "store/device_database.h"
#include "store/init_profiles.h"

namespace fs = std::filesystem;

namespace {

using pellora::DeviceDatabase;

// A database as the program leaves it after first run: four profiles with their keys, a few
// buttons assigned, one macro.
struct Fixture {
    Fixture() {
        dir = fs::temp_directory_path() / ("pellora-bench-" + std::to_string(::getpid()));
        fs::create_directories(dir / "db");
        db.OpenForDevice(dir, L"Bench");
        pellora::InitProfiles(db, L"Profile", nullptr);
        for (int code = 1; code <= 8; ++code) {
            db.SaveKey(pellora::KeyRecord{.profile = 1,
                                          .key_code = code,
                                          .layout_value = code,
                                          .layout_desc = L"Button",
                                          .macro_type = 2,
                                          .macro_value = code,
                                          .macro_desc = L"Function"});
        }
        macro = db.AddMacro(L"bench");
        raw = nullptr;
        sqlite3_open_v2(db.Path().c_str(), &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_FULLMUTEX,
                        nullptr);
        sqlite3_exec(raw, "PRAGMA synchronous = OFF; ", nullptr, nullptr, nullptr);
    }
    ~Fixture() {
        sqlite3_close(raw);
        db.Close();
        fs::remove_all(dir);
    }
    fs::path dir;
    DeviceDatabase db;
    sqlite3* raw;
    int macro = 0;
};

Fixture& Shared() {
    static Fixture fixture;
    return fixture;
}

sqlite3_stmt* PrepareRaw(const char* sql) {
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(Shared().raw, sql, -1, &st, nullptr);
    return st;
}

void BM_Store_GetConfigValue(benchmark::State& state) {
    DeviceDatabase& db = Shared().db;
    std::wstring value;
    for (auto _ : state) {
        db.GetConfigValue(3, L"dpi_group5_value", value);
        benchmark::DoNotOptimize(value);
    }
}

void BM_Bare_GetConfigValue(benchmark::State& state) {
    sqlite3_stmt* st = PrepareRaw("SELECT value FROM t_configdata WHERE profile = ? and key = ?");
    std::string value;
    for (auto _ : state) {
        sqlite3_reset(st);
        sqlite3_bind_int(st, 1, 3);
        sqlite3_bind_text(st, 2, "dpi_group5_value", -1, SQLITE_STATIC);
        if (sqlite3_step(st) == SQLITE_ROW) {
            value = reinterpret_cast<const char*>(sqlite3_column_text(st, 0));
        }
        benchmark::DoNotOptimize(value);
    }
    sqlite3_finalize(st);
}

void BM_Store_SetConfigValue(benchmark::State& state) {
    DeviceDatabase& db = Shared().db;
    int i = 0;
    for (auto _ : state) {
        db.SetConfigValue(3, L"dpi_group5_value", std::to_wstring(800 + (++i % 100)));
    }
}

void BM_Bare_SetConfigValue(benchmark::State& state) {
    sqlite3_stmt* st =
        PrepareRaw("UPDATE t_configdata SET value = ? WHERE profile = ? and key = ?");
    int i = 0;
    for (auto _ : state) {
        const std::string value = std::to_string(800 + (++i % 100));
        sqlite3_reset(st);
        sqlite3_bind_text(st, 1, value.data(), static_cast<int>(value.size()), SQLITE_STATIC);
        sqlite3_bind_int(st, 2, 3);
        sqlite3_bind_text(st, 3, "dpi_group5_value", -1, SQLITE_STATIC);
        sqlite3_step(st);
    }
    sqlite3_finalize(st);
}

void BM_Store_ListKeys(benchmark::State& state) {
    DeviceDatabase& db = Shared().db;
    pellora::KeyList keys;
    for (auto _ : state) {
        db.ListKeys(1, keys);
        benchmark::DoNotOptimize(keys.data());
    }
}

void BM_Bare_ListKeys(benchmark::State& state) {
    sqlite3_stmt* st =
        PrepareRaw("SELECT * FROM t_key_macro_data WHERE profile = ? and fn_layer = ?");
    std::vector<std::pair<int, std::string>> rows;
    for (auto _ : state) {
        rows.clear();
        sqlite3_reset(st);
        sqlite3_bind_int(st, 1, 1);
        sqlite3_bind_int(st, 2, 0);
        while (sqlite3_step(st) == SQLITE_ROW) {
            int sum = 0;
            for (int c : {0, 1, 2, 3, 4, 6, 7, 8, 9}) {
                sum += sqlite3_column_int(st, c);
            }
            std::string text = reinterpret_cast<const char*>(sqlite3_column_text(st, 5));
            text += reinterpret_cast<const char*>(sqlite3_column_text(st, 10));
            rows.emplace_back(sum, std::move(text));
        }
        benchmark::DoNotOptimize(rows.data());
    }
    sqlite3_finalize(st);
}

std::vector<pellora::MacroStep> HundredSteps(int macro) {
    std::vector<pellora::MacroStep> steps;
    for (int i = 0; i < 100; ++i) {
        steps.push_back(pellora::MacroStep{.macro = macro,
                                           .kind = 2 + i % 2,
                                           .position = i,
                                           .value = 4,
                                           .timestamp = i / 2,
                                           .desc = L"A"});
    }
    return steps;
}

void BM_Store_AddMacroSteps100(benchmark::State& state) {
    DeviceDatabase& db = Shared().db;
    const std::vector<pellora::MacroStep> steps = HundredSteps(Shared().macro);
    for (auto _ : state) {
        db.AddMacroSteps(steps);
        state.PauseTiming();
        db.DeleteMacroSteps(Shared().macro);
        state.ResumeTiming();
    }
}

void BM_Bare_AddMacroSteps100(benchmark::State& state) {
    sqlite3_stmt* st = PrepareRaw(
        "INSERT INTO t_macrorecord(macro_id, type, record_index, desc, value, delay_time) "
        "VALUES (?, ?, ?, ?, ?, ?);");
    sqlite3_stmt* clear = PrepareRaw("DELETE FROM t_macrorecord WHERE macro_id = ?");
    const int macro = Shared().macro;
    for (auto _ : state) {
        sqlite3_exec(Shared().raw, "BEGIN", nullptr, nullptr, nullptr);
        for (int i = 0; i < 100; ++i) {
            sqlite3_reset(st);
            sqlite3_bind_int(st, 1, macro);
            sqlite3_bind_int(st, 2, 2 + i % 2);
            sqlite3_bind_int(st, 3, i);
            sqlite3_bind_text(st, 4, "A", 1, SQLITE_STATIC);
            sqlite3_bind_int(st, 5, 4);
            sqlite3_bind_int(st, 6, i / 2);
            sqlite3_step(st);
        }
        sqlite3_exec(Shared().raw, "END", nullptr, nullptr, nullptr);
        state.PauseTiming();
        sqlite3_reset(clear);
        sqlite3_bind_int(clear, 1, macro);
        sqlite3_step(clear);
        state.ResumeTiming();
    }
    sqlite3_finalize(clear);
    sqlite3_finalize(st);
}

BENCHMARK(BM_Store_GetConfigValue);
BENCHMARK(BM_Bare_GetConfigValue);
BENCHMARK(BM_Store_SetConfigValue);
BENCHMARK(BM_Bare_SetConfigValue);
BENCHMARK(BM_Store_ListKeys);
BENCHMARK(BM_Bare_ListKeys);
BENCHMARK(BM_Store_AddMacroSteps100);
BENCHMARK(BM_Bare_AddMacroSteps100);

}  // namespace
