#include "core/Placement.h"

namespace pelnor {
namespace {

bool Overlap(const ScreenRect& a, const ScreenRect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// One axis of BackOnMonitor, before it is held on the monitor.
int KeepDistance(int pos, int size, int beforeLow, int beforeHigh, int nowLow, int nowHigh) {
    const int fromLow = pos - beforeLow;
    const int fromHigh = beforeHigh - (pos + size);
    if (fromLow < 0 || fromHigh < 0) return pos;  // it was not wholly there either
    return fromHigh < fromLow ? nowHigh - fromHigh - size : nowLow + fromLow;
}

}  // namespace

ScreenPoint PlaceBesidePointer(const ScreenRect& workArea, ScreenPoint pointer, int below,
                               int width, int height) {
    ScreenPoint at{pointer.x, pointer.y + below};
    if (at.x + width > workArea.right) at.x = pointer.x - width;
    if (at.y + height > workArea.bottom) at.y = pointer.y - height;
    // Held inside with the top-left kept when the pop-up is the larger.
    KeepInside(at.x, at.y, width, height, workArea);
    if (at.x < workArea.left) at.x = workArea.left;
    if (at.y < workArea.top) at.y = workArea.top;
    return at;
}

ScreenPoint BackOnMonitor(const ScreenRect& frame, const ScreenRect& before,
                          const ScreenRect& now) {
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    ScreenPoint at{frame.left, frame.top};
    if (frame.left >= now.left && frame.right <= now.right && frame.top >= now.top &&
        frame.bottom <= now.bottom)
        return at;
    if (Overlap(before, now)) {
        at.x = KeepDistance(at.x, width, before.left, before.right, now.left, now.right);
        at.y = KeepDistance(at.y, height, before.top, before.bottom, now.top, now.bottom);
    }
    KeepInside(at.x, at.y, width, height, now);
    return at;
}

}  // namespace pelnor
