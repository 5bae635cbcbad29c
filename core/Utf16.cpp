#include "core/Utf16.h"

namespace pelnor {

std::wstring EncodeUtf16(char32_t codePoint) {
    if (codePoint < 0x10000) return std::wstring(1, static_cast<wchar_t>(codePoint));
    codePoint -= 0x10000;
    return {static_cast<wchar_t>(0xD800 + (codePoint >> 10)),
            static_cast<wchar_t>(0xDC00 + (codePoint & 0x3FF))};
}

namespace {

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

}  // namespace

std::string Utf16BytesToUtf8(std::string_view bytes, bool bigEndian) {
    std::wstring units(bytes.size() / 2, L'\0');
    for (std::size_t i = 0; i < units.size(); ++i) {
        const auto first = static_cast<unsigned char>(bytes[2 * i]);
        const auto second = static_cast<unsigned char>(bytes[2 * i + 1]);
        units[i] = static_cast<wchar_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
    }
    std::string out;
    out.reserve(units.size() * 3 / 2);
    for (std::size_t at = 0; at < units.size();) {
        const DecodedChar c = DecodeAt(units, at);
        AppendUtf8(out, c.codePoint >= 0xD800 && c.codePoint <= 0xDFFF ? 0xFFFD : c.codePoint);
        at += c.units;
    }
    if (bytes.size() % 2 != 0) AppendUtf8(out, 0xFFFD);
    return out;
}

}  // namespace pelnor
