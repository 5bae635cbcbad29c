#include "core/Placement.h"

namespace pelnor {
namespace {

void Clamp(int& pos, int size, int low, int high, Overflow overflow) {
    if (overflow == Overflow::NearEdge && pos + size > high) pos = high - size;
    if (pos < low) pos = low;
    if (overflow == Overflow::FarEdge && pos + size > high) pos = high - size;
}

}  // namespace

ScreenPoint Centred(int width, int height, const ScreenRect& area) {
    return {area.left + (area.right - area.left - width) / 2,
            area.top + (area.bottom - area.top - height) / 2};
}

void KeepInside(int& left, int& top, int width, int height, const ScreenRect& area,
                Overflow overflow) {
    Clamp(left, width, area.left, area.right, overflow);
    Clamp(top, height, area.top, area.bottom, overflow);
}

}  // namespace pelnor
