// The call letter's default name, taken from the registered owner's name.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "core/Cp932.h"

namespace pelnor {

// What the name field takes: 20 code page 932 bytes.
inline constexpr std::size_t kNameFieldBytes = 20;

// The owner's name as the field can show and edit it: control characters
// dropped, then cut on a character boundary at kNameFieldBytes. A character
// the code page cannot hold counts as two bytes, as the field counts it.
std::wstring DefaultCallName(std::wstring_view owner, const Cp932Encoder& encode);

}  // namespace pelnor
