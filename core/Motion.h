// The drift: one step per tick on each axis, bouncing off the edges of the
// monitor the mascot is on. A step is the figure's scale in pixels, so the
// figure moves at the same apparent speed at every screen density.
#pragma once

#include <cstdint>

namespace pelnor {

struct MascotState {
    std::int32_t MoveY = -1;  // direction only: -1 or +1
    std::int32_t MoveX = -1;
    bool FaceLeft = true;  // the picture as stored faces left
};

// A monitor in desktop coordinates, right and bottom exclusive. A monitor
// left of or above the primary has negative coordinates.
struct ScreenRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const ScreenRect&) const = default;
};

// Moves `top` by MoveY steps of `step` pixels and keeps the window of height
// `height` between the screen's top and bottom. Returns true on a bounce
// (MoveY reversed).
bool StepVertical(MascotState& state, int& top, int height, const ScreenRect& screen, int step = 1);

// Moves `left` the same way between the screen's left and right. Returns true
// on a bounce, after which MoveX is reversed and FaceLeft follows it.
bool StepHorizontal(MascotState& state, int& left, int width, const ScreenRect& screen,
                    int step = 1);

// Puts a window that is partly or wholly off the screen back onto it, as
// near as it can, without changing its directions; a screen smaller than the
// window holds it at its far edge, as the drift does.
void KeepInside(int& left, int& top, int width, int height, const ScreenRect& screen);

}  // namespace pelnor
