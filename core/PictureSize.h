// The mascot's picture as stored (facing left), in picture pixels; it is
// mirrored about x = 73 to face right. Plain C++17, for the asset tools too.
#pragma once

namespace pelnor {

inline constexpr int kPictureWidth = 74;
inline constexpr int kPictureHeight = 55;
inline constexpr int kMirrorAxis = kPictureWidth - 1;  // x -> 73 - x

}  // namespace pelnor
