#include "core/Utf16.h"

namespace pelnor {

std::wstring EncodeUtf16(char32_t codePoint) {
    if (codePoint < 0x10000) return std::wstring(1, static_cast<wchar_t>(codePoint));
    codePoint -= 0x10000;
    return {static_cast<wchar_t>(0xD800 + (codePoint >> 10)),
            static_cast<wchar_t>(0xDC00 + (codePoint & 0x3FF))};
}

}  // namespace pelnor
