#pragma once
// A shown dialog, a theme folder with a few pictures of known colours, and helpers to inject
// input and count notifications.

#include "headless_fixture.h"

namespace tessel_test {

class ControlsTest : public HeadlessTest {
  protected:
    void SetUp() override;
    void TearDown() override;

    template <class T>
    T* Make(const wchar_t* className, unsigned id, DUI::CRect rect, const wchar_t* title = L"") {
        return dynamic_cast<T*>(dialog_.CreateControl(className, id, rect, title, 1, 1));
    }
    DUI::HWND hwnd() { return dialog_.GetSafeHwnd(); }
    void Move(int x, int y);
    void Press(int x, int y);
    void Release(int x, int y);
    void Key(unsigned key);
    void Char(wchar_t ch);
    // Notification codes the dialog received from one control id, in order.
    std::vector<unsigned> Codes(unsigned id) const;
    // Writes a picture of frames equal frames (frame i filled with colours[i]) to the theme folder.
    void WritePicture(const char* name, int frameWidth, int height,
                      std::vector<DUI::DWORD> colours);
    void Advance(int ms);

    RecordingDialog dialog_;
};

}  // namespace tessel_test
