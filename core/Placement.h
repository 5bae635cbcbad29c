// Where a new window opens beside another it should not cover: the help
// viewer beside the mascot.
#pragma once

#include "core/Motion.h"

namespace pelnor {

// A window of `width` x `height` inside `area` (a monitor's work area): beside
// `avoid`, `gap` pixels off it, on the first side with room (right, left,
// below, above), centred on it along that side as far as the area allows.
// Where no side has room, the place inside the area that covers the least of
// `avoid`. A window larger than the area is cut to it. An empty `avoid`
// centres the window in the area.
ScreenRect PlaceBeside(int width, int height, const ScreenRect& avoid, const ScreenRect& area,
                       int gap);

}  // namespace pelnor
