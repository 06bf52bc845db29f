// Task dispatch, the connect sequences, the state read and the unsolicited reports.

#include "worker_fixture.h"

#include "device/frame.h"
#include "platform/settings_file.h"
#include "support/wait.h"

namespace pellora::testing {
namespace {

TEST(TaskQueue, FirstInFirstOutAcrossThreads) {
    TaskQueue queue;
    std::thread producer([&] {
        for (int i = 0; i < 1000; ++i)
            queue.Append(i);
    });
    std::vector<int> taken;
    while (taken.size() < 1000) {
        if (auto code = queue.TakeFront()) {
            taken.push_back(*code);
            queue.Done();
        }
    }
    producer.join();
    for (int i = 0; i < 1000; ++i)
        ASSERT_EQ(taken[static_cast<std::size_t>(i)], i);
    EXPECT_TRUE(queue.WaitIdle(0ms));
}

TEST_F(WorkerTest, StartFindsTheMouseLoadsTheModelAndReadsOnce) {
    bus.Plug(1, Link::kCable);
    Task(task::kStart);
    const WorkerSnapshot s = worker->Snapshot();
    EXPECT_TRUE(s.devices_present);
    EXPECT_TRUE(s.link_up);
    EXPECT_EQ(s.link_flag, 1);
    EXPECT_EQ(s.current_type, 1);
    EXPECT_EQ(s.model.device_key, L"vx7");
    EXPECT_TRUE(s.model.has_lighting());
    EXPECT_EQ(s.params.sensor_code, 37);
    EXPECT_EQ(s.params.dpi_max, 10000);
    EXPECT_EQ(s.params.rate_ceiling, 7);  // VX7 reports 0x40
    EXPECT_EQ(ReadAppRegInt(L"DeviceType"), 1);
    EXPECT_TRUE(db.IsOpened());

    const HeadlessState v = view.State();
    EXPECT_EQ(v.link_caption, 51);
    EXPECT_EQ(v.selected, 1);
    EXPECT_EQ(v.battery_level, 80);
    EXPECT_EQ(v.dpi_positions, 60);
    EXPECT_EQ(v.models_applied, 1);
    EXPECT_EQ(v.page_refreshes, 2);
    EXPECT_EQ(v.version_checks, 1);
    EXPECT_GE(v.firmware_release, 0);

    // The settings came from the mouse: its factory DPI levels, not the store's defaults.
    EXPECT_EQ(Get(L"dpi_group0_value"), 400);
    const std::vector<uint8_t> reads{0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17};
    auto codes = CommandsSince(0);
    std::vector<uint8_t> settings_reads;
    for (uint8_t c : codes) {
        if (c >= 0x11 && c <= 0x17)
            settings_reads.push_back(c);
    }
    EXPECT_EQ(settings_reads, reads);

    // A later connect refreshes battery and link only.
    const std::size_t mark = Mark();
    Task(task::kArrived);
    for (uint8_t c : CommandsSince(mark))
        EXPECT_EQ(c, kCommandDeviceInfo);
    EXPECT_EQ(worker->Snapshot().read_once, std::set<int>{1});
}

TEST_F(WorkerTest, TasksRunInOrderAndUnknownCodesAreDropped) {
    bus.Plug(1, Link::kCable);
    Task(task::kStart);
    const std::size_t mark = Mark();
    for (int code : {9, 9, 11, 14, 23, 99})
        worker->QueueTask(code);
    worker->RunOnce();
    worker->RunOnce();
    EXPECT_EQ(CommandsSince(mark), (std::vector<uint8_t>{0x03, 0x03}));
    worker->RunOnce();
    EXPECT_EQ(CommandsSince(mark), (std::vector<uint8_t>{0x03, 0x03, 0x02}));
    Drain();
    EXPECT_EQ(CommandsSince(mark).size(), 3u);
    EXPECT_EQ(worker->QueuedTasks(), 0u);
}

TEST_F(WorkerTest, NoDeviceMeansNoPolling) {
    Task(task::kStart);
    EXPECT_FALSE(worker->Snapshot().devices_present);
    EXPECT_EQ(view.State().link_caption, 50);
    clock.clear_sleeps();
    worker->RunOnce();
    worker->RunOnce();
    EXPECT_TRUE(clock.sleeps().empty());  // no 10 ms reads
    EXPECT_FALSE(db.IsOpened());
}

TEST_F(WorkerTest, DpiButtonReportsUpdateOnlyWhatChanged) {
    bus.Plug(1, Link::kCable);
    Task(task::kStart);
    worker->RememberDpiSelection(2, 1);
    ASSERT_TRUE(bus.InjectReport(1, Link::kCable, {kReportDpiButton, 0x32}));
    worker->RunOnce();
    HeadlessState v = view.State();
    EXPECT_EQ(v.dpi_index_shown, 3);
    EXPECT_EQ(v.dpi_count_shown, -1);  // count 2 was already remembered
    EXPECT_EQ(Get(L"dpi_index"), 3);
    EXPECT_EQ(v.dpi_level_value, Get(L"dpi_group3_value"));
    EXPECT_EQ(v.popups, std::vector<int>{Get(L"dpi_group3_value")});  // VX7 shows the pop-up

    ASSERT_TRUE(bus.InjectReport(1, Link::kCable, {kReportDpiButton, 0x35}));
    worker->RunOnce();
    EXPECT_EQ(view.State().dpi_count_shown, 5);
    EXPECT_EQ(Get(L"dpi_count"), 5);
    EXPECT_EQ(view.State().popups.size(), 1u);  // the level did not change
}

TEST_F(WorkerTest, LinkReportsQueueOneReconnectPerLoss) {
    bus.Plug(1, Link::kReceiver);
    Task(task::kStart);
    ASSERT_TRUE(worker->Snapshot().link_up);
    const int battery = view.State().battery_level;

    // "Connected" while the latch is set queues nothing; battery byte 0 changes nothing.
    ASSERT_TRUE(bus.InjectReport(1, Link::kReceiver, {kReportLink, 1, 0, 0}));
    worker->RunOnce();
    EXPECT_EQ(worker->QueuedTasks(), 0u);
    EXPECT_EQ(view.State().battery_level, battery);

    // Lost: the link-lost view, the recorder stopped, the device list offline.
    ASSERT_TRUE(bus.InjectReport(1, Link::kReceiver, {kReportLink, 0, 33, 1}));
    worker->RunOnce();
    HeadlessState v = view.State();
    EXPECT_FALSE(worker->Snapshot().link_up);
    EXPECT_EQ(v.link_lost_shown, 1);
    EXPECT_EQ(v.recorder_stops, 1);
    EXPECT_EQ(v.no_device_controls, 1);
    EXPECT_EQ(v.battery_level, 33);
    EXPECT_EQ(v.charge_state, 1);

    // Two "connected" reports: the first queues task 2, the second (read after the reconnect
    // set the latch again) queues nothing.
    ASSERT_TRUE(bus.InjectReport(1, Link::kReceiver, {kReportLink, 1, 0, 0}));
    ASSERT_TRUE(bus.InjectReport(1, Link::kReceiver, {kReportLink, 1, 0, 0}));
    worker->RunOnce();
    EXPECT_EQ(worker->QueuedTasks(), 1u);
    worker->RunOnce();  // task 2: reconnects
    EXPECT_TRUE(worker->Snapshot().link_up);
    for (int i = 0; i < 3; ++i)
        worker->RunOnce();
    EXPECT_EQ(worker->QueuedTasks(), 0u);
}

TEST_F(WorkerTest, MouseSwitchedOffAndOnBehindTheReceiver) {
    bus.Plug(1, Link::kReceiver);
    Task(task::kStart);
    bus.SetMousePower(1, false);
    worker->RunOnce();
    EXPECT_FALSE(worker->Snapshot().link_up);
    bus.SetMousePower(1, true);
    for (int i = 0; i < 5 && worker->QueuedTasks() == 0; ++i)
        worker->RunOnce();
    EXPECT_EQ(worker->QueuedTasks(), 1u);
    Drain();
    EXPECT_EQ(worker->Snapshot().link_flag, 1);
    EXPECT_EQ(view.State().link_caption, 52);
}

TEST_F(WorkerTest, RemovalAndReturnOfTheCable) {
    bus.Plug(1, Link::kCable);
    Task(task::kStart);
    bus.Unplug(1, Link::kCable);
    clock.clear_sleeps();
    Task(task::kRemoved);
    EXPECT_EQ(clock.sleeps().front(), 500ms);
    EXPECT_FALSE(worker->Snapshot().devices_present);
    EXPECT_EQ(view.State().link_caption, 50);
    // A change made meanwhile fails at once, without traffic.
    const int failed = worker->commands().failed_sends();
    Task(task::kPower);
    EXPECT_EQ(worker->commands().failed_sends(), failed + 1);

    bus.Plug(1, Link::kCable);
    Task(task::kArrived);
    EXPECT_TRUE(worker->Snapshot().devices_present);
    EXPECT_EQ(view.State().link_caption, 51);
}

TEST_F(WorkerTest, DpiDefaultsComeFromTheModelAndAreSent) {
    bus.Plug(1, Link::kCable);
    Task(task::kStart);
    const std::size_t mark = Mark();
    Task(task::kDpiDefaults);
    EXPECT_EQ(CommandsSince(mark), (std::vector<uint8_t>{0x03, 0x04}));
    EXPECT_EQ(Get(L"dpi_count"), 6);
    EXPECT_EQ(Get(L"dpi_group5_value"), 12000);
    EXPECT_EQ(Get(L"dpi_group0_rgb"), 0x0009F1);           // "#F10900"
    EXPECT_EQ(worker->Snapshot().params.rate_ceiling, 1);  // the model's default rate code
    sim::OnboardMemory m;
    bus.GetMemory(1, m);
    EXPECT_EQ(m.dpi_raw[5], 59);  // 12000 clamped to 10000
    EXPECT_EQ(m.dpi_colour[0], (sim::Rgb{0xF1, 0x09, 0x00}));
}

TEST_F(WorkerTest, FactoryRestoreSequence) {
    bus.Plug(1, Link::kCable);
    Task(task::kStart);
    KeyRecord key;
    key.profile = db.GetActiveProfile();
    key.key_code = 2;
    key.macro_type = 9;
    key.macro_value = 1;
    db.SaveKey(key);
    LightRecord light;
    light.profile = db.GetActiveProfile();
    light.mode = 0;
    db.AddLight(light);
    const std::size_t mark = Mark();
    Task(task::kFactoryRestore);
    // 0x0F, DPI levels and colours, power; the lighting record was deleted, so no 0x05.
    EXPECT_EQ(CommandsSince(mark), (std::vector<uint8_t>{0x0F, 0x03, 0x04, 0x07}));
    KeyList keys;
    EXPECT_EQ(db.ListKeys(db.GetActiveProfile(), keys), 0);
    EXPECT_EQ(db.CountLights(db.GetActiveProfile()), 0);
}

TEST_F(WorkerTest, SelectingAModelBehindAReceiverQueuesTheSwitch) {
    bus.Plug(1, Link::kReceiver);
    Task(task::kStart);
    ASSERT_EQ(worker->Snapshot().current_type, 1);
    worker->SelectModel(2);  // not attached
    EXPECT_EQ(ReadAppRegInt(L"DeviceType"), 2);
    EXPECT_EQ(view.State().link_caption, 51);
    EXPECT_EQ(worker->QueuedTasks(), 0u);
    EXPECT_EQ(worker->Snapshot().model.device_key, L"vx3");
    worker->SelectModel(1);
    EXPECT_EQ(view.State().link_caption, 52);
    EXPECT_EQ(worker->QueuedTasks(), 1u);
    EXPECT_EQ(worker->Snapshot().model.device_key, L"vx7");
    Drain();
    EXPECT_EQ(worker->Snapshot().read_once, (std::set<int>{1}));
}

TEST_F(WorkerTest, HotPlugQueuesConnectAndReconnect) {
    Task(task::kStart);
    ASSERT_TRUE(
        bus.Start([this](const DeviceBroadcast& b, int event) { worker->OnHotPlug(b, event); }));
    bus.Plug(1, Link::kCable);
    EXPECT_EQ(worker->QueuedTasks(), 1u);  // only the vendor interface asks for task 2
    Drain();
    EXPECT_EQ(worker->Snapshot().link_flag, 1);
    bus.Unplug(1, Link::kCable);
    EXPECT_EQ(worker->QueuedTasks(), 1u);  // interface 2's removal asks for task 3
    Drain();
    EXPECT_FALSE(worker->Snapshot().devices_present);
    bus.Stop();
}

TEST_F(WorkerTest, UpdateDialogIsConfirmedWhenOpen) {
    view.SetUpdateDialogOpen(true);
    Task(task::kConfirmUpdate);
    EXPECT_EQ(view.State().updates_confirmed, 1);
    Task(task::kConfirmUpdate);  // none open: nothing
    EXPECT_EQ(view.State().updates_confirmed, 1);
}

TEST_F(WorkerTest, ThreadRunsQueuedTasksUntilIdle) {
    bus.Plug(1, Link::kCable);
    worker->Start();
    ASSERT_TRUE(worker->WaitUntilIdle(20s));
    EXPECT_EQ(worker->Snapshot().link_flag, 1);
    const std::size_t mark = Mark();
    worker->QueueTask(task::kReportRate);
    worker->QueueTask(task::kDpiLevels);
    ASSERT_TRUE(worker->WaitUntilIdle(20s));
    EXPECT_EQ(CommandsSince(mark), (std::vector<uint8_t>{0x02, 0x03}));
    // The DPI button is noticed by the idle poll.
    bus.PressDpiButton(1);
    EXPECT_TRUE(WaitFor([&] { return view.State().dpi_index_shown >= 0; }));
    EXPECT_TRUE(worker->Stop());
}

}  // namespace
}  // namespace pellora::testing
