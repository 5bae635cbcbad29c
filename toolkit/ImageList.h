// A list of small icons drawn by index (menu icons). The icons are kept as
// they were added (16 x 16, the size at 96 DPI) and shown at a whole-number
// scale of that size, every pixel an s x s square, so that they stay as crisp
// as their pixel art at any density. They are read and scaled when first
// drawn. USER draws them, so a menu needs no
// common controls.
#pragma once

#include <windows.h>

#include <vector>

#include "winbase/Handles.h"

namespace tk {

class ImageList {
  public:
    // The icons' width and height at scale 1.
    ImageList(int width, int height) : width_(width), height_(height) {}

    // Adds a copy of the icon; returns its index, or -1.
    int AddIcon(HICON icon);
    // Adds this program's icon resource `id`, read the first time it is drawn
    // (a menu that is never opened never loads its icons); returns its index.
    int AddIconResource(int id);
    int Count() const { return static_cast<int>(entries_.size()); }
    // Shows every icon at `scale` times its size from now on.
    void SetScale(int scale);
    int Scale() const { return scale_; }
    int Width() const { return width_ * scale_; }
    int Height() const { return height_ * scale_; }
    void Draw(HDC dc, int index, int x, int y) const;

  private:
    struct Entry {
        int resource = 0;  // for an icon not read yet
        UniqueIcon icon;   // as added or read
        UniqueIcon shown;  // at the current scale, made when first drawn
    };
    // The entry with its icon at the current scale, or nullptr.
    const Entry* Ready(int index) const;

    int width_;
    int height_;
    int scale_ = 1;
    mutable std::vector<Entry> entries_;  // icons are read and scaled on first draw
};

// A copy of `icon` at width x height pixels, each source pixel repeated (no
// smoothing); a plain copy when it already has that size.
UniqueIcon ResizedIcon(HICON icon, int width, int height);

}  // namespace tk
