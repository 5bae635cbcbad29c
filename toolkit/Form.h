// The toolkit's top-level window: the window base hands each message to the
// form's HandleMessage, which a form overrides.
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

class Form : public Window<Form>, public TimerHost {
  public:
    Form() = default;
    virtual ~Form() = default;

    // Asks the window to close, as the close box or Alt+F4 would.
    void Close() const;

    HWND TimerWindow() const noexcept override { return Handle(); }

  protected:
    // Registers the class on first use and creates the window; false on failure.
    [[nodiscard]] bool CreateForm(const FormLayout& layout);

    // Everything not handled goes to DefWindowProc.
    virtual LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);

  private:
    friend class Window<Form>;

    UniqueBrush backgroundBrush_;
};

}  // namespace tk
