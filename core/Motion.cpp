#include "core/Motion.h"

namespace pelnor {
namespace {

// Pulls a position back inside [low, high - size]; when the size does not
// fit, the far edge wins, as it always has.
void Clamp(int& pos, int size, int low, int high) {
    if (pos < low) pos = low;
    if (pos + size > high) pos = high - size;
}

// One axis: step, then pull back inside [low, high - size] and reverse. A
// screen no wider than the window holds it at its far edge without turning
// it: every step would bounce, and the figure would turn about on every tick.
bool StepAxis(std::int32_t& move, int& pos, int size, int low, int high, int step) {
    if (high - low <= size) {
        pos = high - size;
        return false;
    }
    pos += move * step;
    if (pos >= low && pos + size <= high) return false;
    Clamp(pos, size, low, high);
    move = -move;
    return true;
}

}  // namespace

bool StepVertical(MascotState& state, int& top, int height, const ScreenRect& screen, int step) {
    return StepAxis(state.MoveY, top, height, screen.top, screen.bottom, step);
}

bool StepHorizontal(MascotState& state, int& left, int width, const ScreenRect& screen, int step) {
    if (!StepAxis(state.MoveX, left, width, screen.left, screen.right, step)) return false;
    state.FaceLeft = state.MoveX <= 0;
    return true;
}

}  // namespace pelnor
