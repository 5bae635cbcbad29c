// The drift: one step per tick on each axis, bouncing off the edges of the
// monitor the mascot is on. A step is the figure's scale in pixels, so the
// figure moves at the same apparent speed at every screen density.
#pragma once

#include <cstdint>

#include "core/Placement.h"

namespace pelnor {

struct MascotState {
    std::int32_t MoveY = -1;  // direction only: -1 or +1
    std::int32_t MoveX = -1;
    bool FaceLeft = true;  // the picture as stored faces left
};

// Moves `top` by MoveY steps of `step` pixels and keeps the window of height
// `height` between the screen's top and bottom. Returns true on a bounce
// (MoveY reversed).
bool StepVertical(MascotState& state, int& top, int height, const ScreenRect& screen, int step = 1);

// Moves `left` the same way between the screen's left and right. Returns true
// on a bounce, after which MoveX is reversed and FaceLeft follows it.
bool StepHorizontal(MascotState& state, int& left, int width, const ScreenRect& screen,
                    int step = 1);

}  // namespace pelnor
