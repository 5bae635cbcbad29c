// Command lines for the shell launches of the menu.
#pragma once

#include <string>
#include <string_view>

namespace pelnor {

inline constexpr std::wstring_view kExplorer = L"EXPLORER.EXE";

// "\",/e": Explorer on the root folder of the current drive, tree view on.
std::wstring ExplorerRootParameters();

// "<folder>",/n: a new Explorer window on `folder`.
std::wstring ExplorerFolderParameters(std::wstring_view folder);

// The longest folder Explorer is given as it is: Windows makes folders of at
// most MAX_PATH - 12 characters, and Explorer shows the desktop for a longer
// one. Such a folder is given in its short 8.3 form, as the shortcuts are.
inline constexpr std::size_t kLongestExplorerFolder = 247;

// The shortcut file a launcher item opens: its caption plus ".lnk".
std::wstring ShortcutFileFor(std::wstring_view caption);

// The caption of a shortcut file: its name without the last four characters.
std::wstring CaptionForShortcut(std::wstring_view fileName);

// The most characters a launcher caption shows: a menu of longer ones runs
// off a small screen.
inline constexpr std::size_t kLongestShownCaption = 40;

// `caption` as shown: one longer than `maxChars` characters keeps its start
// and its end (where names usually differ) with "…" between, `maxChars` in all.
std::wstring ShownCaption(std::wstring_view caption, std::size_t maxChars = kLongestShownCaption);

}  // namespace pelnor
