// The mascot picture: a 4-bit device-independent bitmap kept as a DIB section,
// so its palette and pixels stay exactly as stored.
#pragma once

#include <windows.h>

#include "toolkit/Handles.h"

namespace pelnor {

class TPicture {
  public:
    // Loads a bitmap resource of this module; false when there is none.
    bool LoadFromResource(int resourceId);

    HBITMAP Handle() const { return bitmap_.get(); }
    int Width() const { return width_; }
    int Height() const { return height_; }

    // A new bitmap of the same size, format and palette whose column i is this
    // picture's column width - 1 - i.
    tk::UniqueBitmap MakeMirror() const;

  private:
    tk::UniqueBitmap bitmap_;
    int width_ = 0;
    int height_ = 0;
};

// Draws `bitmap` at its own size at (x, y) with a raster operation
// (SRCCOPY as stored, NOTSRCCOPY with every colour channel c as 255 - c).
void DrawBitmap(HDC dc, HBITMAP bitmap, int x, int y, DWORD rop);

}  // namespace pelnor
