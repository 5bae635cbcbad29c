#include "toolkit/Menu.h"

#include <string>

#include "core/Decimal.h"
#include "core/Scale.h"
#include "toolkit/ImageList.h"

namespace tk {
namespace {

constexpr UINT kFirstCommandId = 100;

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
        // A 32-bit bitmap with alpha keeps the menu themed, where drawing the
        // icon on request (HBMMENU_CALLBACK) turns it back to the classic look.
        // The list keeps the bitmap for as long as the menu can show it.
        if (const HBITMAP icon = images_ ? images_->Bitmap(item->ImageIndex) : nullptr) {
            info.fMask |= MIIM_BITMAP;
            info.hbmpItem = icon;
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

}  // namespace tk
