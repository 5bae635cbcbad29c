// Conversions at the boundary between the program's UTF-16 text and the code
// page 932 bytes its length limits and sort order are defined on.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tk {

// The code page 932 bytes of one code point, or nothing when the code page
// cannot hold it (no best-fit substitutes).
std::optional<std::string> Cp932Char(char32_t codePoint);

// The length of `text` in code page 932 bytes; a character the code page
// cannot hold counts as two bytes (the width of the "?"-less double-byte
// substitute a Japanese system would need).
std::size_t Cp932Length(std::wstring_view text);

std::wstring FromUtf8(std::string_view utf8);
std::string ToUtf8(std::wstring_view text);

}  // namespace tk
