#include "toolkit/Form.h"

namespace tk {

void Form::Close() const {
    if (Handle()) SendMessageW(Handle(), WM_CLOSE, 0, 0);
}

bool Form::CreateForm(const FormLayout& layout) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    if (!RegisterClassFor({.name = layout.className,
                           .style = CS_DBLCLKS,
                           .icon = LoadIconW(instance, MAKEINTRESOURCEW(1))}))
        return false;
    backgroundBrush_.reset(CreateSolidBrush(layout.background));

    RECT frame{layout.left, layout.top, layout.left + layout.clientWidth,
               layout.top + layout.clientHeight};
    AdjustWindowRectEx(&frame, layout.style, FALSE, layout.exStyle);
    return CreateWindowHandle(layout.exStyle, layout.className, layout.caption, layout.style,
                              frame.left, frame.top, frame.right - frame.left,
                              frame.bottom - frame.top, nullptr) != nullptr;
}

LRESULT Form::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_TIMER:
            if (DispatchTimer(wParam)) return 0;
            break;
        case WM_ERASEBKGND: {
            RECT client;
            GetClientRect(Handle(), &client);
            FillRect(reinterpret_cast<HDC>(wParam), &client, backgroundBrush_.get());
            return 1;
        }
        default:
            break;
    }
    return DefWindowProcW(Handle(), msg, wParam, lParam);
}

}  // namespace tk
