#include "core/Mirror.h"

#include <cassert>

namespace pelnor {

std::uint8_t Pixel4(std::span<const std::uint8_t> bits, std::size_t stride, int x, int y) {
    const std::uint8_t pair = bits[y * stride + x / 2];
    return (x % 2 == 0) ? pair >> 4 : pair & 0x0F;
}

void SetPixel4(std::span<std::uint8_t> bits, std::size_t stride, int x, int y, std::uint8_t index) {
    std::uint8_t& pair = bits[y * stride + x / 2];
    pair = (x % 2 == 0) ? static_cast<std::uint8_t>((pair & 0x0F) | (index << 4))
                        : static_cast<std::uint8_t>((pair & 0xF0) | (index & 0x0F));
}

void MirrorPixels4(std::span<const std::uint8_t> src, std::span<std::uint8_t> dst, int width,
                   int height, std::size_t stride) {
    ScalePixels4(src, stride, width, height, 1, true, dst, stride);
}

void ScalePixels4(std::span<const std::uint8_t> src, std::size_t srcStride, int width, int height,
                  int scale, bool mirrored, std::span<std::uint8_t> dst, std::size_t dstStride) {
    assert(scale >= 1);
    assert(src.size() >= srcStride * height && dst.size() >= dstStride * height * scale);
    for (int y = 0; y < height * scale; ++y)
        for (int x = 0; x < width * scale; ++x) {
            const int column = x / scale;
            const int from = mirrored ? width - 1 - column : column;
            SetPixel4(dst, dstStride, x, y, Pixel4(src, srcStride, from, y / scale));
        }
}

}  // namespace pelnor
