#pragma once
// An image strip a control owns itself (icons, pictures the control must not share through the
// window's cache): equal frames side by side, drawn one frame at a time.

#include <memory>

#include "tessel/platform/surface.h"

namespace DUI {

class ImageStrip {
  public:
    // A file relative to the theme folder; false (and the strip left empty) when it cannot load.
    bool Load(const wchar_t* file, int count);
    // Resources of the application (fromApplication) or of the library.
    bool Load(unsigned id, const CString& type, int count, bool fromApplication = true);
    void Reset();
    bool Loaded() const { return image_ != nullptr; }
    const Image* Get() const { return image_.get(); }
    int Count() const { return count_; }
    int FrameWidth() const { return frameWidth_; }
    int FrameHeight() const { return frameHeight_; }
    CString Path() const { return path_; }
    // Frame i scaled into dest; nothing for a frame beyond the strip.
    void Draw(Graphics& g, int frame, const CRect& dest) const;
    // Frame i at its natural size with its top-left corner at (x, y).
    void DrawAt(Graphics& g, int frame, int x, int y) const;
    // Frame i as a nine-grid with the given borders.
    void DrawNine(Graphics& g, int frame, const CRect& dest, int left, int top, int right,
                  int bottom) const;
    // Takes ownership of an already decoded picture.
    void Adopt(std::unique_ptr<Image> image, int count);

  private:
    std::unique_ptr<Image> image_;
    int count_ = 1;
    int frameWidth_ = 0;
    int frameHeight_ = 0;
    CString path_;
};

}  // namespace DUI
