#include "core/DefaultName.h"

#include "core/Utf16.h"

namespace pelnor {
namespace {

bool IsControl(char32_t cp) {
    return cp < 0x20 || (cp >= 0x7F && cp <= 0x9F);
}

}  // namespace

std::wstring DefaultCallName(std::wstring_view owner, const Cp932Encoder& encode) {
    std::wstring name;
    std::size_t bytes = 0;
    for (std::size_t i = 0; i < owner.size();) {
        const auto [cp, units] = DecodeAt(owner, i);
        const std::wstring_view character = owner.substr(i, units);
        i += units;
        if (IsControl(cp)) continue;
        const auto encoded = encode(cp);
        const std::size_t size = encoded ? encoded->size() : 2;
        if (bytes + size > kNameFieldBytes) break;
        bytes += size;
        name += character;
    }
    return name;
}

}  // namespace pelnor
