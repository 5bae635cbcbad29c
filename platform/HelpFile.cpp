#include "platform/HelpFile.h"

#include <windows.h>

#include <string_view>

#include "winbase/Handles.h"
#include "winbase/Text.h"

namespace pelnor {
namespace {

constexpr LONGLONG kLargestHelpFile = 1 << 20;

std::string Cp932ToUtf8(std::string_view bytes) {
    constexpr UINT kShiftJis = 932;
    const int length = static_cast<int>(bytes.size());
    const int n = MultiByteToWideChar(kShiftJis, 0, bytes.data(), length, nullptr, 0);
    std::wstring text(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(kShiftJis, 0, bytes.data(), length, text.data(), n);
    return tk::ToUtf8(text);
}

// What tells one version of a file from another without reading it.
struct FileStamp {
    std::wstring path;
    ULONGLONG size = 0;
    FILETIME written{};

    bool operator==(const FileStamp& other) const {
        return path == other.path && size == other.size &&
               CompareFileTime(&written, &other.written) == 0;
    }
};

std::optional<FileStamp> StampOf(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (path.empty() || !GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return std::nullopt;
    return FileStamp{path, (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow,
                     data.ftLastWriteTime};
}

}  // namespace

std::optional<HelpText> ReadHelpFile(const std::wstring& path) {
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
    return ParseHelpFile(bytes, Cp932ToUtf8);
}

std::shared_ptr<const HelpText> CarriedHelpText(int resourceId) {
    static const auto help = [resourceId] {
        const HMODULE module = GetModuleHandleW(nullptr);
        const HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(resourceId), RT_RCDATA);
        const HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
        const void* data = loaded ? LockResource(loaded) : nullptr;
        if (!data) return std::make_shared<const HelpText>();
        const std::string_view text(static_cast<const char*>(data), SizeofResource(module, found));
        return std::make_shared<const HelpText>(ParseHelpText(text).value_or(HelpText{}));
    }();
    return help;
}

std::shared_ptr<const HelpText> LoadHelpText(const std::wstring& path, int carriedId) {
    // The last file read, as it was then; nothing when it gave no help.
    static std::optional<FileStamp> lastStamp;
    static std::shared_ptr<const HelpText> lastHelp;

    const auto stamp = StampOf(path);
    if (!stamp) return CarriedHelpText(carriedId);
    if (stamp != lastStamp) {
        auto fromFile = ReadHelpFile(path);
        lastStamp = stamp;
        lastHelp = fromFile && !fromFile->topics.empty()
                       ? std::make_shared<const HelpText>(std::move(*fromFile))
                       : nullptr;
    }
    return lastHelp ? lastHelp : CarriedHelpText(carriedId);
}

}  // namespace pelnor
