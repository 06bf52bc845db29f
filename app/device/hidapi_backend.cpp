#include "device/hidapi_backend.h"

#include <hidapi/hidapi.h>

namespace pellora {
namespace {

class HidapiDevice final : public HidDevice {
  public:
    explicit HidapiDevice(hid_device* device) : device_(device) {}
    ~HidapiDevice() override { hid_close(device_); }
    HidapiDevice(const HidapiDevice&) = delete;
    HidapiDevice& operator=(const HidapiDevice&) = delete;

    int Write(const uint8_t* data, std::size_t length) override {
        return hid_write(device_, data, length);
    }
    int ReadTimeout(uint8_t* data, std::size_t length, int milliseconds) override {
        return hid_read_timeout(device_, data, length, milliseconds);
    }

  private:
    hid_device* device_;
};

class HidapiBackend final : public HidBackend {
  public:
    bool Init() override { return hid_init() == 0; }
    void Exit() override { hid_exit(); }

    std::vector<HidNodeInfo> Enumerate() override {
        std::vector<HidNodeInfo> nodes;
        hid_device_info* list = hid_enumerate(0, 0);
        for (const hid_device_info* d = list; d != nullptr; d = d->next) {
            HidNodeInfo node;
            node.path = d->path != nullptr ? d->path : "";
            node.vendor_id = d->vendor_id;
            node.product_id = d->product_id;
            node.release_number = d->release_number;
            node.usage_page = d->usage_page;
            node.usage = d->usage;
            node.interface_number = d->interface_number;
            nodes.push_back(std::move(node));
        }
        hid_free_enumeration(list);
        return nodes;
    }

    std::unique_ptr<HidDevice> OpenPath(const std::string& path) override {
        hid_device* device = hid_open_path(path.c_str());
        if (device == nullptr) {
            return nullptr;
        }
        return std::make_unique<HidapiDevice>(device);
    }
};

}  // namespace

std::unique_ptr<HidBackend> MakeHidapiBackend() {
    return std::make_unique<HidapiBackend>();
}

}  // namespace pellora
