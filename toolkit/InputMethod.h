// A window's input method (IME). Its library is loaded the first time an edit
// field asks for it, when a field that starts in hiragana gets the focus or
// the input method finishes a text; without it there is no context and the
// field takes keys as a plain edit does.
#pragma once

#include <windows.h>
#include <imm.h>

#include <string>

namespace tk {

// A window's input-method context from ImmGetContext, released to that window.
class InputContext {
  public:
    explicit InputContext(HWND hwnd) noexcept;
    InputContext(const InputContext&) = delete;
    InputContext& operator=(const InputContext&) = delete;
    ~InputContext();
    HIMC get() const noexcept { return context_; }
    explicit operator bool() const noexcept { return context_ != nullptr; }

    // Opens the input method in full-width hiragana.
    void StartHiragana() const noexcept;
    // The text the input method has just finished (GCS_RESULTSTR).
    std::wstring Result() const;

  private:
    HWND hwnd_;
    HIMC context_;
};

}  // namespace tk
