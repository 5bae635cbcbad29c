// The one place a font is made: every window of the program asks for its text
// by face, character height and weight, in the Japanese character set.
#pragma once

#include <windows.h>

#include "toolkit/Handles.h"

namespace tk {

// `height` is the character height in device pixels, without internal leading
// (a negative LOGFONT height); `weight` is FW_NORMAL, FW_BOLD, ...
UniqueFont MakeFont(const wchar_t* face, int height, int weight = FW_NORMAL);

}  // namespace tk
