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

// The length of the longest start of `text`, in whole characters, that takes
// at most `room` code page 932 bytes.
std::size_t FittingUnits(std::wstring_view text, std::size_t room) {
    std::size_t bytes = 0;
    std::size_t taken = 0;
    while (taken < text.size()) {
        const std::size_t n = CharLength(text, taken);
        const std::size_t more = Cp932Length(text.substr(taken, n));
        if (bytes + more > room) break;
        bytes += more;
        taken += n;
    }
    return taken;
}

}  // namespace

HWND Edit::CreateHandle(HWND parent, int id, RECT bounds) {
    const DWORD style = WS_TABSTOP | ES_AUTOHSCROLL | (layout_.readOnly ? ES_READONLY : 0);
    const HWND hwnd =
        MakeWindow(layout_.border ? WS_EX_CLIENTEDGE : 0, L"EDIT", style, parent, id, bounds);
    if (!hwnd) return nullptr;
    // The control's own limit holds whatever way text arrives, the ways that
    // pass by this window procedure too (Wine's edit pastes Shift+Insert
    // without WM_PASTE). No character takes less than one byte, so the limit
    // in UTF-16 units never stops a text that fits.
    if (Limited()) SendMessageW(hwnd, EM_SETLIMITTEXT, static_cast<WPARAM>(layout_.maxLength), 0);
    Subclass(hwnd);
    return hwnd;
}

bool Edit::Limited() const {
    return layout_.maxLength > 0 && !layout_.readOnly;
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
    const std::size_t kept = Cp932Length(std::wstring_view(current).substr(0, start)) +
                             Cp932Length(std::wstring_view(current).substr(end));
    const auto limit = static_cast<std::size_t>(layout_.maxLength);
    return std::wstring(insert.substr(0, FittingUnits(insert, kept < limit ? limit - kept : 0)));
}

void Edit::CutToLimit(HWND hwnd) {
    const std::wstring text = Text();
    const std::size_t fits = FittingUnits(text, static_cast<std::size_t>(layout_.maxLength));
    if (fits == text.size()) return;
    const std::wstring cut = text.substr(0, fits);
    DefaultSubclassProc(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(cut.c_str()));
    DefaultSubclassProc(hwnd, EM_SETSEL, fits, fits);
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

std::wstring ClipboardFirstLine(HWND owner) {
    std::wstring text = ClipboardText(owner);
    text.resize(std::min(text.size(), text.find_first_of(L"\r\n")));
    return text;
}

LRESULT Edit::Paste(HWND hwnd) {
    InsertFitting(hwnd, ClipboardFirstLine(hwnd));
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
    const bool limited = Limited();
    switch (msg) {
        case WM_SETTEXT:
            if (limited && lParam) {
                const std::wstring_view text(reinterpret_cast<const wchar_t*>(lParam));
                const std::wstring cut(text.substr(
                    0, FittingUnits(text, static_cast<std::size_t>(layout_.maxLength))));
                return DefaultSubclassProc(hwnd, msg, wParam,
                                           reinterpret_cast<LPARAM>(cut.c_str()));
            }
            break;
        case EM_REPLACESEL:
            if (limited && lParam) {
                const std::wstring fitting = Fitting(reinterpret_cast<const wchar_t*>(lParam));
                return DefaultSubclassProc(hwnd, msg, wParam,
                                           reinterpret_cast<LPARAM>(fitting.c_str()));
            }
            break;
        case WM_KEYDOWN:
            // Shift+Insert pastes as Ctrl+V does.
            if (limited && wParam == VK_INSERT && GetKeyState(VK_SHIFT) < 0 &&
                GetKeyState(VK_CONTROL) >= 0)
                return Paste(hwnd);
            break;
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
    const LRESULT result = DefaultSubclassProc(hwnd, msg, wParam, lParam);
    // What reached the control some other way (undo, a paste of its own, an
    // input method that sets the text) is cut at the last whole character that fits.
    if (limited) {
        switch (msg) {
            case WM_KEYDOWN:
            case WM_CHAR:
            case WM_IME_CHAR:
            case WM_IME_COMPOSITION:
            case WM_IME_ENDCOMPOSITION:
            case WM_UNDO:
            case EM_UNDO:
                CutToLimit(hwnd);
                break;
            default:
                break;
        }
    }
    return result;
}

}  // namespace tk
