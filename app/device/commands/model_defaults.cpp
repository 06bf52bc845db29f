#include "device/commands/model_defaults.h"

#include "files/device_description.h"
#include "tessel/platform/text.h"

namespace pellora {

std::optional<int> WriteModelDefaults(DeviceDatabase& db, int profile,
                                      const std::wstring& device_key) {
    std::optional<int> report_rate;
    auto hold = db.Lock();
    for (const auto& [key, value] : ReadModelDefaults(device_key, true)) {
        db.SetConfigValue(profile, key, value);
        if (key == L"report_rate") {
            report_rate = DUI::WToI(value);
        }
    }
    return report_rate;
}

}  // namespace pellora
