// Hot-plug events to task codes, and the identity of hidraw nodes.

#include "device/hidraw_identity.h"
#include "device/report_descriptor.h"
#include "device/udev_monitor.h"
#include "device_fixture.h"

namespace pellora::testing {
namespace {

class HotPlugTest : public DeviceTest {
  protected:
    void SetUp() override {
        bus.Start([this](const DeviceBroadcast& b, int event) {
            if (const int task = manager->UpdateUSBDevice(&b, event, devices_present)) {
                tasks.push_back(task);
            }
        });
    }
    void TearDown() override { bus.Stop(); }

    bool devices_present = false;
    std::vector<int> tasks;
};

TEST_F(HotPlugTest, ArrivalQueuesOneTaskForTheVendorInterfaceOnly) {
    ASSERT_TRUE(bus.Plug(1, Link::kReceiver));  // three nodes arrive
    EXPECT_EQ(tasks, std::vector<int>{kTaskDeviceArrived});
}

TEST_F(HotPlugTest, RemovalQueuesOneTaskWhileDevicesArePresent) {
    bus.Plug(1, Link::kReceiver);
    tasks.clear();
    bus.Unplug(1, Link::kReceiver);
    EXPECT_TRUE(tasks.empty());  // nothing was present

    bus.Plug(1, Link::kReceiver);
    tasks.clear();
    devices_present = true;
    bus.Unplug(1, Link::kReceiver);
    EXPECT_EQ(tasks, std::vector<int>{kTaskDeviceRemoved});
}

TEST_F(HotPlugTest, HandlerMatchesCatalogueIdsInThePath) {
    const DeviceBroadcast vendor{"hid#vid_1209&pid_5b01&mi_02#/dev/hidraw4", {{0xFF01, 0x0010}}};
    const DeviceBroadcast mouse_if{"HID#VID_1209&PID_5B01&MI_00#/dev/hidraw2", {{0x0001, 0x0002}}};
    const DeviceBroadcast unknown{"HID#VID_1209&PID_7777&MI_02#/dev/hidraw5", {{0xFF01, 0x0010}}};
    const DeviceBroadcast no_caps{"HID#VID_1209&PID_5B01&MI_02#/dev/hidraw4", {}};
    struct Case {
        const DeviceBroadcast* broadcast;
        int event;
        bool present;
        int task;
    };
    const Case cases[] = {
        {&vendor, kDeviceArrival, false, kTaskDeviceArrived},  // lower case in the path too
        {&mouse_if, kDeviceArrival, false, 0},
        {&unknown, kDeviceArrival, false, 0},
        {&no_caps, kDeviceArrival, false, 0},
        {&vendor, kDeviceRemoveComplete, true, kTaskDeviceRemoved},
        {&vendor, kDeviceRemoveComplete, false, 0},
        {&mouse_if, kDeviceRemoveComplete, true, 0},
        {&vendor, 0x0007, true, 0},
        {nullptr, kDeviceArrival, true, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.broadcast ? c.broadcast->path : "null");
        EXPECT_EQ(manager->UpdateUSBDevice(c.broadcast, c.event, c.present), c.task);
    }
}

TEST_F(HotPlugTest, HandlerTracesTheUpperCasedPath) {
    TraceCapture trace;
    const DeviceBroadcast b{"hid#vid_1209&pid_5b01&mi_02#/dev/hidraw4", {}};
    manager->UpdateUSBDevice(&b, kDeviceArrival, false);
    EXPECT_EQ(trace.lines(), std::vector<std::string>{
                                 "UpdateUSBDevice path: HID#VID_1209&PID_5B01&MI_02#/DEV/HIDRAW4"});
}

TEST(HidrawIdentityTest, DevpathsOfRealNodes) {
    struct Case {
        const char* devpath;
        bool ok;
        uint16_t vid, pid;
        int interface_number;
    };
    const Case cases[] = {
        {"/devices/pci0000:00/0000:00:14.0/usb1/1-2/1-2:1.2/0003:1209:5A02.0007/hidraw/hidraw3",
         true, 0x1209, 0x5A02, 2},
        {"/devices/pci0000:00/0000:00:14.0/usb3/3-1/3-1.4/3-1.4:1.0/0003:046D:C077.0001/hidraw/"
         "hidraw0",
         true, 0x046D, 0xC077, 0},
        {"/devices/virtual/misc/uhid/0005:1209:5B01.0009/hidraw/hidraw6", true, 0x1209, 0x5B01, -1},
        {"/devices/pci0000:00/usb1/1-2/1-2:1.2/0003:12G9:5A02.0007/hidraw/hidraw3", false, 0, 0, 0},
        {"", false, 0, 0, 0},
        {"0003:1209:5A02", false, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.devpath);
        const auto identity = ParseHidrawDevpath(c.devpath);
        ASSERT_EQ(identity.has_value(), c.ok);
        if (c.ok) {
            EXPECT_EQ(identity->vendor_id, c.vid);
            EXPECT_EQ(identity->product_id, c.pid);
            EXPECT_EQ(identity->interface_number, c.interface_number);
        }
    }
    EXPECT_EQ(FormatInterfacePath({0x1209, 0x5A02, 2}, "/dev/hidraw3"),
              "HID#VID_1209&PID_5A02&MI_02#/dev/hidraw3");
    EXPECT_EQ(FormatInterfacePath({0x1209, 0x5A02, -1}, "/dev/hidraw3"),
              "HID#VID_1209&PID_5A02#/dev/hidraw3");
}

TEST(ReportDescriptorTest, TopLevelCollectionsAsHidapiListsThem) {
    const std::vector<uint8_t> descriptor = {
        0x05, 0x01, 0x09, 0x02, 0xA1, 0x01,  // Generic Desktop / Mouse, application
        0x09, 0x01, 0xA1, 0x00,              //   Pointer, physical (nested: not listed)
        0x81, 0x02, 0xC0, 0xC0,              //
        0x06, 0x01, 0xFF, 0x09, 0x10,        // Vendor 0xFF01 / 0x0010
        0xA1, 0x01, 0x15, 0x00, 0xC0,        //
        0x0B, 0x01, 0x00, 0x0C, 0x00,        // four-byte usage: Consumer / 0x0001
        0xA1, 0x01, 0xC0,                    //
        0xFE, 0x02, 0x10, 0xAA, 0xBB,        // a long item is skipped whole
        0x05, 0x01, 0x09, 0x00, 0xA1, 0x01, 0xC0,
    };
    const std::vector<HidUsagePair> expected = {
        {0x0001, 0x0002}, {0xFF01, 0x0010}, {0x000C, 0x0001}, {0x0001, 0x0000}};
    EXPECT_EQ(TopLevelCollections(descriptor.data(), descriptor.size()), expected);

    // Cut anywhere, it never reads past the end and keeps what came before.
    for (std::size_t cut = 0; cut < descriptor.size(); ++cut) {
        const auto partial = TopLevelCollections(descriptor.data(), cut);
        ASSERT_LE(partial.size(), expected.size());
        EXPECT_TRUE(std::equal(partial.begin(), partial.end(), expected.begin()));
    }
    EXPECT_TRUE(TopLevelCollections(nullptr, 10).empty());
}

TEST(UdevMonitorTest, StartsAndStopsPromptly) {
    UdevHotPlugMonitor monitor;
    // Containers may have no netlink access; starting may fail but must not hang or crash.
    const bool started = monitor.Start([](const DeviceBroadcast&, int) {});
    monitor.Stop();
    monitor.Stop();
    if (started) {
        EXPECT_TRUE(monitor.Start([](const DeviceBroadcast&, int) {}));
    }
}

}  // namespace
}  // namespace pellora::testing
