// The one place a font is made: every window of the program asks for its text
// by face, character height and weight, in the Japanese character set.
#pragma once

#include <windows.h>

#include "winbase/Handles.h"

namespace tk {

// The program's two faces: the proportional one for its texts, the fixed-pitch
// one for a few titles and the call letter's clock.
inline constexpr wchar_t kTextFace[] = L"ＭＳ Ｐゴシック";
inline constexpr wchar_t kFixedFace[] = L"ＭＳ ゴシック";

// `height` is the character height in device pixels, without internal leading
// (a negative LOGFONT height); `weight` is FW_NORMAL, FW_BOLD, ...
UniqueFont MakeFont(const wchar_t* face, int height, int weight = FW_NORMAL);

}  // namespace tk
