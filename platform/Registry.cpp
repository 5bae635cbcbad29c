#include "platform/Registry.h"

#include <algorithm>
#include <vector>

#include "toolkit/Handles.h"

namespace pelnor {
namespace {

// A name longer than this is not a name; the value is read no further.
constexpr DWORD kMaxValueBytes = 1 << 20;

}  // namespace

std::wstring ReadRegistryText(HKEY root, const wchar_t* subKey, const wchar_t* valueName) {
    HKEY opened = nullptr;
    if (RegOpenKeyExW(root, subKey, 0, KEY_READ, &opened) != ERROR_SUCCESS) return {};
    tk::UniqueRegistryKey key(opened);

    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key.get(), valueName, nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return {};
    if ((type != REG_SZ && type != REG_EXPAND_SZ) || size == 0) return {};
    size = std::min(size, kMaxValueBytes);

    // One spare character so that data stored without a terminating NUL
    // still ends in one.
    std::vector<wchar_t> data(size / sizeof(wchar_t) + 2, L'\0');
    DWORD read = size;
    const LONG status = RegQueryValueExW(key.get(), valueName, nullptr, &type,
                                         reinterpret_cast<BYTE*>(data.data()), &read);
    if (status != ERROR_SUCCESS && status != ERROR_MORE_DATA) return {};
    if (type != REG_SZ && type != REG_EXPAND_SZ) return {};
    const std::size_t chars = std::min<std::size_t>(read, size) / sizeof(wchar_t);
    std::wstring text(data.data(), chars);
    if (const auto nul = text.find(L'\0'); nul != std::wstring::npos) text.resize(nul);
    return text;
}

// Windows NT and its successors keep the owner under "Windows NT"; the other
// key is read first, as it always was, and where it gives no name the NT one
// is asked.
std::wstring ReadRegisteredOwner() {
    for (const wchar_t* key : {L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion",
                               L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion"}) {
        if (std::wstring owner = ReadRegistryText(HKEY_LOCAL_MACHINE, key, L"RegisteredOwner");
            !owner.empty())
            return owner;
    }
    return {};
}

}  // namespace pelnor
