// The shortcut launcher's search: the .lnk files of the program folder.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "toolkit/Handles.h"

namespace pelnor {

inline constexpr std::size_t kMaxLauncherItems = 11;  // F2 ... F12

// The names (without folder) of the first `limit` entries matching "*.lnk" in
// `folderSlash`, hidden, system and folder entries included, in the order the
// file system returns them. A match made only through a short 8.3 name
// (abc.lnkx as ABC~1.LNK) is passed over: its caption would name no file.
std::vector<std::wstring> FindShortcutFiles(const std::wstring& folderSlash, std::size_t limit);

// The shell's icon for a file; the application icon when there is none.
tk::UniqueIcon ShellIconFor(const std::wstring& path);

// The launcher captions' sort key: code page 932 bytes.
std::string LauncherSortKey(const std::wstring& caption);

}  // namespace pelnor
