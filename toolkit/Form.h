// The toolkit's top-level window. Like every window of the program it goes
// through Window<Derived>: the derived class writes a HandleMessage and passes
// on what it does not handle to FormMessage, which runs its timers, paints its
// background and leaves the rest to DefWindowProc.
#pragma once

#include <windows.h>

#include "toolkit/Timer.h"
#include "toolkit/Window.h"
#include "winbase/Handles.h"

namespace tk {

// A top-level window's place and look, in screen pixels.
struct FormLayout {
    const wchar_t* className;
    const wchar_t* caption;
    int left;
    int top;
    int clientWidth;
    int clientHeight;
    DWORD style;
    DWORD exStyle;
    COLORREF background;
};

template <typename Derived>
class Form : public Window<Derived>, public TimerHost {
  public:
    // Asks the window to close, as the close box or Alt+F4 would.
    void Close() const {
        if (this->Handle()) SendMessageW(this->Handle(), WM_CLOSE, 0, 0);
    }

    HWND TimerWindow() const noexcept override { return this->Handle(); }

  protected:
    Form() = default;
    ~Form() = default;

    // Registers the class on first use and creates the window; false on failure.
    [[nodiscard]] bool CreateForm(const FormLayout& layout) {
        const HINSTANCE instance = GetModuleHandleW(nullptr);
        if (!this->RegisterClassFor({.name = layout.className,
                                     .style = CS_DBLCLKS,
                                     .icon = LoadIconW(instance, MAKEINTRESOURCEW(1))}))
            return false;
        backgroundBrush_.reset(CreateSolidBrush(layout.background));

        RECT frame{layout.left, layout.top, layout.left + layout.clientWidth,
                   layout.top + layout.clientHeight};
        AdjustWindowRectEx(&frame, layout.style, FALSE, layout.exStyle);
        return this->CreateWindowHandle(layout.exStyle, layout.className, layout.caption,
                                        layout.style, frame.left, frame.top,
                                        frame.right - frame.left, frame.bottom - frame.top,
                                        nullptr) != nullptr;
    }

    // What the form does with a message its window did not handle.
    LRESULT FormMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
        switch (msg) {
            case WM_TIMER:
                if (DispatchTimer(wParam)) return 0;
                break;
            case WM_ERASEBKGND: {
                RECT client;
                GetClientRect(this->Handle(), &client);
                FillRect(reinterpret_cast<HDC>(wParam), &client, backgroundBrush_.get());
                return 1;
            }
            default:
                break;
        }
        return DefWindowProcW(this->Handle(), msg, wParam, lParam);
    }

  private:
    UniqueBrush backgroundBrush_;
};

}  // namespace tk
