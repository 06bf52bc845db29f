#include "device/device_manager.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>

#include "device/hidapi_backend.h"
#include "platform/trace.h"

namespace pellora {
namespace {

bool IsCommandCollection(uint16_t usage_page, uint16_t usage) {
    return (usage_page == 0x0001 && usage == 0x0000) || (usage_page == 0xFF01 && usage == 0x0010);
}

std::string Narrow(const std::wstring& text) {
    std::string out;
    for (wchar_t c : text) {
        out.push_back((c >= 0x20 && c < 0x7F) ? static_cast<char>(c) : '?');
    }
    return out;
}

const char* ModeName(int mode) {
    return mode == kModeReceiver ? "2.4G" : "USB";
}

struct ProcessManager {
    std::mutex mutex;
    std::unique_ptr<HidBackend> backend;
    DUI::Clock* clock = nullptr;
    bool created = false;
};

ProcessManager& Process() {
    static ProcessManager process;
    return process;
}

}  // namespace

DeviceManager::DeviceManager(HidBackend& backend, DUI::Clock& clock)
    : backend_(backend), clock_(clock) {
    hid_ok_ = backend_.Init();
    if (!hid_ok_) {
        Trace(kTraceError, "HID layer failed to start");
    }
}

DeviceManager::~DeviceManager() {
    CloseAllDevices();
    if (hid_ok_) {
        backend_.Exit();
    }
}

DeviceManager& DeviceManager::Instance() {
    ProcessManager& process = Process();
    {
        std::lock_guard lock(process.mutex);
        if (!process.created) {
            if (!process.backend) {
                process.backend = MakeHidapiBackend();
            }
            if (process.clock == nullptr) {
                process.clock = &DUI::Clock::Real();
            }
            process.created = true;
        }
    }
    static DeviceManager manager(*process.backend, *process.clock);
    return manager;
}

bool DeviceManager::InstallProcessBackend(std::unique_ptr<HidBackend> backend, DUI::Clock* clock) {
    ProcessManager& process = Process();
    std::lock_guard lock(process.mutex);
    if (process.created) {
        return false;
    }
    process.backend = std::move(backend);
    process.clock = clock;
    return true;
}

// ---- catalogue ----

void DeviceManager::AddCatalogEntry(int vendor_id, int product_id, const std::wstring& name,
                                    int device_type, int mode, const std::wstring& model_code) {
    std::lock_guard lock(mutex_);
    catalog_.push_back({vendor_id, product_id, name, device_type, mode, model_code});
}

void DeviceManager::ClearCatalog() {
    std::lock_guard lock(mutex_);
    catalog_.clear();
}

std::vector<DeviceCatalogEntry> DeviceManager::Catalog() const {
    std::lock_guard lock(mutex_);
    return catalog_;
}

bool DeviceManager::IsKnownDevice(int vendor_id, int product_id) const {
    std::lock_guard lock(mutex_);
    return IsKnownLocked(vendor_id, product_id);
}

int DeviceManager::GetCatalogMode(int vendor_id, int product_id) const {
    std::lock_guard lock(mutex_);
    return CatalogModeLocked(vendor_id, product_id);
}

int DeviceManager::ResolveDeviceType(int vendor_id, int product_id,
                                     const std::wstring& model_code) const {
    std::lock_guard lock(mutex_);
    return ResolveLocked(vendor_id, product_id, model_code);
}

bool DeviceManager::IsKnownLocked(int vendor_id, int product_id) const {
    return std::any_of(catalog_.begin(), catalog_.end(), [&](const DeviceCatalogEntry& e) {
        return e.vendor_id == vendor_id && e.product_id == product_id;
    });
}

int DeviceManager::CatalogModeLocked(int vendor_id, int product_id) const {
    for (const DeviceCatalogEntry& e : catalog_) {
        if (e.vendor_id == vendor_id && e.product_id == product_id) {
            return e.mode;
        }
    }
    return 0;
}

int DeviceManager::ResolveLocked(int vendor_id, int product_id,
                                 const std::wstring& model_code) const {
    for (const DeviceCatalogEntry& e : catalog_) {
        if (e.vendor_id != vendor_id || e.product_id != product_id) {
            continue;
        }
        if (e.model_code.size() < 4) {
            return kUnnamedDeviceType;
        }
        if (e.model_code == model_code) {
            return e.device_type;
        }
    }
    return 0;
}

// ---- enumeration ----

void DeviceManager::EnumerateDevice() {
    Trace(kTraceInfo, "========== EnumerateDevice Start ==========");
    std::vector<HidNodeInfo> nodes;
    if (hid_ok_) {
        nodes = backend_.Enumerate();
    }
    Trace(kTraceInfo, "Step 1: Quick scan - collecting basic device info");

    // Built privately and published at the end, so readers on the window thread never wait for
    // the information requests below.
    std::vector<std::unique_ptr<OwnedRecord>> found;
    bool has_usb = false;
    for (const HidNodeInfo& node : nodes) {
        int mode = 0;
        {
            std::lock_guard lock(mutex_);
            if (!IsKnownLocked(node.vendor_id, node.product_id)) {
                continue;
            }
            mode = CatalogModeLocked(node.vendor_id, node.product_id);
        }
        if (!IsCommandCollection(node.usage_page, node.usage)) {
            continue;
        }
        // hidraw lists every top-level collection of an interface under the interface's one
        // path; a second handle on the same node would only receive copies of the same reports.
        const bool already_open = std::any_of(found.begin(), found.end(), [&](const auto& owned) {
            return owned->record.path == node.path;
        });
        if (already_open) {
            continue;
        }
        std::unique_ptr<HidDevice> device = backend_.OpenPath(node.path);
        if (!device) {
            continue;
        }
        auto owned = std::make_unique<OwnedRecord>();
        DeviceRecord& r = owned->record;
        r.index = static_cast<int>(found.size());
        r.vendor_id = node.vendor_id;
        r.product_id = node.product_id;
        r.path = node.path.substr(0, 1023);
        r.release_number = node.release_number;
        r.device_type = 0;
        r.mode = mode;
        r.online = kOnline;
        owned->device = std::move(device);
        Trace(kTraceInfo, "  Found [%d]: VID=0x%04X, PID=0x%04X, Mode=%s", r.index, r.vendor_id,
              r.product_id, ModeName(r.mode));
        has_usb = has_usb || r.mode == kModeCable;
        found.push_back(std::move(owned));
    }
    nodes.clear();
    if (has_usb) {
        Trace(kTraceInfo,
              "Step 2: USB device found, SKIP reading 2.4G details (reduce HID traffic)");
    } else {
        Trace(kTraceInfo, "Step 2: No USB device, will read 2.4G device details");
    }

    for (auto& owned : found) {
        DeviceRecord& r = owned->record;
        bool read_details = false;
        if (has_usb && r.mode == kModeReceiver) {
            Trace(kTraceInfo, "  [%d] 2.4G device - SKIP (USB exists)", r.index);
        } else if (has_usb && r.mode == kModeCable) {
            Trace(kTraceInfo, "  [%d] USB device - reading details...", r.index);
            read_details = true;
        } else if (r.mode == kModeReceiver) {
            r.online = kOnline;
            Trace(kTraceInfo, "  [%d] 2.4G state: %s", r.index, "Online");
            Trace(kTraceInfo, "  [%d] 2.4G device - reading details...", r.index);
            read_details = true;
        }
        if (read_details) {
            Frame block{};
            if (RequestInfoWithRetry(owned->device.get(), block, timing::kInfoRetryPause)) {
                r.info = block;
                r.model_code = ModelCodeFromInfo(block.data());
                r.device_type = ResolveDeviceType(r.vendor_id, r.product_id, r.model_code);
                Trace(kTraceInfo, "  [%d] DeviceId: %s, DeviceType: %d", r.index,
                      Narrow(r.model_code).c_str(), r.device_type);
            }
        }
        Trace(kTraceInfo, "  [%d] Final: VID=0x%04X, PID=0x%04X, Type=%d, Mode=%d", r.index,
              r.vendor_id, r.product_id, r.device_type, r.mode);
    }

    std::size_t total = 0;
    {
        std::lock_guard lock(mutex_);
        for (auto& owned : found) {
            records_.push_back(std::move(owned));
        }
        total = records_.size();
    }
    Trace(kTraceInfo, "========== EnumerateDevice Complete! Total=%d, HasUSB=%s ==========",
          static_cast<int>(total), has_usb ? "YES" : "NO");
}

void DeviceManager::CloseAllDevices() {
    std::vector<std::unique_ptr<OwnedRecord>> closing;
    {
        std::lock_guard lock(mutex_);
        // Closes whatever is open even when not ready: the start-up enumeration runs before the
        // first refresh marks the manager ready, and its handles must not be left behind when
        // the refresh enumerates again.
        ready_ = false;
        cached_ = nullptr;
        closing.swap(records_);
    }
    closing.clear();  // closes the handles, outside the lock
}

void DeviceManager::SetReady() {
    std::lock_guard lock(mutex_);
    ready_ = true;
}

bool DeviceManager::IsReady() const {
    std::lock_guard lock(mutex_);
    return ready_;
}

// ---- current type and selection ----

void DeviceManager::SetCurrentDeviceType(int device_type) {
    std::lock_guard lock(mutex_);
    current_type_ = device_type;
    cached_ = nullptr;
}

int DeviceManager::GetCurrentDeviceType() const {
    std::lock_guard lock(mutex_);
    return current_type_;
}

void DeviceManager::ClearCachedHandle() {
    std::lock_guard lock(mutex_);
    cached_ = nullptr;
}

DeviceManager::OwnedRecord* DeviceManager::SelectLocked() {
    if (cached_ != nullptr) {
        return cached_;
    }
    for (auto& owned : records_) {
        if (owned->record.device_type == current_type_ && owned->record.mode == kModeCable) {
            cached_ = owned.get();
            return cached_;
        }
    }
    for (auto& owned : records_) {
        if (owned->record.device_type == current_type_ && owned->record.mode == kModeReceiver) {
            if (owned->record.online == kOnline) {
                cached_ = owned.get();
                return cached_;
            }
            return nullptr;
        }
    }
    return nullptr;
}

HidDevice* DeviceManager::GetCurrentHandle() {
    std::lock_guard lock(mutex_);
    OwnedRecord* owned = SelectLocked();
    return owned != nullptr ? owned->device.get() : nullptr;
}

// ---- reads ----

int DeviceManager::GetLinkKind() const {
    std::lock_guard lock(mutex_);
    bool receiver = false;
    for (const auto& owned : records_) {
        if (owned->record.device_type != current_type_) {
            continue;
        }
        if (owned->record.mode == kModeCable) {
            return 0;
        }
        receiver = receiver || owned->record.mode == kModeReceiver;
    }
    return receiver ? 1 : -1;
}

bool DeviceManager::ListDevices(std::vector<DeviceRecord>& out) const {
    std::lock_guard lock(mutex_);
    out.clear();
    if (records_.empty()) {
        return false;
    }
    for (const auto& owned : records_) {
        if (current_type_ == 0 || owned->record.device_type == current_type_) {
            out.push_back(owned->record);
        }
    }
    return true;
}

bool DeviceManager::ListOnlineDevices(std::vector<DeviceRecord>& out) const {
    std::lock_guard lock(mutex_);
    out.clear();
    if (records_.empty()) {
        return false;
    }
    for (const auto& owned : records_) {
        if (current_type_ == 0 ||
            (owned->record.device_type == current_type_ && owned->record.online == kOnline)) {
            out.push_back(owned->record);
        }
    }
    return true;
}

bool DeviceManager::HasResolvedDevice(int device_type) const {
    std::lock_guard lock(mutex_);
    return std::any_of(records_.begin(), records_.end(), [&](const auto& owned) {
        return owned->record.device_type == device_type && !owned->record.model_code.empty() &&
               owned->record.online > 0;
    });
}

bool DeviceManager::GetReleaseNumber(int mode, int& release_number) const {
    std::lock_guard lock(mutex_);
    if (!ready_) {
        return false;
    }
    for (const auto& owned : records_) {
        if (owned->record.mode == mode) {
            release_number = owned->record.release_number;
            return true;
        }
    }
    return false;
}

void DeviceManager::SetOnlineState(int device_type, int mode, int online) {
    std::lock_guard lock(mutex_);
    SetOnlineLocked(device_type, mode, online);
}

void DeviceManager::SetOnlineLocked(int device_type, int mode, int online) {
    for (auto& owned : records_) {
        if (owned->record.device_type == device_type && owned->record.mode == mode) {
            owned->record.online = online;
        }
    }
}

// ---- transport ----

bool DeviceManager::SendCommand(uint8_t* frame, std::size_t length, bool wait_for_reply) {
    if (frame == nullptr || length < kShortSubmission || length > kFrameSize) {
        return false;
    }
    HidDevice* device = nullptr;
    {
        std::lock_guard lock(mutex_);
        if (!ready_) {
            return false;
        }
        OwnedRecord* owned = SelectLocked();
        device = owned != nullptr ? owned->device.get() : nullptr;
    }
    if (device == nullptr) {
        return false;
    }
    SealFrame(frame);
    Frame scratch{};
    std::memcpy(scratch.data(), frame, length);
    clock_.sleep_for(timing::kPauseBeforeSend);
    if (device->Write(scratch.data(), length) <= 0) {
        return false;
    }
    if (!wait_for_reply) {
        return false;
    }
    std::memcpy(scratch.data(), frame, length);
    bool replied = false;
    for (int attempt = 0; attempt < timing::kReplyAttempts; ++attempt) {
        const int n = device->ReadTimeout(scratch.data(), length, timing::kReplyTimeoutMs);
        // A one-byte report has no status byte: what sits at byte 1 is the request's own.
        if (n > static_cast<int>(kReplyStatus) && scratch[kReplyStatus] == 0) {
            replied = true;
            break;
        }
        if (n < 0) {
            break;  // the device is gone; no later read can answer
        }
    }
    std::memcpy(frame, scratch.data(), length);
    return replied;
}

bool DeviceManager::RequestDeviceInfo(uint8_t* block, HidDevice* handle) {
    if (block == nullptr) {
        return false;
    }
    if (handle == nullptr) {
        std::lock_guard lock(mutex_);
        OwnedRecord* owned = SelectLocked();
        if (owned == nullptr) {
            return false;
        }
        std::memcpy(block, owned->record.info.data(), kFrameSize);
        return true;
    }
    std::memset(block, 0, kFrameSize);
    block[kFrameCommand] = kCommandDeviceInfo;
    SealFrame(block);
    clock_.sleep_for(timing::kPauseBeforeInfoWrite);
    if (handle->Write(block, kShortSubmission) <= 0) {
        return false;
    }
    for (int attempt = 0; attempt < timing::kInfoReplyAttempts; ++attempt) {
        clock_.sleep_for(timing::kPauseBeforeInfoRead);
        const int n = handle->ReadTimeout(block, kShortSubmission, timing::kInfoReplyTimeoutMs);
        if (n > static_cast<int>(kReplyStatus) && block[kReplyStatus] == 0) {
            return true;
        }
    }
    return false;
}

bool DeviceManager::RequestInfoWithRetry(HidDevice* device, Frame& block,
                                         DUI::Clock::duration retry_pause) {
    if (RequestDeviceInfo(block.data(), device)) {
        return true;
    }
    clock_.sleep_for(retry_pause);
    return RequestDeviceInfo(block.data(), device);
}

// ---- unsolicited reports ----

bool DeviceManager::ReadNotification(uint8_t* buffer, int& device_type) {
    HidDevice* current = nullptr;
    std::vector<OwnedRecord*> receivers;
    {
        std::lock_guard lock(mutex_);
        if (!ready_) {
            return false;
        }
        device_type = current_type_;
        OwnedRecord* owned = SelectLocked();
        current = owned != nullptr ? owned->device.get() : nullptr;
        if (current == nullptr) {
            for (auto& r : records_) {
                if (r->record.mode == kModeReceiver && r->device) {
                    receivers.push_back(r.get());
                }
            }
        }
    }
    if (current != nullptr) {
        return current->ReadTimeout(buffer, kFrameSize, timing::kPollTimeoutMs) > 0;
    }
    // Records stay put while the worker (this thread) is here: only the worker re-enumerates.
    for (OwnedRecord* owned : receivers) {
        Frame local{};
        const int n =
            owned->device->ReadTimeout(local.data(), kShortSubmission, timing::kPollTimeoutMs);
        if (n <= 0) {
            continue;
        }
        int type = 0;
        int mode = 0;
        int online = 0;
        {
            std::lock_guard lock(mutex_);
            type = owned->record.device_type;
            mode = owned->record.mode;
            online = owned->record.online;
        }
        device_type = type;
        if (local[0] == kReportLink) {
            if (local[1] == 1) {
                online = kOnline;
                Frame block{};
                const bool got =
                    RequestInfoWithRetry(owned->device.get(), block, timing::kLinkInfoRetryPause);
                std::lock_guard lock(mutex_);
                owned->record.online = online;
                if (got) {
                    DeviceRecord& r = owned->record;
                    r.info = block;
                    r.model_code = ModelCodeFromInfo(block.data());
                    r.device_type = ResolveLocked(r.vendor_id, r.product_id, r.model_code);
                    Trace(kTraceInfo, "  [%d] DeviceId: %s, DeviceType: %d", r.index,
                          Narrow(r.model_code).c_str(), r.device_type);
                }
                SetOnlineLocked(owned->record.device_type, mode, online);
            } else {
                std::lock_guard lock(mutex_);
                owned->record.online = kOfflineByReport;
                SetOnlineLocked(owned->record.device_type, mode, kOfflineByReport);
            }
        }
        std::memcpy(buffer, local.data(), kFrameSize);
        return false;
    }
    return false;
}

void DeviceManager::PollReceiverStates() {
    std::vector<OwnedRecord*> receivers;
    {
        std::lock_guard lock(mutex_);
        for (auto& r : records_) {
            if (r->record.mode == kModeReceiver && r->record.device_type == current_type_ &&
                r->device) {
                receivers.push_back(r.get());
            }
        }
    }
    for (OwnedRecord* owned : receivers) {
        Frame local{};
        const int n =
            owned->device->ReadTimeout(local.data(), kShortSubmission, timing::kPollTimeoutMs);
        if (n > 0 && local[0] == kReportLink) {
            std::lock_guard lock(mutex_);
            const int online = local[1] == 1 ? kOnline : kOfflineByPoll;
            owned->record.online = online;
            SetOnlineLocked(owned->record.device_type, owned->record.mode, online);
        }
    }
}

// ---- hot plug ----

int DeviceManager::UpdateUSBDevice(const DeviceBroadcast* broadcast, int event,
                                   bool devices_present) const {
    if (broadcast == nullptr) {
        return 0;
    }
    std::string path = broadcast->path;
    std::transform(path.begin(), path.end(), path.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    Trace(kTraceInfo, "UpdateUSBDevice path: %s", path.c_str());

    const std::vector<DeviceCatalogEntry> catalog = Catalog();
    char pattern[64];
    if (event == kDeviceArrival) {
        for (const DeviceCatalogEntry& e : catalog) {
            std::snprintf(pattern, sizeof pattern, "VID_%04X&PID_%04X", e.vendor_id & 0xFFFF,
                          e.product_id & 0xFFFF);
            if (path.find(pattern) == std::string::npos) {
                continue;
            }
            const bool vendor_interface = std::any_of(
                broadcast->collections.begin(), broadcast->collections.end(),
                [](const HidUsagePair& c) { return c.usage_page == 0xFF01 && c.usage == 0x0010; });
            return vendor_interface ? kTaskDeviceArrived : 0;
        }
        return 0;
    }
    if (event == kDeviceRemoveComplete && devices_present) {
        for (const DeviceCatalogEntry& e : catalog) {
            std::snprintf(pattern, sizeof pattern, "VID_%04X&PID_%04X&MI_02", e.vendor_id & 0xFFFF,
                          e.product_id & 0xFFFF);
            if (path.find(pattern) != std::string::npos) {
                return kTaskDeviceRemoved;
            }
        }
    }
    return 0;
}

}  // namespace pellora
