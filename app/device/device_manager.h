#pragma once
// The process-wide device manager: which catalogued mice and receivers are attached, an open
// handle to the vendor interface of each, the model the user works with, and which handle a
// command goes to (the cable when there is one, otherwise the receiver while its mouse is
// online). It also frames and sends commands (SendCommand, RequestDeviceInfo) and turns hot-plug
// events into task codes.
//
// Threads. The device worker enumerates, selects, polls and sends; the window thread reads
// (GetLinkKind, GetReleaseNumber, HasResolvedDevice, ListDevices, ...) and changes the current
// type. One mutex guards the records, the catalogue, the current type and the selection cache,
// and is never held across HID traffic or a pause: enumeration builds its records privately and
// publishes them at the end, and a send takes its handle under the lock and talks without it.
// Handles are opened and closed only by the worker (EnumerateDevice, CloseAllDevices), so a
// handle the worker took stays valid for the whole of its exchange. Everything that returns
// records returns copies.

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "device/frame.h"
#include "device/hid_backend.h"
#include "device/hotplug.h"
#include "tessel/platform/clock.h"

namespace pellora {

inline constexpr int kModeCable = 0;
inline constexpr int kModeReceiver = 1;
// Device type of a catalogued VID/PID whose catalogue entry has no model code.
inline constexpr int kUnnamedDeviceType = 101;

inline constexpr int kOnline = 1;
inline constexpr int kOfflineByReport = 0;  // link report seen by ReadNotification
inline constexpr int kOfflineByPoll = 2;    // link report seen by PollReceiverStates

// Task codes the hot-plug handler asks for.
inline constexpr int kTaskDeviceArrived = 2;
inline constexpr int kTaskDeviceRemoved = 3;

struct DeviceCatalogEntry {
    int vendor_id = 0;
    int product_id = 0;
    std::wstring name;  // always empty
    int device_type = 0;
    int mode = kModeCable;
    std::wstring model_code;
};

// One opened HID interface, as handed out by the manager (a copy; the handle stays inside).
struct DeviceRecord {
    int index = 0;
    uint16_t vendor_id = 0;
    uint16_t product_id = 0;
    std::string path;
    int release_number = 0;
    int device_type = 0;
    int mode = kModeCable;
    int online = kOnline;
    std::wstring model_code;
    Frame info{};  // last valid reply to 0x30
};

// Timing of the transport.
namespace timing {
inline constexpr std::chrono::milliseconds kPauseBeforeSend{66};
inline constexpr int kReplyAttempts = 50;
inline constexpr int kReplyTimeoutMs = 30;
inline constexpr std::chrono::milliseconds kPauseBeforeInfoWrite{20};
inline constexpr int kInfoReplyAttempts = 2;
inline constexpr std::chrono::milliseconds kPauseBeforeInfoRead{20};
inline constexpr int kInfoReplyTimeoutMs = 10;
inline constexpr std::chrono::milliseconds kInfoRetryPause{500};
inline constexpr std::chrono::milliseconds kLinkInfoRetryPause{50};
inline constexpr int kPollTimeoutMs = 10;
}  // namespace timing

class DeviceManager {
  public:
    // Initialises the HID layer (hid_init); when that fails enumeration finds nothing.
    DeviceManager(HidBackend& backend, DUI::Clock& clock);
    // Closes every device and shuts the HID layer down (hid_exit).
    ~DeviceManager();
    DeviceManager(const DeviceManager&) = delete;
    DeviceManager& operator=(const DeviceManager&) = delete;

    // The process-wide manager, created on first use with the backend installed by
    // InstallProcessBackend (hidapi and the real clock when none was installed).
    static DeviceManager& Instance();
    // Chooses the HID layer of the process-wide manager. Only before the first Instance();
    // returns false (and keeps the first choice) afterwards.
    static bool InstallProcessBackend(std::unique_ptr<HidBackend> backend,
                                      DUI::Clock* clock = nullptr);

    // Catalogue.
    void AddCatalogEntry(int vendor_id, int product_id, const std::wstring& name, int device_type,
                         int mode, const std::wstring& model_code);
    void ClearCatalog();
    std::vector<DeviceCatalogEntry> Catalog() const;
    bool IsKnownDevice(int vendor_id, int product_id) const;
    int GetCatalogMode(int vendor_id, int product_id) const;
    int ResolveDeviceType(int vendor_id, int product_id, const std::wstring& model_code) const;

    // Enumeration (worker). EnumerateDevice appends the attached catalogued interfaces;
    // CloseAllDevices clears the ready flag and closes them all.
    void EnumerateDevice();
    void CloseAllDevices();
    // Marks the manager ready after a refresh.
    void SetReady();
    bool IsReady() const;

    // Current model (any thread). Changing it clears the selection cache.
    void SetCurrentDeviceType(int device_type);
    int GetCurrentDeviceType() const;
    void ClearCachedHandle();

    // The selection rule (worker): the handle commands go to, or nullptr.
    HidDevice* GetCurrentHandle();

    // Reads (any thread).
    int GetLinkKind() const;  // 0 cable, 1 receiver, -1 none (for the current type)
    bool ListDevices(std::vector<DeviceRecord>& out) const;
    bool ListOnlineDevices(std::vector<DeviceRecord>& out) const;
    bool HasResolvedDevice(int device_type) const;
    bool GetReleaseNumber(int mode, int& release_number) const;
    void SetOnlineState(int device_type, int mode, int online);

    // Transport (worker). `frame` is a 65-byte buffer; `length` is 33 or 65.
    bool SendCommand(uint8_t* frame, std::size_t length, bool wait_for_reply);
    // With a handle: one 0x30 exchange into `block` (65 bytes). Without: the current record's
    // stored information block, no traffic.
    bool RequestDeviceInfo(uint8_t* block, HidDevice* handle);

    // Unsolicited reports (worker).
    bool ReadNotification(uint8_t* buffer, int& device_type);
    void PollReceiverStates();

    // Hot-plug handler: returns the task code to queue (kTaskDeviceArrived, kTaskDeviceRemoved)
    // or 0. Never touches the records. `devices_present` is the main window's flag.
    int UpdateUSBDevice(const DeviceBroadcast* broadcast, int event, bool devices_present) const;

  private:
    struct OwnedRecord {
        DeviceRecord record;
        std::unique_ptr<HidDevice> device;
    };

    bool IsKnownLocked(int vendor_id, int product_id) const;
    int CatalogModeLocked(int vendor_id, int product_id) const;
    int ResolveLocked(int vendor_id, int product_id, const std::wstring& model_code) const;
    OwnedRecord* SelectLocked();
    void SetOnlineLocked(int device_type, int mode, int online);
    // One information request to `device`, and one more after `retry_pause` when it fails.
    // Worker only, without the lock.
    bool RequestInfoWithRetry(HidDevice* device, Frame& block, DUI::Clock::duration retry_pause);

    HidBackend& backend_;
    DUI::Clock& clock_;
    bool hid_ok_ = false;

    mutable std::mutex mutex_;
    bool ready_ = false;
    std::vector<std::unique_ptr<OwnedRecord>> records_;
    std::vector<DeviceCatalogEntry> catalog_;
    int current_type_ = 0;
    OwnedRecord* cached_ = nullptr;
};

}  // namespace pellora
