// A window timer owned by a form; ticks arrive as WM_TIMER on the form's thread.
#pragma once

#include <windows.h>

#include <functional>

namespace tk {

class TForm;

class TTimer {
  public:
    TTimer(TForm& owner, UINT_PTR id, UINT intervalMs, std::function<void()> onTimer);
    TTimer(const TTimer&) = delete;
    TTimer& operator=(const TTimer&) = delete;
    ~TTimer();

    void SetEnabled(bool enabled);
    bool Enabled() const noexcept { return enabled_; }
    UINT_PTR Id() const noexcept { return id_; }
    UINT Interval() const noexcept { return interval_; }
    void Fire();

  private:
    TForm& owner_;
    UINT_PTR id_;
    UINT interval_;
    std::function<void()> onTimer_;
    bool enabled_ = false;
};

}  // namespace tk
