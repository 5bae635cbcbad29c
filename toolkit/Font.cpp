#include "toolkit/Font.h"

#include <cwchar>

namespace tk {

UniqueFont MakeFont(const wchar_t* face, int height, int weight) {
    LOGFONTW lf{};
    lf.lfHeight = -height;
    lf.lfWeight = weight;
    lf.lfCharSet = SHIFTJIS_CHARSET;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    if (face) wcsncpy_s(lf.lfFaceName, face, _TRUNCATE);
    return UniqueFont(CreateFontIndirectW(&lf));
}

}  // namespace tk
