// The one UTF-16 decoder: text is held as UTF-16, and every count or
// conversion that works by character steps through it with this.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace pelnor {

struct DecodedChar {
    char32_t codePoint;
    std::size_t units;  // 1, or 2 for a surrogate pair
};

// The character starting at `at` (which must be inside `text`). A high
// surrogate joins the unit after it only when that is a low surrogate; a lone
// surrogate is one character of its own, with its own value as code point
// (which no code page holds).
inline DecodedChar DecodeAt(std::wstring_view text, std::size_t at) {
    const auto first = static_cast<char32_t>(text[at]);
    if (first >= 0xD800 && first <= 0xDBFF && at + 1 < text.size()) {
        const auto second = static_cast<char32_t>(text[at + 1]);
        if (second >= 0xDC00 && second <= 0xDFFF)
            return {0x10000 + ((first - 0xD800) << 10) + (second - 0xDC00), 2};
    }
    return {first, 1};
}

// The UTF-16 units of one code point.
std::wstring EncodeUtf16(char32_t codePoint);

// UTF-16 text held as bytes (a file's, after its byte-order mark), little- or
// big-endian, as UTF-8. A lone surrogate or an odd last byte becomes U+FFFD.
std::string Utf16BytesToUtf8(std::string_view bytes, bool bigEndian);

}  // namespace pelnor
