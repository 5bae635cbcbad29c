#include "platform/HelpFile.h"

#include <windows.h>

#include <string_view>

#include "assets/resource.h"
#include "toolkit/Handles.h"

namespace pelnor {

std::optional<HelpText> ReadHelpFile(const std::wstring& path) {
    constexpr LONGLONG kLargestHelpFile = 1 << 20;
    if (path.empty()) return std::nullopt;
    const tk::UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return std::nullopt;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart > kLargestHelpFile) return std::nullopt;
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr))
        return std::nullopt;
    bytes.resize(read);
    return ParseHelpText(bytes);
}

const HelpText& CarriedHelpText() {
    static const HelpText help = [] {
        const HMODULE module = GetModuleHandleW(nullptr);
        const HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(IDR_HELP_TEXT), RT_RCDATA);
        const HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
        const void* data = loaded ? LockResource(loaded) : nullptr;
        if (!data) return HelpText{};
        const std::string_view text(static_cast<const char*>(data), SizeofResource(module, found));
        return ParseHelpText(text).value_or(HelpText{});
    }();
    return help;
}

HelpText LoadHelpText(const std::wstring& path) {
    if (auto fromFile = ReadHelpFile(path)) return std::move(*fromFile);
    return CarriedHelpText();
}

}  // namespace pelnor
