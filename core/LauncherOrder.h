// The order of the shortcut launcher's items: their captions compared as
// code page 932 bytes, "a"-"z" counted as "A"-"Z" wherever they occur.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/Cp932.h"

namespace pelnor {

// The bytes a caption is compared by. A character that code page 932 cannot
// hold becomes 0xFD followed by its code point in three bytes: after every
// character the code page holds (lead bytes end at 0xFC), and ordered among
// themselves by code point.
std::string CaptionSortKey(std::wstring_view caption, const Cp932Encoder& encode);

// Byte order with "a"-"z" folded to upper case, the shorter text first when
// one is a prefix of the other.
bool CaptionLess(std::string_view a, std::string_view b);

struct LauncherEntry {
    std::wstring caption;  // as shown, perhaps shortened
    std::string sortKey;   // of the whole name
    int imageIndex = 0;
    std::wstring file;  // the shortcut it opens
};

// Sorts by exchanging entries pairwise (a against every later b). The
// positions stand for the menu items, whose shortcut keys and handlers stay
// put: only captions and icons move. An exchange with a third entry can
// reorder two captions that compare equal, as with b, B, a -> a, B, b.
void SortLauncherEntries(std::vector<LauncherEntry>& entries);

}  // namespace pelnor
