// Where a window goes on a monitor: centred on it, or pulled back inside it.
#pragma once

namespace pelnor {

// A monitor (or its work area) in desktop coordinates, right and bottom
// exclusive. A monitor left of or above the primary has negative coordinates.
struct ScreenRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

struct ScreenPoint {
    int x = 0;
    int y = 0;
};

// The top-left of a window of width x height centred in `area`.
ScreenPoint Centred(int width, int height, const ScreenRect& area);

// Which edge holds a window larger than the area: the far one (right, bottom),
// as the drift holds the mascot, or the near one, which keeps a caption on
// screen.
enum class Overflow { FarEdge, NearEdge };

// Puts a window that is partly or wholly outside `area` back into it, as near
// as it can.
void KeepInside(int& left, int& top, int width, int height, const ScreenRect& area,
                Overflow overflow = Overflow::FarEdge);

}  // namespace pelnor
