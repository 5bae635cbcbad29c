// For users of assistive technology: names for windows that show no text of
// their own.
#pragma once

#include <windows.h>

namespace tk {

// Answers assistive technology for `hwnd` from the system's own description
// of it, with `name` where that has none (a window that shows no text, or a
// text that is empty), `description` and, unless 0, `role` (ROLE_SYSTEM_*).
// The texts must outlive the window.
void DescribeForAssistiveTechnology(HWND hwnd, const wchar_t* name, const wchar_t* description,
                                    long role = 0) noexcept;

}  // namespace tk
