// The drift: one pixel per tick on each axis, bouncing off the screen edges.
#pragma once

#include <cstdint>

namespace pelnor {

struct MascotState {
    std::int32_t MoveY = -1;
    std::int32_t MoveX = -1;
    bool FaceLeft = true;  // the picture as stored faces left
};

// Moves `top` by MoveY and keeps the window of height `height` on a screen of
// height `screenHeight`. Returns true on a bounce (MoveY reversed).
bool StepVertical(MascotState& state, int& top, int height, int screenHeight);

// Moves `left` by MoveX within `screenWidth`. Returns true on a bounce, after
// which MoveX is reversed and FaceLeft follows the new direction.
bool StepHorizontal(MascotState& state, int& left, int width, int screenWidth);

}  // namespace pelnor
