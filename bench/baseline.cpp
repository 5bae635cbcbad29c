// The least a drifting mascot needs: a borderless 74x56 popup that paints a
// bitmap and moves itself one pixel up-left on a 500 ms timer, bouncing off
// the screen edges. Pelnor.exe is measured against it. At scale s (a denser
// screen) the window, the picture and the step are s times as large.
//   PelnorBaseline.exe [left top [scale]]   (default 381 292 1)
#include <windows.h>

#include <cwchar>

namespace {

constexpr int kWidth = 74;
constexpr int kHeight = 56;
constexpr UINT_PTR kTimer = 1;

HBITMAP picture = nullptr;
int scale = 1;
int moveX = -1;
int moveY = -1;

void Step(HWND window) {
    RECT frame;
    GetWindowRect(window, &frame);
    int left = frame.left + moveX * scale;
    int top = frame.top + moveY * scale;
    const int width = kWidth * scale;
    const int height = kHeight * scale;
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    if (left < 0 || left + width > screenWidth) {
        moveX = -moveX;
        left = left < 0 ? 0 : screenWidth - width;
    }
    if (top < 0 || top + height > screenHeight) {
        moveY = -moveY;
        top = top < 0 ? 0 : screenHeight - height;
    }
    SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Paint(HWND window) {
    PAINTSTRUCT ps;
    const HDC dc = BeginPaint(window, &ps);
    const HDC source = CreateCompatibleDC(dc);
    const HGDIOBJ old = SelectObject(source, picture);
    StretchBlt(dc, 0, 0, kWidth * scale, kHeight * scale, source, 0, 0, kWidth, kHeight, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
    EndPaint(window, &ps);
}

LRESULT CALLBACK WindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_PAINT:
            Paint(window);
            return 0;
        case WM_TIMER:
            Step(window);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window, msg, wParam, lParam);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
    int left = 381;
    int top = 292;
    std::swscanf(commandLine, L"%d %d %d", &left, &top, &scale);
    if (scale < 1) scale = 1;

    picture = static_cast<HBITMAP>(
        LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));

    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = L"PelnorBaseline";
    RegisterClassW(&windowClass);

    const HWND window =
        CreateWindowExW(WS_EX_TOPMOST, L"PelnorBaseline", L"PelnorBaseline", WS_POPUP, left, top,
                        kWidth * scale, kHeight * scale, nullptr, nullptr, instance, nullptr);
    if (!window) return 1;
    SetTimer(window, kTimer, 500, nullptr);
    ShowWindow(window, SW_SHOW);

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    DeleteObject(picture);
    return static_cast<int>(msg.wParam);
}
