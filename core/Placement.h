// Where a window goes on a desktop of one or more monitors: centred on a
// monitor or pulled back inside it; a pop-up beside the pointer and wholly on
// the work area of the pointer's monitor; a window that a change of the
// monitors left where no monitor is, back onto the nearest one; a new window
// (the help viewer) beside the mascot rather than over it.
#pragma once

namespace pelnor {

// A monitor (or its work area) in desktop coordinates, right and bottom
// exclusive. A monitor left of or above the primary has negative coordinates.
struct ScreenRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const ScreenRect&) const = default;
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

// The top-left corner of a width x height pop-up for the pointer at `pointer`:
// `below` pixels under the pointer and from its column on where that fits on
// `workArea`, otherwise above the pointer (its bottom at the pointer's row)
// and/or ending at its column; then held wholly on the work area.
ScreenPoint PlaceBesidePointer(const ScreenRect& workArea, ScreenPoint pointer, int below,
                               int width, int height);

// Where a window at `frame` goes after its monitor changed from `before` to
// `now` (the monitor nearest to it now): nowhere else when it lies wholly on
// `now`. Otherwise, on each axis, when `now` still overlaps `before` (a mode
// or work-area change), it keeps its distance from the nearer of the two
// edges it had; then it is held on `now` as the drift holds it.
ScreenPoint BackOnMonitor(const ScreenRect& frame, const ScreenRect& before, const ScreenRect& now);

// A window of `width` x `height` inside `area` (a monitor's work area): beside
// `avoid`, `gap` pixels off it, on the first side with room (right, left,
// below, above), centred on it along that side as far as the area allows.
// Where no side has room, the place inside the area that covers the least of
// `avoid`. A window larger than the area is cut to it. An empty `avoid`
// centres the window in the area.
ScreenRect PlaceBeside(int width, int height, const ScreenRect& avoid, const ScreenRect& area,
                       int gap);

}  // namespace pelnor
