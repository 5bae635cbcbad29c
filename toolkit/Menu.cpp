#include "toolkit/Menu.h"

#include <string>

#include "core/Decimal.h"
#include "core/Scale.h"
#include "toolkit/ImageList.h"

namespace tk {
namespace {

constexpr UINT kFirstCommandId = 100;
constexpr int kIconGap = 2;  // space either side of a menu icon, at scale 1

std::wstring KeyName(WORD vk) {
    if (vk >= VK_F1 && vk <= VK_F24) return L"F" + pelnor::DecimalText(vk - VK_F1 + 1);
    if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9')) return std::wstring(1, vk);
    return {};
}

// A caption shown as it is written: "&" is not a mnemonic marker.
std::wstring MenuText(const MenuItem& item) {
    std::wstring text;
    for (wchar_t c : item.Caption) {
        if (c == L'&') text += L'&';
        text += c;
    }
    if (item.ShortCut) text += L"\t" + ShortCutToText(item.ShortCut);
    return text;
}

}  // namespace

std::wstring ShortCutToText(ShortCut shortcut) {
    const std::wstring key = KeyName(shortcut & 0xFF);
    if (key.empty()) return {};
    std::wstring text;
    if (shortcut & kShiftBit) text += L"Shift+";
    if (shortcut & kCtrlBit) text += L"Ctrl+";
    if (shortcut & kAltBit) text += L"Alt+";
    return text + key;
}

MenuItem& PopupMenu::Add(MenuItem item) {
    item.commandId_ = kFirstCommandId + static_cast<UINT>(items_.size());
    items_.push_back(std::make_unique<MenuItem>(std::move(item)));
    acceleratorsStale_ = true;
    return *items_.back();
}

MenuItem& PopupMenu::AddSeparator() {
    MenuItem separator;
    separator.Kind = MenuItemKind::Separator;
    return Add(std::move(separator));
}

HMENU PopupMenu::BuildMenu() {
    menu_.reset(CreatePopupMenu());
    if (!menu_) return nullptr;
    if (images_) images_->SetScale(pelnor::ScaleForDpi(static_cast<int>(dpi_)));
    for (const auto& item : items_) {
        if (item->IsSeparator()) {
            AppendMenuW(menu_.get(), MF_SEPARATOR, 0, nullptr);
            continue;
        }
        const std::wstring text = MenuText(*item);
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_ID | MIIM_STRING | MIIM_STATE;
        info.wID = item->commandId_;
        info.dwTypeData = const_cast<wchar_t*>(text.c_str());
        info.fState = item->Checked ? MFS_CHECKED : MFS_UNCHECKED;
        if (item->ImageIndex >= 0 && images_) {
            // The owner draws the icon from the image list when asked.
            info.fMask |= MIIM_BITMAP | MIIM_DATA;
            info.hbmpItem = HBMMENU_CALLBACK;
            info.dwItemData = static_cast<ULONG_PTR>(item->ImageIndex);
        }
        InsertMenuItemW(menu_.get(), GetMenuItemCount(menu_.get()), TRUE, &info);
    }
    return menu_.get();
}

void PopupMenu::Popup(HWND owner, int screenX, int screenY) {
    const HMENU menu = BuildMenu();
    if (!menu) return;
    // Without the foreground the menu would not close when the user clicks elsewhere.
    SetForegroundWindow(owner);
    const UINT chosen = static_cast<UINT>(
        TrackPopupMenuEx(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN,
                         screenX, screenY, owner, nullptr));
    PostMessageW(owner, WM_NULL, 0, 0);
    if (chosen) Dispatch(chosen);
}

HACCEL PopupMenu::Accelerators() {
    if (!acceleratorsStale_) return accelerators_.get();
    std::vector<ACCEL> table;
    for (const auto& item : items_) {
        if (!item->ShortCut || item->IsSeparator()) continue;
        BYTE flags = FVIRTKEY;
        if (item->ShortCut & kShiftBit) flags |= FSHIFT;
        if (item->ShortCut & kCtrlBit) flags |= FCONTROL;
        if (item->ShortCut & kAltBit) flags |= FALT;
        table.push_back(
            {flags, static_cast<WORD>(item->ShortCut & 0xFF), static_cast<WORD>(item->commandId_)});
    }
    accelerators_.reset(
        table.empty() ? nullptr
                      : CreateAcceleratorTableW(table.data(), static_cast<int>(table.size())));
    acceleratorsStale_ = false;
    return accelerators_.get();
}

bool PopupMenu::Dispatch(UINT commandId) {
    for (auto& item : items_) {
        if (item->commandId_ == commandId && !item->IsSeparator()) {
            if (item->OnClick) item->OnClick(*item);
            return true;
        }
    }
    return false;
}

bool PopupMenu::MeasureItem(MEASUREITEMSTRUCT& measure) const {
    if (measure.CtlType != ODT_MENU || !images_) return false;
    // Only the icon's part of the row: the row is as tall as the larger of
    // this and the text.
    measure.itemWidth = images_->Width() + kIconGap * images_->Scale();
    measure.itemHeight = images_->Height() + kIconGap * images_->Scale();
    return true;
}

bool PopupMenu::DrawItem(const DRAWITEMSTRUCT& draw) const {
    if (draw.CtlType != ODT_MENU || !images_) return false;
    const int top =
        draw.rcItem.top + (draw.rcItem.bottom - draw.rcItem.top - images_->Height()) / 2;
    images_->Draw(draw.hDC, static_cast<int>(draw.itemData),
                  draw.rcItem.left + kIconGap * images_->Scale() / 2, top);
    return true;
}

}  // namespace tk
