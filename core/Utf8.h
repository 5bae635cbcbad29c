// Checking bytes for UTF-8.
#pragma once

#include <string_view>

namespace pelnor {

// Whether `bytes` are well-formed UTF-8: no stray or missing continuation
// bytes, no overlong forms, no surrogates, nothing beyond U+10FFFF.
bool IsValidUtf8(std::string_view bytes);

}  // namespace pelnor
