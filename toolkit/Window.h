// The one way a window of this program finds its object. A class derives from
// Window<Itself>, befriends it and writes a HandleMessage (and, if the window
// owns the object, a FinalMessage); the static window procedure takes
// the object from the creation parameters at WM_NCCREATE, keeps it in
// GWLP_USERDATA, forgets it at WM_NCDESTROY and lets no exception cross it.
// Subclassed system controls go through SetWindowSubclass the same way.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "toolkit/CommonControls.h"

namespace tk {

// A window class as this program registers it.
struct WindowClass {
    const wchar_t* name = nullptr;
    WNDPROC procedure = nullptr;
    UINT style = 0;
    HICON icon = nullptr;
    HCURSOR cursor = nullptr;
    HBRUSH background = nullptr;
};

// Registers the class the first time it is asked for; true when the class
// exists afterwards.
[[nodiscard]] bool RegisterWindowClass(const WindowClass& windowClass);

// Called in the handler of an exception that a window's handler let out:
// writes the message and the exception to the debugger's output.
void ReportHandlerFailure(UINT msg) noexcept;

template <typename Derived>
class Window {
  public:
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND Handle() const noexcept { return hwnd_; }

  protected:
    // The object goes with its window: a window that outlives it is destroyed
    // without reaching it again.
    ~Window() {
        if (hwnd_) {
            SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
            DestroyWindow(hwnd_);
        }
    }

    // Registers a class whose windows run through this procedure.
    static bool RegisterClassFor(WindowClass windowClass) {
        windowClass.procedure = WindowProc;
        return RegisterWindowClass(windowClass);
    }

    // Creates the window for this object; nullptr on failure.
    [[nodiscard]] HWND CreateWindowHandle(DWORD exStyle, const wchar_t* className, const wchar_t* text,
                            DWORD style, int x, int y, int width, int height, HWND parent) {
        return CreateWindowExW(exStyle, className, text, style, x, y, width, height, parent,
                               nullptr, GetModuleHandleW(nullptr), CreateParams());
    }

    // What a derived class that makes its window some other way passes as
    // lpParam of CreateWindowEx.
    void* CreateParams() noexcept { return static_cast<Derived*>(this); }

    // After the last message: a window that owns its object lets go of it here.
    void FinalMessage() noexcept {}

    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
        Derived* self = nullptr;
        if (msg == WM_NCCREATE) {
            self = static_cast<Derived*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
            if (self) {
                static_cast<Window*>(self)->hwnd_ = hwnd;
                SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
            }
        } else {
            self = reinterpret_cast<Derived*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        }
        if (!self) return DefWindowProcW(hwnd, msg, wParam, lParam);

        LRESULT result = 0;
        try {
            result = self->HandleMessage(msg, wParam, lParam);
        } catch (...) {
            // A window whose creation threw is not made; any other handler
            // that threw has done nothing the system needs to know of, and
            // the system does its default.
            ReportHandlerFailure(msg);
            if (msg == WM_NCCREATE) result = FALSE;
            else if (msg == WM_CREATE) result = -1;
            else result = DefWindowProcW(hwnd, msg, wParam, lParam);
        }
        if (msg == WM_NCDESTROY) {
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
            static_cast<Window*>(self)->hwnd_ = nullptr;
            self->FinalMessage();  // may delete the object
        }
        return result;
    }

  private:
    HWND hwnd_ = nullptr;
};

// Subclasses a system control: `Derived::SubclassMessage(hwnd, msg, wParam,
// lParam)` sees its messages first and passes on what it does not take with
// DefaultSubclassProc. Removed when the control is destroyed; nothing is
// subclassed where the common controls cannot be loaded.
template <typename Derived>
class SubclassedControl {
  protected:
    bool Subclass(HWND hwnd) noexcept {
        return SetSubclass(hwnd, SubclassProc, kSubclassId,
                           reinterpret_cast<DWORD_PTR>(static_cast<Derived*>(this)));
    }

  private:
    static constexpr UINT_PTR kSubclassId = 1;

    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR data) noexcept {
        if (msg == WM_NCDESTROY) {
            RemoveSubclass(hwnd, SubclassProc, id);
            return DefaultSubclassProc(hwnd, msg, wParam, lParam);
        }
        try {
            return reinterpret_cast<Derived*>(data)->SubclassMessage(hwnd, msg, wParam, lParam);
        } catch (...) {
            ReportHandlerFailure(msg);
            return DefaultSubclassProc(hwnd, msg, wParam, lParam);
        }
    }
};

}  // namespace tk
