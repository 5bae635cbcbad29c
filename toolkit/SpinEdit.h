// An integer field with up and down buttons: an edit that takes digits only
// (and a minus sign where the range has negative numbers), typed or pasted,
// full-width digits as their ASCII ones, with a button window of the toolkit's
// own inside its right edge that steps the value, repeating while held.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "toolkit/Control.h"
#include "toolkit/Window.h"

namespace tk {

class SpinEdit;

// The up and down halves inside the field.
class SpinButton : public Window<SpinButton> {
  public:
    static constexpr UINT kFirstRepeatMs = 400;
    static constexpr UINT kRepeatMs = 100;

    explicit SpinButton(SpinEdit& field) : field_(field) {}
    bool Create(HWND edit, int width);

  private:
    friend class Window<SpinButton>;
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    void Press(LPARAM point);
    void Repeat();
    void Release();
    void Paint(HDC dc) const;

    SpinEdit& field_;
    int pressed_ = 0;  // +1 up half held, -1 down half held
};

class SpinEdit : public Control, private SubclassedControl<SpinEdit> {
  public:
    using Control::Control;

    // The number in the field as typed (not clamped); the minimum when the
    // text is not a number.
    int Value() const;
    // Shows the value brought into the range.
    void SetValue(int value);
    // Shows the value that will be used: a typed value outside the range at
    // the nearest bound, an empty field or a text that is not a number as the
    // minimum. Done when the field loses the focus.
    void ClampNow();
    // One step up (+1) or down (-1) within the range.
    void Step(int delta);

    HWND ButtonHandle() const noexcept { return button_.Handle(); }
    bool Owns(HWND hwnd) const override {
        return hwnd && (hwnd == Handle() || hwnd == ButtonHandle());
    }
    std::vector<HWND> HintWindows() const override { return {Handle(), ButtonHandle()}; }

  protected:
    HWND CreateHandle(HWND parent, int id, RECT bounds) override;
    void Created() override;

  private:
    friend class SubclassedControl<SpinEdit>;
    LRESULT SubclassMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    wchar_t Accepted(wchar_t ch) const;
    std::wstring Filtered(std::wstring_view text) const;
    void FilterText(HWND hwnd);
    LRESULT Paste(HWND hwnd);

    SpinButton button_{*this};  // a child of the edit
};

}  // namespace tk
