#include "platform/HelpFile.h"

#include <windows.h>

#include <optional>
#include <string_view>
#include <variant>

#include "winbase/Handles.h"
#include "winbase/Text.h"

namespace pelnor {
namespace {

constexpr ULONGLONG kLargestHelpFile = 1 << 20;

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

// The stamp of the open file: the one its bytes are read from.
std::optional<FileStamp> StampOf(const std::wstring& path, HANDLE file) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(file, &info)) return std::nullopt;
    return FileStamp{path, (static_cast<ULONGLONG>(info.nFileSizeHigh) << 32) | info.nFileSizeLow,
                     info.ftLastWriteTime};
}

bool IsMissing(DWORD error) {
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
           error == ERROR_INVALID_NAME || error == ERROR_BAD_NETPATH;
}

// Shared for reading, writing and deleting: an editor or a sync client that
// holds the file open for writing does not hide it.
tk::UniqueFile OpenShared(const std::wstring& path) {
    return tk::UniqueFile(CreateFileW(path.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

// All `size` bytes of the file, or nothing when fewer could be read.
std::optional<std::string> ReadWhole(HANDLE file, ULONGLONG size) {
    std::string bytes(static_cast<std::size_t>(size), '\0');
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD read = 0;
        if (!ReadFile(file, bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &read,
                      nullptr) ||
            read == 0)
            return std::nullopt;
        done += read;
    }
    return bytes;
}

// A file's help, or why it gives none.
using FileHelp = std::variant<HelpText, HelpFileProblem>;

FileHelp Parsed(std::string_view bytes) {
    auto help = ParseHelpFile(bytes, Cp932ToUtf8);
    if (!help || help->topics.empty()) return HelpFileProblem::NotHelp;
    return std::move(*help);
}

FileHelp ReadStamped(HANDLE file, const FileStamp& stamp) {
    if (stamp.size > kLargestHelpFile) return HelpFileProblem::TooLarge;
    const auto bytes = ReadWhole(file, stamp.size);
    if (!bytes) return HelpFileProblem::Unreadable;
    return Parsed(*bytes);
}

}  // namespace

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
    // The last file read whole, as it was then, and the help it gave.
    static std::optional<FileStamp> lastStamp;
    static std::shared_ptr<const HelpText> lastHelp;

    if (path.empty()) return CarriedHelpText(carriedId);
    const tk::UniqueFile file = OpenShared(path);
    if (!file && IsMissing(GetLastError())) return CarriedHelpText(carriedId);
    const auto stamp = file ? StampOf(path, file.get()) : std::nullopt;
    if (stamp && stamp == lastStamp && lastHelp) return lastHelp;
    FileHelp read = stamp ? ReadStamped(file.get(), *stamp) : FileHelp(HelpFileProblem::Unreadable);
    if (auto* help = std::get_if<HelpText>(&read)) {
        lastStamp = stamp;
        lastHelp = std::make_shared<const HelpText>(std::move(*help));
        return lastHelp;
    }
    const auto problem = std::get<HelpFileProblem>(read);
    auto noted = std::make_shared<const HelpText>(
        WithNote(*CarriedHelpText(carriedId), UnusableFileNote(tk::ToUtf8(path), problem)));
    // Only what was read whole is kept: a file that could not be opened or
    // read is tried again next time.
    if (problem == HelpFileProblem::NotHelp) {
        lastStamp = stamp;
        lastHelp = noted;
    } else {
        lastStamp.reset();
        lastHelp.reset();
    }
    return noted;
}

}  // namespace pelnor
