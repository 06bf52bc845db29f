// The onboard memory: its image, the state file that outlives the program, and the dump.

#include <gtest/gtest.h>

#include "onboard_memory.h"
#include "sim_bus.h"
#include "support/temp_dir.h"

namespace pellora::sim {
namespace {

OnboardMemory Changed() {
    OnboardMemory m = FactoryMemory();
    m.report_rate = 0x20;
    m.dpi_raw[1] = EncodeDpi(6400);
    m.dpi_colour[0] = {0x00, 0x80, 0xFF};
    m.light_mode = 3;
    m.buttons[60] = 0xA0;
    m.macros[3] = {0x30, 0x14, 0x00, 0x04, 0xB0, 0x01, 0x00, 0x04};
    return m;
}

TEST(OnboardMemoryTest, ImageRoundTripsAndRejectsDamage) {
    const OnboardMemory memory = Changed();
    const std::vector<uint8_t> image = SaveImage(memory);
    EXPECT_EQ(LoadImage(image), memory);

    for (std::size_t cut = 0; cut < image.size(); ++cut) {
        EXPECT_FALSE(LoadImage(std::vector<uint8_t>(image.begin(), image.begin() + cut)));
    }
    std::vector<uint8_t> longer = image;
    longer.push_back(0);
    EXPECT_FALSE(LoadImage(longer));
    std::vector<uint8_t> wrong_version = image;
    wrong_version[4] = 9;
    EXPECT_FALSE(LoadImage(wrong_version));
}

TEST(OnboardMemoryTest, DpiStepsOfTheSensor) {
    struct Case {
        int dpi;
        uint16_t raw;
        int back;
    };
    const Case cases[] = {{100, 0, 100},    {5000, 49, 5000}, {5500, 50, 5500},
                          {6400, 51, 6400}, {6500, 52, 6400}, {10000, 59, 10000}};
    for (const Case& c : cases) {
        EXPECT_EQ(EncodeDpi(c.dpi), c.raw) << c.dpi;
        EXPECT_EQ(DecodeDpi(c.raw), c.back) << c.dpi;
    }
}

TEST(OnboardMemoryTest, StateFileSurvivesARestart) {
    testing::TempDir dir;
    const auto file = dir / "mouse.state";
    DUI::ManualClock clock;
    {
        SimulatedBus bus(clock);
        bus.AddMouse(*FindDefaultModel(1));
        bus.AddMouse(*FindDefaultModel(2));
        bus.SetStateFile(file);  // nothing there yet: factory state
        OnboardMemory m;
        bus.GetMemory(1, m);
        EXPECT_EQ(m, FactoryMemory());
        bus.SetMemory(1, Changed());
        bus.PressDpiButton(2);
    }
    SimulatedBus again(clock);
    again.AddMouse(*FindDefaultModel(1));
    again.AddMouse(*FindDefaultModel(2));
    again.SetStateFile(file);
    OnboardMemory a;
    OnboardMemory b;
    again.GetMemory(1, a);
    again.GetMemory(2, b);
    EXPECT_EQ(a, Changed());
    EXPECT_EQ(b.dpi_index, 2);
}

TEST(OnboardMemoryTest, DamagedStateFileGivesFactoryMemory) {
    testing::TempDir dir;
    DUI::ManualClock clock;
    const std::string good = "VX07 " + [] {
        std::string hex;
        char byte[3];
        for (uint8_t b : SaveImage(Changed())) {
            std::snprintf(byte, sizeof byte, "%02x", b);
            hex += byte;
        }
        return hex;
    }();
    const std::string contents[] = {
        "",
        "not a state file\n" + good + "\n",
        "pellora-sim-state 1\nVX07 zz\n",
        "pellora-sim-state 1\nVX07 " + good.substr(5, 40) + "\n",
        "pellora-sim-state 1\nVX07\n",
        std::string("pellora-sim-state 1\n") + std::string(3, '\0') + "\n",
    };
    for (const std::string& text : contents) {
        const auto file = dir / "state";
        ASSERT_TRUE(testing::WriteFile(file, text));
        SimulatedBus bus(clock);
        bus.AddMouse(*FindDefaultModel(1));
        bus.SetStateFile(file);
        OnboardMemory m;
        bus.GetMemory(1, m);
        EXPECT_EQ(m, FactoryMemory());
    }
    ASSERT_TRUE(testing::WriteFile(dir / "state", "pellora-sim-state 1\n" + good + "\n"));
    SimulatedBus bus(clock);
    bus.AddMouse(*FindDefaultModel(1));
    bus.SetStateFile(dir / "state");
    OnboardMemory m;
    bus.GetMemory(1, m);
    EXPECT_EQ(m, Changed());
}

TEST(OnboardMemoryTest, DumpIsReadable) {
    const std::string json = DumpJson(Changed(), "VX07");
    for (const char* part : {
             "\"model\": \"VX07\"",
             "\"report_rate\": {\"code\": 32, \"hz\": 4000}",
             "{\"raw\": 51, \"dpi\": 6400, \"colour\": \"#00FF00\"}",
             "{\"raw\": 3, \"dpi\": 400, \"colour\": \"#0080FF\"}",
             "\"buttons\": [\"20 01 00\", \"20 02 00\"",
             "{\"event\": \"key down\", \"code\": 48, \"delay_ms\": 20, \"value\": 4}",
             "\"macro_bytes_used\": 9",
         }) {
        EXPECT_NE(json.find(part), std::string::npos) << part << "\n" << json;
    }
}

}  // namespace
}  // namespace pellora::sim
