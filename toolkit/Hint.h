// Tool tips of a dialog's controls (the common controls' own).
#pragma once

#include <windows.h>

#include "winbase/Handles.h"

namespace tk {

// A tool tip window, owned by `owner` (which may be nullptr); none where the
// common controls cannot be loaded.
UniqueWindow CreateToolTip(HWND owner);

// Shows `text` (copied) while the mouse rests over `tool`, a window inside or
// equal to `container`.
void AddToolTip(HWND tip, HWND container, HWND tool, const wchar_t* text);

}  // namespace tk
