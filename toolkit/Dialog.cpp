#include "toolkit/Dialog.h"

#include <commctrl.h>

#include <cwchar>

#include "core/Placement.h"
#include "toolkit/Control.h"
#include "toolkit/Font.h"
#include "toolkit/Hint.h"
#include "toolkit/SimpleControls.h"
#include "toolkit/Window.h"

namespace tk {
namespace {

// Posted from WM_INITDIALOG; it is handled once the modal loop runs and the
// dialog is on screen.
constexpr UINT kShownMessage = WM_APP + 0x51;

std::vector<WORD> MakeTemplate(const DialogLayout& form) {
    DWORD style = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN | DS_MODALFRAME;
    DWORD exStyle = WS_EX_DLGMODALFRAME;
    if (form.contextHelpBox) {
        style |= DS_CONTEXTHELP;
        exStyle |= WS_EX_CONTEXTHELP;
    }
    if (form.stayOnTop) exStyle |= WS_EX_TOPMOST;
    if (form.taskbarButton) exStyle |= WS_EX_APPWINDOW;

    std::vector<WORD> words;
    const auto put32 = [&words](DWORD v) {
        words.push_back(LOWORD(v));
        words.push_back(HIWORD(v));
    };
    put32(style);
    put32(exStyle);
    words.push_back(0);                              // no controls in the template
    for (int i = 0; i < 4; ++i) words.push_back(0);  // x, y, cx, cy: set in WM_INITDIALOG
    words.push_back(0);                              // no menu
    words.push_back(0);                              // the system's dialog class
    for (const wchar_t* c = form.caption; *c; ++c) words.push_back(static_cast<WORD>(*c));
    words.push_back(0);
    return words;
}

// Per-monitor-aware dialogs are re-scaled by the system's dialog manager when
// they move to a monitor of another density, by ratio and without the
// toolkit's own fonts; the dialog does its own (Dialog::KeepLayout). The call
// is looked up because older Windows 10 lacks it.
void TurnOffSystemRescaling(HWND dialog) {
    using SetBehavior =
        BOOL(WINAPI*)(HWND, DIALOG_DPI_CHANGE_BEHAVIORS, DIALOG_DPI_CHANGE_BEHAVIORS);
    const HMODULE user32 = GetModuleHandleW(L"user32.dll");
    const auto set = user32 ? reinterpret_cast<SetBehavior>(reinterpret_cast<void*>(
                                  GetProcAddress(user32, "SetDialogDpiChangeBehavior")))
                            : nullptr;
    if (set) set(dialog, DDC_DISABLE_ALL, DDC_DISABLE_ALL);
}

}  // namespace

Dialog::~Dialog() = default;

INT_PTR Dialog::ShowModal(HWND owner) {
    ending_ = false;
    // An owner that is disabled is showing a modal dialog already (a timer
    // can open another): the new one is owned by that dialog, which it then
    // disables and gives the activation back to, instead of re-enabling the
    // owner under it.
    if (owner && !IsWindowEnabled(owner)) owner = GetLastActivePopup(owner);
    const std::vector<WORD> words = MakeTemplate(form_);
    return DialogBoxIndirectParamW(GetModuleHandleW(nullptr),
                                   reinterpret_cast<const DLGTEMPLATE*>(words.data()), owner,
                                   DialogProc, reinterpret_cast<LPARAM>(this));
}

void Dialog::EndModal(INT_PTR result) {
    if (!hwnd_ || ending_) return;
    ending_ = true;
    // The window the dialog was opened over takes the activation back while
    // the dialog still shows: hiding the active window first leaves the
    // keyboard to whatever window the system picks next (Wine without a
    // window manager now and then picks the desktop).
    const HWND owner = GetWindow(hwnd_, GW_OWNER);
    if (owner && GetActiveWindow() == hwnd_) {
        EnableWindow(owner, TRUE);
        SetActiveWindow(owner);
    }
    FormHide();
    EndDialog(hwnd_, result);
}

HFONT Dialog::FontFor(const FontStyle& style) {
    const bool inherit = !style.face && style.height == 0 && !style.bold;
    const wchar_t* face = inherit || !style.face ? form_.font.face : style.face;
    const int height = inherit || style.height == 0 ? form_.font.height : style.height;
    const bool bold = inherit ? form_.font.bold : style.bold;
    if (!face) face = kTextFace;
    for (const CachedFont& cached : fonts_) {
        if (cached.height == height && cached.bold == bold && std::wcscmp(cached.face, face) == 0)
            return cached.font.get();
    }
    fonts_.push_back(
        {face, height, bold, MakeFont(face, Scale(height), bold ? FW_BOLD : FW_NORMAL)});
    return fonts_.back().font.get();
}

Control* Dialog::ControlOf(HWND hwnd) const {
    for (; hwnd && hwnd != hwnd_; hwnd = GetParent(hwnd)) {
        for (Control* control : controls_) {
            if (control->Owns(hwnd)) return control;
        }
    }
    return nullptr;
}

DWORD Dialog::HelpContextOf(HWND hwnd) const {
    if (const Control* control = ControlOf(hwnd)) {
        for (const Control* c = control; c; c = c->Parent()) {
            if (c->Layout().helpContext) return c->Layout().helpContext;
        }
    }
    return form_.helpContext;
}

int Dialog::RegisterControl(Control& control) {
    controls_.push_back(&control);
    return control.Layout().id ? control.Layout().id : nextId_++;
}

void Dialog::SetDefaultButton(Button& button) {
    defaultButton_ = &button;
    if (hwnd_ && button.Handle())
        SendMessageW(hwnd_, DM_SETDEFID, static_cast<WPARAM>(GetDlgCtrlID(button.Handle())), 0);
}

SIZE Dialog::FrameSize(UINT frameDpi) const {
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_EXSTYLE));
    RECT frame{0, 0, Scale(form_.clientWidth), Scale(form_.clientHeight)};
    AdjustWindowRectExForDpi(&frame, style, FALSE, exStyle, frameDpi);
    return {frame.right - frame.left, frame.bottom - frame.top};
}

// The dialog opens centred on the monitor of the window that opened it (the
// mascot, or a dialog over it), laid out at that monitor's density; with no
// owner, on the primary monitor.
void Dialog::InitDialog() {
    TurnOffSystemRescaling(hwnd_);
    const HWND owner = GetWindow(hwnd_, GW_OWNER);
    const HWND anchor = owner ? owner : hwnd_;
    const UINT anchorDpi = GetDpiForWindow(anchor);
    const UINT frameDpi = anchorDpi ? anchorDpi : 96;
    dpi_ = static_cast<int>(DpiForTesting.value_or(frameDpi));
    FitLayout();

    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoW(MonitorFromWindow(anchor, MONITOR_DEFAULTTOPRIMARY), &monitor))
        monitor.rcMonitor = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    const RECT& area = monitor.rcMonitor;
    const SIZE frame = FrameSize(frameDpi);
    const pelnor::ScreenPoint at =
        pelnor::Centred(frame.cx, frame.cy, {area.left, area.top, area.right, area.bottom});
    // Moving it there can change its density; it is laid out for that already.
    placing_ = true;
    SetWindowPos(hwnd_, nullptr, at.x, at.y, frame.cx, frame.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    placing_ = false;

    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor({})), FALSE);
    CreateControls();
    AddToolTips();
    FormCreate();
    FocusFirst();
    PostMessageW(hwnd_, kShownMessage, 0, 0);
}

// Dragged onto a monitor of another density, the dialog keeps the layout it
// opened with: every control keeps its place and font, so no text is cut that
// was not cut before, and a field being typed in keeps its input method. Only
// the frame, which the system draws at the new density, changes around the
// client area. The next dialog opens at the new monitor's density.
void Dialog::KeepLayout(UINT newDpi, const RECT& suggested) {
    if (placing_) return;
    SIZE frame = FrameSize(newDpi);
    SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, frame.cx, frame.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    // A system that draws every frame at one density (Wine) leaves the client
    // area off by the difference: measure it and make up for it.
    RECT client{};
    GetClientRect(hwnd_, &client);
    const int dx = Scale(form_.clientWidth) - client.right;
    const int dy = Scale(form_.clientHeight) - client.bottom;
    if (dx || dy)
        SetWindowPos(hwnd_, nullptr, 0, 0, frame.cx + dx, frame.cy + dy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Dialog::FocusFirst() {
    for (Control* control : controls_) {
        const HWND h = control->Handle();
        if (!h) continue;
        const LONG_PTR style = GetWindowLongPtrW(h, GWL_STYLE);
        if ((style & WS_TABSTOP) && IsWindowEnabled(h)) {
            // Through the dialog manager, so a push button that gets the focus
            // also becomes the button Enter presses.
            SendMessageW(hwnd_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(h), TRUE);
            return;
        }
    }
}

void Dialog::AddToolTips() {
    toolTip_ = CreateToolTip(hwnd_);
    if (!toolTip_) return;
    for (Control* control : controls_) {
        const wchar_t* hint = control->Layout().hint;
        if (!hint || !*hint) continue;
        for (HWND window : control->HintWindows()) {
            if (window) AddToolTip(toolTip_.get(), hwnd_, window, hint);
        }
    }
    if (form_.hint && *form_.hint) AddToolTip(toolTip_.get(), hwnd_, hwnd_, form_.hint);
}

void Dialog::Paint(HDC dc) {
    for (Control* control : controls_) {
        if (!control->Windowed() && !control->Parent()) control->Paint(dc);
    }
}

bool Dialog::Command(WPARAM wParam, LPARAM lParam) {
    const HWND from = reinterpret_cast<HWND>(lParam);
    if (from) {
        if (Control* control = ControlOf(from)) return control->Command(HIWORD(wParam));
    }
    // Esc (and the system's IDCANCEL) presses the cancel button; a dialog
    // without one ignores it.
    if (LOWORD(wParam) == IDCANCEL) {
        if (cancelButton_) cancelButton_->Click();
        return true;
    }
    return LOWORD(wParam) == IDOK;
}

INT_PTR Dialog::ControlColour(HDC dc, HWND window) {
    if (Control* control = ControlOf(window)) {
        if (HBRUSH brush = control->CtlColor(dc)) return reinterpret_cast<INT_PTR>(brush);
    }
    return FALSE;
}

void Dialog::Help(const HELPINFO& info) {
    if (info.iContextType != HELPINFO_WINDOW) return;
    const HWND item = static_cast<HWND>(info.hItemHandle);
    const Control* control = ControlOf(item);
    HWND origin = hwnd_;
    if (control && control->Handle()) origin = control->Handle();
    POINT point{0, 0};
    ClientToScreen(origin, &point);
    const DWORD context = HelpContextOf(item);
    if (context && ContextHelp) ContextHelp(context, point);
}

INT_PTR Dialog::Dispatch(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_INITDIALOG:
            InitDialog();
            return FALSE;  // the focus is set
        case kShownMessage:
            if (ShownHook) ShownHook(hwnd_);
            FormShow();
            if (OnShown) OnShown(hwnd_);
            return TRUE;
        case WM_COMMAND:
            return Command(wParam, lParam) ? TRUE : FALSE;
        case WM_CLOSE:
            EndModal(IDCANCEL);
            return TRUE;
        case WM_DPICHANGED:
            KeepLayout(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return TRUE;
        case WM_PAINT: {
            const PaintDc dc(hwnd_);
            Paint(dc.get());
            return TRUE;
        }
        case WM_PRINTCLIENT:
            Paint(reinterpret_cast<HDC>(wParam));
            return TRUE;
        case WM_SETTINGCHANGE:
        case WM_SYSCOLORCHANGE:
        case WM_THEMECHANGED:
            // High contrast turned on or off: every part picks its colours again.
            RedrawWindow(hwnd_, nullptr, nullptr,
                         RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
            return FALSE;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORBTN:
            return ControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        case WM_TIMER:
            DispatchTimer(wParam);
            return TRUE;
        case WM_HELP:
            Help(*reinterpret_cast<const HELPINFO*>(lParam));
            return TRUE;
        case WM_DESTROY:
            toolTip_.reset();
            return FALSE;
        default:
            return FALSE;
    }
}

INT_PTR CALLBACK Dialog::DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    Dialog* dialog = nullptr;
    if (msg == WM_INITDIALOG) {
        dialog = reinterpret_cast<Dialog*>(lParam);
        dialog->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
    } else {
        dialog = reinterpret_cast<Dialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    }
    if (!dialog) return FALSE;

    INT_PTR result = FALSE;
    try {
        result = dialog->Dispatch(msg, wParam, lParam);
    } catch (...) {
        // No exception may unwind through the dialog manager. A dialog whose
        // start threw ends at once (ShowModal gives -1); any other handler
        // that threw did nothing, so the system does its default.
        ReportHandlerFailure(msg);
        if (msg == WM_INITDIALOG) EndDialog(hwnd, -1);
        result = FALSE;
    }
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, DWLP_USER, 0);
        dialog->hwnd_ = nullptr;
    }
    return result;
}

}  // namespace tk
