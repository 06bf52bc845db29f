// The device worker and the window call the store at the same time.

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "store_fixture.h"

namespace pellora {
namespace {

using StoreConcurrencyTest = testing::StoreTest;

TEST_F(StoreConcurrencyTest, OperationsFromTwoThreadsNeverInterleave) {
    const int profile = db_.AddProfile(ProfileInfo{.name = L"p"});
    const int macro = db_.AddMacro(L"m");
    std::atomic<bool> failed{false};

    std::thread worker([&] {
        for (int i = 0; i < 200; ++i) {
            std::wstring value;
            if (!db_.GetConfigValue(profile, L"dpi_index", value)) {
                failed = true;
            }
            KeyList keys;
            db_.ListKeys(profile, keys);
        }
    });
    for (int i = 0; i < 200; ++i) {
        if (!db_.SetConfigValue(profile, L"dpi_index", std::to_wstring(i))) {
            failed = true;
        }
        db_.SaveKey(KeyRecord{.profile = profile, .key_code = i % 5, .macro_value = i + 1});
    }
    // A caller holding the lock sees its own read-modify-write undisturbed.
    std::thread steps([&] {
        for (int i = 0; i < 50; ++i) {
            auto hold = db_.Lock();
            db_.DeleteMacroSteps(macro);
            db_.AddMacroSteps({MacroStep{.macro = macro, .position = 0},
                               MacroStep{.macro = macro, .position = 1}});
        }
    });
    for (int i = 0; i < 50; ++i) {
        auto hold = db_.Lock();
        MacroStepList list;
        const int count = db_.ListMacroSteps(macro, list);
        if (count != 0 && count != 2) {
            failed = true;
        }
    }
    worker.join();
    steps.join();
    EXPECT_FALSE(failed);
    KeyList keys;
    EXPECT_EQ(db_.ListKeys(profile, keys), 5);
}

}  // namespace
}  // namespace pellora
