#include "toolkit/Control.h"

#include <algorithm>

#include "toolkit/Accessibility.h"
#include "toolkit/SimpleControls.h"

namespace tk {
namespace {

std::wstring WindowText(HWND hwnd) {
    const int length = GetWindowTextLengthW(hwnd);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(hwnd, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(std::max(copied, 0)));
    return text;
}

}  // namespace

void Control::Create(Dialog& dialog, Panel* panel) {
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

HWND Control::MakeWindow(DWORD exStyle, const wchar_t* className, DWORD style, HWND parent, int id,
                          const RECT& bounds, void* createParams) {
    return CreateWindowExW(
        exStyle, className, text_.c_str(), WS_CHILD | WS_VISIBLE | style, bounds.left, bounds.top,
        bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), createParams);
}

void Control::Invalidate() const {
    if (!dialog_) return;
    const HWND parent = panel_ ? panel_->Handle() : dialog_->Handle();
    // The windows of labels over the rectangle show the parent's drawing too.
    if (parent)
        RedrawWindow(parent, &bounds_, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

std::wstring Control::Text() const {
    if (hwnd_ && IsWindow(hwnd_)) return WindowText(hwnd_);
    return text_;
}

void Control::SetText(std::wstring_view text) {
    text_ = text;
    if (hwnd_ && IsWindow(hwnd_)) SetWindowTextW(hwnd_, text_.c_str());
}

HBRUSH Control::CtlColor(HDC dc) {
    if (layout_.color == kDefaultColor && layout_.background == kDefaultColor) return nullptr;
    SetTextColor(dc, InkColour(layout_.color, Ink::Text));
    const COLORREF face = InkColour(layout_.background, Ink::Face);
    SetBkColor(dc, face);
    if (!brush_ || brushColour_ != face) {
        brush_.reset(CreateSolidBrush(face));
        brushColour_ = face;
    }
    return brush_.get();
}

std::vector<HWND> Control::HintWindows() const {
    return {hwnd_};
}

}  // namespace tk
