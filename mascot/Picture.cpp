#include "mascot/Picture.h"

#include <array>
#include <span>

#include "core/Mirror.h"

namespace pelnor {
namespace {

std::size_t Stride4(int width) {
    return static_cast<std::size_t>((width * 4 + 31) / 32 * 4);
}

}  // namespace

bool Picture::LoadFromResource(int resourceId) {
    bitmap_.reset(
        static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resourceId),
                                        IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (!bitmap_ || GetObjectW(bitmap_.get(), sizeof section_, &section_) != sizeof section_ ||
        section_.dsBmih.biBitCount != 4) {
        bitmap_.reset();
        return false;
    }
    width_ = section_.dsBm.bmWidth;
    height_ = section_.dsBm.bmHeight;
    return true;
}

tk::UniqueBitmap Picture::MakeScaled(int scale, bool faceLeft) const {
    if (!bitmap_) return {};
    struct {
        BITMAPINFOHEADER header;
        std::array<RGBQUAD, 16> colours;
    } format{};
    format.header = section_.dsBmih;
    format.header.biWidth = width_ * scale;
    format.header.biHeight = section_.dsBmih.biHeight * scale;  // keeps bottom-up or top-down
    format.header.biSizeImage = 0;
    {
        tk::UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
        tk::ScopedSelect select(dc.get(), bitmap_.get());
        GetDIBColorTable(dc.get(), 0, static_cast<UINT>(format.colours.size()),
                         format.colours.data());
    }

    void* bits = nullptr;
    tk::UniqueBitmap scaled(CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&format),
                                             DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!scaled) return {};
    const std::size_t stride = section_.dsBm.bmWidthBytes;
    const std::size_t scaledStride = Stride4(width_ * scale);
    GdiFlush();
    ScalePixels4({static_cast<const std::uint8_t*>(section_.dsBm.bmBits), stride * height_}, stride,
                 width_, height_, scale, !faceLeft,
                 {static_cast<std::uint8_t*>(bits), scaledStride * height_ * scale}, scaledStride);
    return scaled;
}

std::vector<ShapeRect> Picture::Shape(int scale, bool faceLeft) const {
    if (!bitmap_) return {};
    const std::size_t stride = section_.dsBm.bmWidthBytes;
    return FigureShape({static_cast<const std::uint8_t*>(section_.dsBm.bmBits), stride * height_},
                       stride, width_, height_, section_.dsBmih.biHeight > 0, scale, faceLeft);
}

void DrawBitmap(HDC dc, HBITMAP bitmap, int x, int y, DWORD rop) {
    BITMAP info{};
    if (!bitmap || !GetObjectW(bitmap, sizeof info, &info)) return;
    tk::UniqueMemoryDc source(CreateCompatibleDC(dc));
    tk::ScopedSelect select(source.get(), bitmap);
    BitBlt(dc, x, y, info.bmWidth, info.bmHeight, source.get(), 0, 0, rop);
}

}  // namespace pelnor
