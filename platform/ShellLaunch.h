// Starting files through the Windows shell.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

namespace pelnor {

// Asks the shell for the file's default action, as a double-click would, with
// these parameters and working folder, owned by `owner`. Every text
// is passed whole, however long. Returns the shell's result code.
HINSTANCE LaunchFile(HWND owner, const std::wstring& file, const std::wstring& parameters,
                     const std::wstring& folder, int show);

// Opens a shortcut file as a double-click would. Wine's shell refuses a short
// (8.3) name whose long form is beyond MAX_PATH; such a shortcut is read here
// and its target started with the shortcut's arguments, working folder and
// show command.
void OpenShortcut(HWND owner, const std::wstring& shortcut, const std::wstring& folder);

// A new Explorer window on `folder`; one longer than Explorer takes is named
// by its short 8.3 form where the file system has one.
void OpenFolderInExplorer(HWND owner, const std::wstring& folder);

// The short 8.3 form of an existing path, or nothing.
std::optional<std::wstring> ShortPath(const std::wstring& path);

struct LaunchRequest {
    std::wstring file;
    std::wstring parameters;
    std::wstring folder;
    int show = 0;
};

// Tests see the requests instead of the shell; an empty function restores it.
void SetShellForTesting(std::function<void(const LaunchRequest&)> shell);

}  // namespace pelnor
