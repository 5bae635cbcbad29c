#include "toolkit/Timer.h"

#include <algorithm>

namespace tk {

void TimerHost::AddTimer(Timer& timer) {
    if (std::find(timers_.begin(), timers_.end(), &timer) == timers_.end())
        timers_.push_back(&timer);
}

void TimerHost::RemoveTimer(Timer& timer) {
    std::erase(timers_, &timer);
}

bool TimerHost::DispatchTimer(UINT_PTR id) {
    for (Timer* timer : timers_) {
        if (timer->Id() == id) {
            timer->Fire();
            return true;
        }
    }
    return false;
}

Timer::Timer(TimerHost& host, UINT_PTR id, UINT intervalMs, std::function<void()> onTimer)
    : host_(host), id_(id), interval_(intervalMs), onTimer_(std::move(onTimer)) {
    host_.AddTimer(*this);
}

Timer::~Timer() {
    SetEnabled(false);
    host_.RemoveTimer(*this);
}

void Timer::SetEnabled(bool enabled) {
    const HWND hwnd = host_.TimerWindow();
    if (enabled && hwnd) {
        enabled_ = SetTimer(hwnd, id_, interval_, nullptr) != 0;
    } else {
        if (enabled_ && hwnd) KillTimer(hwnd, id_);
        enabled_ = false;
    }
}

void Timer::Fire() {
    if (enabled_ && onTimer_) onTimer_();
}

}  // namespace tk
