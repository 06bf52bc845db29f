// Windows that exist only in memory: nothing is shown, every frame stays in the window state.
#include "platform/backend.h"

namespace DUI::detail {
namespace {

class HeadlessBackend final : public Backend {
  public:
    BackendKind Kind() const override { return BackendKind::Headless; }
    bool Create(NativeWindow*) override { return true; }
    void Destroy(NativeWindow*) override {}
    void Show(NativeWindow*) override {}
    void Place(NativeWindow*) override {}
    void Present(NativeWindow*, const CRect&) override {}
    bool WorkArea(RECT* rect) override {
        // A 1920 x 1080 screen with a 40-pixel panel at the bottom.
        *rect = CRect(0, 0, 1920, 1040);
        return true;
    }
    bool PerPixelAlpha() const override { return true; }
};

}  // namespace

std::unique_ptr<Backend> MakeHeadlessBackend() {
    return std::make_unique<HeadlessBackend>();
}

}  // namespace DUI::detail
