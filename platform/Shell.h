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

// ExtractAssociatedIconW, which may write over `path`.
tk::UniqueIcon AssociatedIcon(wchar_t* path, WORD* index) noexcept;

// CoCreateInstance of an in-process server, and CoTaskMemFree.
HRESULT CreateInstance(REFCLSID type, REFIID interfaceId, void** object) noexcept;
void FreeTaskMemory(void* memory) noexcept;

// Closes COM for this thread if the first use opened it; at the end of the program.
void Close() noexcept;

}  // namespace pelnor::shell
