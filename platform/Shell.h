// The Windows shell and COM, loaded the first time the program starts
// something or wants a shortcut's icon: a mascot with no shortcuts beside it
// that is never asked to start anything never maps them. COM is set up for
// this thread on that first use. Where a library cannot be loaded, these
// calls fail and the command that made them does nothing.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include "winbase/Handles.h"

namespace pelnor::shell {

// ShellExecuteExW; false when the shell cannot be loaded or refuses.
bool Execute(SHELLEXECUTEINFOW& info) noexcept;

// The shell's small icon for a path (SHGetFileInfoW with these attributes and
// flags); empty when there is none.
tk::UniqueIcon SmallFileIcon(const wchar_t* path, DWORD attributes, UINT flags) noexcept;

// The shell's icon for a path at about `size` pixels: the small icon for 16 or
// less, else from the first of the system's image lists (32 and 48 px at
// 100 %) that holds icons at least that large, or the larger. Empty when
// there is none.
tk::UniqueIcon FileIcon(const wchar_t* path, DWORD attributes, UINT flags, int size) noexcept;

// Whether the shell holds its notifications back for a full-screen program:
// a Direct3D game in full screen, presentation mode, or another it counts as
// busy. Asks the shell each time; false when it cannot be loaded.
bool ReportsFullScreenProgram() noexcept;
// Tests stand in for the shell's SHQueryUserNotificationState; nullptr restores it.
void SetNotificationStateForTesting(decltype(::SHQueryUserNotificationState)* query) noexcept;

// CoCreateInstance of an in-process server, and CoTaskMemFree.
HRESULT CreateInstance(REFCLSID type, REFIID interfaceId, void** object) noexcept;
void FreeTaskMemory(void* memory) noexcept;

// Closes COM for this thread if the first use opened it; at the end of the program.
void Close() noexcept;

}  // namespace pelnor::shell
