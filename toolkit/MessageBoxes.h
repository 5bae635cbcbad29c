// The program's own confirmation and information boxes: the same words and
// buttons on every system language.
#pragma once

#include <windows.h>

#include <string_view>

namespace tk {

// Title "確認", question icon, "はい(&Y)" (default) and "いいえ(&N)" (Esc);
// true on Yes.
[[nodiscard]] bool ConfirmBox(HWND owner, std::wstring_view text);

// Titled with the application title, no icon, one "OK" that both Enter and
// Esc press.
void InformationBox(HWND owner, std::wstring_view text);

}  // namespace tk
