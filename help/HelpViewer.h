// The program's help: a small viewer for the help topics and pop-up help for
// the call letter dialog's controls. The text is carried in the executable
// (resource IDR_HELP_TEXT); a file at `helpFile` written in the same text
// format is read instead, so the help can be revised without a rebuild. A
// file in any other format (an old WinHelp file) is ignored.
#pragma once

#include <windows.h>

#include <string>

namespace pelnor {

inline constexpr wchar_t kHelpViewerClass[] = L"PelnorHelpViewer";
inline constexpr wchar_t kHelpPopupClass[] = L"PelnorHelpPopup";

// Opens the help at its contents, owned by `owner`. One viewer at a time: a
// second call brings the open one forward at its contents. Returns at once;
// the caller's message loop drives the viewer.
void HelpContents(HWND owner, const std::wstring& helpFile);

// A pop-up help text for help context `context` with its top-left at
// `screenPoint`; closes on a click anywhere, a key, or losing activation.
// Unknown context: nothing shown.
void HelpContextPopup(HWND owner, const std::wstring& helpFile, POINT screenPoint, DWORD context);

}  // namespace pelnor
