#include "core/Motion.h"

namespace pelnor {
namespace {

// One axis: step, then pull back inside [0, extent - size] and reverse. The
// far-edge test runs on the value just clamped at 0, so a screen smaller than
// the window ends at a negative position, as it always has.
bool StepAxis(std::int32_t& move, int& pos, int size, int extent) {
    pos += move;
    if (pos >= 0 && pos + size <= extent) return false;
    if (pos < 0) pos = 0;
    if (pos + size > extent) pos = extent - size;
    move = -move;
    return true;
}

}  // namespace

bool StepVertical(MascotState& state, int& top, int height, int screenHeight) {
    return StepAxis(state.MoveY, top, height, screenHeight);
}

bool StepHorizontal(MascotState& state, int& left, int width, int screenWidth) {
    if (!StepAxis(state.MoveX, left, width, screenWidth)) return false;
    state.FaceLeft = state.MoveX <= 0;
    return true;
}

}  // namespace pelnor
