// The simple controls: labels and images drawn by their parent, the panel that
// draws those made in it, and the system's buttons, check boxes and static text.
#pragma once

#include <windows.h>

#include <functional>
#include <string_view>
#include <vector>

#include "toolkit/Control.h"
#include "toolkit/Window.h"
#include "winbase/Handles.h"

namespace tk {

// Text drawn by its parent: transparent unless it has a background colour.
// Its static window carries the text for assistive technology (and names the
// field made after it) and shows what the parent draws there; a shadow has
// no window.
class Label : public Control, private SubclassedControl<Label> {
  public:
    using Control::Control;
    void Paint(HDC dc) override;
    void SetText(std::wstring_view text) override;

  protected:
    bool IsWindowed() const override { return false; }
    HWND CreateHandle(HWND parent, int id, RECT bounds) override;
    void AdjustBounds(RECT& bounds) override;

  private:
    friend class SubclassedControl<Label>;
    LRESULT SubclassMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
};

// A picture drawn by its parent: the program's own bitmap or icon in whole-pixel
// squares centred in its rectangle, an icon given by SetIcon stretched to it.
class Image : public Control {
  public:
    using Control::Control;
    void Paint(HDC dc) override;
    bool HasPicture() const noexcept { return bitmap_ || icon_; }
    void SetIcon(UniqueIcon icon);

  protected:
    bool IsWindowed() const override { return false; }
    HWND CreateHandle(HWND, int, RECT) override;

  private:
    static constexpr int kPixelArtIcon = 32;  // the size of the icon art drawn scaled

    // A bitmap whose first palette entry is the colour of the face it stands
    // on (the row's background) takes the face's colour in high contrast.
    void FollowFace();

    UniqueBitmap bitmap_;
    UniqueIcon icon_;
    UniqueBitmap shownArt_;  // the icon resource at the scale last drawn, premultiplied
    int shownScale_ = 0;
    COLORREF face_ = kDefaultColor;
};

// A coloured area with lowered inner and outer bevels that draws the labels
// and images made in it.
class Panel : public Control, public Window<Panel> {
  public:
    using Control::Control;
    // The same window; the base's is known from WM_NCCREATE on.
    using Window<Panel>::Handle;
    void AddGraphic(Control& control) { graphics_.push_back(&control); }
    const std::vector<Control*>& Graphics() const noexcept { return graphics_; }

  protected:
    HWND CreateHandle(HWND parent, int id, RECT bounds) override;

  private:
    friend class Window<Panel>;
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    void PaintPanel(HDC dc);

    std::vector<Control*> graphics_;
};

class Button : public Control {
  public:
    using Control::Control;
    std::function<void()> OnClick;
    // What a click does: the handler, then the modal result if it has one.
    void Click();
    bool Command(WORD code) override;

  protected:
    HWND CreateHandle(HWND parent, int id, RECT bounds) override;
};

class CheckBox : public Control {
  public:
    using Control::Control;
    bool Checked() const;
    void SetChecked(bool checked);

  protected:
    HWND CreateHandle(HWND parent, int id, RECT bounds) override;
};

// Static text in a window of its own: sunken edge, coloured text and background.
class StaticText : public Control {
  public:
    using Control::Control;

  protected:
    HWND CreateHandle(HWND parent, int id, RECT bounds) override;
};

}  // namespace tk
