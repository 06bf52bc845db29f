#include "tessel/core/mimagelist.h"

#include "tessel/platform/image_io.h"
#include "tessel/platform/text.h"

namespace DUI {

_M_IAMGELIST MImageList::MakeItem(const wchar_t* path, int id, int count) {
    _M_IAMGELIST item;
    item.id = id;
    item.frameCount = std::max(1, count);
    item.path = path;
    item.image = LoadImageFile(WideToUtf8(path));
    if (item.image) {
        item.frameWidth = item.image->GetWidth() / item.frameCount;
        item.frameHeight = item.image->GetHeight();
    }
    return item;
}

int MImageList::AddImage(const wchar_t* path, int id, int count) {
    if (path == nullptr) {
        return -1;
    }
    _M_IAMGELIST item = MakeItem(path, id, count);
    std::lock_guard lock(m_lock);
    m_items.push_back(std::move(item));
    return static_cast<int>(m_items.size()) - 1;
}

int MImageList::InsertImage(int index, const wchar_t* path, int id, int count) {
    if (path == nullptr) {
        return -1;
    }
    std::lock_guard lock(m_lock);
    if (index == -1) {
        m_items.push_back(MakeItem(path, id, count));
        return static_cast<int>(m_items.size()) - 1;
    }
    if (index < 0 || index >= static_cast<int>(m_items.size())) {
        return -1;
    }
    m_items.insert(m_items.begin() + index, MakeItem(path, id, count));
    return -1;
}

void MImageList::DrawItemIcon(Graphics& g, CRect rect, int index) {
    std::lock_guard lock(m_lock);
    if (index < 0 || index >= static_cast<int>(m_items.size())) {
        return;
    }
    const auto& item = m_items[index];
    if (item.image) {
        g.DrawImage(item.image.get(), rect, 0, 0, item.frameWidth, item.frameHeight);
    }
}

void MImageList::DrawItemIcon(Graphics& g, CRect rect, int index, int state) {
    std::lock_guard lock(m_lock);
    if (index < 0 || index >= static_cast<int>(m_items.size())) {
        return;
    }
    const auto& item = m_items[index];
    if (!item.image || state < 0 || (state + 1) * item.frameWidth > item.image->GetWidth()) {
        return;
    }
    const int x = rect.left + (rect.Width() - item.frameWidth) / 2;
    const int y = rect.top + (rect.Height() - item.frameHeight) / 2;
    g.DrawImage(item.image.get(), CRect(x, y, x + item.frameWidth, y + item.frameHeight),
                state * item.frameWidth, 0, item.frameWidth, item.frameHeight);
}

void MImageList::SetDrawImgSize(int w, int h) {
    std::lock_guard lock(m_lock);
    m_drawWidth = w;
    m_drawHeight = h;
}

CSize MImageList::GetIconSize() const {
    std::lock_guard lock(m_lock);
    return {m_drawWidth, m_drawHeight};
}

_M_IAMGELIST MImageList::GetItemImageData(int index) const {
    std::lock_guard lock(m_lock);
    if (index < 0 || index >= static_cast<int>(m_items.size())) {
        return {};
    }
    return m_items[index];
}

_M_IAMGELIST MImageList::GetImageDataByID(int id) const {
    std::lock_guard lock(m_lock);
    for (const auto& item : m_items) {
        if (item.id == id) {
            return item;
        }
    }
    return {};
}

CString MImageList::GetImagePath(int index) const {
    return GetItemImageData(index).path;
}

CString MImageList::GetImagePathByID(int id) const {
    return GetImageDataByID(id).path;
}

int MImageList::GetImageCount() const {
    std::lock_guard lock(m_lock);
    return static_cast<int>(m_items.size());
}

void MImageList::DelAllImages() {
    std::lock_guard lock(m_lock);
    m_items.clear();
}

}  // namespace DUI
