// Settings writes and reads against the simulated mouse.

#include "commands_fixture.h"

namespace pellora::testing {
namespace {

using namespace std::chrono_literals;

TEST_F(CommandsTest, DpiLevelsAreClampedEncodedAndSentTwice) {
    Set(L"dpi_index", 2);
    Set(L"dpi_count", 4);
    Set(L"dpi_group0_value", 50);     // below the minimum: 100, raw 0
    Set(L"dpi_group1_value", 6400);   // raw 51
    Set(L"dpi_group2_value", 12000);  // above the maximum: raw 59
    commands.SendDpiLevels();
    const auto sent = Sent();
    ASSERT_EQ(sent.size(), 1u);
    const auto& f = sent[0];
    EXPECT_EQ(f[1], 0x03);
    EXPECT_EQ(f[3], 0x01);
    EXPECT_EQ(f[4], 0x26);
    EXPECT_EQ(f[6], 0x24);
    EXPECT_EQ(std::vector<uint8_t>(f.begin() + 7, f.begin() + 19),
              (std::vector<uint8_t>{0, 0, 0, 0, 0x33, 0, 0x33, 0, 59, 0, 59, 0}));
    EXPECT_EQ(f[32], FrameChecksum(f.data()));
    EXPECT_EQ(clock.sleeps(), std::vector<DUI::Clock::duration>{66ms});  // no reply wait
    EXPECT_EQ(Memory().dpi_raw[1], 51);
}

TEST_F(CommandsTest, WritesCarryTheStoredValues) {
    Set(L"dpi_group0_rgb", 0xFF8000);
    Set(L"report_rate", 0x10);
    Set(L"liftoff_height", 2);
    Set(L"sensor_flag", 12);
    Set(L"sleep_light", 10);
    Set(L"move_wakeup", 0);
    Set(L"move_closelight", 1);
    Set(L"button_respondtime", 20);
    EXPECT_TRUE(commands.SendDpiColours());
    EXPECT_TRUE(commands.SendReportRate());
    EXPECT_TRUE(commands.SendSensorOptions());
    EXPECT_TRUE(commands.SendPowerOptions());
    const auto sent = Sent();
    ASSERT_EQ(sent.size(), 4u);
    EXPECT_EQ(std::vector<uint8_t>(sent[0].begin() + 4, sent[0].begin() + 8),
              (std::vector<uint8_t>{18, 0x00, 0x80, 0xFF}));
    EXPECT_EQ(std::vector<uint8_t>(sent[1].begin() + 1, sent[1].begin() + 6),
              (std::vector<uint8_t>{0x02, 0, 1, 1, 0x10}));
    EXPECT_EQ(sent[2].size(), 65u);
    EXPECT_EQ(std::vector<uint8_t>(sent[2].begin() + 4, sent[2].begin() + 8),
              (std::vector<uint8_t>{5, 2, 1, 1}));
    EXPECT_EQ(std::vector<uint8_t>(sent[3].begin() + 4, sent[3].begin() + 9),
              (std::vector<uint8_t>{4, 10, 0, 1, 20}));
    const sim::OnboardMemory m = Memory();
    EXPECT_EQ(m.report_rate, 0x10);
    EXPECT_EQ(m.sleep_light, 10);
    EXPECT_EQ(m.button_respondtime, 20);
}

TEST_F(CommandsTest, LightingByModeAndNothingWithoutARecord) {
    commands.SetLightMode(3);
    EXPECT_FALSE(commands.SendLighting());
    EXPECT_TRUE(Sent().empty());

    LightRecord light;
    light.profile = profile;
    light.mode = 3;
    light.brightness = 4;
    light.speed = 2;
    light.color_values[0] = 0x0080FF;  // red FF, green 80
    ASSERT_GT(db.AddLight(light), 0);
    EXPECT_TRUE(commands.SendLighting());
    const auto sent = Sent();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(std::vector<uint8_t>(sent[0].begin() + 1, sent[0].begin() + 10),
              (std::vector<uint8_t>{0x05, 0, 1, 5, 3, 0x42, 0xFF, 0x80, 0x00}));
    EXPECT_EQ(db.GetActiveLightMode(profile), 3);
    EXPECT_EQ(Memory().light_colour, (sim::Rgb{0xFF, 0x80, 0x00}));
}

TEST_F(CommandsTest, StateReadStoresWhatTheMouseReports) {
    sim::OnboardMemory m = Memory();
    m.report_rate = 2;
    m.dpi_count = 3;
    m.dpi_index = 2;
    m.dpi_raw = {0, 51, 52, 59, 0, 0};
    m.dpi_colour[0] = {0x00, 0x80, 0xFF};
    m.liftoff = 2;
    m.sensor_flag_8 = 1;
    m.sensor_flag_4 = 0;
    m.sleep_light = 3;
    m.move_closelight = 0;
    m.button_respondtime = 12;
    ASSERT_TRUE(bus.SetMemory(1, m));
    Set(L"sensor_flag", 16 | 4 | 1);  // bit 16 never travels and must survive the read

    EXPECT_EQ(commands.ReadSettings(), 7);
    EXPECT_EQ(Commands(), (std::vector<uint8_t>{0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17}));
    EXPECT_EQ(Get(L"report_rate"), 2);
    EXPECT_EQ(Get(L"report_rate_wireless"), 2);
    EXPECT_EQ(Get(L"dpi_count"), 3);
    EXPECT_EQ(Get(L"dpi_flag"), 3);
    EXPECT_EQ(Get(L"dpi_index"), 2);
    EXPECT_EQ(Get(L"dpi_group0_value"), 100);
    EXPECT_EQ(Get(L"dpi_group1_value"), 6400);
    EXPECT_EQ(Get(L"dpi_group2_value"), 6400);
    EXPECT_EQ(Get(L"dpi_group3_value"), 10000);
    EXPECT_EQ(Get(L"dpi_group0_rgb"), 0xFF8000);
    EXPECT_EQ(Get(L"liftoff_height"), 2);
    EXPECT_EQ(Get(L"sensor_flag"), 16 | 8 | 1);
    EXPECT_EQ(Get(L"sleep_light"), 3);
    EXPECT_EQ(Get(L"move_closelight"), 0);
    EXPECT_EQ(Get(L"button_respondtime"), 12);
}

TEST_F(CommandsTest, ReadsWithTheOtherSensorCodeNeverStoreBelowFifty) {
    DeviceParams p = commands.params();
    p.sensor_code = 0;
    commands.set_params(p);
    sim::OnboardMemory m = Memory();
    m.dpi_raw[5] = 0;  // (0 + 1) × 50
    ASSERT_TRUE(bus.SetMemory(1, m));
    commands.ReadSettings();
    EXPECT_EQ(Get(L"dpi_group5_value"), 50);
}

TEST_F(CommandsTest, AFailedReadStoresNothingAndTheNextIsStillSent) {
    const int rate_before = Get(L"report_rate");
    ASSERT_TRUE(bus.SetFault(1, {sim::FaultKind::kErrorStatus}));
    EXPECT_EQ(commands.ReadSettings(), 0);
    EXPECT_EQ(Commands().size(), 7u);
    EXPECT_EQ(Get(L"report_rate"), rate_before);
    EXPECT_EQ(commands.failed_sends(), 7);
}

TEST_F(CommandsTest, ButtonTableAndPendingMacro) {
    EXPECT_TRUE(commands.SendButtonTable());
    auto sent = Sent();
    ASSERT_EQ(sent.size(), 1u);
    const ButtonTable initial = InitialButtonTable();
    EXPECT_EQ(std::vector<uint8_t>(sent[0].begin(), sent[0].begin() + 5),
              (std::vector<uint8_t>{0x00, 0x09, 0x00, 0x01, 0x0F}));
    EXPECT_TRUE(std::equal(initial.begin(), initial.begin() + 27, sent[0].begin() + 5));

    // A macro of 7 events bound to button 3: two packets, then the table.
    const int macro = db.AddMacro(L"seven");
    std::vector<MacroStep> steps;
    for (int i = 0; i < 7; ++i) {
        MacroStep s;
        s.macro = macro;
        s.position = i;
        s.kind = i % 2 == 0 ? kMacroStepKeyDown : kMacroStepKeyUp;
        s.value = 0x41;
        steps.push_back(s);
    }
    db.AddMacroSteps(steps);
    KeyRecord key;
    key.profile = profile;
    key.key_code = 3;
    key.macro_type = 4;
    key.macro_value = macro;
    ASSERT_GT(db.SaveKey(key), 0);
    commands.SetPendingMacroButton(3);
    sent_before = bus.ReceivedReports(1).size();
    EXPECT_TRUE(commands.SendButtonTable());
    EXPECT_EQ(Commands(), (std::vector<uint8_t>{0x08, 0x08, 0x09}));
    EXPECT_EQ(commands.PendingMacroButton(), -1);
    const sim::OnboardMemory m = Memory();
    ASSERT_TRUE(m.macros.contains(3));
    EXPECT_EQ(m.macros.at(3).size(), 28u);
    EXPECT_EQ(m.buttons[9], 0xA0);
}

TEST_F(CommandsTest, OversizedMacroIsRefusedWithoutTraffic) {
    const int macro = db.AddMacro(L"long");
    std::vector<MacroStep> steps;
    for (int i = 0; i < 102; ++i) {
        MacroStep s;
        s.macro = macro;
        s.position = i;
        s.kind = kMacroStepButtonDown;
        s.value = 1;
        steps.push_back(s);
    }
    db.AddMacroSteps(steps);
    EXPECT_FALSE(commands.SendMacro(2, macro));
    EXPECT_TRUE(Sent().empty());
}

TEST_F(CommandsTest, DownloadOrderAndPauses) {
    LightRecord light;
    light.profile = profile;
    light.mode = 1;
    ASSERT_GT(db.AddLight(light), 0);
    commands.SetLightMode(1);
    commands.DownloadAll(true);
    EXPECT_EQ(Commands(), (std::vector<uint8_t>{0x09, 0x03, 0x04, 0x02, 0x06, 0x07, 0x05, 0x05}));
    int pauses = 0;
    for (auto d : clock.sleeps())
        pauses += d == 100ms ? 1 : 0;
    EXPECT_EQ(pauses, 7);
    sent_before = bus.ReceivedReports(1).size();
    commands.DownloadAll(false);
    EXPECT_EQ(Commands(), (std::vector<uint8_t>{0x09, 0x03, 0x04, 0x02, 0x06, 0x07}));
}

TEST_F(CommandsTest, NoDeviceFailsAtOnceAndCounts) {
    bus.Unplug(1, sim::Link::kCable);
    manager.CloseAllDevices();
    manager.EnumerateDevice();
    manager.SetReady();
    clock.clear_sleeps();
    EXPECT_FALSE(commands.SendDpiLevels());
    EXPECT_FALSE(commands.SendPowerOptions());
    EXPECT_EQ(commands.failed_sends(), 2);
    EXPECT_TRUE(clock.sleeps().empty());
}

TEST_F(CommandsTest, FactoryResetFrame) {
    EXPECT_TRUE(commands.SendFactoryReset());
    const auto sent = Sent();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(std::vector<uint8_t>(sent[0].begin() + 1, sent[0].begin() + 6),
              (std::vector<uint8_t>{0x0F, 0, 1, 1, 0xFF}));
}

}  // namespace
}  // namespace pellora::testing
