#include "toolkit/SimpleControls.h"

#include "core/Scale.h"
#include "toolkit/ImageList.h"
#include "toolkit/Accessibility.h"

namespace tk {
namespace {

constexpr wchar_t kPanelClass[] = L"TkPanel";

}  // namespace

// ---------------------------------------------------------------- Label

void Label::AdjustBounds(RECT& bounds) {
    if (layout_.width != 0 && layout_.height != 0) return;
    const WindowDc screen(nullptr);
    const ScopedSelect select(screen.get(), font_);
    RECT measured{0, 0, 0, 0};
    DrawTextW(screen.get(), text_.c_str(), static_cast<int>(text_.size()), &measured,
              DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS);
    if (layout_.width == 0) bounds.right = bounds.left + measured.right;
    if (layout_.height == 0) bounds.bottom = bounds.top + measured.bottom;
}

void Label::SetText(std::wstring_view text) {
    Invalidate();
    text_ = text;
    if (dialog_) {
        RECT bounds = BoundsRect();
        AdjustBounds(bounds);
        // The rectangle is private to Control; a label re-made from its
        // table row keeps its place and takes its new size.
        Resize(bounds);
        if (const HWND hwnd = Handle()) {
            SetWindowTextW(hwnd, text_.c_str());
            SetWindowPos(hwnd, nullptr, bounds.left, bounds.top, bounds.right - bounds.left,
                         bounds.bottom - bounds.top, SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    Invalidate();
}

HWND Label::CreateHandle(HWND parent, int id, RECT bounds) {
    if (layout_.shadow) return nullptr;
    const HWND hwnd = MakeWindow(0, L"STATIC", SS_LEFT | SS_NOPREFIX, parent, id, bounds);
    if (hwnd) Subclass(hwnd);
    return hwnd;
}

namespace {

// Draws on `dc` what the parent shows under the window `hwnd`.
void ShowParentUnder(HWND hwnd, HDC dc) {
    const HWND parent = GetParent(hwnd);
    POINT origin{0, 0};
    MapWindowPoints(hwnd, parent, &origin, 1);
    POINT before{};
    SetViewportOrgEx(dc, -origin.x, -origin.y, &before);
    SendMessageW(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    SendMessageW(parent, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    SetViewportOrgEx(dc, before.x, before.y, nullptr);
}

}  // namespace

// The window shows the parent's drawing: its face, and every label and image
// drawn there in their order, overlapping ones included.
LRESULT Label::SubclassMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            const PaintDc dc(hwnd);
            ShowParentUnder(hwnd, dc.get());
            return 0;
        }
        case WM_PRINTCLIENT:
            ShowParentUnder(hwnd, reinterpret_cast<HDC>(wParam));
            return 0;
        default:
            return DefaultSubclassProc(hwnd, msg, wParam, lParam);
    }
}

void Label::Paint(HDC dc) {
    // A shadow is looks only: high contrast leaves the text alone on its face.
    if (layout_.shadow && HighContrastOn()) return;
    const ScopedSelect select(dc, font_);
    RECT bounds = BoundsRect();
    if (layout_.background != kDefaultColor) {
        const UniqueBrush brush(CreateSolidBrush(InkColour(layout_.background, Ink::Face)));
        FillRect(dc, &bounds, brush.get());
    }
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, InkColour(layout_.color, Ink::Text));
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

// ---------------------------------------------------------------- Image

HWND Image::CreateHandle(HWND, int, RECT) {
    if (layout_.bitmap) {
        bitmap_.reset(static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr),
                                                      MAKEINTRESOURCEW(layout_.bitmap),
                                                      IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    }
    if (layout_.icon) {
        icon_.reset(
            static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(layout_.icon),
                                          IMAGE_ICON, kPixelArtIcon, kPixelArtIcon, 0)));
    }
    return nullptr;
}

void Image::SetIcon(UniqueIcon icon) {
    icon_ = std::move(icon);
}

void Image::FollowFace() {
    if (!bitmap_ || layout_.background == kDefaultColor) return;
    const COLORREF face = InkColour(layout_.background, Ink::Face);
    if (face == face_) return;
    face_ = face;
    const RGBQUAD entry{GetBValue(face), GetGValue(face), GetRValue(face), 0};
    const UniqueMemoryDc memory(CreateCompatibleDC(nullptr));
    const ScopedSelect select(memory.get(), bitmap_.get());
    SetDIBColorTable(memory.get(), 0, 1, &entry);
}

// The program's own pictures are pixel art: each of their pixels is drawn as
// an s x s square of one colour, s the largest whole scale that fits the box
// at the dialog's density, centred in it; the box itself stays where the
// layout puts it. An icon handed over by SetIcon (the system's) fills its box.
void Image::Paint(HDC dc) {
    FollowFace();
    const RECT r = BoundsRect();
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    const int dpi = dialog_ ? dialog_->Dpi() : 96;
    if (icon_ && !layout_.icon)
        DrawIconEx(dc, r.left, r.top, icon_.get(), width, height, 0, nullptr, DI_NORMAL);
    if (icon_ && layout_.icon) {
        const int scale = pelnor::ScaleInBox(dpi, kPixelArtIcon, kPixelArtIcon, width, height);
        if (!shownArt_ || shownScale_ != scale) {
            shownArt_ = EnlargedIcon(icon_.get(), scale);
            shownScale_ = scale;
        }
        const int size = kPixelArtIcon * scale;
        const int left = r.left + (width - size) / 2;
        const int top = r.top + (height - size) / 2;
        if (shownArt_) {
            const UniqueMemoryDc memory(CreateCompatibleDC(dc));
            const ScopedSelect select(memory.get(), shownArt_.get());
            const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
            GdiAlphaBlend(dc, left, top, size, size, memory.get(), 0, 0, size, size, blend);
        } else {
            DrawIconEx(dc, left, top, icon_.get(), size, size, 0, nullptr, DI_NORMAL);
        }
    }
    if (bitmap_) {
        BITMAP info{};
        GetObjectW(bitmap_.get(), sizeof info, &info);
        const int scale = pelnor::ScaleInBox(dpi, info.bmWidth, info.bmHeight, width, height);
        const int shownWidth = info.bmWidth * scale;
        const int shownHeight = info.bmHeight * scale;
        const UniqueMemoryDc memory(CreateCompatibleDC(dc));
        const ScopedSelect select(memory.get(), bitmap_.get());
        SetStretchBltMode(dc, COLORONCOLOR);  // a whole scale: every pixel repeated, none blended
        StretchBlt(dc, r.left + (width - shownWidth) / 2, r.top + (height - shownHeight) / 2,
                   shownWidth, shownHeight, memory.get(), 0, 0, info.bmWidth, info.bmHeight,
                   SRCCOPY);
    }
}

// ---------------------------------------------------------------- Panel

HWND Panel::CreateHandle(HWND parent, int id, RECT bounds) {
    RegisterClassFor({.name = kPanelClass,
                      .style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS,
                      .cursor = LoadCursorW(nullptr, IDC_ARROW)});
    return MakeWindow(0, kPanelClass, WS_CLIPCHILDREN, parent, id, bounds, CreateParams());
}

void Panel::PaintPanel(HDC target) {
    RECT client;
    GetClientRect(Handle(), &client);
    // Drawn off screen: the labels overlap each other and the picture.
    const UniqueMemoryDc dc(CreateCompatibleDC(target));
    const UniqueBitmap canvas(CreateCompatibleBitmap(target, client.right, client.bottom));
    const ScopedSelect select(dc.get(), canvas.get());
    // Picked at each paint: high contrast can come and go while it is open.
    const UniqueBrush face(CreateSolidBrush(InkColour(layout_.background, Ink::Face)));
    FillRect(dc.get(), &client, face.get());
    RECT edge = client;
    DrawEdge(dc.get(), &edge, BDR_SUNKENOUTER, BF_RECT);
    InflateRect(&edge, -1, -1);
    DrawEdge(dc.get(), &edge, BDR_SUNKENOUTER, BF_RECT);
    for (Control* control : graphics_) control->Paint(dc.get());
    BitBlt(target, 0, 0, client.right, client.bottom, dc.get(), 0, 0, SRCCOPY);
}

LRESULT Panel::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    const HWND hwnd = Handle();
    switch (msg) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            const PaintDc dc(hwnd);
            PaintPanel(dc.get());
            return 0;
        }
        case WM_PRINTCLIENT:
            PaintPanel(reinterpret_cast<HDC>(wParam));
            return 0;
        // Controls made in the panel report to the dialog.
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORBTN:
            return SendMessageW(GetParent(hwnd), msg, wParam, lParam);
        default:
            break;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

// ---------------------------------------------------------------- Button

HWND Button::CreateHandle(HWND parent, int id, RECT bounds) {
    return MakeWindow(0, L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON, parent, id, bounds);
}

void Button::Click() {
    if (OnClick) OnClick();
    if (layout_.modalResult && dialog_) dialog_->EndModal(layout_.modalResult);
}

bool Button::Command(WORD code) {
    if (code != BN_CLICKED) return false;
    Click();
    return true;
}

// ---------------------------------------------------------------- CheckBox

HWND CheckBox::CreateHandle(HWND parent, int id, RECT bounds) {
    const HWND hwnd = MakeWindow(0, L"BUTTON", WS_TABSTOP | BS_AUTOCHECKBOX, parent, id, bounds);
    if (hwnd) SendMessageW(hwnd, BM_SETCHECK, layout_.checked ? BST_CHECKED : BST_UNCHECKED, 0);
    return hwnd;
}

bool CheckBox::Checked() const {
    return Handle() && SendMessageW(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void CheckBox::SetChecked(bool checked) {
    if (Handle()) SendMessageW(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

// ---------------------------------------------------------------- StaticText

HWND StaticText::CreateHandle(HWND parent, int id, RECT bounds) {
    // SS_NOTIFY: the text is hit by the mouse, for its tool tip and the "?" box.
    const DWORD style =
        SS_LEFT | SS_NOPREFIX | SS_NOTIFY | (layout_.wordWrap ? 0 : SS_LEFTNOWORDWRAP);
    return MakeWindow(layout_.border ? WS_EX_STATICEDGE : 0, L"STATIC", style, parent, id, bounds);
}

}  // namespace tk
