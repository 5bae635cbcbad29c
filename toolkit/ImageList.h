// A list of 16 x 16 icons drawn by index (menu icons).
#pragma once

#include <windows.h>

#include "toolkit/Handles.h"

namespace tk {

class TImageList {
  public:
    TImageList(int width, int height);

    // Adds a copy of the icon; returns its index, or -1.
    int AddIcon(HICON icon);
    int Count() const;
    int Width() const { return width_; }
    int Height() const { return height_; }
    void Draw(HDC dc, int index, int x, int y) const;
    HIMAGELIST Handle() const { return list_.get(); }

  private:
    int width_;
    int height_;
    UniqueImageList list_;
};

}  // namespace tk
