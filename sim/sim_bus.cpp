#include "sim_bus.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <deque>
#include <fstream>
#include <sstream>

#include "device/frame.h"
#include "mouse_firmware.h"

namespace pellora::sim {
namespace {

using TimePoint = DUI::Clock::time_point;

constexpr std::size_t kHandleQueueLimit = 64;  // hidraw keeps this many reports per reader
constexpr int kVendorInterface = 2;
constexpr const char* kStateHeader = "pellora-sim-state 1";

struct Pending {
    TimePoint ready;
    std::vector<uint8_t> bytes;
};

struct Node {
    int id = 0;
    std::string path;
    int interface_number = 0;
    std::vector<HidUsagePair> collections;
};

struct Attachment {
    int device_type = 0;
    Link link = Link::kCable;
    uint16_t vendor_id = 0;
    uint16_t product_id = 0;
    uint16_t release_number = 0;
    std::vector<Node> nodes;
};

struct Mouse {
    explicit Mouse(const SimModel& model) : firmware(model) {}
    MouseFirmware firmware;
    bool powered = true;
    Fault fault;
    std::vector<std::vector<uint8_t>> received;
};

std::string ToHex(const std::vector<uint8_t>& bytes) {
    static const char* digits = "0123456789abcdef";
    std::string text;
    for (uint8_t b : bytes) {
        text.push_back(digits[b >> 4]);
        text.push_back(digits[b & 0x0F]);
    }
    return text;
}

bool FromHex(const std::string& text, std::vector<uint8_t>& out) {
    if (text.size() % 2 != 0) {
        return false;
    }
    auto nibble = [](char c) -> int {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        return -1;
    };
    out.clear();
    for (std::size_t i = 0; i < text.size(); i += 2) {
        const int hi = nibble(text[i]);
        const int lo = nibble(text[i + 1]);
        if (hi < 0 || lo < 0) {
            return false;
        }
        out.push_back(static_cast<uint8_t>(hi << 4 | lo));
    }
    return true;
}

}  // namespace

struct HandleState {
    int node_id = 0;
    bool dead = false;
    std::deque<Pending> queue;
};

struct SimulatedBus::Core {
    explicit Core(DUI::Clock& c) : clock(c) {}

    DUI::Clock& clock;
    mutable std::mutex mutex;
    std::vector<std::unique_ptr<Mouse>> mice;
    std::vector<Attachment> attached;  // in plug order
    std::vector<std::shared_ptr<HandleState>> handles;
    int next_node = 0;
    HotPlugHandler handler;
    std::filesystem::path state_file;

    Mouse* FindMouse(int device_type) {
        for (auto& m : mice) {
            if (m->firmware.model().device_type == device_type) {
                return m.get();
            }
        }
        return nullptr;
    }

    Attachment* FindAttachment(int device_type, Link link) {
        for (Attachment& a : attached) {
            if (a.device_type == device_type && a.link == link) {
                return &a;
            }
        }
        return nullptr;
    }

    const Node* FindNode(int node_id, Attachment** owner) {
        for (Attachment& a : attached) {
            for (const Node& n : a.nodes) {
                if (n.id == node_id) {
                    *owner = &a;
                    return &n;
                }
            }
        }
        return nullptr;
    }

    static std::string Identity(const Attachment& a, const Node& n) {
        char text[48];
        std::snprintf(text, sizeof text, "HID#VID_%04X&PID_%04X&MI_%02X#", a.vendor_id,
                      a.product_id, n.interface_number);
        return text + n.path;
    }

    void Deliver(const Attachment& a, std::vector<uint8_t> bytes, TimePoint ready) {
        int vendor_node = -1;
        for (const Node& n : a.nodes) {
            if (n.interface_number == kVendorInterface) {
                vendor_node = n.id;
            }
        }
        for (auto& h : handles) {
            if (!h->dead && h->node_id == vendor_node) {
                h->queue.push_back({ready, bytes});
                if (h->queue.size() > kHandleQueueLimit) {
                    h->queue.pop_front();
                }
            }
        }
    }

    // Takes the link off the bus; returns the removal broadcasts to raise.
    std::vector<DeviceBroadcast> Detach(int device_type, Link link) {
        std::vector<DeviceBroadcast> removed;
        auto it = std::find_if(attached.begin(), attached.end(), [&](const Attachment& a) {
            return a.device_type == device_type && a.link == link;
        });
        if (it == attached.end()) {
            return removed;
        }
        for (const Node& n : it->nodes) {
            for (auto& h : handles) {
                if (h->node_id == n.id) {
                    h->dead = true;
                    h->queue.clear();
                }
            }
            removed.push_back({Identity(*it, n), {}});
        }
        attached.erase(it);
        return removed;
    }

    void SaveStateLocked() {
        if (state_file.empty()) {
            return;
        }
        std::ostringstream text;
        text << kStateHeader << "\n";
        for (const auto& m : mice) {
            text << m->firmware.model().model_code << " " << ToHex(SaveImage(m->firmware.memory()))
                 << "\n";
        }
        const std::filesystem::path temp = state_file.string() + ".tmp";
        {
            std::ofstream out(temp, std::ios::binary | std::ios::trunc);
            out << text.str();
            if (!out.flush()) {
                return;
            }
        }
        std::error_code ec;
        std::filesystem::rename(temp, state_file, ec);
    }

    void LoadStateLocked() {
        std::ifstream in(state_file, std::ios::binary);
        std::string line;
        if (!in || !std::getline(in, line) || line != kStateHeader) {
            return;
        }
        while (std::getline(in, line)) {
            const std::size_t space = line.find(' ');
            if (space == std::string::npos) {
                continue;
            }
            const std::string code = line.substr(0, space);
            std::vector<uint8_t> image;
            if (!FromHex(line.substr(space + 1), image)) {
                continue;
            }
            const std::optional<OnboardMemory> memory = LoadImage(image);
            if (!memory) {
                continue;
            }
            for (auto& m : mice) {
                if (m->firmware.model().model_code == code) {
                    m->firmware.set_memory(*memory);
                }
            }
        }
    }

    void PersistIfChanged(Mouse& mouse) {
        if (mouse.firmware.TakeMemoryChanged()) {
            SaveStateLocked();
        }
    }

    void Raise(const std::vector<DeviceBroadcast>& broadcasts, int event,
               const HotPlugHandler& to) {
        if (!to) {
            return;
        }
        for (const DeviceBroadcast& b : broadcasts) {
            to(b, event);
        }
    }
};

namespace {

class SimHandle final : public HidDevice {
  public:
    SimHandle(std::shared_ptr<SimulatedBus::Core> core, std::shared_ptr<HandleState> state)
        : core_(std::move(core)), state_(std::move(state)) {}
    ~SimHandle() override {
        std::lock_guard lock(core_->mutex);
        auto& handles = core_->handles;
        handles.erase(std::remove(handles.begin(), handles.end(), state_), handles.end());
    }
    SimHandle(const SimHandle&) = delete;
    SimHandle& operator=(const SimHandle&) = delete;

    int Write(const uint8_t* data, std::size_t length) override;
    int ReadTimeout(uint8_t* data, std::size_t length, int milliseconds) override;

  private:
    std::shared_ptr<SimulatedBus::Core> core_;
    std::shared_ptr<HandleState> state_;
};

int SimHandle::Write(const uint8_t* data, std::size_t length) {
    std::vector<DeviceBroadcast> removed;
    HotPlugHandler handler;
    {
        std::lock_guard lock(core_->mutex);
        if (state_->dead || data == nullptr || length == 0 || length > kFrameSize || data[0] != 0) {
            return -1;
        }
        Attachment* attachment = nullptr;
        const Node* node = core_->FindNode(state_->node_id, &attachment);
        if (node == nullptr) {
            return -1;
        }
        if (node->interface_number != kVendorInterface) {
            return static_cast<int>(length);
        }
        Mouse* mouse = core_->FindMouse(attachment->device_type);
        mouse->received.emplace_back(data, data + length);
        std::vector<uint8_t> report(kFrameSize, 0);  // the HID layer pads to the report length
        std::memcpy(report.data(), data, length);
        if (attachment->link == Link::kReceiver && !mouse->powered) {
            return static_cast<int>(length);  // the receiver takes it; no mouse hears it
        }
        std::optional<std::vector<uint8_t>> reply =
            mouse->firmware.HandleOutput(report.data(), report.size(), true);
        core_->PersistIfChanged(*mouse);

        const TimePoint now = core_->clock.now();
        switch (mouse->fault.kind) {
            case FaultKind::kNone:
                break;
            case FaultKind::kNeverAnswer:
                reply.reset();
                break;
            case FaultKind::kAnswerLate:
                if (reply) {
                    core_->Deliver(*attachment, std::move(*reply), now + mouse->fault.delay);
                    reply.reset();
                }
                break;
            case FaultKind::kErrorStatus:
                if (reply) {
                    (*reply)[kReplyStatus] = mouse->fault.status;
                }
                break;
            case FaultKind::kGarbage:
                if (reply) {
                    core_->Deliver(*attachment, {0xEE}, now);
                    core_->Deliver(*attachment, {0xEE, 0x05, 0x00}, now);
                    std::vector<uint8_t> noise(kInputReportSize, 0x5A);
                    noise[kReplyStatus] = 0x7F;
                    core_->Deliver(*attachment, noise, now);
                }
                break;
            case FaultKind::kDisconnectMidCommand:
                mouse->fault = Fault{};
                removed = core_->Detach(attachment->device_type, attachment->link);
                handler = core_->handler;
                reply.reset();
                break;
        }
        if (reply) {
            core_->Deliver(*attachment, std::move(*reply), now);
        }
    }
    core_->Raise(removed, kDeviceRemoveComplete, handler);
    return static_cast<int>(length);
}

int SimHandle::ReadTimeout(uint8_t* data, std::size_t length, int milliseconds) {
    DUI::Clock& clock = core_->clock;
    auto take = [&]() -> int {
        Pending p = std::move(state_->queue.front());
        state_->queue.pop_front();
        const std::size_t n = std::min(length, p.bytes.size());
        std::memcpy(data, p.bytes.data(), n);
        return static_cast<int>(n);
    };
    DUI::Clock::duration wait{};
    {
        std::lock_guard lock(core_->mutex);
        if (state_->dead || data == nullptr) {
            return -1;
        }
        const TimePoint now = clock.now();
        if (!state_->queue.empty() && state_->queue.front().ready <= now) {
            return take();
        }
        const TimePoint limit = now + std::chrono::milliseconds(std::max(milliseconds, 0));
        TimePoint until = limit;
        if (!state_->queue.empty() && state_->queue.front().ready < limit) {
            until = state_->queue.front().ready;
        }
        wait = until - now;
    }
    clock.sleep_for(wait);
    std::lock_guard lock(core_->mutex);
    if (state_->dead) {
        return -1;
    }
    if (!state_->queue.empty() && state_->queue.front().ready <= clock.now()) {
        return take();
    }
    return 0;
}

}  // namespace

SimulatedBus::SimulatedBus(DUI::Clock& clock) : core_(std::make_shared<Core>(clock)) {}

SimulatedBus::~SimulatedBus() {
    std::lock_guard lock(core_->mutex);
    for (auto& h : core_->handles) {
        h->dead = true;
    }
    core_->handler = nullptr;
}

bool SimulatedBus::AddMouse(const SimModel& model) {
    std::lock_guard lock(core_->mutex);
    if (core_->FindMouse(model.device_type) != nullptr) {
        return false;
    }
    core_->mice.push_back(std::make_unique<Mouse>(model));
    return true;
}

bool SimulatedBus::Plug(int device_type, Link link) {
    std::vector<DeviceBroadcast> arrived;
    HotPlugHandler handler;
    {
        std::lock_guard lock(core_->mutex);
        Mouse* mouse = core_->FindMouse(device_type);
        if (mouse == nullptr || core_->FindAttachment(device_type, link) != nullptr) {
            return false;
        }
        const SimModel& model = mouse->firmware.model();
        const uint16_t pid =
            link == Link::kCable ? model.cable_product_id : model.receiver_product_id;
        if (pid == 0) {
            return false;
        }
        Attachment a;
        a.device_type = device_type;
        a.link = link;
        a.vendor_id = model.vendor_id;
        a.product_id = pid;
        a.release_number = model.release_number;
        const std::vector<HidUsagePair> layouts[3] = {
            {{0x0001, 0x0002}},
            {{0x0001, 0x0006}, {0x000C, 0x0001}},
            model.vendor_collections,
        };
        for (int i = 0; i < 3; ++i) {
            Node n;
            n.id = core_->next_node++;
            n.path = "sim-hidraw" + std::to_string(n.id);
            n.interface_number = i;
            n.collections = layouts[i];
            arrived.push_back({Core::Identity(a, n), n.collections});
            a.nodes.push_back(std::move(n));
        }
        core_->attached.push_back(std::move(a));
        handler = core_->handler;
    }
    core_->Raise(arrived, kDeviceArrival, handler);
    return true;
}

bool SimulatedBus::Unplug(int device_type, Link link) {
    std::vector<DeviceBroadcast> removed;
    HotPlugHandler handler;
    {
        std::lock_guard lock(core_->mutex);
        removed = core_->Detach(device_type, link);
        handler = core_->handler;
    }
    if (removed.empty()) {
        return false;
    }
    core_->Raise(removed, kDeviceRemoveComplete, handler);
    return true;
}

bool SimulatedBus::SetMousePower(int device_type, bool on) {
    std::lock_guard lock(core_->mutex);
    Mouse* mouse = core_->FindMouse(device_type);
    if (mouse == nullptr) {
        return false;
    }
    if (mouse->powered == on) {
        return true;
    }
    mouse->powered = on;
    if (Attachment* receiver = core_->FindAttachment(device_type, Link::kReceiver)) {
        core_->Deliver(*receiver, mouse->firmware.LinkReport(on), core_->clock.now());
    }
    return true;
}

bool SimulatedBus::PressDpiButton(int device_type) {
    std::lock_guard lock(core_->mutex);
    Mouse* mouse = core_->FindMouse(device_type);
    if (mouse == nullptr) {
        return false;
    }
    std::vector<uint8_t> report = mouse->firmware.PressDpiButton();
    core_->PersistIfChanged(*mouse);
    if (Attachment* cable = core_->FindAttachment(device_type, Link::kCable)) {
        core_->Deliver(*cable, std::move(report), core_->clock.now());
    } else if (Attachment* receiver = core_->FindAttachment(device_type, Link::kReceiver);
               receiver != nullptr && mouse->powered) {
        core_->Deliver(*receiver, std::move(report), core_->clock.now());
    }
    return true;
}

bool SimulatedBus::SetBattery(int device_type, int level, int charge_state) {
    std::lock_guard lock(core_->mutex);
    Mouse* mouse = core_->FindMouse(device_type);
    if (mouse == nullptr) {
        return false;
    }
    mouse->firmware.SetBattery(level, charge_state);
    return true;
}

bool SimulatedBus::SetFault(int device_type, const Fault& fault) {
    std::lock_guard lock(core_->mutex);
    Mouse* mouse = core_->FindMouse(device_type);
    if (mouse == nullptr) {
        return false;
    }
    mouse->fault = fault;
    return true;
}

bool SimulatedBus::InjectReport(int device_type, Link link, const std::vector<uint8_t>& report) {
    std::lock_guard lock(core_->mutex);
    Attachment* a = core_->FindAttachment(device_type, link);
    if (a == nullptr) {
        return false;
    }
    core_->Deliver(*a, report, core_->clock.now());
    return true;
}

std::string SimulatedBus::DumpJson(int device_type) const {
    std::lock_guard lock(core_->mutex);
    Mouse* mouse = core_->FindMouse(device_type);
    if (mouse == nullptr) {
        return {};
    }
    return sim::DumpJson(mouse->firmware.memory(), mouse->firmware.model().model_code);
}

bool SimulatedBus::GetMemory(int device_type, OnboardMemory& out) const {
    std::lock_guard lock(core_->mutex);
    Mouse* mouse = core_->FindMouse(device_type);
    if (mouse == nullptr) {
        return false;
    }
    out = mouse->firmware.memory();
    return true;
}

bool SimulatedBus::SetMemory(int device_type, const OnboardMemory& memory) {
    std::lock_guard lock(core_->mutex);
    Mouse* mouse = core_->FindMouse(device_type);
    if (mouse == nullptr) {
        return false;
    }
    mouse->firmware.set_memory(memory);
    core_->SaveStateLocked();
    return true;
}

void SimulatedBus::SetStateFile(const std::filesystem::path& file) {
    std::lock_guard lock(core_->mutex);
    core_->state_file = file;
    core_->LoadStateLocked();
}

std::vector<std::vector<uint8_t>> SimulatedBus::ReceivedReports(int device_type) const {
    std::lock_guard lock(core_->mutex);
    Mouse* mouse = core_->FindMouse(device_type);
    return mouse != nullptr ? mouse->received : std::vector<std::vector<uint8_t>>{};
}

int SimulatedBus::OpenHandleCount() const {
    std::lock_guard lock(core_->mutex);
    return static_cast<int>(core_->handles.size());
}

bool SimulatedBus::Init() {
    return true;
}

void SimulatedBus::Exit() {}

std::vector<HidNodeInfo> SimulatedBus::Enumerate() {
    std::lock_guard lock(core_->mutex);
    std::vector<HidNodeInfo> nodes;
    for (const Attachment& a : core_->attached) {
        for (const Node& n : a.nodes) {
            for (const HidUsagePair& c : n.collections) {
                nodes.push_back({n.path, a.vendor_id, a.product_id, a.release_number, c.usage_page,
                                 c.usage, n.interface_number});
            }
        }
    }
    return nodes;
}

std::unique_ptr<HidDevice> SimulatedBus::OpenPath(const std::string& path) {
    std::lock_guard lock(core_->mutex);
    for (const Attachment& a : core_->attached) {
        for (const Node& n : a.nodes) {
            if (n.path == path) {
                auto state = std::make_shared<HandleState>();
                state->node_id = n.id;
                core_->handles.push_back(state);
                return std::make_unique<SimHandle>(core_, std::move(state));
            }
        }
    }
    return nullptr;
}

bool SimulatedBus::Start(HotPlugHandler handler) {
    std::lock_guard lock(core_->mutex);
    core_->handler = std::move(handler);
    return true;
}

void SimulatedBus::Stop() {
    std::lock_guard lock(core_->mutex);
    core_->handler = nullptr;
}

}  // namespace pellora::sim
