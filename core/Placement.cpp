#include "core/Placement.h"

namespace pelnor {
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

}  // namespace pelnor
