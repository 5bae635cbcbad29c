#include "platform/Registry.h"

#include <vector>

#include "winbase/Handles.h"

namespace pelnor {

std::wstring ReadRegistryText(HKEY root, const wchar_t* subKey, const wchar_t* valueName) {
    HKEY opened = nullptr;
    if (RegOpenKeyExW(root, subKey, 0, KEY_READ, &opened) != ERROR_SUCCESS) return {};
    tk::UniqueRegistryKey key(opened);

    // The value is read whole: after ERROR_MORE_DATA the buffer holds nothing
    // that can be trusted, not even its first characters. It may grow between
    // asking its size and reading it, so the read is tried again a few times.
    std::vector<wchar_t> data;
    for (int attempt = 0; attempt < 4; ++attempt) {
        DWORD type = 0;
        DWORD size = 0;
        if (RegQueryValueExW(key.get(), valueName, nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
            return {};
        if ((type != REG_SZ && type != REG_EXPAND_SZ) || size == 0) return {};
        // One spare character so that data stored without a terminating NUL
        // still ends in one.
        data.assign(size / sizeof(wchar_t) + 2, L'\0');
        DWORD read = size;
        const LONG status = RegQueryValueExW(key.get(), valueName, nullptr, &type,
                                             reinterpret_cast<BYTE*>(data.data()), &read);
        if (status == ERROR_MORE_DATA) continue;
        if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return {};
        std::wstring text(data.data(), read / sizeof(wchar_t));
        if (const auto nul = text.find(L'\0'); nul != std::wstring::npos) text.resize(nul);
        return text;
    }
    return {};
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
