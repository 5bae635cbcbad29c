// A tool tip over a whole window, the window's hint.
#pragma once

#include <windows.h>

#include <string>

namespace tk {

// Creates a tool tip that shows `text` while the mouse rests over `window`.
// The tip has no owner: under Wine an owned popup keeps its owner from being
// made top-most again. The caller destroys it with the window.
HWND AttachHint(HWND window, const std::wstring& text);

}  // namespace tk
