#include "core/ProgramFolder.h"

namespace pelnor {

// Working in UTF-16 means a trailing byte 0x5C of a double-byte character
// (as in 表) can never be taken for a backslash.
std::wstring FolderOf(std::wstring_view path) {
    const auto found = path.find_last_of(L"\\:");
    if (found == std::wstring_view::npos) return {};
    const bool keepSeparator =
        path[found] != L'\\' || found == 0 || path[found - 1] == L':' || path[found - 1] == L'\\';
    return std::wstring(path.substr(0, keepSeparator ? found + 1 : found));
}

std::wstring WithTrailingBackslash(std::wstring folder) {
    if (folder.empty() || folder.back() != L'\\') folder += L'\\';
    return folder;
}

}  // namespace pelnor
