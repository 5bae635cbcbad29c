// Left-right mirroring of a 4-bit-per-pixel bitmap, two pixels per byte with
// the left pixel in the high nibble, rows `stride` bytes apart.
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

}  // namespace pelnor
