// A tool tip over a whole window, the window's hint.
#pragma once

#include <windows.h>

#include <string>

namespace tk {

// Creates a tool tip owned by `window` (destroyed with it) that shows `text`
// while the mouse rests over the window. Returns the tool tip window.
HWND AttachHint(HWND window, const std::wstring& text);

}  // namespace tk
