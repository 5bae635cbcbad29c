// The mascot's size on screens of any density: every picture pixel becomes a
// square of whole screen pixels, so the figure stays crisp.
#pragma once

namespace pelnor {

// A length in 96-DPI pixels at `dpi`, rounded to the nearest pixel (halves
// away from zero, as MulDiv rounds): 12 at 144 DPI -> 18.
int AtDpi(int pixels, int dpi);

// The whole number nearest to dpi / 96, halves rounded up, and at least 1:
// 120 -> 1, 144 -> 2, 192 -> 2, 240 -> 3.
int ScaleForDpi(int dpi);

// The scale of a width x height picture in a box of a window laid out for
// `dpi`: the mascot's at that density, lowered until the picture fits the
// box, and at least 1.
int ScaleInBox(int dpi, int width, int height, int boxWidth, int boxHeight);

struct WindowOrigin {
    int left;
    int top;
};

// A window of baseWidth x baseHeight picture pixels, each `from` screen pixels
// square, at (left, top): where it goes when its pixels become `to` screen
// pixels square with its centre kept in place.
WindowOrigin RescaledOrigin(int left, int top, int baseWidth, int baseHeight, int from, int to);

}  // namespace pelnor
