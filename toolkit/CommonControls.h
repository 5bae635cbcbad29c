// The common controls: tool tips and the subclassing of system controls.
// The library is loaded, and its window classes registered, the first time a
// window needs one of them (the mascot's tool tip on the first hover, a
// dialog's controls when it opens).
#pragma once

#include <windows.h>
#include <commctrl.h>

namespace tk {

// Loads the library and registers its classes once; false if it cannot be loaded.
bool CommonControlsReady() noexcept;

// SetWindowSubclass, RemoveWindowSubclass and DefSubclassProc. Without the
// library nothing is subclassed: SetSubclass answers false.
bool SetSubclass(HWND hwnd, SUBCLASSPROC procedure, UINT_PTR id, DWORD_PTR data) noexcept;
void RemoveSubclass(HWND hwnd, SUBCLASSPROC procedure, UINT_PTR id) noexcept;
LRESULT DefaultSubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;

}  // namespace tk
