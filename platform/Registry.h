// Read-only access to one registry text value.
#pragma once

#include <windows.h>

#include <string>

namespace pelnor {

// The text of a REG_SZ or REG_EXPAND_SZ value as stored (not expanded), up to
// its first NUL. Empty when the key or value is missing, empty or not text.
std::wstring ReadRegistryText(HKEY root, const wchar_t* subKey, const wchar_t* valueName);

// The registered owner's name, the call letter's default name.
std::wstring ReadRegisteredOwner();

}  // namespace pelnor
