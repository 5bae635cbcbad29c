#include "toolkit/Edit.h"

#include <algorithm>

#include "core/Utf16.h"
#include "toolkit/InputMethod.h"
#include "winbase/Handles.h"
#include "winbase/Text.h"

namespace tk {
namespace {

// One character as typed: a surrogate pair stays together.
std::size_t CharLength(std::wstring_view text, std::size_t at) {
    return pelnor::DecodeAt(text, at).units;
}

// The clipboard's text, or nothing.
std::wstring ClipboardText(HWND owner) {
    if (!IsClipboardFormatAvailable(CF_UNICODETEXT)) return {};
    const ScopedClipboard clipboard(owner);
    if (!clipboard.IsOpen()) return {};
    const ScopedGlobalLock data(GetClipboardData(CF_UNICODETEXT));
    const auto* text = static_cast<const wchar_t*>(data.get());
    return text ? std::wstring(text) : std::wstring();
}

}  // namespace

HWND Edit::CreateHandle(HWND parent, int id, RECT bounds) {
    const DWORD style = WS_TABSTOP | ES_AUTOHSCROLL | (layout_.readOnly ? ES_READONLY : 0);
    const HWND hwnd =
        MakeWindow(layout_.border ? WS_EX_CLIENTEDGE : 0, L"EDIT", style, parent, id, bounds);
    if (hwnd) Subclass(hwnd);
    return hwnd;
}

std::wstring Edit::Fitting(std::wstring_view insert) const {
    if (layout_.maxLength <= 0) return std::wstring(insert);
    const std::wstring current = Text();
    DWORD start = 0;
    DWORD end = 0;
    if (Handle()) {
        SendMessageW(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
    }
    start = std::min<DWORD>(start, static_cast<DWORD>(current.size()));
    end = std::clamp<DWORD>(end, start, static_cast<DWORD>(current.size()));
    std::size_t bytes = Cp932Length(std::wstring_view(current).substr(0, start)) +
                        Cp932Length(std::wstring_view(current).substr(end));
    const auto limit = static_cast<std::size_t>(layout_.maxLength);
    std::size_t taken = 0;
    while (taken < insert.size()) {
        const std::size_t n = CharLength(insert, taken);
        const std::size_t more = Cp932Length(insert.substr(taken, n));
        if (bytes + more > limit) break;
        bytes += more;
        taken += n;
    }
    return std::wstring(insert.substr(0, taken));
}

bool Edit::InsertFitting(HWND hwnd, std::wstring_view insert) {
    const std::wstring fitting = Fitting(insert);
    if (fitting.empty()) return false;
    DefaultSubclassProc(hwnd, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(fitting.c_str()));
    return true;
}

void Edit::StartHiragana(HWND hwnd) const {
    InputContext(hwnd).StartHiragana();
}

LRESULT Edit::Paste(HWND hwnd) {
    std::wstring pasted = ClipboardText(hwnd);
    // A one-line field takes the clipboard's first line.
    pasted.resize(std::min(pasted.size(), pasted.find_first_of(L"\r\n")));
    InsertFitting(hwnd, pasted);
    return 0;
}

LRESULT Edit::ImeComposition(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    InsertFitting(hwnd, InputContext(hwnd).Result());
    const LPARAM rest = lParam & ~static_cast<LPARAM>(GCS_RESULTSTR | GCS_RESULTREADSTR |
                                                      GCS_RESULTCLAUSE | GCS_RESULTREADCLAUSE);
    if (!rest) return 0;
    return DefaultSubclassProc(hwnd, WM_IME_COMPOSITION, wParam, rest);
}

LRESULT Edit::SubclassMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    const bool limited = layout_.maxLength > 0 && !layout_.readOnly;
    switch (msg) {
        case WM_CHAR:
        case WM_IME_CHAR: {
            const auto ch = static_cast<wchar_t>(wParam);
            if (limited && ch >= L' ' && ch != 0x7F && Fitting(std::wstring(1, ch)).empty())
                return 0;
            break;
        }
        case WM_PASTE:
            if (limited) return Paste(hwnd);
            break;
        case WM_IME_COMPOSITION:
            if (limited && (lParam & GCS_RESULTSTR)) return ImeComposition(hwnd, wParam, lParam);
            break;
        case WM_SETFOCUS: {
            const LRESULT result = DefaultSubclassProc(hwnd, msg, wParam, lParam);
            if (layout_.hiragana) StartHiragana(hwnd);
            return result;
        }
        default:
            break;
    }
    return DefaultSubclassProc(hwnd, msg, wParam, lParam);
}

}  // namespace tk
