#include "toolkit/Timer.h"

#include <algorithm>

namespace tk {

void TTimerHost::AddTimer(TTimer& timer) {
    if (std::find(timers_.begin(), timers_.end(), &timer) == timers_.end())
        timers_.push_back(&timer);
}

void TTimerHost::RemoveTimer(TTimer& timer) {
    std::erase(timers_, &timer);
}

bool TTimerHost::DispatchTimer(UINT_PTR id) {
    for (TTimer* timer : timers_) {
        if (timer->Id() == id) {
            timer->Fire();
            return true;
        }
    }
    return false;
}

TTimer::TTimer(TTimerHost& host, UINT_PTR id, UINT intervalMs, std::function<void()> onTimer)
    : host_(host), id_(id), interval_(intervalMs), onTimer_(std::move(onTimer)) {
    host_.AddTimer(*this);
}

TTimer::~TTimer() {
    SetEnabled(false);
    host_.RemoveTimer(*this);
}

void TTimer::SetEnabled(bool enabled) {
    const HWND hwnd = host_.TimerWindow();
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
