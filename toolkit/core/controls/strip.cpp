#include "tessel/controls/strip.h"

#include <algorithm>

#include "tessel/core/manager.h"
#include "tessel/core/mrender.h"
#include "tessel/platform/resources.h"

namespace DUI {

bool ImageStrip::Load(const wchar_t* file, int count) {
    if (file == nullptr || *file == L'\0') {
        return false;
    }
    auto image = MRender::LoadImageFromFile(Manager::GetThemeFolder() + file);
    if (!image) {
        return false;
    }
    Adopt(std::move(image), count);
    path_ = file;
    return true;
}

bool ImageStrip::Load(unsigned id, const CString& type, int count, bool fromApplication) {
    auto image = MRender::LoadImageFromIDResource(
        id, type, fromApplication ? Manager::GetInstance() : LibraryModule());
    if (!image) {
        return false;
    }
    Adopt(std::move(image), count);
    path_.clear();
    return true;
}

void ImageStrip::Adopt(std::unique_ptr<Image> image, int count) {
    image_ = std::move(image);
    count_ = std::max(1, count);
    frameWidth_ = image_ ? image_->GetWidth() / count_ : 0;
    frameHeight_ = image_ ? image_->GetHeight() : 0;
}

void ImageStrip::Reset() {
    image_.reset();
    frameWidth_ = frameHeight_ = 0;
    path_.clear();
}

void ImageStrip::Draw(Graphics& g, int frame, const CRect& dest) const {
    if (!image_ || frame < 0 || frame >= count_ || frameWidth_ <= 0) {
        return;
    }
    g.DrawImage(image_.get(), dest, frame * frameWidth_, 0, frameWidth_, frameHeight_);
}

void ImageStrip::DrawAt(Graphics& g, int frame, int x, int y) const {
    Draw(g, frame, CRect(x, y, x + frameWidth_, y + frameHeight_));
}

void ImageStrip::DrawNine(Graphics& g, int frame, const CRect& dest, int left, int top, int right,
                          int bottom) const {
    if (!image_ || frame < 0 || frame >= count_ || frameWidth_ <= 0) {
        return;
    }
    MRender::DrawImageFrameMID(g, image_.get(), dest, frame * frameWidth_, 0, frameWidth_,
                               frameHeight_, left, top, right, bottom);
}

}  // namespace DUI
