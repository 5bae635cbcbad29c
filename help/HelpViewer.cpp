#include "help/HelpViewer.h"

#include <commctrl.h>

#include <algorithm>
#include <memory>
#include <string_view>
#include <vector>

#include "assets/resource.h"
#include "core/HelpText.h"
#include "core/Placement.h"
#include "core/Scale.h"
#include "platform/HelpFile.h"
#include "toolkit/Accessibility.h"
#include "toolkit/Font.h"
#include "toolkit/Window.h"
#include "winbase/Handles.h"
#include "winbase/Text.h"

namespace pelnor {
namespace {

// Layout in 96-DPI pixels.
struct ViewerLayout {
    const wchar_t* caption;
    int clientWidth;
    int clientHeight;
    int minClientWidth;
    int minClientHeight;
    int gap;     // between the viewer and the mascot
    int margin;  // around and between the list and the text
    int listWidth;
    int textMargin;  // inside the text field, left and right
    int fontHeight;  // character height, without internal leading
    const wchar_t* fontFace;
};

constexpr ViewerLayout kViewer{
    .caption = L"モフレン ヘルプ",
    .clientWidth = 600,
    .clientHeight = 420,
    .minClientWidth = 320,
    .minClientHeight = 200,
    .gap = 8,
    .margin = 6,
    .listWidth = 160,
    .textMargin = 4,
    .fontHeight = 12,
    .fontFace = tk::kTextFace,
};

struct PopupLayout {
    int maxTextWidth;
    int padding;
    int fontHeight;
    const wchar_t* fontFace;
    COLORREF background;
    COLORREF textColour;
};

constexpr PopupLayout kPopup{
    .maxTextWidth = 300,
    .padding = 6,
    .fontHeight = 12,
    .fontFace = tk::kTextFace,
    .background = RGB(255, 255, 225),
    .textColour = RGB(0, 0, 0),
};

constexpr UINT kDrawTextFlags = DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX | DT_EXPANDTABS;

int Scale(int pixels, UINT dpi) {
    return pelnor::AtDpi(pixels, static_cast<int>(dpi));
}

// A font whose `height` is given in 96-DPI pixels.
tk::UniqueFont FontAt(const wchar_t* face, int height, UINT dpi) {
    return tk::MakeFont(face, Scale(height, dpi));
}

// The edit control and DrawText both want CR LF between lines.
std::wstring ToWindowsText(std::string_view utf8) {
    const std::wstring text = tk::FromUtf8(utf8);
    std::wstring out;
    out.reserve(text.size() + text.size() / 16);
    for (const wchar_t c : text) {
        if (c == L'\n') out += L'\r';
        out += c;
    }
    return out;
}

// The work area of the monitor nearest to `window` (or to the primary one).
RECT WorkAreaNear(HWND window) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &info);
    return info.rcWork;
}

ScreenRect ToScreenRect(const RECT& r) {
    return {r.left, r.top, r.right, r.bottom};
}

// Places a window of the given size with its top-left at `point`, moved back
// inside the work area if it would run off it; its caption stays on screen.
POINT KeepInside(POINT point, SIZE size, const RECT& area) {
    int x = point.x;
    int y = point.y;
    pelnor::KeepInside(x, y, size.cx, size.cy, ToScreenRect(area), pelnor::Overflow::NearEdge);
    return {x, y};
}

// The viewer: topic list on the left, the chosen topic's text on the right.
// One at a time: held by `open_` while its window exists.
class HelpViewer : public tk::Window<HelpViewer>, private tk::SubclassedControl<HelpViewer> {
  public:
    static void Open(HWND beside, std::shared_ptr<const HelpText> help) {
        if (open_) {
            open_->BringForward(std::move(help));
            return;
        }
        if (help->topics.empty()) return;
        if (!RegisterClassFor(
                {.name = kHelpViewerClass,
                 .icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_PELNOR)),
                 .cursor = LoadCursorW(nullptr, IDC_ARROW),
                 .background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)}))
            return;
        std::unique_ptr<HelpViewer> viewer(new HelpViewer(std::move(help), beside));
        constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
        // Created hidden on the mascot's monitor, then sized for its own DPI and placed.
        const RECT area = WorkAreaNear(beside);
        if (viewer->CreateWindowHandle(WS_EX_APPWINDOW, kHelpViewerClass, kViewer.caption, kStyle,
                                       area.left, area.top, CW_USEDEFAULT, CW_USEDEFAULT, nullptr))
            open_ = std::move(viewer);
    }

    static void Close() {
        if (open_) DestroyWindow(open_->Handle());
    }

  private:
    friend class tk::Window<HelpViewer>;
    friend class tk::SubclassedControl<HelpViewer>;

    HelpViewer(std::shared_ptr<const HelpText> help, HWND beside)
        : beside_(beside), help_(std::move(help)) {}

    void FinalMessage() noexcept {
        if (open_.get() == this) open_.reset();
    }

    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
        switch (msg) {
            case WM_CREATE:
                return OnCreate() ? 0 : -1;
            case WM_SIZE:
                Layout();
                return 0;
            case WM_GETMINMAXINFO: {
                auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
                const SIZE frame = FrameSize(kViewer.minClientWidth, kViewer.minClientHeight);
                info->ptMinTrackSize = {frame.cx, frame.cy};
                return 0;
            }
            case WM_DPICHANGED: {
                ApplyDpi(HIWORD(wParam));
                const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
                SetWindowPos(Handle(), nullptr, suggested->left, suggested->top,
                             suggested->right - suggested->left, suggested->bottom - suggested->top,
                             SWP_NOZORDER | SWP_NOACTIVATE);
                return 0;
            }
            case WM_COMMAND:
                if (reinterpret_cast<HWND>(lParam) == list_ && HIWORD(wParam) == LBN_SELCHANGE) {
                    ShowTopic(static_cast<int>(SendMessageW(list_, LB_GETCURSEL, 0, 0)));
                    return 0;
                }
                break;
            case WM_CTLCOLORSTATIC:
                // The read-only text keeps the look of a page, not of a disabled field.
                if (reinterpret_cast<HWND>(lParam) == text_) {
                    const HDC dc = reinterpret_cast<HDC>(wParam);
                    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
                    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
                    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
                }
                break;
            case WM_ACTIVATE:
                if (LOWORD(wParam) == WA_INACTIVE) {
                    const HWND focus = GetFocus();
                    if (focus == list_ || focus == text_) lastFocus_ = focus;
                }
                break;
            case WM_SETFOCUS:
                SetFocus(lastFocus_ ? lastFocus_ : list_);
                return 0;
            case WM_CLOSE:
                // The keyboard goes back to the mascot while the viewer still
                // shows, as a dialog hands it back to its owner; otherwise
                // Windows activates whichever window comes next.
                if (GetForegroundWindow() == Handle() && IsWindowVisible(beside_))
                    SetForegroundWindow(beside_);
                break;
            default:
                break;
        }
        return DefWindowProcW(Handle(), msg, wParam, lParam);
    }

    bool OnCreate() {
        const HINSTANCE instance = GetModuleHandleW(nullptr);
        list_ = CreateWindowExW(
            WS_EX_CLIENTEDGE, L"LISTBOX", nullptr,
            WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, 0,
            0, 0, 0, Handle(), nullptr, instance, nullptr);
        text_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", nullptr,
                                WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | ES_MULTILINE |
                                    ES_READONLY | ES_AUTOVSCROLL,
                                0, 0, 0, 0, Handle(), nullptr, instance, nullptr);
        if (!list_ || !text_) return false;
        Subclass(list_);
        Subclass(text_);

        ApplyDpi(GetDpiForWindow(Handle()));
        FillList();
        ShowTopic(0);

        const SIZE frame = FrameSize(kViewer.clientWidth, kViewer.clientHeight);
        RECT mascot{};
        if (!beside_ || !GetWindowRect(beside_, &mascot)) mascot = {};
        const ScreenRect place =
            PlaceBeside(frame.cx, frame.cy, ToScreenRect(mascot),
                        ToScreenRect(WorkAreaNear(beside_)), Scale(kViewer.gap, dpi_));
        SetWindowPos(Handle(), nullptr, place.left, place.top, place.right - place.left,
                     place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
        ShowWindow(Handle(), SW_SHOW);
        SetFocus(list_);
        return true;
    }

    // The window size for a client area given in 96-DPI pixels.
    SIZE FrameSize(int clientWidth, int clientHeight) const {
        RECT frame{0, 0, Scale(clientWidth, dpi_), Scale(clientHeight, dpi_)};
        AdjustWindowRectExForDpi(
            &frame, static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_STYLE)), FALSE,
            static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_EXSTYLE)), dpi_);
        return {frame.right - frame.left, frame.bottom - frame.top};
    }

    void ApplyDpi(UINT dpi) {
        dpi_ = dpi ? dpi : 96;
        tk::UniqueFont font = FontAt(kViewer.fontFace, kViewer.fontHeight, dpi_);
        SendMessageW(list_, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
        SendMessageW(text_, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
        const int margin = Scale(kViewer.textMargin, dpi_);
        SendMessageW(text_, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN,
                     MAKELPARAM(margin, margin));
        // The controls hold the new font before the old one is deleted.
        font_ = std::move(font);
        Layout();
    }

    void Layout() {
        RECT client;
        GetClientRect(Handle(), &client);
        const int margin = Scale(kViewer.margin, dpi_);
        const int listWidth = Scale(kViewer.listWidth, dpi_);
        const int height = std::max(0, static_cast<int>(client.bottom) - 2 * margin);
        const int textLeft = margin + listWidth + margin;
        const int textWidth = std::max(0, static_cast<int>(client.right) - textLeft - margin);
        MoveWindow(list_, margin, margin, listWidth, height, TRUE);
        MoveWindow(text_, textLeft, margin, textWidth, height, TRUE);
    }

    // In one go with redraw off: a list box that redraws after each entry
    // takes seconds for a thousand of them.
    void FillList() {
        SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
        SendMessageW(list_, LB_RESETCONTENT, 0, 0);
        std::vector<std::wstring> titles;
        titles.reserve(help_->topics.size());
        std::size_t characters = 0;
        for (const HelpTopic& topic : help_->topics) {
            titles.push_back(tk::FromUtf8(topic.title));
            characters += titles.back().size() + 1;
        }
        SendMessageW(list_, LB_INITSTORAGE, titles.size(), characters * sizeof(wchar_t));
        for (const std::wstring& title : titles)
            SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(title.c_str()));
        SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(list_, nullptr, TRUE);
    }

    void ShowTopic(int index) {
        if (index < 0 || index >= static_cast<int>(help_->topics.size())) return;
        SendMessageW(list_, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
        const std::wstring body =
            ToWindowsText(help_->topics[static_cast<std::size_t>(index)].body);
        SetWindowTextW(text_, body.c_str());
    }

    void BringForward(std::shared_ptr<const HelpText> help) {
        // The same help is the same object: the list stays as it is.
        if (help != help_ && !help->topics.empty()) {
            help_ = std::move(help);
            FillList();
        }
        ShowTopic(0);
        if (IsIconic(Handle())) ShowWindow(Handle(), SW_RESTORE);
        SetForegroundWindow(Handle());
        SetActiveWindow(Handle());
        SetFocus(list_);
    }

    // Esc closes the viewer and Tab moves between the two controls: no dialog
    // manager runs for this window, the caller's message loop does not know it.
    LRESULT SubclassMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        const HWND parent = Handle();
        switch (msg) {
            case WM_GETDLGCODE:
                return tk::DefaultSubclassProc(hwnd, msg, wParam, lParam) | DLGC_WANTALLKEYS;
            case WM_KEYDOWN:
                if (wParam == VK_ESCAPE) {
                    PostMessageW(parent, WM_CLOSE, 0, 0);
                    return 0;
                }
                if (wParam == VK_TAB) {
                    const HWND next = GetNextDlgTabItem(parent, hwnd, GetKeyState(VK_SHIFT) < 0);
                    if (next) SetFocus(next);
                    return 0;
                }
                break;
            case WM_CHAR:
                if (wParam == VK_ESCAPE || wParam == VK_TAB) return 0;
                break;
            default:
                break;
        }
        return tk::DefaultSubclassProc(hwnd, msg, wParam, lParam);
    }

    static inline std::unique_ptr<HelpViewer> open_;

    HWND beside_;
    HWND list_ = nullptr;
    HWND text_ = nullptr;
    HWND lastFocus_ = nullptr;
    std::shared_ptr<const HelpText> help_;
    tk::UniqueFont font_;
    UINT dpi_ = 96;
};

// A borderless note like a tool tip. It takes the keyboard and the mouse, so
// the first key or click after it appears only closes it.
class HelpPopup : public tk::Window<HelpPopup> {
  public:
    static void Show(HWND owner, const std::wstring& text, POINT at) {
        if (shown_) shown_->Dismiss();
        if (!RegisterClassFor(
                {.name = kHelpPopupClass,
                 .icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_PELNOR)),
                 .cursor = LoadCursorW(nullptr, IDC_ARROW)}))
            return;
        std::unique_ptr<HelpPopup> popup(new HelpPopup);
        if (!popup->CreateWindowHandle(kExStyle, kHelpPopupClass, text.c_str(), kStyle, at.x, at.y,
                                       1, 1, owner))
            return;
        shown_ = std::move(popup);
        shown_->Place(text, at);
    }

    static void Close() {
        if (shown_) shown_->Dismiss();
    }

  private:
    static constexpr DWORD kStyle = WS_POPUP | WS_BORDER;
    static constexpr DWORD kExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
    static constexpr UINT kCloseMessage = WM_APP + 1;

    void Place(const std::wstring& text, POINT at) {
        text_ = text;
        const UINT windowDpi = GetDpiForWindow(Handle());
        const UINT dpi = windowDpi ? windowDpi : 96;
        font_ = FontAt(kPopup.fontFace, kPopup.fontHeight, dpi);
        background_.reset(CreateSolidBrush(tk::InkColour(kPopup.background, tk::Ink::Face)));
        padding_ = Scale(kPopup.padding, dpi);

        RECT textRect{0, 0, Scale(kPopup.maxTextWidth, dpi), 0};
        {
            const tk::WindowDc dc(Handle());
            const tk::ScopedSelect select(dc.get(), font_.get());
            DrawTextW(dc.get(), text.c_str(), static_cast<int>(text.size()), &textRect,
                      kDrawTextFlags | DT_CALCRECT);
        }
        RECT frame{0, 0, textRect.right + 2 * padding_, textRect.bottom + 2 * padding_};
        AdjustWindowRectExForDpi(&frame, kStyle, FALSE, kExStyle, dpi);
        const SIZE size{frame.right - frame.left, frame.bottom - frame.top};
        MONITORINFO info{};
        info.cbSize = sizeof info;
        GetMonitorInfoW(MonitorFromPoint(at, MONITOR_DEFAULTTONEAREST), &info);
        const POINT place = KeepInside(at, size, info.rcWork);

        SetWindowPos(Handle(), HWND_TOPMOST, place.x, place.y, size.cx, size.cy, SWP_SHOWWINDOW);
        SetForegroundWindow(Handle());
        SetFocus(Handle());
        SetCapture(Handle());
    }

    friend class tk::Window<HelpPopup>;

    HelpPopup() = default;

    void FinalMessage() noexcept {
        if (shown_.get() == this) shown_.reset();
    }

    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
        constexpr LPARAM kKeyWasDown = 1 << 30;
        switch (msg) {
            case WM_PAINT:
                Paint();
                return 0;
            case WM_KEYDOWN:
            case WM_SYSKEYDOWN:
                // A key still held from before the popup (the F1 that asked
                // for it, repeating) does not close it.
                if (!(lParam & kKeyWasDown)) Dismiss();
                return 0;
            case WM_LBUTTONDOWN:
            case WM_RBUTTONDOWN:
            case WM_MBUTTONDOWN:
            case WM_XBUTTONDOWN:
            case WM_NCLBUTTONDOWN:
            case WM_NCRBUTTONDOWN:
                Dismiss();
                return 0;
            case WM_ACTIVATE:
                // Destroying a window in the middle of an activation change is
                // asking for trouble; close once it is over.
                if (LOWORD(wParam) == WA_INACTIVE) PostMessageW(Handle(), kCloseMessage, 0, 0);
                break;
            case kCloseMessage:
                Dismiss();
                return 0;
            default:
                break;
        }
        return DefWindowProcW(Handle(), msg, wParam, lParam);
    }

    void Dismiss() {
        if (closing_) return;
        closing_ = true;
        DestroyWindow(Handle());
    }

    void Paint() {
        const tk::PaintDc paint(Handle());
        const HDC dc = paint.get();
        RECT client;
        GetClientRect(Handle(), &client);
        FillRect(dc, &client, background_.get());
        {
            const tk::ScopedSelect select(dc, font_.get());
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, tk::InkColour(kPopup.textColour, tk::Ink::Text));
            RECT textRect{client.left + padding_, client.top + padding_, client.right - padding_,
                          client.bottom - padding_};
            DrawTextW(dc, text_.c_str(), static_cast<int>(text_.size()), &textRect, kDrawTextFlags);
        }
    }

    static inline std::unique_ptr<HelpPopup> shown_;

    std::wstring text_;
    tk::UniqueFont font_;
    tk::UniqueBrush background_;
    int padding_ = 0;
    bool closing_ = false;
};

}  // namespace

void HelpContents(HWND beside, const std::wstring& helpFile) {
    HelpViewer::Open(beside, LoadHelpText(helpFile, IDR_HELP_TEXT));
}

void CloseHelp() {
    HelpPopup::Close();
    HelpViewer::Close();
}

void HelpContextPopup(HWND owner, const std::wstring& helpFile, POINT screenPoint, DWORD context) {
    const auto help = LoadHelpText(helpFile, IDR_HELP_TEXT);
    const std::string* text = help->ContextText(context);
    if (!text || text->empty()) return;
    HelpPopup::Show(owner, ToWindowsText(*text), screenPoint);
}

}  // namespace pelnor
