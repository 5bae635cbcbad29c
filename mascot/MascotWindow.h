// The mascot window: a borderless window cut to the figure's outline that
// drifts over the desktop, carries the menu and keeps the call letter.
#pragma once

#include <windows.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <string>

#include "core/CallCheck.h"
#include "core/Motion.h"
#include "mascot/Picture.h"
#include "mascot/ScaledFigure.h"
#include "toolkit/Form.h"
#include "toolkit/HoverHint.h"
#include "toolkit/ImageList.h"
#include "toolkit/Menu.h"
#include "toolkit/Timer.h"
#include "winbase/Handles.h"

namespace pelnor {

// Where the window's outside world comes from; tests replace parts of it.
struct MascotEnvironment {
    std::function<ClockTime()> clock;               // local date and time of day
    std::function<std::wstring()> registeredOwner;  // default name
    std::function<std::wstring()> executablePath;   // full path of the program
    std::function<RECT(HWND)> monitorRect;          // the monitor the window is on
    static MascotEnvironment System();
};

class MascotWindow : public tk::Form<MascotWindow> {
  public:
    explicit MascotWindow(MascotEnvironment environment = MascotEnvironment::System());
    ~MascotWindow();

    // Creates the window and runs the start-up sequence; false if the window
    // could not be made.
    [[nodiscard]] bool Create();

    // Set for the program's own main window: closing it ends the message loop.
    void SetQuitOnDestroy(bool quit) { quitOnDestroy_ = quit; }
    // The menu's shortcut keys, for the message loop to translate.
    HACCEL Accelerators() { return menu_.Accelerators(); }

    // The two forms of the program folder: with its trailing backslash, and
    // without (except at a drive root).
    const std::wstring& ProgramFolder() const { return programFolder_; }
    const std::wstring& ProgramFolderSlash() const { return programFolderSlash_; }
    // The help file beside the program.
    const std::wstring& HelpFile() const { return helpFile_; }
    int LauncherCount() const { return launcherCount_; }

    // Frozen: the mascot holds still and is drawn inverted; the Freeze item's
    // check mark shows it.
    bool Frozen() const { return frozen_; }
    // Each picture pixel is a Scale() x Scale() square of the screen.
    int Scale() const { return std::max(1, figure_.Scale()); }

    // Counters for tests and the benchmark: paints handled, regions applied.
    int PaintCount() const { return paintCount_; }
    int RegionCount() const { return regionCount_; }

  private:
    friend class tk::Window<MascotWindow>;
    // The tests' and the benchmark's one way inside (tests/wine/TestSupport.h).
    friend struct MascotProbe;
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);

    // Events.
    void OnPaint(HDC paintDc);
    void OnKeyDown(WORD key, bool shift, bool ctrl, bool alt);
    void OnTick();
    // Applies the outline of the current orientation if it changed, and draws.
    void ReshapeAndDraw();
    void DrawPicture(HDC dc);
    void PopupAt(int screenX, int screenY);

    // The menu's commands.
    void ToggleAlwaysOnTop();
    void ToggleFreeze();
    void SummonExplorer();
    void WriteCallLetter();
    void OpenProgramFolder();
    void ShowHelp();
    void ShowAbout();
    void Exit();
    void LaunchShortcut(const std::wstring& shortcut);

    void BuildMenu();
    void StartUp();
    void ReshapeAndDrawOn(HDC dc);
    void BuildLauncher();
    void DriftStep();
    void CallCheck();
    void StartMove();
    void ClockJumped();
    void GiveWayToFullScreen();
    void SetStayOnTop(bool onTop);
    void FollowDensity(UINT dpi);
    void SetHintFont(UINT dpi);
    void RelayToHint(UINT msg);
    void CheckMonitor(bool displayChanged);

    // The menu and its fixed items (separators have no member).
    tk::ImageList menuIcons_{16, 16};
    tk::PopupMenu menu_{&menuIcons_};
    tk::MenuItem* alwaysOnTopItem_ = nullptr;
    tk::MenuItem* freezeItem_ = nullptr;
    tk::MenuItem* explorerItem_ = nullptr;
    tk::MenuItem* callLetterItem_ = nullptr;
    tk::MenuItem* programFolderItem_ = nullptr;
    tk::MenuItem* helpItem_ = nullptr;
    tk::MenuItem* aboutItem_ = nullptr;
    tk::MenuItem* exitItem_ = nullptr;

    Picture sprite_;
    tk::Timer tickTimer_;  // every 500 ms: drift, the full-screen check, then the call check

    MascotState motion_;
    pelnor::Call call_;

    MascotEnvironment environment_;
    ScaledFigure figure_;    // the picture and its outline at this scale, both ways round
    bool moving_ = false;    // inside the system's move loop
    bool stepping_ = false;  // the drift is moving the window
    std::optional<ScreenRect> monitor_;  // the drift's monitor, while it is known
    std::optional<ScreenRect> display_;  // the monitor the window was on when last looked up
    bool monitorDue_ = false;            // every other tick: once a second
    tk::UniqueFont font_;  // the window's font, used by its hint; made on the first hover
    tk::HoverHint hint_;
    std::wstring programFolder_;
    std::wstring programFolderSlash_;
    std::wstring helpFile_;
    int launcherCount_ = 0;
    int appliedOrientation_ = -1;  // 1 left, 0 right, -1 none yet at this scale
    int paintCount_ = 0;
    int regionCount_ = 0;
    // The window's own modes; the menu's check marks show them.
    bool alwaysOnTop_ = true;
    bool frozen_ = false;
    bool givingWay_ = false;   // out of the top-most band for a full-screen program
    bool noticeOpen_ = false;  // the call notice is up
    bool quitOnDestroy_ = false;
};

}  // namespace pelnor
