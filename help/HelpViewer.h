// The program's help on screen: a small viewer for the help topics and pop-up
// help for the call letter dialog's controls. The text comes from `helpFile`
// or, failing that, from the executable (see platform/HelpFile.h).
#pragma once

#include <windows.h>

#include <string>

namespace pelnor {

inline constexpr wchar_t kHelpViewerClass[] = L"PelnorHelpViewer";
inline constexpr wchar_t kHelpPopupClass[] = L"PelnorHelpPopup";

// Opens the help at its contents beside `beside` (the mascot) on its monitor,
// not covering it where there is room. The viewer is an ordinary top-level
// window with its own taskbar button, owned by no window (an owned window
// stays above its owner, and the mascot is on top): the program closes it
// with CloseHelp when it ends. One viewer at a time: a second call brings the
// open one forward at its contents. Returns at once; the caller's message
// loop drives the viewer.
void HelpContents(HWND beside, const std::wstring& helpFile);

// Closes the viewer and the pop-up help, if open.
void CloseHelp();

// A pop-up help text for help context `context` with its top-left at
// `screenPoint`; closes on a click anywhere, a key, or losing activation.
// Unknown context: nothing shown.
void HelpContextPopup(HWND owner, const std::wstring& helpFile, POINT screenPoint, DWORD context);

}  // namespace pelnor
