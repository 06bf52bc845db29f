#pragma once
// An ordered list of image strips (icons of list items, key pictures), safe to use from several
// threads.

#include <memory>
#include <mutex>
#include <vector>

#include "tessel/platform/surface.h"

namespace DUI {

struct _M_IAMGELIST {
    std::shared_ptr<Image> image;
    int frameWidth = 0;
    int frameHeight = 0;
    int id = 0;
    int frameCount = 1;
    CString path;
};

class MImageList {
  public:
    int AddImage(const wchar_t* path, int id, int count);
    int InsertImage(int index, const wchar_t* path, int id, int count);
    void DrawItemIcon(Graphics& g, CRect rect, int index);
    void DrawItemIcon(Graphics& g, CRect rect, int index, int state);
    void SetDrawImgSize(int w, int h);
    CSize GetIconSize() const;
    // Copies (the image is shared); an empty item for an index outside the list.
    _M_IAMGELIST GetItemImageData(int index) const;
    _M_IAMGELIST GetImageDataByID(int id) const;
    CString GetImagePath(int index) const;
    CString GetImagePathByID(int id) const;
    int GetImageCount() const;
    void DelAllImages();

  private:
    static _M_IAMGELIST MakeItem(const wchar_t* path, int id, int count);
    mutable std::recursive_mutex m_lock;
    std::vector<_M_IAMGELIST> m_items;
    int m_drawWidth = 0;
    int m_drawHeight = 0;
};

}  // namespace DUI
