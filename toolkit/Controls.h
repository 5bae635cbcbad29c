// The controls of the toolkit's dialogs. Windowed controls (button, edit,
// spin field, check box, static text, panel) are system windows; labels and
// images are drawn by their parent (the dialog or a panel), in the order they
// were made, so they can overlap and show through each other.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/Dialog.h"
#include "toolkit/Handles.h"

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
    int bitmap = 0;           // image: bitmap resource
    int icon = 0;             // image: icon resource, stretched to the size
    int id = 0;               // 0: the dialog numbers it
};

class TPanel;

class TControl {
  public:
    explicit TControl(const ControlLayout& layout) : layout_(layout), text_(layout.text) {}
    TControl(const TControl&) = delete;
    TControl& operator=(const TControl&) = delete;
    virtual ~TControl() = default;

    // Makes the control in the dialog, or in a panel of it.
    void Create(TDialog& dialog, TPanel* panel = nullptr);

    const ControlLayout& Layout() const noexcept { return layout_; }
    HWND Handle() const noexcept { return hwnd_; }  // nullptr for labels and images
    TPanel* Parent() const noexcept { return panel_; }
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

    HWND MakeWindow(DWORD exStyle, const wchar_t* className, DWORD style, HWND parent, int id,
                    const RECT& bounds);
    void Invalidate() const;

    TDialog* dialog_ = nullptr;
    HFONT font_ = nullptr;  // owned by the dialog
    const ControlLayout& layout_;
    std::wstring text_;

  private:
    HWND hwnd_ = nullptr;
    TPanel* panel_ = nullptr;
    RECT bounds_{};
    bool windowed_ = true;
    UniqueBrush brush_;
};

// Text drawn by its parent: transparent unless it has a background colour.
class TLabel : public TControl {
  public:
    using TControl::TControl;
    void Paint(HDC dc) override;
    void SetText(std::wstring_view text) override;

  protected:
    bool IsWindowed() const override { return false; }
    HWND CreateHandle(HWND, int, RECT) override { return nullptr; }
    void AdjustBounds(RECT& bounds) override;
};

// A picture drawn by its parent, stretched to its rectangle.
class TImage : public TControl {
  public:
    using TControl::TControl;
    void Paint(HDC dc) override;
    bool HasPicture() const noexcept { return bitmap_ || icon_; }
    void SetIcon(UniqueIcon icon);

  protected:
    bool IsWindowed() const override { return false; }
    HWND CreateHandle(HWND, int, RECT) override;

  private:
    UniqueBitmap bitmap_;
    UniqueIcon icon_;
};

// A coloured area with lowered inner and outer bevels that draws the labels
// and images made in it.
class TPanel : public TControl {
  public:
    using TControl::TControl;
    void AddGraphic(TControl& control) { graphics_.push_back(&control); }
    const std::vector<TControl*>& Graphics() const noexcept { return graphics_; }

  protected:
    HWND CreateHandle(HWND parent, int id, RECT bounds) override;

  private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;
    void PaintPanel(HDC dc);

    std::vector<TControl*> graphics_;
    UniqueBrush face_;
};

class TButton : public TControl {
  public:
    using TControl::TControl;
    std::function<void()> OnClick;
    // What a click does: the handler, then the modal result if it has one.
    void Click();
    bool Command(WORD code) override;

  protected:
    HWND CreateHandle(HWND parent, int id, RECT bounds) override;
};

class TCheckBox : public TControl {
  public:
    using TControl::TControl;
    bool Checked() const;
    void SetChecked(bool checked);

  protected:
    HWND CreateHandle(HWND parent, int id, RECT bounds) override;
};

// Static text in a window of its own: sunken edge, coloured text and background.
class TStaticText : public TControl {
  public:
    using TControl::TControl;

  protected:
    HWND CreateHandle(HWND parent, int id, RECT bounds) override;
};

// Holds one-line text whose typed length is limited in code page 932 bytes
// (a longer text set by the program is shown whole).
class TEdit : public TControl {
  public:
    using TControl::TControl;
    std::wstring Text() const override;
    void SetText(std::wstring_view text) override;

    // The longest start of `insert` that fits in place of the selection.
    std::wstring Fitting(std::wstring_view insert) const;

  protected:
    HWND CreateHandle(HWND parent, int id, RECT bounds) override;

  private:
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wParam,
                                         LPARAM lParam) noexcept;
    LRESULT EditMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    bool InsertFitting(std::wstring_view insert);
    void StartHiragana(HWND hwnd) const;

    WNDPROC editProc_ = nullptr;
};

// An integer field with up and down buttons.
class TSpinEdit : public TControl {
  public:
    static constexpr UINT kFirstRepeatMs = 400;
    static constexpr UINT kRepeatMs = 100;

    using TControl::TControl;
    std::wstring Text() const override;
    void SetText(std::wstring_view text) override;

    // The number in the field as typed (not clamped); the minimum when the
    // text is not a number.
    int Value() const;
    // Shows the value brought into the range.
    void SetValue(int value);
    // Brings a typed value outside the range to the nearest bound.
    void ClampNow();
    // One step up (+1) or down (-1) within the range.
    void Step(int delta);

    HWND ButtonHandle() const noexcept { return button_; }
    bool Owns(HWND hwnd) const override { return hwnd && (hwnd == Handle() || hwnd == button_); }
    std::vector<HWND> HintWindows() const override { return {Handle(), button_}; }

  protected:
    HWND CreateHandle(HWND parent, int id, RECT bounds) override;
    void Created() override;

  private:
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wParam,
                                         LPARAM lParam) noexcept;
    static LRESULT CALLBACK ButtonProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;
    LRESULT EditMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT ButtonMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    bool AcceptsChar(wchar_t ch) const;
    void PaintButton(HDC dc) const;

    WNDPROC editProc_ = nullptr;
    HWND button_ = nullptr;  // child of the edit
    int pressed_ = 0;        // +1 up half held, -1 down half held
};

}  // namespace tk
