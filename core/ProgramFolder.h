// The program folder, worked out from the executable's full path.
#pragma once

#include <string>
#include <string_view>

namespace pelnor {

// The folder of `path` without a trailing backslash, except at a drive or
// server root: C:\Tools\Mascot\x.exe -> C:\Tools\Mascot, C:\x.exe -> C:\.
std::wstring FolderOf(std::wstring_view path);

// The same folder with exactly one trailing backslash, ready for a file name
// or a search pattern to be appended.
std::wstring WithTrailingBackslash(std::wstring folder);

}  // namespace pelnor
