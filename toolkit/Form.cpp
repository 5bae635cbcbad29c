#include "toolkit/Form.h"

#include <algorithm>

#include "toolkit/Timer.h"

namespace tk {

TForm::~TForm() {
    if (hwnd_) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
}

void TForm::Close() const {
    if (hwnd_) SendMessageW(hwnd_, WM_CLOSE, 0, 0);
}

void TForm::AddTimer(TTimer& timer) {
    if (std::find(timers_.begin(), timers_.end(), &timer) == timers_.end())
        timers_.push_back(&timer);
}

void TForm::RemoveTimer(TTimer& timer) {
    std::erase(timers_, &timer);
}

bool TForm::DispatchTimer(UINT_PTR id) {
    for (TTimer* timer : timers_) {
        if (timer->Id() == id) {
            timer->Fire();
            return true;
        }
    }
    return false;
}

bool TForm::CreateForm(const FormLayout& layout) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    if (!GetClassInfoExW(instance, layout.className, &wc)) {
        wc = {};
        wc.cbSize = sizeof wc;
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = WindowProc;
        wc.hInstance = instance;
        wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
        wc.lpszClassName = layout.className;
        if (!RegisterClassExW(&wc)) return false;
    }
    backgroundBrush_.reset(CreateSolidBrush(layout.background));

    RECT frame{layout.left, layout.top, layout.left + layout.clientWidth,
               layout.top + layout.clientHeight};
    AdjustWindowRectEx(&frame, layout.style, FALSE, layout.exStyle);
    return CreateWindowExW(layout.exStyle, layout.className, layout.caption, layout.style,
                           frame.left, frame.top, frame.right - frame.left,
                           frame.bottom - frame.top, nullptr, nullptr, instance, this) != nullptr;
}

LRESULT TForm::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_TIMER:
            if (DispatchTimer(wParam)) return 0;
            break;
        case WM_ERASEBKGND: {
            RECT client;
            GetClientRect(hwnd_, &client);
            FillRect(reinterpret_cast<HDC>(wParam), &client, backgroundBrush_.get());
            return 1;
        }
        default:
            break;
    }
    return DefWindowProcW(hwnd_, msg, wParam, lParam);
}

LRESULT CALLBACK TForm::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    TForm* form = nullptr;
    if (msg == WM_NCCREATE) {
        form = static_cast<TForm*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        form->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    } else {
        form = reinterpret_cast<TForm*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    }
    if (!form) return DefWindowProcW(hwnd, msg, wParam, lParam);

    LRESULT result = 0;
    try {
        result = form->HandleMessage(msg, wParam, lParam);
    } catch (...) {
        // No exception may unwind through the system's code; a handler that
        // threw has done nothing, so let the system do its default.
        result = DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        form->hwnd_ = nullptr;
    }
    return result;
}

}  // namespace tk
