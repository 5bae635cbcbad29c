// Helpers for the Win32 tests: message pumping, answering modal windows from
// inside their loops, temporary folders and shortcut files.
#pragma once

#include <windows.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "mascot/MascotWindow.h"

namespace testing_support {

// Dispatches messages for about `ms` milliseconds.
void PumpFor(DWORD ms);

// Runs `act` on the first visible top-level window of this thread, other than
// `except`, that appears while a modal loop runs. Polls from a thread timer,
// so it works inside MessageBox, DialogBox and TrackPopupMenu loops.
class ModalResponder {
  public:
    ModalResponder(std::function<void(HWND)> act, HWND except = nullptr);
    ~ModalResponder();
    bool Answered() const { return answered_; }
    std::wstring ClassName() const { return className_; }

  private:
    static void CALLBACK Poll(HWND, UINT, UINT_PTR, DWORD);
    std::function<void(HWND)> act_;
    HWND except_;
    UINT_PTR timer_ = 0;
    bool answered_ = false;
    std::wstring className_;
};

std::wstring WindowText(HWND hwnd);

// A bitmap's pixels as 32-bit BGRA, top row first.
std::vector<DWORD> PixelsOf(HBITMAP bitmap);

// Runs `undo` when the scope is left, a failed assertion included.
class ScopeExit {
  public:
    explicit ScopeExit(std::function<void()> undo) : undo_(std::move(undo)) {}
    ScopeExit(const ScopeExit&) = delete;
    ScopeExit& operator=(const ScopeExit&) = delete;
    ~ScopeExit() { undo_(); }

  private:
    std::function<void()> undo_;
};

// A rectangle as left, top, width and height, for readable comparisons.
struct Box {
    int left, top, width, height;
    bool operator==(const Box&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Box& b);
Box ToBox(const RECT& r);

// A child window's rectangle in its parent's client area.
Box PlaceOf(HWND child);
SIZE ClientSize(HWND hwnd);
std::wstring ClassOf(HWND hwnd);

// A fresh folder under the temp folder, removed with everything in it.
class TempFolder {
  public:
    explicit TempFolder(const std::wstring& name);
    ~TempFolder();
    const std::wstring& Path() const { return path_; }
    std::wstring operator/(const std::wstring& name) const { return path_ + L"\\" + name; }

  private:
    std::wstring path_;
};

// Writes a shortcut file to `target` with `arguments`.
bool MakeShortcut(const std::wstring& linkPath, const std::wstring& target,
                  const std::wstring& arguments = L"");

bool FileExists(const std::wstring& path);

// The surroundings of a mascot whose program lies in `programFolder`: one
// 1024x768 monitor, the clock at midnight, no registered owner.
pelnor::MascotEnvironment PlainEnvironment(const std::wstring& programFolder);

}  // namespace testing_support

namespace pelnor {

// The tests' and the benchmark's one way inside the mascot window: its menu,
// picture, motion and call, and the handlers they drive by hand. The menu's
// commands arrive as the menu sends them, as WM_COMMAND with the item's id.
struct MascotProbe {
    static tk::PopupMenu& Menu(MascotWindow& m) { return m.menu_; }
    static tk::ImageList& MenuIcons(MascotWindow& m) { return m.menuIcons_; }
    static const tk::MenuItem* AlwaysOnTopItem(const MascotWindow& m) { return m.alwaysOnTopItem_; }
    static const tk::MenuItem* FreezeItem(const MascotWindow& m) { return m.freezeItem_; }
    static const tk::MenuItem* ExplorerItem(const MascotWindow& m) { return m.explorerItem_; }
    static const tk::MenuItem* CallLetterItem(const MascotWindow& m) { return m.callLetterItem_; }
    static const tk::MenuItem* ProgramFolderItem(const MascotWindow& m) {
        return m.programFolderItem_;
    }
    static const tk::MenuItem* HelpItem(const MascotWindow& m) { return m.helpItem_; }
    static const tk::MenuItem* AboutItem(const MascotWindow& m) { return m.aboutItem_; }
    static const tk::MenuItem* ExitItem(const MascotWindow& m) { return m.exitItem_; }
    static const Picture& Sprite(const MascotWindow& m) { return m.sprite_; }
    static tk::Timer& TickTimer(MascotWindow& m) { return m.tickTimer_; }
    static MascotState& Motion(MascotWindow& m) { return m.motion_; }
    static pelnor::Call& Call(MascotWindow& m) { return m.call_; }

    static void OnTick(MascotWindow& m) { m.OnTick(); }
    static void OnKeyDown(MascotWindow& m, WORD key, bool shift, bool ctrl, bool alt) {
        m.OnKeyDown(key, shift, ctrl, alt);
    }
    static void ReshapeAndDraw(MascotWindow& m) { m.ReshapeAndDraw(); }
    static void DrawPicture(MascotWindow& m, HDC dc) { m.DrawPicture(dc); }

    static void ToggleAlwaysOnTop(MascotWindow& m) { Choose(m, m.alwaysOnTopItem_); }
    static void ToggleFreeze(MascotWindow& m) { Choose(m, m.freezeItem_); }
    static void SummonExplorer(MascotWindow& m) { Choose(m, m.explorerItem_); }
    static void WriteCallLetter(MascotWindow& m) { Choose(m, m.callLetterItem_); }
    static void OpenProgramFolder(MascotWindow& m) { Choose(m, m.programFolderItem_); }
    static void ShowHelp(MascotWindow& m) { Choose(m, m.helpItem_); }
    static void ShowAbout(MascotWindow& m) { Choose(m, m.aboutItem_); }
    static void Exit(MascotWindow& m) { Choose(m, m.exitItem_); }

  private:
    static void Choose(MascotWindow& m, const tk::MenuItem* item) {
        SendMessageW(m.Handle(), WM_COMMAND, MAKEWPARAM(item->CommandId(), 0), 0);
    }
};

}  // namespace pelnor
