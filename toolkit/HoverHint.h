// The hint over a whole window: a small pop-up with one line of text, shown
// when the mouse rests on the window and hidden when it leaves, is pressed,
// or after a few seconds, like a tool tip; never while the window's menu is
// open or a modal window has disabled it, and always wholly on one monitor.
// USER alone draws it, so a window that wants only this needs no common
// controls. The window it belongs to hands it its mouse messages.
#pragma once

#include <windows.h>

#include <string>

#include "toolkit/Window.h"

namespace tk {

class HoverHint : public Window<HoverHint> {
  public:
    explicit HoverHint(std::wstring text) : text_(std::move(text)) {}

    // The font of the text, owned by the caller; the pop-up follows it the next time it shows.
    void SetFont(HFONT font) noexcept { font_ = font; }

    // The owner's mouse messages (moves, hover, leave, presses, WM_CONTEXTMENU),
    // its WM_ENTERMENULOOP, WM_EXITMENULOOP and WM_ENABLE: they show and hide the hint.
    void Relay(HWND owner, UINT msg) noexcept;

    bool Shown() const noexcept { return Handle() && IsWindowVisible(Handle()); }

  private:
    friend class Window<HoverHint>;
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    void Show() noexcept;
    void Hide() noexcept;
    void CancelTracking(HWND owner) noexcept;
    SIZE TextSize(HDC dc) const noexcept;

    std::wstring text_;
    HFONT font_ = nullptr;
    bool tracking_ = false;  // asked for the owner's hover and leave
    bool menuOpen_ = false;  // between the owner's WM_ENTERMENULOOP and WM_EXITMENULOOP
};

}  // namespace tk
