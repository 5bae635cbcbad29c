#include "toolkit/SpinEdit.h"

#include <algorithm>
#include <climits>

#include "core/Decimal.h"
#include "toolkit/Edit.h"
#include "winbase/Handles.h"

namespace tk {
namespace {

constexpr wchar_t kSpinButtonClass[] = L"TkSpinButton";
constexpr UINT_PTR kRepeatTimer = 1;
constexpr int kSpinButtonWidth = 15;

}  // namespace

// ---------------------------------------------------------------- SpinEdit

HWND SpinEdit::CreateHandle(HWND parent, int id, RECT bounds) {
    const HWND hwnd = MakeWindow(WS_EX_CLIENTEDGE, L"EDIT",
                                 WS_TABSTOP | ES_AUTOHSCROLL | WS_CLIPCHILDREN, parent, id, bounds);
    if (!hwnd) return nullptr;
    if (layout_.maxLength > 0) SendMessageW(hwnd, EM_SETLIMITTEXT, layout_.maxLength, 0);
    Subclass(hwnd);
    button_.Create(hwnd, dialog_->Scale(kSpinButtonWidth));
    return hwnd;
}

void SpinEdit::Created() {
    // After WM_SETFONT, which puts the margins back to the font's.
    if (Handle() && ButtonHandle()) {
        RECT button;
        GetClientRect(ButtonHandle(), &button);
        SendMessageW(Handle(), EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, button.right));
    }
}

int SpinEdit::Value() const {
    const std::wstring text = Text();
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) negative = text[i++] == L'-';
    if (i == text.size()) return layout_.minValue;
    long long value = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < L'0' || text[i] > L'9') return layout_.minValue;
        value = value * 10 + (text[i] - L'0');
        if (value > INT_MAX) return layout_.minValue;
    }
    return static_cast<int>(negative ? -value : value);
}

void SpinEdit::SetValue(int value) {
    if (layout_.maxValue != layout_.minValue)
        value = std::clamp(value, layout_.minValue, layout_.maxValue);
    SetText(pelnor::DecimalText(value));
}

void SpinEdit::ClampNow() {
    int value = Value();
    if (layout_.maxValue != layout_.minValue)
        value = std::clamp(value, layout_.minValue, layout_.maxValue);
    const std::wstring shown = pelnor::DecimalText(value);
    if (Text() != shown) SetText(shown);
}

void SpinEdit::Step(int delta) {
    const int value = Value();
    if (value > INT_MIN + 1 && value < INT_MAX - 1) SetValue(value + delta);
}

// A character as the field takes it, typed or pasted: a digit (a full-width
// one, as an input method in full-width mode gives it, as its ASCII digit), a
// minus sign where the range has negative numbers; 0 for any other.
wchar_t SpinEdit::Accepted(wchar_t ch) const {
    if (ch >= L'0' && ch <= L'9') return ch;
    if (ch >= L'０' && ch <= L'９') return static_cast<wchar_t>(L'0' + (ch - L'０'));
    if ((ch == L'-' || ch == L'－') && layout_.minValue < 0) return L'-';
    return 0;
}

std::wstring SpinEdit::Filtered(std::wstring_view text) const {
    std::wstring kept;
    for (const wchar_t ch : text)
        if (const wchar_t accepted = Accepted(ch)) kept += accepted;
    return kept;
}

// Whatever reached the control without passing the filter (an input method's
// result, an undo) is filtered after the fact.
void SpinEdit::FilterText(HWND hwnd) {
    const std::wstring text = Text();
    const std::wstring kept = Filtered(text);
    if (kept == text) return;
    DefaultSubclassProc(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(kept.c_str()));
    DefaultSubclassProc(hwnd, EM_SETSEL, kept.size(), kept.size());
}

LRESULT SpinEdit::Paste(HWND hwnd) {
    const std::wstring kept = Filtered(ClipboardFirstLine(hwnd));
    if (!kept.empty()) {
        DefaultSubclassProc(hwnd, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(kept.c_str()));
        if (ButtonHandle()) InvalidateRect(ButtonHandle(), nullptr, FALSE);
    }
    return 0;
}

LRESULT SpinEdit::SubclassMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_CHAR:
        case WM_IME_CHAR: {
            const auto ch = static_cast<wchar_t>(wParam);
            if (ch < L' ' && ch != L'\r') break;  // Backspace, Ctrl+C, Ctrl+V...
            const wchar_t accepted = Accepted(ch);
            if (!accepted) {
                MessageBeep(0);
                return 0;
            }
            wParam = accepted;
            break;
        }
        case WM_PASTE:
            return Paste(hwnd);
        case WM_KEYDOWN:
            if (wParam == VK_UP || wParam == VK_DOWN) {
                Step(wParam == VK_UP ? 1 : -1);
                return 0;
            }
            // Shift+Insert pastes as Ctrl+V does.
            if (wParam == VK_INSERT && GetKeyState(VK_SHIFT) < 0 && GetKeyState(VK_CONTROL) >= 0)
                return Paste(hwnd);
            break;
        case WM_KILLFOCUS: {
            const LRESULT result = DefaultSubclassProc(hwnd, msg, wParam, lParam);
            ClampNow();
            return result;
        }
        default:
            break;
    }
    const LRESULT result = DefaultSubclassProc(hwnd, msg, wParam, lParam);
    switch (msg) {
        case WM_IME_COMPOSITION:
        case WM_IME_ENDCOMPOSITION:
        case WM_UNDO:
        case EM_UNDO:
        case EM_REPLACESEL:
            FilterText(hwnd);
            break;
        default:
            break;
    }
    // Some edit controls (Wine's) draw typed text through their parent's DC,
    // which does not clip the button inside the edit: draw it again.
    switch (msg) {
        case WM_PAINT:
        case WM_CHAR:
        case WM_KEYDOWN:
        case WM_SETTEXT:
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
        case WM_LBUTTONDOWN:
        case WM_MOUSEMOVE:
        case EM_SETSEL:
        case EM_REPLACESEL:
            if (ButtonHandle())
                RedrawWindow(ButtonHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
            break;
        default:
            break;
    }
    return result;
}

// ---------------------------------------------------------------- SpinButton

bool SpinButton::Create(HWND edit, int width) {
    RegisterClassFor({.name = kSpinButtonClass,
                      .style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS,
                      .cursor = LoadCursorW(nullptr, IDC_ARROW)});
    RECT client;
    GetClientRect(edit, &client);
    return CreateWindowHandle(0, kSpinButtonClass, nullptr, WS_CHILD | WS_VISIBLE,
                              client.right - width, 0, width, client.bottom, edit) != nullptr;
}

void SpinButton::Paint(HDC dc) const {
    RECT client;
    GetClientRect(Handle(), &client);
    const int middle = client.bottom / 2;
    const RECT halves[2] = {{0, 0, client.right, middle}, {0, middle, client.right, client.bottom}};
    const HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
    const HBRUSH arrow = GetSysColorBrush(COLOR_BTNTEXT);
    for (int i = 0; i < 2; ++i) {
        RECT r = halves[i];
        const bool down = pressed_ == (i == 0 ? 1 : -1);
        FillRect(dc, &r, face);
        DrawEdge(dc, &r, down ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
        // A small triangle, pointing up in the upper half and down in the lower.
        const int cx = (r.left + r.right) / 2 + (down ? 1 : 0);
        const int cy = (r.top + r.bottom) / 2 + (down ? 1 : 0);
        const int s = std::max<int>(2, std::min<LONG>(r.right - r.left, r.bottom - r.top) / 4);
        const int tip = i == 0 ? -1 : 1;
        POINT points[3] = {
            {cx - s, cy - tip * s / 2}, {cx + s, cy - tip * s / 2}, {cx, cy + tip * (s - s / 2)}};
        const ScopedSelect brush(dc, arrow);
        const ScopedSelect pen(dc, GetStockObject(NULL_PEN));
        Polygon(dc, points, 3);
    }
}

void SpinButton::Press(LPARAM point) {
    const HWND hwnd = Handle();
    RECT client;
    GetClientRect(hwnd, &client);
    pressed_ = static_cast<short>(HIWORD(point)) < client.bottom / 2 ? 1 : -1;
    if (GetFocus() != field_.Handle()) SetFocus(field_.Handle());
    SetCapture(hwnd);
    field_.Step(pressed_);
    SetTimer(hwnd, kRepeatTimer, kFirstRepeatMs, nullptr);
    InvalidateRect(hwnd, nullptr, FALSE);
}

void SpinButton::Repeat() {
    if (!pressed_) return;
    field_.Step(pressed_);
    SetTimer(Handle(), kRepeatTimer, kRepeatMs, nullptr);
}

void SpinButton::Release() {
    if (!pressed_) return;
    pressed_ = 0;
    KillTimer(Handle(), kRepeatTimer);
    InvalidateRect(Handle(), nullptr, FALSE);
}

LRESULT SpinButton::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    const HWND hwnd = Handle();
    switch (msg) {
        case WM_PAINT: {
            const PaintDc dc(hwnd);
            Paint(dc.get());
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            Press(lParam);
            return 0;
        case WM_TIMER:
            if (wParam == kRepeatTimer) Repeat();
            return 0;
        case WM_LBUTTONUP:
            Release();
            if (GetCapture() == hwnd) ReleaseCapture();
            return 0;
        case WM_CAPTURECHANGED:
            Release();
            return 0;
        default:
            break;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace tk
