// Window timers: a timer belongs to a host window (a form or a dialog) and its
// ticks arrive as WM_TIMER on that window's thread.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

namespace tk {

class Timer;

// A window that runs timers: it hands each WM_TIMER to DispatchTimer.
class TimerHost {
  public:
    TimerHost() = default;
    TimerHost(const TimerHost&) = delete;
    TimerHost& operator=(const TimerHost&) = delete;

    // The window the timers are set on; nullptr before it exists.
    virtual HWND TimerWindow() const noexcept = 0;

    void AddTimer(Timer& timer);
    void RemoveTimer(Timer& timer);

  protected:
    ~TimerHost() = default;
    // Runs the timer with this id; false if none has it.
    bool DispatchTimer(UINT_PTR id);

  private:
    std::vector<Timer*> timers_;
};

class Timer {
  public:
    Timer(TimerHost& host, UINT_PTR id, UINT intervalMs, std::function<void()> onTimer);
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;
    ~Timer();

    void SetEnabled(bool enabled);
    bool Enabled() const noexcept { return enabled_; }
    UINT_PTR Id() const noexcept { return id_; }
    UINT Interval() const noexcept { return interval_; }
    void Fire();

  private:
    TimerHost& host_;
    UINT_PTR id_;
    UINT interval_;
    std::function<void()> onTimer_;
    bool enabled_ = false;
};

}  // namespace tk
