#include "core/Placement.h"

#include <algorithm>
#include <array>

namespace pelnor {
namespace {

void Clamp(int& pos, int size, int low, int high, Overflow overflow) {
    if (overflow == Overflow::NearEdge && pos + size > high) pos = high - size;
    if (pos < low) pos = low;
    if (overflow == Overflow::FarEdge && pos + size > high) pos = high - size;
}

long long Overlap(const ScreenRect& a, const ScreenRect& b) {
    const long long w = std::min(a.right, b.right) - std::max(a.left, b.left);
    const long long h = std::min(a.bottom, b.bottom) - std::max(a.top, b.top);
    return w > 0 && h > 0 ? w * h : 0;
}

// One axis of BackOnMonitor, before it is held on the monitor.
int KeepDistance(int pos, int size, int beforeLow, int beforeHigh, int nowLow, int nowHigh) {
    const int fromLow = pos - beforeLow;
    const int fromHigh = beforeHigh - (pos + size);
    if (fromLow < 0 || fromHigh < 0) return pos;  // it was not wholly there either
    return fromHigh < fromLow ? nowHigh - fromHigh - size : nowLow + fromLow;
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

ScreenPoint PlaceBesidePointer(const ScreenRect& workArea, ScreenPoint pointer, int below,
                               int width, int height) {
    ScreenPoint at{pointer.x, pointer.y + below};
    if (at.x + width > workArea.right) at.x = pointer.x - width;
    if (at.y + height > workArea.bottom) at.y = pointer.y - height;
    // Held inside with the top-left kept when the pop-up is the larger.
    KeepInside(at.x, at.y, width, height, workArea, Overflow::NearEdge);
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
    if (Overlap(before, now) > 0) {
        at.x = KeepDistance(at.x, width, before.left, before.right, now.left, now.right);
        at.y = KeepDistance(at.y, height, before.top, before.bottom, now.top, now.bottom);
    }
    KeepInside(at.x, at.y, width, height, now);
    return at;
}

ScreenRect PlaceBeside(int width, int height, const ScreenRect& avoid, const ScreenRect& area,
                       int gap) {
    width = std::min(width, area.right - area.left);
    height = std::min(height, area.bottom - area.top);
    const auto at = [&](int left, int top) {
        KeepInside(left, top, width, height, area, Overflow::NearEdge);
        return ScreenRect{left, top, left + width, top + height};
    };
    const int midX = (avoid.left + avoid.right) / 2;
    const int midY = (avoid.top + avoid.bottom) / 2;
    if (avoid.right <= avoid.left || avoid.bottom <= avoid.top)
        return at((area.left + area.right - width) / 2, (area.top + area.bottom - height) / 2);

    // Each side, then the area's corners, in the order they are preferred.
    const std::array<ScreenRect, 8> places{
        at(avoid.right + gap, midY - height / 2),
        at(avoid.left - gap - width, midY - height / 2),
        at(midX - width / 2, avoid.bottom + gap),
        at(midX - width / 2, avoid.top - gap - height),
        at(area.left, area.top),
        at(area.right - width, area.top),
        at(area.left, area.bottom - height),
        at(area.right - width, area.bottom - height),
    };
    const ScreenRect margin{avoid.left - gap, avoid.top - gap, avoid.right + gap,
                            avoid.bottom + gap};
    for (const ScreenRect& place : places)
        if (Overlap(place, margin) == 0) return place;
    return *std::min_element(places.begin(), places.end(),
                             [&](const ScreenRect& a, const ScreenRect& b) {
                                 return Overlap(a, avoid) < Overlap(b, avoid);
                             });
}

}  // namespace pelnor
