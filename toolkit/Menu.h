// Popup menu with icons from an image list and shortcut keys. One list of
// items drives the menu, the shortcut text shown in it and the accelerators.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "winbase/Handles.h"

namespace tk {

class ImageList;

// A shortcut as a menu stores it: virtual-key code plus 0x2000 Shift,
// 0x4000 Ctrl, 0x8000 Alt (Ctrl+U = 0x4055 = 16469).
using ShortCut = WORD;
inline constexpr ShortCut kShiftBit = 0x2000;
inline constexpr ShortCut kCtrlBit = 0x4000;
inline constexpr ShortCut kAltBit = 0x8000;

// A shortcut written as its keys: Ctrl + 'U', Alt + VK_F4, Ctrl + Shift + 'S';
// a key without modifiers is just its code (VK_F1).
struct Modifier {
    ShortCut bits;
};
namespace keys {
inline constexpr Modifier Shift{kShiftBit};
inline constexpr Modifier Ctrl{kCtrlBit};
inline constexpr Modifier Alt{kAltBit};
}  // namespace keys
constexpr Modifier operator+(Modifier a, Modifier b) {
    return {static_cast<ShortCut>(a.bits | b.bits)};
}
constexpr ShortCut operator+(Modifier modifier, WORD key) {
    return static_cast<ShortCut>(modifier.bits | key);
}

// "Ctrl+U", "F1", "Alt+F4"; empty for no shortcut.
std::wstring ShortCutToText(ShortCut shortcut);

// A separator is a kind of item, not a caption: any text, "-" too, is a
// command that can be chosen.
enum class MenuItemKind { Command, Separator };

struct MenuItem {
    MenuItemKind Kind = MenuItemKind::Command;
    std::wstring Caption;
    ShortCut ShortCut = 0;
    int ImageIndex = -1;
    bool Checked = false;
    std::function<void(MenuItem&)> OnClick;

    bool IsSeparator() const { return Kind == MenuItemKind::Separator; }
    UINT CommandId() const { return commandId_; }

  private:
    friend class PopupMenu;
    UINT commandId_ = 0;
};

class PopupMenu {
  public:
    explicit PopupMenu(ImageList* images) : images_(images) {}

    MenuItem& Add(MenuItem item);
    MenuItem& AddSeparator();
    std::size_t Count() const { return items_.size(); }
    MenuItem& operator[](std::size_t index) { return *items_[index]; }
    const MenuItem& operator[](std::size_t index) const { return *items_[index]; }

    // Shows the menu at a screen point for `owner` and runs the chosen item.
    // TrackPopupMenu runs a nested message loop in which timers and paints
    // still arrive; the chosen command is dispatched after it has returned.
    void Popup(HWND owner, int screenX, int screenY);

    // Accelerators for every item with a shortcut; rebuilt after items change.
    HACCEL Accelerators();

    // Runs the item with this command id; false if none has it.
    bool Dispatch(UINT commandId);

    // The HMENU as last shown, for tests; built on demand.
    HMENU BuildMenu();

    // The density of the monitor the menu opens on: its icons are shown in
    // whole-pixel squares of the nearest scale from the next time it opens
    // (never under a menu that is open).
    void SetDensity(UINT dpi) { dpi_ = dpi; }

  private:
    ImageList* images_;
    UINT dpi_ = 96;
    std::vector<std::unique_ptr<MenuItem>> items_;
    UniqueMenu menu_;
    UniqueAccelerators accelerators_;
    bool acceleratorsStale_ = true;
};

}  // namespace tk
