// The toolkit's top-level window: one static window procedure finds the form
// object and hands each message to its HandleMessage.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "toolkit/Handles.h"

namespace tk {

class TTimer;

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

class TForm {
  public:
    TForm() = default;
    TForm(const TForm&) = delete;
    TForm& operator=(const TForm&) = delete;
    virtual ~TForm();

    HWND Handle() const noexcept { return hwnd_; }

    // Asks the window to close, as the close box or Alt+F4 would.
    void Close() const;

    // Timers deliver their ticks through the form's message queue.
    void AddTimer(TTimer& timer);
    void RemoveTimer(TTimer& timer);

  protected:
    // Registers the class on first use and creates the window; false on failure.
    bool CreateForm(const FormLayout& layout);

    // Everything not handled goes to DefWindowProc.
    virtual LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);

  private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;
    bool DispatchTimer(UINT_PTR id);

    HWND hwnd_ = nullptr;
    UniqueBrush backgroundBrush_;
    std::vector<TTimer*> timers_;
};

}  // namespace tk
