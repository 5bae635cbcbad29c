// The toolkit's modal dialog: an in-memory template with no controls, shown
// with the system's dialog manager (Tab, Enter, Esc, default and cancel
// buttons); the controls are made from the window's layout table when the
// dialog starts.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "core/Scale.h"
#include "toolkit/Timer.h"
#include "winbase/Handles.h"

namespace tk {

class Control;
class Button;

// A font by face, character height in 96-DPI pixels (without internal
// leading) and weight. An empty style means the dialog's own font; a style with
// only a height or only bold takes the dialog's face.
struct FontStyle {
    const wchar_t* face = nullptr;
    int height = 0;
    bool bold = false;
};

struct DialogLayout {
    const wchar_t* caption = L"";
    int clientWidth = 0;
    int clientHeight = 0;
    FontStyle font{};
    bool contextHelpBox = false;  // the "?" box in the caption
    bool stayOnTop = false;
    bool taskbarButton = false;  // a button of its own on the taskbar, though owned
    const wchar_t* hint = nullptr;
    DWORD helpContext = 0;
};

class Dialog : public TimerHost {
  public:
    explicit Dialog(const DialogLayout& form) : form_(form) {}
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;
    virtual ~Dialog();

    // Runs the dialog until it ends; returns its modal result (-1 if it could
    // not be shown).
    INT_PTR ShowModal(HWND owner);
    void EndModal(INT_PTR result);

    HWND Handle() const noexcept { return hwnd_; }
    HWND TimerWindow() const noexcept override { return hwnd_; }
    const DialogLayout& Form() const noexcept { return form_; }

    // 96-DPI pixels to this dialog's pixels.
    int Scale(int pixels) const noexcept { return pelnor::AtDpi(pixels, dpi_); }
    int Dpi() const noexcept { return dpi_; }

    // The font for a control; owned by the dialog.
    HFONT FontFor(const FontStyle& style);

    // The control whose window is `hwnd` (or holds it), or nullptr.
    Control* ControlOf(HWND hwnd) const;

    // The help context for a window of this dialog: its control's own number,
    // else its nearest parent's non-zero one, else the dialog's.
    DWORD HelpContextOf(HWND hwnd) const;

    // Called from within the modal loop once the dialog is on screen: for every
    // dialog (tests drive nested boxes through it) and for this one.
    static inline std::function<void(HWND)> ShownHook;
    std::function<void(HWND)> OnShown;

    // Tests lay the dialogs out for another screen density than the window's
    // own; the frame still follows the window's.
    static inline std::optional<UINT> DpiForTesting;

    // Context help (F1, or the "?" box then a click): the help context and the
    // control's client origin on screen.
    std::function<void(DWORD context, POINT screenPoint)> ContextHelp;

    // For the controls while they are made.
    int RegisterControl(Control& control);
    void SetDefaultButton(Button& button);
    void SetCancelButton(Button& button) { cancelButton_ = &button; }

  protected:
    // Once the density is known and before the dialog takes its size: a box
    // whose size follows its text measures it here and sets form_.
    virtual void FitLayout() {}
    // Makes the controls in tab order; the first one that takes the focus gets it.
    virtual void CreateControls() = 0;
    virtual void FormCreate() {}
    // Once the dialog is on screen, before OnShown.
    virtual void FormShow() {}
    virtual void FormHide() {}

  private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;
    INT_PTR Dispatch(UINT msg, WPARAM wParam, LPARAM lParam);
    void InitDialog();
    SIZE FrameSize(UINT frameDpi) const;
    void KeepLayout(UINT newDpi, const RECT& suggested);
    void AddToolTips();
    void Paint(HDC dc);
    bool Command(WPARAM wParam, LPARAM lParam);
    INT_PTR ControlColour(HDC dc, HWND control);
    void Help(const HELPINFO& info);
    void FocusFirst();

  protected:
    // A copy, so a box whose size follows its text can set it before showing.
    DialogLayout form_;

  private:
    HWND hwnd_ = nullptr;
    int dpi_ = 96;
    UniqueWindow toolTip_;  // destroyed with the dialog
    std::vector<Control*> controls_;
    Button* defaultButton_ = nullptr;
    Button* cancelButton_ = nullptr;
    int nextId_ = 1000;
    bool ending_ = false;
    bool placing_ = false;  // InitDialog is moving it onto its monitor

    struct CachedFont {
        const wchar_t* face;
        int height;
        bool bold;
        UniqueFont font;
    };
    std::vector<CachedFont> fonts_;
};

}  // namespace tk
