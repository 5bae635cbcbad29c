#include "winbase/Text.h"

#include <windows.h>

#include "core/Utf16.h"

namespace tk {
namespace {

constexpr UINT kShiftJis = 932;

}  // namespace

std::optional<std::string> Cp932Char(char32_t codePoint) {
    const std::wstring unit = pelnor::EncodeUtf16(codePoint);
    char bytes[8];
    BOOL usedDefault = FALSE;
    const int n = WideCharToMultiByte(kShiftJis, WC_NO_BEST_FIT_CHARS, unit.data(),
                                      static_cast<int>(unit.size()), bytes, sizeof bytes, nullptr,
                                      &usedDefault);
    if (n <= 0 || usedDefault) return std::nullopt;
    return std::string(bytes, n);
}

std::size_t Cp932Length(std::wstring_view text) {
    std::size_t length = 0;
    for (std::size_t i = 0; i < text.size();) {
        const auto [cp, units] = pelnor::DecodeAt(text, i);
        i += units;
        const auto bytes = Cp932Char(cp);
        length += bytes ? bytes->size() : 2;
    }
    return length;
}

std::wstring FromUtf8(std::string_view utf8) {
    const int n =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring text(n, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), text.data(), n);
    return text;
}

std::string ToUtf8(std::wstring_view text) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                      nullptr, 0, nullptr, nullptr);
    std::string utf8(n, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), n,
                        nullptr, nullptr);
    return utf8;
}

}  // namespace tk
