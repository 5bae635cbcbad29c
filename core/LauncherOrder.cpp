#include "core/LauncherOrder.h"

#include <algorithm>
#include <utility>

#include "core/Utf16.h"

namespace pelnor {
namespace {

unsigned char FoldedByte(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return (byte >= 'a' && byte <= 'z') ? static_cast<unsigned char>(byte - 'a' + 'A') : byte;
}

}  // namespace

std::string CaptionSortKey(std::wstring_view caption, const Cp932Encoder& encode) {
    std::string key;
    for (std::size_t i = 0; i < caption.size();) {
        const auto [cp, units] = DecodeAt(caption, i);
        i += units;
        if (auto bytes = encode(cp)) {
            key += *bytes;
        } else {
            key += static_cast<char>(0xFD);
            key += static_cast<char>((cp >> 16) & 0xFF);
            key += static_cast<char>((cp >> 8) & 0xFF);
            key += static_cast<char>(cp & 0xFF);
        }
    }
    return key;
}

bool CaptionLess(std::string_view a, std::string_view b) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const unsigned char x = FoldedByte(a[i]);
        const unsigned char y = FoldedByte(b[i]);
        if (x != y) return x < y;
    }
    return a.size() < b.size();
}

void SortLauncherEntries(std::vector<LauncherEntry>& entries) {
    for (std::size_t a = 0; a + 1 < entries.size(); ++a)
        for (std::size_t b = a + 1; b < entries.size(); ++b)
            if (CaptionLess(entries[b].sortKey, entries[a].sortKey))
                std::swap(entries[a], entries[b]);
}

}  // namespace pelnor
