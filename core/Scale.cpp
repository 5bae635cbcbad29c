#include "core/Scale.h"

namespace pelnor {
namespace {

// Half, rounded down for negative values too, so that a window left of or
// above the primary monitor moves the same way as one on it.
int FloorHalf(int v) {
    return v >= 0 ? v / 2 : -((1 - v) / 2);
}

}  // namespace

int AtDpi(int pixels, int dpi) {
    const long long scaled = static_cast<long long>(pixels) * dpi;
    return static_cast<int>((scaled + (scaled < 0 ? -48 : 48)) / 96);
}

int ScaleForDpi(int dpi) {
    const int scale = (dpi + 48) / 96;
    return scale < 1 ? 1 : scale;
}

int ScaleInBox(int dpi, int width, int height, int boxWidth, int boxHeight) {
    int scale = ScaleForDpi(dpi);
    while (scale > 1 && (width * scale > boxWidth || height * scale > boxHeight)) --scale;
    return scale;
}

WindowOrigin RescaledOrigin(int left, int top, int baseWidth, int baseHeight, int from, int to) {
    return {left + FloorHalf(baseWidth * (from - to)), top + FloorHalf(baseHeight * (from - to))};
}

}  // namespace pelnor
