#include "mascot/Picture.h"

#include <array>
#include <span>

#include "core/Mirror.h"

namespace pelnor {

bool TPicture::LoadFromResource(int resourceId) {
    bitmap_.reset(
        static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resourceId),
                                        IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    BITMAP info{};
    if (!bitmap_ || !GetObjectW(bitmap_.get(), sizeof info, &info)) return false;
    width_ = info.bmWidth;
    height_ = info.bmHeight;
    return true;
}

tk::UniqueBitmap TPicture::MakeMirror() const {
    DIBSECTION section{};
    if (!bitmap_ || GetObjectW(bitmap_.get(), sizeof section, &section) != sizeof section)
        return {};

    struct {
        BITMAPINFOHEADER header;
        std::array<RGBQUAD, 256> colours;
    } format{};
    format.header = section.dsBmih;
    {
        tk::UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
        tk::ScopedSelect select(dc.get(), bitmap_.get());
        GetDIBColorTable(dc.get(), 0, static_cast<UINT>(format.colours.size()),
                         format.colours.data());
    }

    void* bits = nullptr;
    tk::UniqueBitmap mirror(CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&format),
                                             DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!mirror) return {};

    const auto stride = static_cast<std::size_t>(section.dsBm.bmWidthBytes);
    const std::size_t size = stride * height_;
    if (section.dsBmih.biBitCount == 4) {
        GdiFlush();
        MirrorPixels4({static_cast<const std::uint8_t*>(section.dsBm.bmBits), size},
                      {static_cast<std::uint8_t*>(bits), size}, width_, height_, stride);
    } else {
        // Any other depth: let GDI mirror by stretching to a negative width.
        tk::UniqueMemoryDc source(CreateCompatibleDC(nullptr));
        tk::UniqueMemoryDc target(CreateCompatibleDC(nullptr));
        tk::ScopedSelect selectSource(source.get(), bitmap_.get());
        tk::ScopedSelect selectTarget(target.get(), mirror.get());
        StretchBlt(target.get(), width_ - 1, 0, -width_, height_, source.get(), 0, 0, width_,
                   height_, SRCCOPY);
    }
    return mirror;
}

void DrawBitmap(HDC dc, HBITMAP bitmap, int x, int y, DWORD rop) {
    BITMAP info{};
    if (!bitmap || !GetObjectW(bitmap, sizeof info, &info)) return;
    tk::UniqueMemoryDc source(CreateCompatibleDC(dc));
    tk::ScopedSelect select(source.get(), bitmap);
    BitBlt(dc, x, y, info.bmWidth, info.bmHeight, source.get(), 0, 0, rop);
}

}  // namespace pelnor
