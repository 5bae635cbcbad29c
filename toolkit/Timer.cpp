#include "toolkit/Timer.h"

#include "toolkit/Form.h"

namespace tk {

TTimer::TTimer(TForm& owner, UINT_PTR id, UINT intervalMs, std::function<void()> onTimer)
    : owner_(owner), id_(id), interval_(intervalMs), onTimer_(std::move(onTimer)) {
    owner_.AddTimer(*this);
}

TTimer::~TTimer() {
    SetEnabled(false);
    owner_.RemoveTimer(*this);
}

void TTimer::SetEnabled(bool enabled) {
    const HWND hwnd = owner_.Handle();
    if (enabled && hwnd) {
        enabled_ = SetTimer(hwnd, id_, interval_, nullptr) != 0;
    } else {
        if (enabled_ && hwnd) KillTimer(hwnd, id_);
        enabled_ = false;
    }
}

void TTimer::Fire() {
    if (enabled_ && onTimer_) onTimer_();
}

}  // namespace tk
