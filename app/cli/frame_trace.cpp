#include "cli/frame_trace.h"

#include "platform/trace.h"

namespace pellora::cli {

namespace {

class TracingDevice final : public HidDevice {
  public:
    explicit TracingDevice(std::unique_ptr<HidDevice> inner) : inner_(std::move(inner)) {}

    int Write(const uint8_t* data, std::size_t length) override {
        Trace(kTraceDebug, "%s", FormatFrameLine('>', data, length).c_str());
        return inner_->Write(data, length);
    }

    int ReadTimeout(uint8_t* data, std::size_t length, int milliseconds) override {
        const int n = inner_->ReadTimeout(data, length, milliseconds);
        if (n > 0) {
            Trace(kTraceDebug, "%s",
                  FormatFrameLine('<', data, static_cast<std::size_t>(n)).c_str());
        }
        return n;
    }

  private:
    std::unique_ptr<HidDevice> inner_;
};

class TracingBackend final : public HidBackend {
  public:
    TracingBackend(std::unique_ptr<HidBackend> owned, HidBackend& inner)
        : owned_(std::move(owned)), inner_(inner) {}

    bool Init() override { return inner_.Init(); }
    void Exit() override { inner_.Exit(); }
    std::vector<HidNodeInfo> Enumerate() override { return inner_.Enumerate(); }
    std::unique_ptr<HidDevice> OpenPath(const std::string& path) override {
        std::unique_ptr<HidDevice> device = inner_.OpenPath(path);
        if (!device) {
            return nullptr;
        }
        return std::make_unique<TracingDevice>(std::move(device));
    }

  private:
    std::unique_ptr<HidBackend> owned_;
    HidBackend& inner_;
};

}  // namespace

std::string FormatFrameLine(char direction, const uint8_t* data, std::size_t length) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string line;
    line.reserve(2 + 3 * length);
    line.push_back(direction);
    for (std::size_t i = 0; i < length; ++i) {
        line.push_back(' ');
        line.push_back(kHex[data[i] >> 4]);
        line.push_back(kHex[data[i] & 0x0F]);
    }
    return line;
}

std::unique_ptr<HidBackend> MakeTracingBackend(std::unique_ptr<HidBackend> inner) {
    HidBackend& ref = *inner;
    return std::make_unique<TracingBackend>(std::move(inner), ref);
}

std::unique_ptr<HidBackend> MakeTracingBackend(HidBackend& inner) {
    return std::make_unique<TracingBackend>(nullptr, inner);
}

}  // namespace pellora::cli
