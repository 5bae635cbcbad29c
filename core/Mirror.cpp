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
    assert(src.size() >= stride * height && dst.size() >= stride * height);
    for (int y = 0; y < height; ++y)
        for (int i = 0; i < width; ++i)
            SetPixel4(dst, stride, i, y, Pixel4(src, stride, width - 1 - i, y));
}

}  // namespace pelnor
