// Menu icons as 32-bit bitmaps with premultiplied alpha: the form a menu item
// takes beside its text (hbmpItem) without giving up the system's menu theme,
// as owner drawing would. The program's own icons are pixel art, 16 x 16 at
// 96 DPI, and are shown at a whole-number scale, every pixel an s x s square,
// so that they stay as crisp as their art at any density. Any other icon (a
// shortcut's, from the shell) is asked for at the size shown and smoothed
// when it comes at another size. Icons are read and made when the menu first
// needs them, and made again when the scale changes.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "winbase/Handles.h"

namespace tk {

class ImageList {
  public:
    // The icons' width and height at scale 1.
    ImageList(int width, int height) : width_(width), height_(height) {}

    // This program's pixel-art icon resource `id`; returns its index.
    int AddIconResource(int id);
    // An icon that `load` gives at about the size asked for; returns its index.
    int AddIconSource(std::function<UniqueIcon(int width, int height)> load);
    int Count() const { return static_cast<int>(entries_.size()); }
    // Shows every icon at `scale` times its size from now on; the bitmaps
    // handed out before are deleted.
    void SetScale(int scale);
    int Scale() const { return scale_; }
    int Width() const { return width_ * scale_; }
    int Height() const { return height_ * scale_; }
    // The icon at the current size, owned by the list; nullptr when it has none.
    HBITMAP Bitmap(int index) const;

  private:
    struct Entry {
        int resource = 0;                          // pixel art
        std::function<UniqueIcon(int, int)> load;  // any other icon
        std::vector<std::uint32_t> art;            // the resource's pixels, read once
        UniqueBitmap shown;                        // at the current scale
    };

    int width_;
    int height_;
    int scale_ = 1;
    mutable std::vector<Entry> entries_;  // made on first use
};

// An icon's pixels as premultiplied BGRA, top row first, at `width` x
// `height`: as they are when the icon has that size, else averaged over the
// area each pixel covers, so that no pixel is dropped. Empty when it has none.
std::vector<std::uint32_t> SmoothIconPixels(HICON icon, int width, int height);

// A pixel-art icon as a premultiplied 32-bit bitmap `scale` times its size,
// every pixel an s x s square; none when the icon cannot be read.
UniqueBitmap EnlargedIcon(HICON icon, int scale);

}  // namespace tk
