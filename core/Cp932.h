// Code page 932 (Shift-JIS), in which the program's length limits and sort
// order are defined. Its tables live in Windows, so the layers above hand
// core the conversion of one character.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace pelnor {

// The code page 932 bytes of one character (a UTF-16 code point), or nothing
// when the code page cannot hold it.
using Cp932Encoder = std::function<std::optional<std::string>(char32_t)>;

// Code page 932 text to UTF-8.
using Cp932Decoder = std::function<std::string(std::string_view)>;

}  // namespace pelnor
