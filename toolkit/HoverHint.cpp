#include "toolkit/HoverHint.h"

#include "core/Placement.h"
#include "core/Scale.h"
#include "winbase/Handles.h"

namespace tk {
namespace {

constexpr wchar_t kClassName[] = L"PelnorHoverHint";
constexpr UINT_PTR kHideTimer = 1;
constexpr UINT kShownMs = 5000;   // as long as a tool tip stays
constexpr int kPadding = 2;       // around the text, at 96 DPI
constexpr int kBelowCursor = 20;  // from the hot spot to the hint's top, at 96 DPI

int Scaled(int pixels, HWND hwnd) {
    return pelnor::AtDpi(pixels, static_cast<int>(GetDpiForWindow(hwnd)));
}

}  // namespace

void HoverHint::Relay(HWND owner, UINT msg) noexcept {
    switch (msg) {
        case WM_MOUSEMOVE:
            if (!tracking_) {
                TRACKMOUSEEVENT track{sizeof track, TME_HOVER | TME_LEAVE, owner, HOVER_DEFAULT};
                tracking_ = TrackMouseEvent(&track) != FALSE;
            }
            break;
        case WM_MOUSEHOVER:
            // A hover that was on its way when a menu or a modal window of the
            // program opened would cover it.
            if (!menuOpen_ && IsWindowEnabled(owner)) Show();
            break;
        case WM_MOUSELEAVE:
            tracking_ = false;
            Hide();
            break;
        case WM_ENTERMENULOOP:
            menuOpen_ = true;
            CancelTracking(owner);
            break;
        case WM_EXITMENULOOP:
            menuOpen_ = false;
            break;
        case WM_ENABLE:  // sent once the state has changed
            if (!IsWindowEnabled(owner)) CancelTracking(owner);
            break;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_CONTEXTMENU:
            CancelTracking(owner);
            break;
        default:
            break;
    }
}

// No hover message comes after this until the mouse moves again.
void HoverHint::CancelTracking(HWND owner) noexcept {
    if (tracking_) {
        TRACKMOUSEEVENT track{sizeof track, TME_CANCEL | TME_HOVER | TME_LEAVE, owner, 0};
        TrackMouseEvent(&track);
        tracking_ = false;
    }
    Hide();
}

SIZE HoverHint::TextSize(HDC dc) const noexcept {
    const ScopedSelect font(dc,
                            font_ ? static_cast<HGDIOBJ>(font_) : GetStockObject(DEFAULT_GUI_FONT));
    RECT bounds{};
    DrawTextW(dc, text_.c_str(), static_cast<int>(text_.size()), &bounds,
              DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    return {bounds.right, bounds.bottom};
}

void HoverHint::Show() noexcept {
    if (!Handle()) {
        if (!RegisterClassFor({.name = kClassName,
                               .cursor = LoadCursorW(nullptr, IDC_ARROW),
                               .background = GetSysColorBrush(COLOR_INFOBK)}))
            return;
        // No owner: under Wine an owned pop-up keeps its owner from being made top-most again.
        if (!CreateWindowHandle(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kClassName,
                                text_.c_str(), WS_POPUP | WS_BORDER, 0, 0, 0, 0, nullptr))
            return;
    }
    POINT at{};
    GetCursorPos(&at);
    const int padding = Scaled(kPadding, Handle());
    SIZE text{};
    {
        const WindowDc dc(Handle());
        text = TextSize(dc.get());
    }
    RECT frame{0, 0, text.cx + 2 * padding, text.cy + 2 * padding};
    AdjustWindowRectEx(&frame, WS_POPUP | WS_BORDER, FALSE, 0);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    // Wholly on the pointer's monitor, never beyond its edge or over the taskbar.
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoW(MonitorFromPoint(at, MONITOR_DEFAULTTONEAREST), &monitor)) return;
    const RECT& work = monitor.rcWork;
    const pelnor::ScreenPoint place =
        pelnor::PlaceBesidePointer({work.left, work.top, work.right, work.bottom}, {at.x, at.y},
                                   Scaled(kBelowCursor, Handle()), width, height);
    SetWindowPos(Handle(), HWND_TOPMOST, place.x, place.y, width, height,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
    InvalidateRect(Handle(), nullptr, TRUE);
    SetTimer(Handle(), kHideTimer, kShownMs, nullptr);
}

void HoverHint::Hide() noexcept {
    if (!Shown()) return;
    KillTimer(Handle(), kHideTimer);
    ShowWindow(Handle(), SW_HIDE);
}

LRESULT HoverHint::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_PAINT: {
            const PaintDc paint(Handle());
            const HDC dc = paint.get();
            RECT client;
            GetClientRect(Handle(), &client);
            const ScopedSelect font(
                dc, font_ ? static_cast<HGDIOBJ>(font_) : GetStockObject(DEFAULT_GUI_FONT));
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
            DrawTextW(dc, text_.c_str(), static_cast<int>(text_.size()), &client,
                      DT_SINGLELINE | DT_NOPREFIX | DT_CENTER | DT_VCENTER);
            return 0;
        }
        case WM_TIMER:
            if (wParam == kHideTimer) Hide();
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(font_);
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        case WM_NCHITTEST:
            return HTTRANSPARENT;  // the mouse goes through to what is below
        default:
            return DefWindowProcW(Handle(), msg, wParam, lParam);
    }
}

}  // namespace tk
