// Tool tips: the hint over a whole window, and the tips of a dialog's controls.
#pragma once

#include <windows.h>

#include "toolkit/Handles.h"

namespace tk {

// A tool tip window, owned by `owner` (which may be nullptr); none where the
// common controls cannot be loaded.
UniqueWindow CreateToolTip(HWND owner);

// Shows `text` (copied) while the mouse rests over `tool`, a window inside or
// equal to `container`.
void AddToolTip(HWND tip, HWND container, HWND tool, const wchar_t* text);

// A tool tip that shows `text` over `window`. The tip has no owner: under Wine
// an owned popup keeps its owner from being made top-most again.
UniqueWindow AttachHint(HWND window, const wchar_t* text);

// Hands a mouse message to the tip, for one that reached the window before the tip existed.
void RelayToHint(HWND tip, const MSG& message);

}  // namespace tk
