#include "toolkit/ImageList.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace tk {
namespace {

BITMAPINFO Format32(int width, int height) {
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = -height;  // top row first
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    return format;
}

// A bitmap's pixels as 32-bit BGRA, top row first (a mask reads as black and white).
std::vector<std::uint32_t> PixelsOf(HBITMAP bitmap, int width, int height) {
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
    BITMAPINFO format = Format32(width, height);
    const WindowDc screen(nullptr);
    if (!GetDIBits(screen.get(), bitmap, 0, static_cast<UINT>(height), pixels.data(), &format,
                   DIB_RGB_COLORS))
        return {};
    return pixels;
}

// The icon at its own size, premultiplied: its alpha where it has one, else
// opaque where its mask is clear.
std::vector<std::uint32_t> IconPixels(HICON icon, int& width, int& height) {
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info)) return {};
    const UniqueBitmap colourPart(info.hbmColor);
    const UniqueBitmap maskPart(info.hbmMask);
    BITMAP size{};
    if (!colourPart || !GetObjectW(colourPart.get(), sizeof size, &size)) return {};
    width = size.bmWidth;
    height = size.bmHeight;
    std::vector<std::uint32_t> colour = PixelsOf(colourPart.get(), width, height);
    const std::vector<std::uint32_t> mask = PixelsOf(maskPart.get(), width, height);
    if (colour.empty() || mask.size() != colour.size()) return {};
    const bool hasAlpha =
        std::any_of(colour.begin(), colour.end(), [](std::uint32_t p) { return p >> 24; });
    for (std::size_t i = 0; i < colour.size(); ++i) {
        const std::uint32_t alpha = hasAlpha ? colour[i] >> 24 : (mask[i] & 0xFFFFFF ? 0 : 255);
        std::uint32_t pixel = alpha << 24;
        for (int shift = 0; shift < 24; shift += 8)
            pixel |= (((colour[i] >> shift) & 0xFF) * alpha + 127) / 255 << shift;
        colour[i] = pixel;
    }
    return colour;
}

// Each target pixel the average of the source area under it (a box filter).
std::vector<std::uint32_t> Averaged(const std::vector<std::uint32_t>& from, int fromWidth,
                                    int fromHeight, int width, int height) {
    std::vector<std::uint32_t> to(static_cast<std::size_t>(width) * height);
    const double sx = static_cast<double>(fromWidth) / width;
    const double sy = static_cast<double>(fromHeight) / height;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            double sum[4] = {};
            const double left = x * sx, right = (x + 1) * sx, top = y * sy, bottom = (y + 1) * sy;
            for (int fy = static_cast<int>(top); fy < std::min<double>(bottom, fromHeight); ++fy) {
                const double wy = std::min<double>(bottom, fy + 1) - std::max<double>(top, fy);
                for (int fx = static_cast<int>(left); fx < std::min<double>(right, fromWidth);
                     ++fx) {
                    const double w =
                        wy * (std::min<double>(right, fx + 1) - std::max<double>(left, fx));
                    const std::uint32_t p = from[static_cast<std::size_t>(fy) * fromWidth + fx];
                    for (int c = 0; c < 4; ++c) sum[c] += w * ((p >> (8 * c)) & 0xFF);
                }
            }
            std::uint32_t pixel = 0;
            for (int c = 0; c < 4; ++c)
                pixel |= static_cast<std::uint32_t>(std::lround(sum[c] / (sx * sy))) << (8 * c);
            to[static_cast<std::size_t>(y) * width + x] = pixel;
        }
    }
    return to;
}

// Each pixel repeated as a scale x scale square.
std::vector<std::uint32_t> Enlarged(const std::vector<std::uint32_t>& art, int width, int height,
                                    int scale) {
    std::vector<std::uint32_t> to(static_cast<std::size_t>(width) * height * scale * scale);
    for (int y = 0; y < height * scale; ++y)
        for (int x = 0; x < width * scale; ++x)
            to[static_cast<std::size_t>(y) * width * scale + x] =
                art[static_cast<std::size_t>(y / scale) * width + x / scale];
    return to;
}

UniqueBitmap BitmapOf(const std::vector<std::uint32_t>& pixels, int width, int height) {
    if (pixels.size() != static_cast<std::size_t>(width) * height) return {};
    const BITMAPINFO format = Format32(width, height);
    void* bits = nullptr;
    UniqueBitmap bitmap(CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (bitmap) std::memcpy(bits, pixels.data(), pixels.size() * sizeof pixels[0]);
    return bitmap;
}

}  // namespace

std::vector<std::uint32_t> SmoothIconPixels(HICON icon, int width, int height) {
    int fromWidth = 0, fromHeight = 0;
    const std::vector<std::uint32_t> pixels = IconPixels(icon, fromWidth, fromHeight);
    if (pixels.empty() || (fromWidth == width && fromHeight == height)) return pixels;
    return Averaged(pixels, fromWidth, fromHeight, width, height);
}

UniqueBitmap EnlargedIcon(HICON icon, int scale) {
    int width = 0, height = 0;
    const std::vector<std::uint32_t> pixels = IconPixels(icon, width, height);
    if (pixels.empty() || scale < 1) return {};
    return BitmapOf(Enlarged(pixels, width, height, scale), width * scale, height * scale);
}

int ImageList::AddIconResource(int id) {
    Entry entry;
    entry.resource = id;
    entries_.push_back(std::move(entry));
    return Count() - 1;
}

int ImageList::AddIconSource(std::function<UniqueIcon(int width, int height)> load) {
    Entry entry;
    entry.load = std::move(load);
    entries_.push_back(std::move(entry));
    return Count() - 1;
}

void ImageList::SetScale(int scale) {
    if (scale < 1 || scale == scale_) return;
    scale_ = scale;
    for (Entry& entry : entries_) entry.shown.reset();
}

HBITMAP ImageList::Bitmap(int index) const {
    if (index < 0 || index >= Count()) return nullptr;
    Entry& entry = entries_[static_cast<std::size_t>(index)];
    if (entry.shown) return entry.shown.get();
    if (entry.resource) {
        if (entry.art.empty()) {
            const UniqueIcon icon(static_cast<HICON>(
                LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(entry.resource), IMAGE_ICON,
                           width_, height_, LR_DEFAULTCOLOR)));
            entry.art = SmoothIconPixels(icon.get(), width_, height_);
        }
        if (!entry.art.empty())
            entry.shown = BitmapOf(Enlarged(entry.art, width_, height_, scale_), Width(), Height());
    } else if (entry.load) {
        const UniqueIcon icon = entry.load(Width(), Height());
        entry.shown = BitmapOf(SmoothIconPixels(icon.get(), Width(), Height()), Width(), Height());
    }
    return entry.shown.get();
}

}  // namespace tk
