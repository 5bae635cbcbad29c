// The mascot picture: a 4-bit device-independent bitmap kept as a DIB section,
// so its palette and pixels stay exactly as stored.
#pragma once

#include <windows.h>

#include <vector>

#include "core/FigureShape.h"
#include "winbase/Handles.h"

namespace pelnor {

class Picture {
  public:
    // Loads a 4-bit bitmap resource of this module; false when there is none.
    bool LoadFromResource(int resourceId);

    HBITMAP Handle() const { return bitmap_.get(); }
    int Width() const { return width_; }
    int Height() const { return height_; }

    // A new bitmap of the same format and palette, `scale` times as wide and
    // high, every pixel a scale x scale square; facing right, column i shows
    // this picture's column width - 1 - i.
    tk::UniqueBitmap MakeScaled(int scale, bool faceLeft) const;

    // The figure's pixels (palette index other than 0) as MakeScaled draws
    // them, as rectangles.
    std::vector<ShapeRect> Shape(int scale, bool faceLeft) const;

  private:
    tk::UniqueBitmap bitmap_;
    DIBSECTION section_{};
    int width_ = 0;
    int height_ = 0;
};

// Draws `bitmap` at its own size at (x, y) with a raster operation
// (SRCCOPY as stored, NOTSRCCOPY with every colour channel c as 255 - c).
void DrawBitmap(HDC dc, HBITMAP bitmap, int x, int y, DWORD rop);

}  // namespace pelnor
