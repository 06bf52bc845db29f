#pragma once
// A store of its own in a fresh data folder, opened for one model.

#include <gtest/gtest.h>

#include <filesystem>

#include "store/device_database.h"
#include "support/temp_dir.h"

namespace pellora::testing {

class StoreTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::create_directories(dir_.path() / "db");
        ASSERT_TRUE(db_.OpenForDevice(dir_.path(), L"M1"));
    }

    std::filesystem::path DbFile(const std::string& key = "M1") const {
        return dir_.path() / "db" / (key + "_data.db");
    }

    TempDir dir_{"pellora-store"};
    DeviceDatabase db_;
};

}  // namespace pellora::testing
