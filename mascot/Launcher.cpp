#include "mascot/Launcher.h"

#include "core/LaunchParams.h"
#include "core/LauncherOrder.h"
#include "platform/Shell.h"
#include "platform/ShellLaunch.h"
#include "winbase/Text.h"

namespace pelnor {
namespace {

// Real shortcuts are a few KiB.
constexpr std::uint64_t kLargestShortcut = 64 * 1024;

bool EndsWithLnk(const std::wstring& name) {
    return name.size() >= 4 &&
           CompareStringOrdinal(name.c_str() + name.size() - 4, 4, L".lnk", 4, TRUE) == CSTR_EQUAL;
}

}  // namespace

std::optional<std::wstring> ShellName(const std::wstring& path) {
    if (path.size() < MAX_PATH) return path;
    std::optional<std::wstring> shortPath = ShortPath(path);
    if (!shortPath || shortPath->size() >= MAX_PATH) return std::nullopt;
    return shortPath;
}

std::vector<ShortcutFile> FindShortcutFiles(const std::wstring& folderSlash, std::size_t limit) {
    std::vector<ShortcutFile> files;
    WIN32_FIND_DATAW found{};
    const tk::UniqueFind search(FindFirstFileW((folderSlash + L"*.lnk").c_str(), &found));
    if (!search) return files;
    do {
        std::wstring name = found.cFileName;
        if (!EndsWithLnk(name)) continue;
        auto shellPath = ShellName(folderSlash + ShortcutFileFor(CaptionForShortcut(name)));
        if (!shellPath) continue;
        const std::uint64_t size =
            (static_cast<std::uint64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
        files.push_back({std::move(name), std::move(*shellPath), size});
    } while (files.size() < limit && FindNextFileW(search.get(), &found));
    return files;
}

tk::UniqueIcon ShortcutIcon(const ShortcutFile& shortcut, int size) {
    const bool tooLarge = shortcut.size > kLargestShortcut;
    if (auto icon = shell::FileIcon(tooLarge ? L".lnk" : shortcut.shellPath.c_str(),
                                    tooLarge ? FILE_ATTRIBUTE_NORMAL : 0,
                                    tooLarge ? SHGFI_USEFILEATTRIBUTES : 0, size))
        return icon;
    return tk::UniqueIcon(CopyIcon(LoadIconW(nullptr, IDI_APPLICATION)));
}

std::string LauncherSortKey(const std::wstring& caption) {
    return CaptionSortKey(caption, [](char32_t cp) { return tk::Cp932Char(cp); });
}

}  // namespace pelnor
