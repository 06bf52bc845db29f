// The window thread reads the manager and switches models while the worker re-enumerates,
// sends and polls, and devices come and go. Meant for ThreadSanitizer; in plain builds it
// still checks that every read sees a consistent state.

#include <atomic>
#include <thread>

#include "device_fixture.h"

namespace pellora::testing {
namespace {

TEST_F(DeviceTest, WindowThreadReadsWhileWorkerReenumerates) {
    bus.Plug(1, Link::kCable);
    bus.Plug(1, Link::kReceiver);
    bus.Plug(2, Link::kCable);
    Refresh(1);

    constexpr int kRounds = 400;
    std::atomic<bool> stop{false};
    std::atomic<int> worker_cycles{0};
    std::atomic<int> reads{0};

    std::thread worker([&] {
        Frame frame{};
        Frame buffer{};
        // Both sides get at least kRounds turns whichever is faster.
        for (int cycle = 0; cycle < kRounds || reads < kRounds; ++cycle) {
            if (cycle % 2 == 0) {
                manager->ClearCachedHandle();
                manager->CloseAllDevices();
                manager->EnumerateDevice();
                manager->SetReady();
            }
            frame = MakeReadRequest(0x13);
            manager->SendCommand(frame.data(), kShortSubmission, true);
            int type = 0;
            manager->ReadNotification(buffer.data(), type);
            manager->PollReceiverStates();
            manager->RequestDeviceInfo(buffer.data(), nullptr);
            ++worker_cycles;
        }
        stop = true;
    });

    std::thread devices([&] {
        for (int i = 0; !stop; ++i) {
            bus.PressDpiButton(1 + i % 2);
            bus.SetMousePower(1, i % 3 != 0);
            if (i % 7 == 0) {
                bus.Unplug(2, Link::kCable);
                bus.Plug(2, Link::kCable);
            }
            std::this_thread::yield();
        }
    });

    // Each read runs several times in a row, so that a read missing its lock would go a while
    // without acquiring anything the worker released and ThreadSanitizer would see the race.
    while (!stop) {
        const int type = 1 + reads % 2;
        manager->SetCurrentDeviceType(type);
        for (int i = 0; i < 8; ++i) {
            const int kind = manager->GetLinkKind();
            EXPECT_TRUE(kind >= -1 && kind <= 1);
        }
        for (int i = 0; i < 8; ++i) {
            int release = 0;
            if (manager->GetReleaseNumber(kModeCable, release)) {
                EXPECT_TRUE(release == 0x0105 || release == 0x0102);
            }
        }
        for (int i = 0; i < 8; ++i) {
            manager->HasResolvedDevice(type);
        }
        std::vector<DeviceRecord> records;
        for (int i = 0; i < 4; ++i) {
            manager->ListDevices(records);
            for (const DeviceRecord& r : records) {
                EXPECT_EQ(r.device_type, type);
            }
        }
        for (int i = 0; i < 4; ++i) {
            manager->ListOnlineDevices(records);
        }
        ++reads;
    }
    worker.join();
    devices.join();
    EXPECT_GE(worker_cycles.load(), kRounds);
    EXPECT_GE(reads.load(), kRounds);
}

}  // namespace
}  // namespace pellora::testing
