// What every control of the toolkit's dialogs shares: its row of the layout
// table and its place in a dialog or a panel. Windowed controls are system
// windows; labels and images are drawn by their parent (the dialog or a
// panel), in the order they were made, so they can overlap and show through
// each other.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/Dialog.h"
#include "winbase/Handles.h"

namespace tk {

inline constexpr COLORREF kDefaultColor = CLR_INVALID;

// One row of a window's layout table. Positions and sizes are 96-DPI pixels in
// the parent's client area; a label with no width is sized to its text.
struct ControlLayout {
    const wchar_t* text = L"";
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    FontStyle font{};
    COLORREF color = kDefaultColor;       // text colour; default: window text
    COLORREF background = kDefaultColor;  // default: transparent label, button face
    const wchar_t* hint = nullptr;
    DWORD helpContext = 0;
    bool wordWrap = false;
    bool border = true;  // edit: sunken client edge; static text: sunken edge
    bool readOnly = false;
    bool checked = false;
    bool hiragana = false;  // the input method starts in hiragana
    int maxLength = 0;      // edit: code page 932 bytes typed; spin field: characters
    int minValue = 0;
    int maxValue = 0;
    INT_PTR modalResult = 0;  // button: ends the dialog with this result
    int bitmap = 0;           // image: bitmap resource, in whole-pixel squares
    int icon = 0;             // image: 32 x 32 icon resource, in whole-pixel squares
    int id = 0;               // 0: the dialog numbers it
    // A label's copy drawn under its text for looks: no window of its own, so
    // assistive technology reads the text once, and not drawn in high contrast.
    bool shadow = false;
};

class Panel;

class Control {
  public:
    Control() = default;
    explicit Control(const ControlLayout& layout) : layout_(layout), text_(layout.text) {}
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control() = default;

    // Makes the control in the dialog, or in a panel of it.
    void Create(Dialog& dialog, Panel* panel = nullptr);

    // Before Create: a dialog whose size follows its text lays the control out
    // again once it knows the screen's density. The text stays.
    void Relayout(const ControlLayout& layout) { layout_ = layout; }
    // Before Create: the layout and the text of the control's row.
    void SetLayout(const ControlLayout& layout) {
        layout_ = layout;
        text_ = layout.text;
    }

    const ControlLayout& Layout() const noexcept { return layout_; }
    HWND Handle() const noexcept { return hwnd_; }  // nullptr for labels and images
    Panel* Parent() const noexcept { return panel_; }
    bool Windowed() const noexcept { return windowed_; }

    // In the parent's client area, in this screen's pixels.
    RECT BoundsRect() const noexcept { return bounds_; }

    virtual std::wstring Text() const;
    virtual void SetText(std::wstring_view text);

    // Drawing by the parent, for labels and images.
    virtual void Paint(HDC /*dc*/) {}
    // A notification from the control's window; true when handled.
    virtual bool Command(WORD /*code*/) { return false; }
    // WM_CTLCOLOR*: a brush, or nullptr for the default.
    virtual HBRUSH CtlColor(HDC dc);
    // The windows the control's hint is shown over.
    virtual std::vector<HWND> HintWindows() const;
    // Whether `hwnd` is (part of) this control.
    virtual bool Owns(HWND hwnd) const { return hwnd && hwnd == hwnd_; }

  protected:
    virtual bool IsWindowed() const { return true; }
    virtual HWND CreateHandle(HWND parent, int id, RECT bounds) = 0;
    // Labels sized to their text widen the rectangle here.
    virtual void AdjustBounds(RECT& /*bounds*/) {}
    // After the window has its font.
    virtual void Created() {}
    void Resize(const RECT& bounds) noexcept { bounds_ = bounds; }

    // A visible child window with the control's text; `createParams` reaches
    // a window class of the toolkit's own at WM_NCCREATE.
    HWND MakeWindow(DWORD exStyle, const wchar_t* className, DWORD style, HWND parent, int id,
                    const RECT& bounds, void* createParams = nullptr);
    void Invalidate() const;

    Dialog* dialog_ = nullptr;
    HFONT font_ = nullptr;  // owned by the dialog
    ControlLayout layout_;
    std::wstring text_;

  private:
    HWND hwnd_ = nullptr;
    Panel* panel_ = nullptr;
    RECT bounds_{};
    bool windowed_ = true;
    UniqueBrush brush_;
    COLORREF brushColour_ = kDefaultColor;
};

// One row of a dialog's control table: the dialog's member, its layout, and
// the panel it is made in (none: the dialog itself). The rows are in creation
// order, which is the order of the windows and the tab order.
template <class D>
struct ControlRow {
    // Names a control in a row: `&ControlRow<D>::Of<&D::OkButton>`.
    template <auto member>
    static Control& Of(D& dialog) {
        return dialog.*member;
    }

    Control& (*control)(D&);
    ControlLayout layout;
    Panel D::*panel = nullptr;
};

// In the dialog's constructor: each control takes its row's layout and text.
template <class D, std::size_t N>
void LayOut(D& dialog, const ControlRow<D> (&rows)[N]) {
    for (const ControlRow<D>& row : rows) row.control(dialog).SetLayout(row.layout);
}

// In CreateControls: makes the controls in row order, each in its panel.
template <class D, std::size_t N>
void CreateRows(D& dialog, const ControlRow<D> (&rows)[N]) {
    for (const ControlRow<D>& row : rows)
        row.control(dialog).Create(dialog, row.panel ? &(dialog.*row.panel) : nullptr);
}

}  // namespace tk
