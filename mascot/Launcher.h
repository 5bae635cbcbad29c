// The shortcut launcher's search: the .lnk files of the program folder.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "winbase/Handles.h"

namespace pelnor {

inline constexpr std::size_t kMaxLauncherItems = 11;  // F2 ... F12

struct ShortcutFile {
    std::wstring name;       // as found, without folder
    std::wstring shellPath;  // what the shell is given to open it
    std::uint64_t size = 0;  // bytes
};

// The first `limit` entries matching "*.lnk" in `folderSlash`, hidden, system
// and folder entries included, in the order the file system returns them. A
// match made only through a short 8.3 name (abc.lnkx as ABC~1.LNK) is passed
// over, its caption would name no file; so is one the shell cannot be given a
// name for (ShellName), which would be an item that does nothing.
std::vector<ShortcutFile> FindShortcutFiles(const std::wstring& folderSlash, std::size_t limit);

// A name for `path` that the shell accepts: the path itself when it fits the
// shell's MAX_PATH, else its short 8.3 form when that fits; nothing otherwise.
std::optional<std::wstring> ShellName(const std::wstring& path);

// The shell's icon for a shortcut at about `size` pixels. A file too large to
// be a real shortcut gets the icon of shortcuts in general without being read:
// the shell would parse all of it. The application icon when there is none.
tk::UniqueIcon ShortcutIcon(const ShortcutFile& shortcut, int size);

// The launcher captions' sort key: code page 932 bytes.
std::string LauncherSortKey(const std::wstring& caption);

}  // namespace pelnor
