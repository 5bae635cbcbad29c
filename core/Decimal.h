// Whole numbers as decimal text.
#pragma once

#include <string>

namespace pelnor {

// n in decimal ("-12"). std::to_wstring formats through the C library's wide
// printf, which would bring some 16 KB of floating-point formatting into the
// program for a few small integers.
inline std::wstring DecimalText(long long n) {
    const std::string digits = std::to_string(n);
    return std::wstring(digits.begin(), digits.end());
}

}  // namespace pelnor
