// The mascot window: a borderless window cut to the figure's outline that
// drifts over the desktop, carries the menu and keeps the call letter.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "core/CallCheck.h"
#include "core/Motion.h"
#include "mascot/Picture.h"
#include "toolkit/Form.h"
#include "toolkit/Handles.h"
#include "toolkit/ImageList.h"
#include "toolkit/Menu.h"
#include "toolkit/Timer.h"

namespace pelnor {

// Where the window's outside world comes from; tests replace parts of it.
struct MascotEnvironment {
    std::function<ClockTime()> clock;               // local time of day
    std::function<std::wstring()> registeredOwner;  // default name
    std::function<std::wstring()> executablePath;   // full path of the program
    std::function<SIZE()> screenSize;               // primary screen in pixels
    static MascotEnvironment System();
};

class MascotWindow : public tk::TForm {
  public:
    explicit MascotWindow(MascotEnvironment environment = MascotEnvironment::System());
    ~MascotWindow() override;

    // Creates the window and runs the start-up sequence; false if the window
    // could not be made.
    bool Create();

    // The menu and its fixed items.
    tk::TImageList ImageList1{16, 16};
    tk::TPopupMenu PopupMenu1{&ImageList1};
    tk::TMenuItem* MnuDspTop = nullptr;
    tk::TMenuItem* MnuFreeze = nullptr;
    tk::TMenuItem* N3 = nullptr;
    tk::TMenuItem* MnuCallExpr = nullptr;
    tk::TMenuItem* N4 = nullptr;
    tk::TMenuItem* TimerSet = nullptr;
    tk::TMenuItem* OpenRoom = nullptr;
    tk::TMenuItem* N1 = nullptr;
    tk::TMenuItem* Help1 = nullptr;
    tk::TMenuItem* About1 = nullptr;
    tk::TMenuItem* N2 = nullptr;
    tk::TMenuItem* Exit1 = nullptr;

    TPicture Image1;
    tk::TTimer Timer1;

    MascotState Motion;
    CallState Call;

    // The two forms of the program folder: with its trailing backslash, and
    // without (except at a drive root).
    const std::wstring& ProgramFolder() const { return programFolder_; }
    const std::wstring& ProgramFolderSlash() const { return programFolderSlash_; }
    // The help file beside the program.
    const std::wstring& HelpFile() const { return helpFile_; }
    int LauncherCount() const { return launcherCount_; }

    // Handlers.
    void FormCreate();
    void FormPaint(HDC paintDc);
    void FormKeyDown(WORD key, bool shift, bool ctrl, bool alt);
    bool FormCloseQuery();
    void GrabMove();
    void Timer1Timer();
    void FormRgnSet();
    void RePaintForm(HDC dc);

    void MnuDspTopClick();
    void MnuFreezeClick();
    void MnuCallExprClick();
    void TimerSetClick();
    void OpenRoomClick();
    void Help1Click();
    void About1Click();
    void Exit1Click();
    void LaunchClick(const tk::TMenuItem& item);

    // Set for the program's own main window: closing it ends the message loop.
    bool QuitOnDestroy = false;

    bool Frozen() const { return MnuFreeze && MnuFreeze->Checked; }
    void PopupAt(int screenX, int screenY);

    // Counters for tests and the benchmark: paints handled, regions applied.
    int PaintCount() const { return paintCount_; }
    int RegionCount() const { return regionCount_; }

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

  private:
    void BuildMenu();
    void FormRgnSetOn(HDC dc);
    void BuildLauncher();
    void DriftStep();
    void CallCheck();
    void SetStayOnTop(bool onTop);

    MascotEnvironment environment_;
    tk::UniqueBitmap MirrorBmp;
    HCURSOR cursor_ = nullptr;
    tk::UniqueFont font_;    // the window's font, used by its tool tip
    tk::UniqueWindow hint_;  // the tool tip
    std::wstring programFolder_;
    std::wstring programFolderSlash_;
    std::wstring helpFile_;
    int launcherCount_ = 0;
    int appliedOrientation_ = -1;  // 1 left, 0 right, -1 no region yet
    int paintCount_ = 0;
    int regionCount_ = 0;
};

}  // namespace pelnor
