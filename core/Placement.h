// Where the mascot's pop-ups go on a desktop of one or more monitors: beside
// the pointer and wholly on the work area of the pointer's monitor.
#pragma once

#include "core/Motion.h"

namespace pelnor {

struct ScreenPoint {
    int x = 0;
    int y = 0;
};

// The top-left corner of a width x height pop-up for the pointer at `pointer`:
// `below` pixels under the pointer and from its column on where that fits on
// `workArea`, otherwise above the pointer (its bottom at the pointer's row)
// and/or ending at its column; then held wholly on the work area.
ScreenPoint PlaceBesidePointer(const ScreenRect& workArea, ScreenPoint pointer, int below,
                               int width, int height);

}  // namespace pelnor
