// The tool's argument readers and its frame trace lines.

#include <gtest/gtest.h>

#include "cli/args.h"
#include "cli/frame_trace.h"
#include "cli/output.h"

namespace pellora::cli {
namespace {

TEST(CliArgs, WholeNumbersInRangeOnly) {
    int v = 0;
    EXPECT_TRUE(ParseInt("800", 100, 10000, v));
    EXPECT_EQ(v, 800);
    EXPECT_TRUE(ParseInt("0x41", 0, 255, v));
    EXPECT_EQ(v, 0x41);
    for (const char* bad : {"", " 5", "5 ", "12a", "99", "10001", "-1", "99999999999999999999"}) {
        EXPECT_FALSE(ParseInt(bad, 100, 10000, v)) << bad;
    }
}

TEST(CliArgs, OptionsAndLists) {
    std::map<std::string, std::string> options;
    std::string bad;
    EXPECT_TRUE(ParseOptions({"sleep=5", "wakeup=1"}, options, bad));
    EXPECT_EQ(options["sleep"], "5");
    options.clear();
    EXPECT_FALSE(ParseOptions({"sleep=5", "sleep=6"}, options, bad));
    EXPECT_EQ(bad, "sleep=6");
    options.clear();
    EXPECT_FALSE(ParseOptions({"=5"}, options, bad));
    EXPECT_EQ(SplitList("1,,3"), (std::vector<std::string>{"1", "", "3"}));
}

TEST(CliArgs, MacroSteps) {
    std::vector<MacroStep> steps;
    for (const char* s :
         {"down:A", "delay:20", "up:a", "press:lshift", "mdown:1", "mup:1", "down:F5"}) {
        EXPECT_TRUE(ParseMacroStep(s, steps)) << s;
    }
    ASSERT_EQ(steps.size(), 8u);
    EXPECT_EQ(steps[0].kind, kMacroStepKeyDown);
    EXPECT_EQ(steps[0].value, 0x41);
    EXPECT_EQ(steps[1].kind, kMacroStepDelay);
    EXPECT_EQ(steps[2].value, 0x41);
    EXPECT_EQ(steps[3].value, 0xA0);
    EXPECT_EQ(steps[4].kind, kMacroStepKeyUp);
    EXPECT_EQ(steps[7].value, 0x74);
    for (const char* s : {"down", "down:", "hold:A", "delay:70000", "mdown:0", "down:nokey"}) {
        EXPECT_FALSE(ParseMacroStep(s, steps)) << s;
    }
}

TEST(CliOutput, FrameLinesAndJson) {
    const uint8_t frame[] = {0x00, 0x12, 0xAB, 0x0F};
    EXPECT_EQ(FormatFrameLine('>', frame, 4), "> 00 12 AB 0F");
    EXPECT_EQ(FormatFrameLine('<', frame, 0), "<");
    Json j = Json::Object();
    j.Add("a", Json::Number(1)).Add("b", Json::String("x\"\n\x01"));
    j.Add("c", Json::Array().Push(Json::Bool(true)));
    EXPECT_EQ(j.Dump(), R"({"a":1,"b":"x\"\n\u0001","c":[true]})");
}

}  // namespace
}  // namespace pellora::cli
