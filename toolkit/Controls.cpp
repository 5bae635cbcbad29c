#include "toolkit/Controls.h"

#include <imm.h>

#include <algorithm>
#include <climits>

#include "core/Utf16.h"
#include "toolkit/Text.h"

namespace tk {
namespace {

HINSTANCE Instance() {
    return GetModuleHandleW(nullptr);
}

std::wstring WindowText(HWND hwnd) {
    const int length = GetWindowTextLengthW(hwnd);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(hwnd, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(std::max(copied, 0)));
    return text;
}

// One character as typed: a surrogate pair stays together.
std::size_t CharLength(std::wstring_view text, std::size_t at) {
    return pelnor::DecodeAt(text, at).units;
}

bool RegisterOnce(const wchar_t* name, WNDPROC proc, HCURSOR cursor) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    if (GetClassInfoExW(Instance(), name, &wc)) return true;
    wc = {};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    wc.lpfnWndProc = proc;
    wc.hInstance = Instance();
    wc.hCursor = cursor;
    wc.lpszClassName = name;
    return RegisterClassExW(&wc) != 0;
}

constexpr UINT_PTR kRepeatTimer = 1;
constexpr int kSpinButtonWidth = 15;

}  // namespace

// ---------------------------------------------------------------- TControl

void TControl::Create(TDialog& dialog, TPanel* panel) {
    dialog_ = &dialog;
    panel_ = panel;
    windowed_ = IsWindowed();
    font_ = dialog.FontFor(layout_.font);
    RECT bounds{dialog.Scale(layout_.left), dialog.Scale(layout_.top),
                dialog.Scale(layout_.left + layout_.width),
                dialog.Scale(layout_.top + layout_.height)};
    AdjustBounds(bounds);
    bounds_ = bounds;
    const int id = dialog.RegisterControl(*this);
    const HWND parent = panel ? panel->Handle() : dialog.Handle();
    hwnd_ = CreateHandle(parent, id, bounds);
    if (hwnd_) SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    if (!windowed_ && panel) panel->AddGraphic(*this);
    Created();
}

HWND TControl::MakeWindow(DWORD exStyle, const wchar_t* className, DWORD style, HWND parent, int id,
                          const RECT& bounds) {
    return CreateWindowExW(exStyle, className, text_.c_str(), WS_CHILD | WS_VISIBLE | style,
                           bounds.left, bounds.top, bounds.right - bounds.left,
                           bounds.bottom - bounds.top, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), Instance(), this);
}

void TControl::Invalidate() const {
    if (!dialog_) return;
    const HWND parent = panel_ ? panel_->Handle() : dialog_->Handle();
    if (parent) InvalidateRect(parent, &bounds_, TRUE);
}

std::wstring TControl::Text() const {
    if (hwnd_ && IsWindow(hwnd_)) return WindowText(hwnd_);
    return text_;
}

void TControl::SetText(std::wstring_view text) {
    text_ = text;
    if (hwnd_ && IsWindow(hwnd_)) SetWindowTextW(hwnd_, text_.c_str());
}

HBRUSH TControl::CtlColor(HDC dc) {
    if (layout_.color == kDefaultColor && layout_.background == kDefaultColor) return nullptr;
    SetTextColor(dc,
                 layout_.color != kDefaultColor ? layout_.color : GetSysColor(COLOR_WINDOWTEXT));
    if (layout_.background == kDefaultColor) {
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        return GetSysColorBrush(COLOR_BTNFACE);
    }
    SetBkColor(dc, layout_.background);
    if (!brush_) brush_.reset(CreateSolidBrush(layout_.background));
    return brush_.get();
}

std::vector<HWND> TControl::HintWindows() const {
    return {hwnd_};
}

// ---------------------------------------------------------------- TLabel

void TLabel::AdjustBounds(RECT& bounds) {
    if (layout_.width != 0 && layout_.height != 0) return;
    const WindowDc screen(nullptr);
    const ScopedSelect select(screen.get(), font_);
    RECT measured{0, 0, 0, 0};
    DrawTextW(screen.get(), text_.c_str(), static_cast<int>(text_.size()), &measured,
              DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS);
    if (layout_.width == 0) bounds.right = bounds.left + measured.right;
    if (layout_.height == 0) bounds.bottom = bounds.top + measured.bottom;
}

void TLabel::SetText(std::wstring_view text) {
    Invalidate();
    text_ = text;
    if (dialog_) {
        RECT bounds = BoundsRect();
        AdjustBounds(bounds);
        // The rectangle is private to TControl; a label re-made from its
        // table row keeps its place and takes its new size.
        Resize(bounds);
    }
    Invalidate();
}

void TLabel::Paint(HDC dc) {
    const ScopedSelect select(dc, font_);
    RECT bounds = BoundsRect();
    if (layout_.background != kDefaultColor) {
        const UniqueBrush brush(CreateSolidBrush(layout_.background));
        FillRect(dc, &bounds, brush.get());
    }
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc,
                 layout_.color != kDefaultColor ? layout_.color : GetSysColor(COLOR_WINDOWTEXT));
    UINT format = DT_LEFT | DT_NOPREFIX | DT_EXPANDTABS;
    if (layout_.wordWrap) {
        // A box with room for one line shows that line rather than wrap its
        // end out of sight: a substitute font can be a pixel wider than the
        // one the box was measured for.
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc, &metrics);
        const LONG lineHeight = metrics.tmHeight - metrics.tmInternalLeading;
        if (2 * (bounds.bottom - bounds.top) >= 3 * lineHeight) format |= DT_WORDBREAK;
    }
    DrawTextW(dc, text_.c_str(), static_cast<int>(text_.size()), &bounds, format);
}

// ---------------------------------------------------------------- TImage

HWND TImage::CreateHandle(HWND, int, RECT) {
    if (layout_.bitmap) {
        bitmap_.reset(static_cast<HBITMAP>(LoadImageW(Instance(), MAKEINTRESOURCEW(layout_.bitmap),
                                                      IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    }
    if (layout_.icon) {
        icon_.reset(static_cast<HICON>(
            LoadImageW(Instance(), MAKEINTRESOURCEW(layout_.icon), IMAGE_ICON, 32, 32, 0)));
    }
    return nullptr;
}

void TImage::SetIcon(UniqueIcon icon) {
    icon_ = std::move(icon);
}

void TImage::Paint(HDC dc) {
    const RECT r = BoundsRect();
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    if (icon_) DrawIconEx(dc, r.left, r.top, icon_.get(), width, height, 0, nullptr, DI_NORMAL);
    if (bitmap_) {
        BITMAP info{};
        GetObjectW(bitmap_.get(), sizeof info, &info);
        const UniqueMemoryDc memory(CreateCompatibleDC(dc));
        const ScopedSelect select(memory.get(), bitmap_.get());
        SetStretchBltMode(dc, COLORONCOLOR);
        StretchBlt(dc, r.left, r.top, width, height, memory.get(), 0, 0, info.bmWidth,
                   info.bmHeight, SRCCOPY);
    }
}

// ---------------------------------------------------------------- TPanel

HWND TPanel::CreateHandle(HWND parent, int id, RECT bounds) {
    RegisterOnce(L"TkPanel", WindowProc, LoadCursorW(nullptr, IDC_ARROW));
    face_.reset(CreateSolidBrush(layout_.background != kDefaultColor ? layout_.background
                                                                     : GetSysColor(COLOR_BTNFACE)));
    return MakeWindow(0, L"TkPanel", WS_CLIPCHILDREN, parent, id, bounds);
}

void TPanel::PaintPanel(HDC target) {
    RECT client;
    GetClientRect(Handle(), &client);
    // Drawn off screen: the labels overlap each other and the picture.
    const UniqueMemoryDc dc(CreateCompatibleDC(target));
    const UniqueBitmap canvas(CreateCompatibleBitmap(target, client.right, client.bottom));
    const ScopedSelect select(dc.get(), canvas.get());
    FillRect(dc.get(), &client, face_.get());
    RECT edge = client;
    DrawEdge(dc.get(), &edge, BDR_SUNKENOUTER, BF_RECT);
    InflateRect(&edge, -1, -1);
    DrawEdge(dc.get(), &edge, BDR_SUNKENOUTER, BF_RECT);
    for (TControl* control : graphics_) control->Paint(dc.get());
    BitBlt(target, 0, 0, client.right, client.bottom, dc.get(), 0, 0, SRCCOPY);
}

LRESULT CALLBACK TPanel::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    if (msg == WM_NCCREATE) {
        SetWindowLongPtrW(
            hwnd, GWLP_USERDATA,
            reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    }
    auto* panel = reinterpret_cast<TPanel*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    switch (msg) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            const HDC dc = BeginPaint(hwnd, &ps);
            if (panel) {
                try {
                    panel->PaintPanel(dc);
                } catch (...) {
                    // Nothing drawn is better than an exception through the system.
                }
            }
            EndPaint(hwnd, &ps);
            return 0;
        }
        // Controls made in the panel report to the dialog.
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORBTN:
            return SendMessageW(GetParent(hwnd), msg, wParam, lParam);
        case WM_NCDESTROY:
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
            break;
        default:
            break;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

// ---------------------------------------------------------------- TButton

HWND TButton::CreateHandle(HWND parent, int id, RECT bounds) {
    return MakeWindow(0, L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON, parent, id, bounds);
}

void TButton::Click() {
    if (OnClick) OnClick();
    if (layout_.modalResult && dialog_) dialog_->EndModal(layout_.modalResult);
}

bool TButton::Command(WORD code) {
    if (code != BN_CLICKED) return false;
    Click();
    return true;
}

// ---------------------------------------------------------------- TCheckBox

HWND TCheckBox::CreateHandle(HWND parent, int id, RECT bounds) {
    const HWND hwnd = MakeWindow(0, L"BUTTON", WS_TABSTOP | BS_AUTOCHECKBOX, parent, id, bounds);
    if (hwnd) SendMessageW(hwnd, BM_SETCHECK, layout_.checked ? BST_CHECKED : BST_UNCHECKED, 0);
    return hwnd;
}

bool TCheckBox::Checked() const {
    return Handle() && SendMessageW(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TCheckBox::SetChecked(bool checked) {
    if (Handle()) SendMessageW(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

// ---------------------------------------------------------------- TStaticText

HWND TStaticText::CreateHandle(HWND parent, int id, RECT bounds) {
    // SS_NOTIFY: the text is hit by the mouse, for its tool tip and the "?" box.
    const DWORD style =
        SS_LEFT | SS_NOPREFIX | SS_NOTIFY | (layout_.wordWrap ? 0 : SS_LEFTNOWORDWRAP);
    return MakeWindow(layout_.border ? WS_EX_STATICEDGE : 0, L"STATIC", style, parent, id, bounds);
}

// ---------------------------------------------------------------- TEdit

HWND TEdit::CreateHandle(HWND parent, int id, RECT bounds) {
    const DWORD style = WS_TABSTOP | ES_AUTOHSCROLL | (layout_.readOnly ? ES_READONLY : 0);
    const HWND hwnd =
        MakeWindow(layout_.border ? WS_EX_CLIENTEDGE : 0, L"EDIT", style, parent, id, bounds);
    if (!hwnd) return nullptr;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    editProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SubclassProc)));
    return hwnd;
}

std::wstring TEdit::Text() const {
    return TControl::Text();
}

void TEdit::SetText(std::wstring_view text) {
    TControl::SetText(text);
}

std::wstring TEdit::Fitting(std::wstring_view insert) const {
    if (layout_.maxLength <= 0) return std::wstring(insert);
    const std::wstring current = Text();
    DWORD start = 0;
    DWORD end = 0;
    if (Handle()) {
        SendMessageW(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
    }
    start = std::min<DWORD>(start, static_cast<DWORD>(current.size()));
    end = std::clamp<DWORD>(end, start, static_cast<DWORD>(current.size()));
    std::size_t bytes = Cp932Length(std::wstring_view(current).substr(0, start)) +
                        Cp932Length(std::wstring_view(current).substr(end));
    const auto limit = static_cast<std::size_t>(layout_.maxLength);
    std::size_t taken = 0;
    while (taken < insert.size()) {
        const std::size_t n = CharLength(insert, taken);
        const std::size_t more = Cp932Length(insert.substr(taken, n));
        if (bytes + more > limit) break;
        bytes += more;
        taken += n;
    }
    return std::wstring(insert.substr(0, taken));
}

bool TEdit::InsertFitting(std::wstring_view insert) {
    const std::wstring fitting = Fitting(insert);
    if (fitting.empty()) return false;
    CallWindowProcW(editProc_, Handle(), EM_REPLACESEL, TRUE,
                    reinterpret_cast<LPARAM>(fitting.c_str()));
    return true;
}

void TEdit::StartHiragana(HWND hwnd) const {
    const HIMC context = ImmGetContext(hwnd);
    if (!context) return;
    ImmSetOpenStatus(context, TRUE);
    DWORD conversion = 0;
    DWORD sentence = 0;
    ImmGetConversionStatus(context, &conversion, &sentence);
    ImmSetConversionStatus(context, IME_CMODE_NATIVE | IME_CMODE_FULLSHAPE, sentence);
    ImmReleaseContext(hwnd, context);
}

LRESULT TEdit::EditMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    const bool limited = layout_.maxLength > 0 && !layout_.readOnly;
    switch (msg) {
        case WM_CHAR:
        case WM_IME_CHAR: {
            const auto ch = static_cast<wchar_t>(wParam);
            if (limited && ch >= L' ' && ch != 0x7F && Fitting(std::wstring(1, ch)).empty())
                return 0;
            break;
        }
        case WM_PASTE: {
            if (!limited) break;
            std::wstring pasted;
            if (IsClipboardFormatAvailable(CF_UNICODETEXT) && OpenClipboard(hwnd)) {
                if (const HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
                    if (const auto* text = static_cast<const wchar_t*>(GlobalLock(data))) {
                        pasted = text;
                        GlobalUnlock(data);
                    }
                }
                CloseClipboard();
            }
            // A one-line field takes the clipboard's first line.
            pasted = pasted.substr(0, pasted.find_first_of(L"\r\n"));
            InsertFitting(pasted);
            return 0;
        }
        case WM_IME_COMPOSITION: {
            if (!limited || !(lParam & GCS_RESULTSTR)) break;
            std::wstring result;
            if (const HIMC context = ImmGetContext(hwnd)) {
                const LONG bytes = ImmGetCompositionStringW(context, GCS_RESULTSTR, nullptr, 0);
                if (bytes > 0) {
                    result.resize(static_cast<std::size_t>(bytes) / sizeof(wchar_t));
                    ImmGetCompositionStringW(context, GCS_RESULTSTR, result.data(),
                                             static_cast<DWORD>(bytes));
                }
                ImmReleaseContext(hwnd, context);
            }
            InsertFitting(result);
            const LPARAM rest =
                lParam & ~static_cast<LPARAM>(GCS_RESULTSTR | GCS_RESULTREADSTR | GCS_RESULTCLAUSE |
                                              GCS_RESULTREADCLAUSE);
            if (!rest) return 0;
            return CallWindowProcW(editProc_, hwnd, msg, wParam, rest);
        }
        case WM_SETFOCUS: {
            const LRESULT result = CallWindowProcW(editProc_, hwnd, msg, wParam, lParam);
            if (layout_.hiragana) StartHiragana(hwnd);
            return result;
        }
        default:
            break;
    }
    return CallWindowProcW(editProc_, hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK TEdit::SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    auto* edit = reinterpret_cast<TEdit*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!edit) return DefWindowProcW(hwnd, msg, wParam, lParam);
    const WNDPROC original = edit->editProc_;
    try {
        return edit->EditMessage(hwnd, msg, wParam, lParam);
    } catch (...) {
        return CallWindowProcW(original, hwnd, msg, wParam, lParam);
    }
}

// ---------------------------------------------------------------- TSpinEdit

HWND TSpinEdit::CreateHandle(HWND parent, int id, RECT bounds) {
    const HWND hwnd = MakeWindow(WS_EX_CLIENTEDGE, L"EDIT",
                                 WS_TABSTOP | ES_AUTOHSCROLL | WS_CLIPCHILDREN, parent, id, bounds);
    if (!hwnd) return nullptr;
    if (layout_.maxLength > 0) SendMessageW(hwnd, EM_SETLIMITTEXT, layout_.maxLength, 0);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    editProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SubclassProc)));

    RegisterOnce(L"TkSpinButton", ButtonProc, LoadCursorW(nullptr, IDC_ARROW));
    RECT client;
    GetClientRect(hwnd, &client);
    const int width = dialog_->Scale(kSpinButtonWidth);
    button_ =
        CreateWindowExW(0, L"TkSpinButton", nullptr, WS_CHILD | WS_VISIBLE, client.right - width, 0,
                        width, client.bottom, hwnd, nullptr, Instance(), this);
    return hwnd;
}

void TSpinEdit::Created() {
    // After WM_SETFONT, which puts the margins back to the font's.
    if (Handle() && button_) {
        RECT button;
        GetClientRect(button_, &button);
        SendMessageW(Handle(), EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, button.right));
    }
}

std::wstring TSpinEdit::Text() const {
    return TControl::Text();
}

void TSpinEdit::SetText(std::wstring_view text) {
    TControl::SetText(text);
}

int TSpinEdit::Value() const {
    const std::wstring text = Text();
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) negative = text[i++] == L'-';
    if (i == text.size()) return layout_.minValue;
    long long value = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < L'0' || text[i] > L'9') return layout_.minValue;
        value = value * 10 + (text[i] - L'0');
        if (value > INT_MAX) return layout_.minValue;
    }
    return static_cast<int>(negative ? -value : value);
}

void TSpinEdit::SetValue(int value) {
    if (layout_.maxValue != layout_.minValue)
        value = std::clamp(value, layout_.minValue, layout_.maxValue);
    SetText(std::to_wstring(value));
}

void TSpinEdit::ClampNow() {
    const int value = Value();
    if (layout_.maxValue != layout_.minValue &&
        value != std::clamp(value, layout_.minValue, layout_.maxValue))
        SetValue(value);
}

void TSpinEdit::Step(int delta) {
    const int value = Value();
    if (value > INT_MIN + 1 && value < INT_MAX - 1) SetValue(value + delta);
}

bool TSpinEdit::AcceptsChar(wchar_t ch) const {
    if ((ch >= L'0' && ch <= L'9') || ch == L'+' || ch == L'-') return true;
    wchar_t separator[8] = L".";
    GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator,
                   static_cast<int>(std::size(separator)));
    if (ch == separator[0]) return true;
    return ch < L' ' && ch != L'\r';
}

LRESULT TSpinEdit::EditMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_CHAR:
            if (!AcceptsChar(static_cast<wchar_t>(wParam))) {
                MessageBeep(0);
                return 0;
            }
            break;
        case WM_KEYDOWN:
            if (wParam == VK_UP || wParam == VK_DOWN) {
                Step(wParam == VK_UP ? 1 : -1);
                return 0;
            }
            break;
        case WM_KILLFOCUS: {
            const LRESULT result = CallWindowProcW(editProc_, hwnd, msg, wParam, lParam);
            ClampNow();
            return result;
        }
        default:
            break;
    }
    const LRESULT result = CallWindowProcW(editProc_, hwnd, msg, wParam, lParam);
    // Some edit controls (Wine's) draw typed text through their parent's DC,
    // which does not clip the button inside the edit: draw it again.
    switch (msg) {
        case WM_PAINT:
        case WM_CHAR:
        case WM_KEYDOWN:
        case WM_SETTEXT:
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
        case WM_LBUTTONDOWN:
        case WM_MOUSEMOVE:
        case EM_SETSEL:
        case EM_REPLACESEL:
            if (button_) RedrawWindow(button_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
            break;
        default:
            break;
    }
    return result;
}

LRESULT CALLBACK TSpinEdit::SubclassProc(HWND hwnd, UINT msg, WPARAM wParam,
                                         LPARAM lParam) noexcept {
    auto* spin = reinterpret_cast<TSpinEdit*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!spin) return DefWindowProcW(hwnd, msg, wParam, lParam);
    const WNDPROC original = spin->editProc_;
    try {
        return spin->EditMessage(hwnd, msg, wParam, lParam);
    } catch (...) {
        return CallWindowProcW(original, hwnd, msg, wParam, lParam);
    }
}

void TSpinEdit::PaintButton(HDC dc) const {
    RECT client;
    GetClientRect(button_, &client);
    const int middle = client.bottom / 2;
    const RECT halves[2] = {{0, 0, client.right, middle}, {0, middle, client.right, client.bottom}};
    const HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
    const HBRUSH arrow = GetSysColorBrush(COLOR_BTNTEXT);
    for (int i = 0; i < 2; ++i) {
        RECT r = halves[i];
        const bool down = pressed_ == (i == 0 ? 1 : -1);
        FillRect(dc, &r, face);
        DrawEdge(dc, &r, down ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
        // A small triangle, pointing up in the upper half and down in the lower.
        const int cx = (r.left + r.right) / 2 + (down ? 1 : 0);
        const int cy = (r.top + r.bottom) / 2 + (down ? 1 : 0);
        const int s = std::max<int>(2, std::min<LONG>(r.right - r.left, r.bottom - r.top) / 4);
        const int tip = i == 0 ? -1 : 1;
        POINT points[3] = {
            {cx - s, cy - tip * s / 2}, {cx + s, cy - tip * s / 2}, {cx, cy + tip * (s - s / 2)}};
        const ScopedSelect brush(dc, arrow);
        const ScopedSelect pen(dc, GetStockObject(NULL_PEN));
        Polygon(dc, points, 3);
    }
}

LRESULT TSpinEdit::ButtonMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    const auto stop = [this, hwnd] {
        if (!pressed_) return;
        pressed_ = 0;
        KillTimer(hwnd, kRepeatTimer);
        InvalidateRect(hwnd, nullptr, FALSE);
    };
    switch (msg) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            const HDC dc = BeginPaint(hwnd, &ps);
            PaintButton(dc);
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {
            RECT client;
            GetClientRect(hwnd, &client);
            pressed_ = static_cast<short>(HIWORD(lParam)) < client.bottom / 2 ? 1 : -1;
            if (GetFocus() != Handle()) SetFocus(Handle());
            SetCapture(hwnd);
            Step(pressed_);
            SetTimer(hwnd, kRepeatTimer, kFirstRepeatMs, nullptr);
            InvalidateRect(hwnd, nullptr, FALSE);
            return 0;
        }
        case WM_TIMER:
            if (wParam == kRepeatTimer && pressed_) {
                Step(pressed_);
                SetTimer(hwnd, kRepeatTimer, kRepeatMs, nullptr);
            }
            return 0;
        case WM_LBUTTONUP:
            stop();
            if (GetCapture() == hwnd) ReleaseCapture();
            return 0;
        case WM_CAPTURECHANGED:
            stop();
            return 0;
        default:
            break;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK TSpinEdit::ButtonProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    if (msg == WM_NCCREATE) {
        SetWindowLongPtrW(
            hwnd, GWLP_USERDATA,
            reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    }
    auto* spin = reinterpret_cast<TSpinEdit*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (msg == WM_NCDESTROY) SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    if (!spin) return DefWindowProcW(hwnd, msg, wParam, lParam);
    try {
        return spin->ButtonMessage(hwnd, msg, wParam, lParam);
    } catch (...) {
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

}  // namespace tk
