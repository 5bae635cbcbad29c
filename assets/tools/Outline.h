// The mascot's outline: a 53-vertex polygon around the figure as drawn
// (facing left), in picture pixels. The asset tools keep every pixel of the
// art outside it white; the window itself is shaped from the picture.
#pragma once

#include <array>
#include <cstdint>

#include "../../core/PictureSize.h"

namespace pelnor {

inline constexpr int kOutlinePoints = 53;

inline constexpr std::array<std::uint16_t, kOutlinePoints> OutlineX = {
    29, 29, 25, 25, 24, 24, 22, 22, 15, 13, 6,  1,  0,  2,  11, 11, 10, 12,
    19, 21, 27, 32, 29, 30, 37, 42, 49, 52, 55, 58, 65, 70, 73, 73, 72, 62,
    63, 59, 59, 50, 41, 37, 34, 33, 39, 48, 48, 47, 44, 42, 37, 36, 32};

inline constexpr std::array<std::uint16_t, kOutlinePoints> OutlineY = {
    0,  1,  1,  2,  3,  6,  7,  9,  9,  7,  7,  6,  14, 17, 12, 21, 23, 24,
    24, 26, 25, 39, 44, 49, 53, 51, 52, 54, 54, 50, 49, 46, 39, 33, 32, 33,
    34, 34, 33, 33, 22, 22, 18, 15, 16, 13, 11, 10, 12, 7,  7,  4,  0};

}  // namespace pelnor
