// The Windows operations the mascot relies on, each behind one small function.
#pragma once

#include <windows.h>

#include <array>
#include <string>

#include "core/CallCheck.h"
#include "core/Outline.h"

namespace pelnor {

// Makes the polygon (even-odd fill) the window's region and redraws. The
// system owns the region once it is set; it is deleted here only on failure.
bool ApplyOutlineRegion(HWND hwnd, const std::array<OutlinePoint, kOutlinePoints>& points);

// Hands the window to the system's move loop (SC_MOVE + HTCAPTION) until the
// left button is released.
void StartSystemMove(HWND hwnd);

void SetStayOnTop(HWND hwnd, bool onTop);

// Width and height of the whole primary screen, read afresh on every call.
SIZE PrimaryScreenSize();

// The local time of day, to the millisecond.
ClockTime LocalClock();

void DefaultBeep();

// The full path of the running executable, however long.
std::wstring ExecutablePath();

}  // namespace pelnor
