#include "cli/context.h"

#include <cstdarg>
#include <cstdio>

#include "cli/frame_trace.h"
#include "device/commands/model_defaults.h"
#include "device/hidapi_backend.h"
#include "files/app_config.h"
#include "files/language.h"
#include "platform/settings_file.h"
#include "sim_setup.h"
#include "store/init_profiles.h"
#include "tessel/platform/text.h"

namespace pellora::cli {

namespace {

// Task 1 reads the catalogue, enumerates twice and reads the mouse: a few seconds at most, even
// with a receiver that waits out its retries.
constexpr std::chrono::seconds kStartTimeout{60};
constexpr std::chrono::seconds kTaskTimeout{120};
constexpr int kProfileWordText = 61;

}  // namespace

Context::Context(GlobalOptions options) : options_(std::move(options)) {}

Context::~Context() {
    if (worker_) {
        worker_->Stop();
    }
}

int Context::Fail(int code, const char* format, ...) {
    std::fputs("pellora-cli: ", stderr);
    va_list args;
    va_start(args, format);
    std::vfprintf(stderr, format, args);
    va_end(args);
    std::fputc('\n', stderr);
    return code;
}

bool Context::SetUpHidLayer() {
    std::unique_ptr<HidBackend> backend;
    if (options_.simulate) {
        sim::SimSetup setup;
        std::string error;
        if (!sim::ParseSimulateValue(*options_.simulate, setup, error)) {
            Fail(kExitBadArgument, "--simulate: %s", error.c_str());
            return false;
        }
        setup.state_file = options_.sim_state;
        auto bus = sim::CreateSimulatedBus(setup, DUI::Clock::Real());
        bus_ = bus.get();
        backend = std::move(bus);
    } else if (options_.trace) {
        backend = MakeHidapiBackend();
    }
    if (backend && options_.trace) {
        backend = MakeTracingBackend(std::move(backend));
    }
    if (backend) {
        DeviceManager::InstallProcessBackend(std::move(backend));
    }
    return true;
}

void Context::ReadConfiguration() {
    ReadAppConfig();
    ChooseLanguage();
    catalog_ = ReadDeviceCatalog();
}

bool Context::StartDevice() {
    worker_ = std::make_unique<DeviceWorker>(DeviceManager::Instance(), DeviceDatabase::Instance(),
                                             DUI::Clock::Real(), view_, catalog_);
    worker_->Start();
    if (!worker_->WaitUntilIdle(kStartTimeout)) {
        Fail(kExitFailed, "the device did not answer in time");
        return false;
    }
    return true;
}

bool Context::HasDevice() const {
    return worker_ && DeviceManager::Instance().GetLinkKind() != -1 &&
           worker_->Snapshot().link_flag != 0;
}

int Context::OpenStore(bool quiet) {
    const WorkerSnapshot snapshot = worker_->Snapshot();
    if (snapshot.model_loads > 0) {
        model_ = snapshot.model;
    } else {
        // No device: work on the remembered model's settings.
        model_ = DeviceWorker::LoadModel(catalog_, db(), ReadAppRegInt(L"DeviceType"));
    }
    if (model_.device_key.empty()) {
        if (quiet)
            return kExitNoModel;
        return Fail(kExitNoModel, "unknown model: no device and no remembered model");
    }
    if (!db().IsOpened()) {
        return Fail(kExitFailed, "cannot open the settings of %s",
                    DUI::WideToUtf8(model_.name).c_str());
    }
    std::wstring word = GetText(kProfileWordText);
    if (word.empty())
        word = L"Profile";
    const std::wstring key = model_.device_key;
    profile_ = InitProfiles(db(), word, [&](int profile) {
                   if (const auto rate = WriteModelDefaults(db(), profile, key)) {
                       worker_->commands().SetRateCeiling(*rate);
                   }
               }).current_profile;
    if (profile_ < 1) {
        return Fail(kExitFailed, "the settings of %s hold no profile",
                    DUI::WideToUtf8(model_.name).c_str());
    }
    return kExitOk;
}

void Context::Send(int task_code) {
    if (sent_.empty()) {
        failures_before_ = worker_->commands().failed_sends();
    }
    sent_.push_back(task_code);
    if (HasDevice()) {
        worker_->QueueTask(task_code);
    }
}

int Context::Finish() {
    if (sent_.empty()) {
        return kExitOk;
    }
    if (!HasDevice()) {
        return Fail(kExitFailed,
                    "no device: the change is stored and goes out with the next "
                    "download");
    }
    if (!worker_->WaitUntilIdle(kTaskTimeout)) {
        return Fail(kExitFailed, "the mouse did not finish in time");
    }
    if (worker_->commands().failed_sends() > failures_before_ ||
        DeviceManager::Instance().GetLinkKind() == -1) {
        return Fail(kExitFailed,
                    "the mouse did not take the change (it is stored and goes out "
                    "with the next download)");
    }
    return kExitOk;
}

}  // namespace pellora::cli
