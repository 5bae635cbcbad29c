#include "toolkit/Application.h"

namespace tk {

ApplicationState& Application() {
    static ApplicationState application;
    return application;
}

void ApplicationState::SetAccelerators(HWND target, HACCEL accelerators) {
    acceleratorTarget_ = target;
    accelerators_ = accelerators;
}

bool ApplicationState::TranslateForTarget(MSG& msg) const {
    if (!accelerators_ || !acceleratorTarget_) return false;
    if (msg.hwnd != acceleratorTarget_ && !IsChild(acceleratorTarget_, msg.hwnd)) return false;
    return TranslateAcceleratorW(acceleratorTarget_, accelerators_, &msg) != 0;
}

int ApplicationState::Run() {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (TranslateForTarget(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

void ApplicationState::ProcessMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        if (TranslateForTarget(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

}  // namespace tk
