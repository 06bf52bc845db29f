#include "platform/command_line.h"

#include <gtest/gtest.h>
#include <stdlib.h>

using pellora::ParseGlobalOptions;

TEST(CommandLine, GlobalOptionsAnywhereAndTheRestInOrder) {
    const auto r = ParseGlobalOptions({"--app-dir", "/a", "dpi", "--data-dir=/d", "levels",
                                       "--trace", "800,1600", "--json", "--config-dir", "/c"});
    ASSERT_TRUE(r.ok()) << r.error;
    EXPECT_EQ(r.options.folders.app_dir, std::filesystem::path("/a"));
    EXPECT_EQ(r.options.folders.data_dir, std::filesystem::path("/d"));
    EXPECT_EQ(r.options.folders.config_dir, std::filesystem::path("/c"));
    EXPECT_TRUE(r.options.trace);
    EXPECT_TRUE(r.options.json);
    EXPECT_EQ(r.options.rest, (std::vector<std::string>{"dpi", "levels", "800,1600"}));
}

TEST(CommandLine, SimulateTakesAnOptionalTypeOnlyAfterEquals) {
    auto r = ParseGlobalOptions({"--simulate", "show"});
    ASSERT_TRUE(r.options.simulate.has_value());
    EXPECT_EQ(*r.options.simulate, "");
    EXPECT_EQ(r.options.rest, std::vector<std::string>{"show"});
    r = ParseGlobalOptions({"--simulate=102", "--sim-state", "/tmp/m.json"});
    EXPECT_EQ(r.options.simulate, "102");
    EXPECT_EQ(r.options.sim_state, std::filesystem::path("/tmp/m.json"));
    EXPECT_FALSE(ParseGlobalOptions({"show"}).options.simulate.has_value());
}

TEST(CommandLine, MissingValuesAreErrorsAndDoubleDashEndsOptions) {
    EXPECT_FALSE(ParseGlobalOptions({"--data-dir"}).ok());
    EXPECT_FALSE(ParseGlobalOptions({"--app-dir="}).ok());
    const auto r = ParseGlobalOptions({"profile", "rename", "1", "--", "--trace", "-hide"});
    ASSERT_TRUE(r.ok());
    EXPECT_FALSE(r.options.trace);
    EXPECT_EQ(r.options.rest,
              (std::vector<std::string>{"profile", "rename", "1", "--trace", "-hide"}));
}

TEST(CommandLine, EnvironmentFillsWhatTheCommandLineLeavesUnset) {
    setenv(pellora::kSimulateEnv, "1", 1);
    setenv(pellora::kTraceEnv, "1", 1);
    auto r = ParseGlobalOptions({});
    EXPECT_EQ(r.options.simulate, "");
    EXPECT_TRUE(r.options.trace);
    setenv(pellora::kSimulateEnv, "103", 1);
    EXPECT_EQ(ParseGlobalOptions({}).options.simulate, "103");
    EXPECT_EQ(ParseGlobalOptions({"--simulate=101"}).options.simulate, "101");
    setenv(pellora::kSimulateEnv, "0", 1);
    EXPECT_FALSE(ParseGlobalOptions({}).options.simulate.has_value());
    unsetenv(pellora::kSimulateEnv);
    unsetenv(pellora::kTraceEnv);
}
