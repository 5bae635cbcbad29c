// The Windows operations the mascot relies on, each behind one small function.
#pragma once

#include <windows.h>

#include <cstddef>
#include <span>
#include <string>
#include <vector>

#include "core/CallCheck.h"
#include "core/FigureShape.h"

namespace pelnor {

// A window shape as the region data ExtCreateRegion takes, made once so that
// applying it allocates nothing of ours.
class RegionShape {
  public:
    RegionShape() = default;
    explicit RegionShape(std::span<const ShapeRect> rects);
    bool Empty() const { return data_.empty(); }
    const RGNDATA* Data() const { return reinterpret_cast<const RGNDATA*>(data_.data()); }
    DWORD Size() const { return bytes_; }

  private:
    std::vector<RGNDATA> data_;  // a header followed by its rectangles, aligned as RGNDATA
    DWORD bytes_ = 0;
};

// Makes the shape the window's region and redraws. The system owns the region
// once it is set; it is deleted here only on failure.
[[nodiscard]] bool ApplyRegion(HWND hwnd, const RegionShape& shape);

// Hands the window to the system's move loop (SC_MOVE + HTCAPTION) until the
// left button is released.
void StartSystemMove(HWND hwnd);

void SetStayOnTop(HWND hwnd, bool onTop);

// The whole monitor that holds the largest part of the window, or the nearest
// one, in desktop pixels (negative left of or above the primary monitor).
RECT MonitorRectOf(HWND hwnd);

// Whether `window`, over the mascot and neither the desktop, the shell, nor
// the mascot or a window it owns (its dialogs and boxes), is a full-screen
// program: it has no caption and covers the mascot's whole monitor, or the
// shell reports a full-screen program. A window with a caption, maximized
// and overhanging the monitor or not, is an ordinary window.
bool IsFullScreenProgram(HWND window, HWND mascot);

// Takes the window out of the top-most band and puts it just below `above`.
void PlaceBelow(HWND hwnd, HWND above);

// The local date and time of day, to the millisecond.
ClockTime LocalClock();

void DefaultBeep();

// The full path of the running executable, however long.
std::wstring ExecutablePath();

}  // namespace pelnor
