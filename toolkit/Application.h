// The application object: title, help file and the message loop.
#pragma once

#include <windows.h>

#include <string>

namespace tk {

class ApplicationState {
  public:
    std::wstring Title;

    // Routes key presses for `target` (or its children) through `accelerators`
    // before they are dispatched; the dialogs' own loops never see them.
    void SetAccelerators(HWND target, HACCEL accelerators);

    // Runs until WM_QUIT; returns its exit code.
    int Run();

    // Handles all pending messages without waiting, for tests.
    void ProcessMessages();

  private:
    bool TranslateForTarget(MSG& msg) const;

    HWND acceleratorTarget_ = nullptr;
    HACCEL accelerators_ = nullptr;
};

ApplicationState& Application();

}  // namespace tk
