// Left-right mirroring and whole-number scaling of a 4-bit-per-pixel bitmap,
// two pixels per byte with the left pixel in the high nibble, rows `stride`
// bytes apart.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace pelnor {

std::uint8_t Pixel4(std::span<const std::uint8_t> bits, std::size_t stride, int x, int y);
void SetPixel4(std::span<std::uint8_t> bits, std::size_t stride, int x, int y, std::uint8_t index);

// Fills `dst` so that its column i is `src`'s column width - 1 - i, row by row.
void MirrorPixels4(std::span<const std::uint8_t> src, std::span<std::uint8_t> dst, int width,
                   int height, std::size_t stride);

// Fills `dst` (width * scale by height * scale pixels, rows `dstStride` bytes
// apart) with every pixel of `src` as a scale x scale square, mirrored when
// asked. Rows keep their order, so bottom-up bitmaps stay bottom-up.
void ScalePixels4(std::span<const std::uint8_t> src, std::size_t srcStride, int width, int height,
                  int scale, bool mirrored, std::span<std::uint8_t> dst, std::size_t dstStride);

}  // namespace pelnor
