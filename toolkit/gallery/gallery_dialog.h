#pragma once
// The gallery window: every generic control with sample data, wired so each can be tried.

#include "tessel/core/mdialog.h"

namespace gallery {

class GalleryDialog : public DUI::MDialog {
  public:
    const wchar_t* GetWindowClassName() const override { return L"TesselGallery"; }
    void InitUI(DUI::CRect client) override;
    long OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) override;
    long OnWindowMessage(unsigned msg, unsigned wParam, long lParam) override;

  private:
    void Status(const std::wstring& text);
    void BuildButtons();
    void BuildStatics();
    void BuildInputs();
    void BuildLists();
    void BuildPopups();
};

}  // namespace gallery
