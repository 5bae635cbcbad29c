#include "mascot/Launcher.h"

#include <shellapi.h>

#include <array>

#include "core/LauncherOrder.h"
#include "toolkit/Text.h"

namespace pelnor {
namespace {

bool EndsWithLnk(const std::wstring& name) {
    return name.size() >= 4 &&
           CompareStringOrdinal(name.c_str() + name.size() - 4, 4, L".lnk", 4, TRUE) == CSTR_EQUAL;
}

}  // namespace

std::vector<std::wstring> FindShortcutFiles(const std::wstring& folderSlash, std::size_t limit) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    const tk::UniqueFind search(FindFirstFileW((folderSlash + L"*.lnk").c_str(), &found));
    if (!search) return names;
    do {
        std::wstring name = found.cFileName;
        if (EndsWithLnk(name)) names.push_back(std::move(name));
    } while (names.size() < limit && FindNextFileW(search.get(), &found));
    return names;
}

tk::UniqueIcon ShellIconFor(const std::wstring& path) {
    // The icon lookup may write the icon file's path over the buffer it is given.
    std::array<wchar_t, 32768> buffer{};
    path.copy(buffer.data(), std::min(path.size(), buffer.size() - 1));
    WORD index = 0;
    tk::UniqueIcon icon(ExtractAssociatedIconW(GetModuleHandleW(nullptr), buffer.data(), &index));
    if (icon) return icon;

    // Where the associated-icon lookup gives nothing for a shortcut (Wine), the
    // shell's file information still has one.
    SHFILEINFOW info{};
    if (SHGetFileInfoW(path.c_str(), 0, &info, sizeof info, SHGFI_ICON | SHGFI_SMALLICON) &&
        info.hIcon)
        return tk::UniqueIcon(info.hIcon);
    return tk::UniqueIcon(CopyIcon(LoadIconW(nullptr, IDI_APPLICATION)));
}

std::string LauncherSortKey(const std::wstring& caption) {
    return CaptionSortKey(caption, [](char32_t cp) { return tk::Cp932Char(cp); });
}

}  // namespace pelnor
