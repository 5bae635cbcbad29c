#include "core/Outline.h"

namespace pelnor {

std::array<OutlinePoint, kOutlinePoints> OutlineFor(bool faceLeft) {
    std::array<OutlinePoint, kOutlinePoints> points{};
    for (int k = 0; k < kOutlinePoints; ++k) {
        const int x = OutlineX[k];
        points[k] = {faceLeft ? x : kMirrorAxis - x, OutlineY[k]};
    }
    return points;
}

}  // namespace pelnor
