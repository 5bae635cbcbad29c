// The window's shape: exactly the figure's pixels (every pixel of the picture
// whose palette index is not 0, the background), as rectangles for a region.
// Made from the pixels rather than from a polygon, so that it fits the picture
// pixel for pixel at every scale and facing either way.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "core/PictureSize.h"

namespace pelnor {

struct ShapeRect {
    int left;
    int top;
    int right;  // exclusive
    int bottom;
    bool operator==(const ShapeRect&) const = default;
};

// The figure of a 4-bit picture (see Mirror.h for the layout; `bottomUp` when
// its first row in memory is the bottom one), each pixel scaled to a
// scale x scale square and mirrored left to right unless `faceLeft`. One
// rectangle per run of figure pixels in a row, rows of the same runs merged;
// sorted top to bottom, then left to right, none overlapping.
std::vector<ShapeRect> FigureShape(std::span<const std::uint8_t> bits, std::size_t stride,
                                   int width, int height, bool bottomUp, int scale, bool faceLeft);

}  // namespace pelnor
