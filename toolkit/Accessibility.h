// For users of assistive technology and of high contrast: the one place that
// picks the colours a window draws with, and names for windows that show no
// text of their own.
#pragma once

#include <windows.h>

#include <optional>

namespace tk {

// Whether Windows' high-contrast mode is on. Tests switch it here: the
// system setting cannot be turned on everywhere the tests run.
bool HighContrastOn() noexcept;
inline std::optional<bool> HighContrastForTesting;

// What a colour paints: a text, or the face it lies on.
enum class Ink { Text, Face };

// The colour to draw with: the designed one (CLR_INVALID for the system's
// default: window text, button face); while high contrast is on, always the
// system's button text or button face, so every text has the scheme's own
// contrast.
COLORREF InkColour(COLORREF designed, Ink ink) noexcept;

// Answers assistive technology for `hwnd` from the system's own description
// of it, with `name` where that has none (a window that shows no text, or a
// text that is empty), `description` and, unless 0, `role` (ROLE_SYSTEM_*).
// The texts must outlive the window.
void DescribeForAssistiveTechnology(HWND hwnd, const wchar_t* name, const wchar_t* description,
                                    long role = 0) noexcept;

}  // namespace tk
