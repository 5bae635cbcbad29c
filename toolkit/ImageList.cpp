#include "toolkit/ImageList.h"

namespace tk {
namespace {

// A bitmap of the same kind as `source` (colour or monochrome) at the new
// size, the pixels repeated by StretchBlt without blending.
UniqueBitmap Stretched(HBITMAP source, int width, int height) {
    BITMAP info{};
    if (!GetObjectW(source, sizeof info, &info)) return {};
    UniqueBitmap target;
    if (info.bmBitsPixel == 1) {
        target.reset(CreateBitmap(width, height, 1, 1, nullptr));
    } else {
        BITMAPINFO format{};
        format.bmiHeader.biSize = sizeof format.bmiHeader;
        format.bmiHeader.biWidth = width;
        format.bmiHeader.biHeight = height;
        format.bmiHeader.biPlanes = 1;
        format.bmiHeader.biBitCount = 32;  // keeps an alpha channel if there is one
        format.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        target.reset(CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &bits, nullptr, 0));
    }
    if (!target) return {};
    UniqueMemoryDc from(CreateCompatibleDC(nullptr));
    UniqueMemoryDc to(CreateCompatibleDC(nullptr));
    ScopedSelect selectFrom(from.get(), source);
    ScopedSelect selectTo(to.get(), target.get());
    SetStretchBltMode(to.get(), COLORONCOLOR);
    StretchBlt(to.get(), 0, 0, width, height, from.get(), 0, 0, info.bmWidth, info.bmHeight,
               SRCCOPY);
    return target;
}

}  // namespace

UniqueIcon ResizedIcon(HICON icon, int width, int height) {
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info)) return {};
    const UniqueBitmap colour(info.hbmColor);
    const UniqueBitmap mask(info.hbmMask);
    BITMAP size{};
    if (!colour || !GetObjectW(colour.get(), sizeof size, &size)) {
        // A monochrome icon keeps its two masks in one bitmap; let the system size it.
        return UniqueIcon(static_cast<HICON>(CopyImage(icon, IMAGE_ICON, width, height, 0)));
    }
    if (size.bmWidth == width && size.bmHeight == height) return UniqueIcon(CopyIcon(icon));
    UniqueBitmap bigColour = Stretched(colour.get(), width, height);
    UniqueBitmap bigMask = Stretched(mask.get(), width, height);
    if (!bigColour || !bigMask) return {};
    ICONINFO resized{TRUE, 0, 0, bigMask.get(), bigColour.get()};
    return UniqueIcon(CreateIconIndirect(&resized));  // copies both bitmaps
}

int ImageList::AddIcon(HICON icon) {
    UniqueIcon copy(icon ? CopyIcon(icon) : nullptr);
    if (!copy) return -1;
    Entry entry;
    entry.icon = std::move(copy);
    entries_.push_back(std::move(entry));
    return Count() - 1;
}

int ImageList::AddIconResource(int id) {
    Entry entry;
    entry.resource = id;
    entries_.push_back(std::move(entry));
    return Count() - 1;
}

void ImageList::SetScale(int scale) {
    if (scale < 1 || scale == scale_) return;
    scale_ = scale;
    for (Entry& entry : entries_) entry.shown.reset();
}

const ImageList::Entry* ImageList::Ready(int index) const {
    if (index < 0 || index >= Count()) return nullptr;
    Entry& entry = entries_[static_cast<std::size_t>(index)];
    if (!entry.icon && entry.resource) {
        entry.icon.reset(static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr),
                                                       MAKEINTRESOURCEW(entry.resource), IMAGE_ICON,
                                                       width_, height_, LR_DEFAULTCOLOR)));
    }
    if (entry.icon && !entry.shown) entry.shown = ResizedIcon(entry.icon.get(), Width(), Height());
    return entry.shown ? &entry : nullptr;
}

void ImageList::Draw(HDC dc, int index, int x, int y) const {
    if (const Entry* entry = Ready(index))
        DrawIconEx(dc, x, y, entry->shown.get(), Width(), Height(), 0, nullptr, DI_NORMAL);
}

}  // namespace tk
