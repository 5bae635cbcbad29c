#include "platform/WinOps.h"

#include <cwchar>
#include <iterator>

#include "platform/Shell.h"
#include "winbase/Handles.h"

namespace pelnor {

RegionShape::RegionShape(std::span<const ShapeRect> rects) {
    bytes_ = static_cast<DWORD>(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
    data_.resize((bytes_ + sizeof(RGNDATA) - 1) / sizeof(RGNDATA));
    RGNDATA& region = data_.front();
    region.rdh.dwSize = sizeof(RGNDATAHEADER);
    region.rdh.iType = RDH_RECTANGLES;
    region.rdh.nCount = static_cast<DWORD>(rects.size());
    region.rdh.nRgnSize = static_cast<DWORD>(rects.size() * sizeof(RECT));
    RECT bounds{0, 0, 0, 0};
    auto* out = reinterpret_cast<RECT*>(region.Buffer);
    for (const ShapeRect& r : rects) {
        *out++ = {r.left, r.top, r.right, r.bottom};
        const RECT added{r.left, r.top, r.right, r.bottom};
        UnionRect(&bounds, &bounds, &added);
    }
    region.rdh.rcBound = bounds;
}

bool ApplyRegion(HWND hwnd, const RegionShape& shape) {
    if (shape.Empty()) return false;
    tk::UniqueRegion region(ExtCreateRegion(nullptr, shape.Size(), shape.Data()));
    if (!region) return false;
    if (!SetWindowRgn(hwnd, region.get(), TRUE)) return false;
    region.release();
    return true;
}

void StartSystemMove(HWND hwnd) {
    constexpr WPARAM kMoveByCaption = SC_MOVE | HTCAPTION;  // 0xF012
    SendMessageW(hwnd, WM_SYSCOMMAND, kMoveByCaption, 0);
}

void SetStayOnTop(HWND hwnd, bool onTop) {
    SetWindowPos(hwnd, onTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

RECT MonitorRectOf(HWND hwnd) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (GetMonitorInfoW(MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST), &info))
        return info.rcMonitor;
    return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

// On every tick, so cheapest first: a window that could be full screen
// overlaps the mascot; its kind is read only for one that does, the monitor
// looked up (tens of microseconds under Wine) only for one without a caption,
// and the shell asked only for one that is neither.
bool IsFullScreenProgram(HWND window, HWND mascot) {
    RECT frame, mascotFrame, overlap;
    if (!window || window == mascot || !GetWindowRect(window, &frame) ||
        !GetWindowRect(mascot, &mascotFrame) || !IntersectRect(&overlap, &frame, &mascotFrame))
        return false;
    if (window == GetDesktopWindow() || window == GetShellWindow()) return false;
    if (GetAncestor(window, GA_ROOTOWNER) == mascot) return false;
    // Explorer's desktop windows; the name goes to a buffer on the stack.
    wchar_t className[16];
    if (GetClassNameW(window, className, static_cast<int>(std::size(className))) != 0 &&
        (std::wcscmp(className, L"Progman") == 0 || std::wcscmp(className, L"WorkerW") == 0))
        return false;
    if ((GetWindowLongPtrW(window, GWL_STYLE) & WS_CAPTION) != WS_CAPTION) {
        const RECT monitor = MonitorRectOf(mascot);
        if (frame.left <= monitor.left && frame.top <= monitor.top &&
            frame.right >= monitor.right && frame.bottom >= monitor.bottom)
            return true;
    }
    return shell::ReportsFullScreenProgram();
}

void PlaceBelow(HWND hwnd, HWND above) {
    constexpr UINT kZOrderOnly = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
    SetWindowPos(hwnd, HWND_NOTOPMOST, 0, 0, 0, 0, kZOrderOnly);
    // Below a top-most window it is already; placed after one it would join
    // the top-most band again.
    if (!(GetWindowLongPtrW(above, GWL_EXSTYLE) & WS_EX_TOPMOST))
        SetWindowPos(hwnd, above, 0, 0, 0, 0, kZOrderOnly);
}

ClockTime LocalClock() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return {now.wHour, now.wMinute, now.wSecond, now.wMilliseconds,
            DayNumber(now.wYear, now.wMonth, now.wDay)};
}

void DefaultBeep() {
    MessageBeep(0);
}

std::wstring ExecutablePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) return {};
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        if (path.size() >= 32768) return {};
        path.resize(path.size() * 2);
    }
}

}  // namespace pelnor
