#include "platform/WinOps.h"

#include "toolkit/Handles.h"

namespace pelnor {

bool ApplyOutlineRegion(HWND hwnd, const std::array<OutlinePoint, kOutlinePoints>& points) {
    std::array<POINT, kOutlinePoints> vertices{};
    for (std::size_t k = 0; k < points.size(); ++k) vertices[k] = {points[k].x, points[k].y};
    tk::UniqueRegion region(CreatePolygonRgn(vertices.data(), kOutlinePoints, ALTERNATE));
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

SIZE PrimaryScreenSize() {
    return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

ClockTime LocalClock() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return {now.wHour, now.wMinute, now.wSecond, now.wMilliseconds};
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
