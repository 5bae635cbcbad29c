#include "toolkit/Window.h"

#include <exception>

namespace tk {

bool RegisterWindowClass(const WindowClass& windowClass) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    if (GetClassInfoExW(instance, windowClass.name, &wc)) return true;
    wc = {};
    wc.cbSize = sizeof wc;
    wc.style = windowClass.style;
    wc.lpfnWndProc = windowClass.procedure;
    wc.hInstance = instance;
    wc.hIcon = windowClass.icon;
    wc.hCursor = windowClass.cursor;
    wc.hbrBackground = windowClass.background;
    wc.lpszClassName = windowClass.name;
    return RegisterClassExW(&wc) != 0;
}

void ReportHandlerFailure(UINT msg) noexcept {
    // Written without printf, which would bring its formatting into the program.
    char text[] = "Pelnor: the handler of message 0x0000 failed: ";
    constexpr char kHex[] = "0123456789ABCDEF";
    char* digits = text + sizeof "Pelnor: the handler of message 0x" - 1;
    for (int i = 3; i >= 0; --i, msg >>= 4) digits[i] = kHex[msg & 0xF];
    OutputDebugStringA(text);
    try {
        throw;
    } catch (const std::exception& e) {
        OutputDebugStringA(e.what());
    } catch (...) {
        OutputDebugStringA("an exception of no known type");
    }
    OutputDebugStringA("\n");
}

}  // namespace tk
