#include "mascot/MascotWindow.h"

#include <windowsx.h>

#include <algorithm>

#include "assets/resource.h"
#include "core/DefaultName.h"
#include "core/LaunchParams.h"
#include "core/LauncherOrder.h"
#include "core/Placement.h"
#include "core/ProgramFolder.h"
#include "core/Scale.h"
#include "dialogs/AboutBox.h"
#include "dialogs/CallLetterDialog.h"
#include "dialogs/CallNotice.h"
#include "help/HelpViewer.h"
#include "mascot/Launcher.h"
#include "platform/Registry.h"
#include "platform/ShellLaunch.h"
#include "platform/WinOps.h"
#include "toolkit/Application.h"
#include "toolkit/Font.h"
#include "toolkit/HoverHint.h"
#include "toolkit/MessageBoxes.h"
#include "winbase/Text.h"

namespace pelnor {

namespace {

constexpr wchar_t kHelpFileName[] = L"Pelnor.hlp";

constexpr UINT_PTR kTickTimerId = 1;
constexpr UINT kTickMs = 500;
constexpr UINT kCheckCallNow = WM_APP + 1;

constexpr tk::FormLayout kMascotLayout{
    .className = L"PelnorMascot",
    .caption = L"モフレン",
    .left = 381,
    .top = 292,
    .clientWidth = kPictureWidth,
    .clientHeight = 56,
    .style = WS_POPUP,
    .exStyle = WS_EX_TOPMOST,
    .background = RGB(0, 0, 0),
};
constexpr const wchar_t* kMascotHint = L"モフレン / 右ｸﾘｯｸでﾒﾆｭｰ";
constexpr const wchar_t* kMascotFontFace = tk::kTextFace;
constexpr int kMascotFontHeight = 12;        // character height, without internal leading
constexpr POINT kKeyboardMenuPoint{40, 50};  // picture point where Shift+F10 opens the menu

struct FixedItem {
    tk::MenuItem* MascotWindow::*member;  // none for a separator
    const wchar_t* caption;
    tk::ShortCut shortcut;
    int imageIndex;
    bool checked;
    void (MascotWindow::*onClick)();
    tk::MenuItemKind kind = tk::MenuItemKind::Command;
};

using tk::keys::Alt;
using tk::keys::Ctrl;

constexpr tk::MenuItemKind kSeparator = tk::MenuItemKind::Separator;

constexpr int kMenuIcons[] = {IDI_MENU_EXPLORER, IDI_MENU_LETTER, IDI_MENU_ROOM,
                              IDI_MENU_HELP,     IDI_MENU_ABOUT,  IDI_MENU_EXIT};

bool KeyIsDown(int vk) {
    return (GetKeyState(vk) & 0x8000) != 0;
}

}  // namespace

MascotEnvironment MascotEnvironment::System() {
    return {LocalClock, ReadRegisteredOwner, ExecutablePath, MonitorRectOf};
}

MascotWindow::MascotWindow(MascotEnvironment environment)
    : tickTimer_(*this, kTickTimerId, kTickMs, [this] { OnTick(); }),
      environment_(std::move(environment)),
      hint_(kMascotHint) {
    BuildMenu();
}

MascotWindow::~MascotWindow() = default;

bool MascotWindow::Create() {
    if (!CreateForm(kMascotLayout)) return false;
    StartUp();
    FollowDensity(GetDpiForWindow(Handle()));
    tickTimer_.SetEnabled(true);
    return true;
}

void MascotWindow::BuildMenu() {
    // The menu, top to bottom (here, where the private items can be named).
    static constexpr FixedItem kFixedItems[] = {
        {&MascotWindow::alwaysOnTopItem_, L"常に上に表示", Ctrl + 'U', -1, true,
         &MascotWindow::ToggleAlwaysOnTop},
        {&MascotWindow::freezeItem_, L"凍りつく", Ctrl + 'S', -1, false,
         &MascotWindow::ToggleFreeze},
        {nullptr, L"", 0, -1, false, nullptr, kSeparator},
        {&MascotWindow::explorerItem_, L"エクスプローラ召喚", Ctrl + 'E', 0, false,
         &MascotWindow::SummonExplorer},
        {nullptr, L"", 0, -1, false, nullptr, kSeparator},
        {&MascotWindow::callLetterItem_, L"呼び出し状を書く...", Ctrl + 'W', 1, false,
         &MascotWindow::WriteCallLetter},
        {&MascotWindow::programFolderItem_, L"モフレンの部屋を開く", Ctrl + 'O', 2, false,
         &MascotWindow::OpenProgramFolder},
        {nullptr, L"", 0, -1, false, nullptr, kSeparator},
        {&MascotWindow::helpItem_, L"ヘルプ", VK_F1, 3, false, &MascotWindow::ShowHelp},
        {&MascotWindow::aboutItem_, L"バージョン情報...", Ctrl + 'A', 4, false,
         &MascotWindow::ShowAbout},
        {nullptr, L"", 0, -1, false, nullptr, kSeparator},
        {&MascotWindow::exitItem_, L"終了", Alt + VK_F4, 5, false, &MascotWindow::Exit},
    };
    for (const FixedItem& fixed : kFixedItems) {
        tk::MenuItem item;
        item.Kind = fixed.kind;
        item.Caption = fixed.caption;
        item.ShortCut = fixed.shortcut;
        item.ImageIndex = fixed.imageIndex;
        item.Checked = fixed.checked;
        if (fixed.onClick)
            item.OnClick = [this, click = fixed.onClick](tk::MenuItem&) { (this->*click)(); };
        tk::MenuItem& added = menu_.Add(std::move(item));
        if (fixed.member) this->*fixed.member = &added;
    }
    for (int id : kMenuIcons) menuIcons_.AddIconResource(id);
}

void MascotWindow::StartUp() {
    CallState call;
    // Empty when there is none.
    call.Name = DefaultCallName(environment_.registeredOwner(),
                                [](char32_t cp) { return tk::Cp932Char(cp); });
    call_ = pelnor::Call(std::move(call));

    motion_ = MascotState{};

    // The window takes the picture's width and the mirrored picture is made
    // once the density is known (FollowDensity, from Create).
    sprite_.LoadFromResource(IDB_MASCOT);

    programFolder_ = FolderOf(environment_.executablePath());
    programFolderSlash_ = WithTrailingBackslash(programFolder_);
    helpFile_ = programFolderSlash_ + kHelpFileName;

    BuildLauncher();
}

// The figure, its outline, its window and its step follow the density of the
// monitor it is on: each picture pixel becomes an s x s square, the window
// keeping its centre. The tool tip's text and the menu's icons follow it too.
void MascotWindow::FollowDensity(UINT dpi) {
    menu_.SetDensity(dpi);
    if (font_) SetHintFont(dpi);

    const int from = figure_.Scale();
    const int to = ScaleForDpi(static_cast<int>(dpi));
    if (to == from || !figure_.Build(sprite_, to)) return;
    RECT frame;
    GetWindowRect(Handle(), &frame);
    const WindowOrigin at = from ? RescaledOrigin(frame.left, frame.top, sprite_.Width(),
                                                  kMascotLayout.clientHeight, from, to)
                                 : WindowOrigin{frame.left, frame.top};
    SetWindowPos(Handle(), nullptr, at.left, at.top, sprite_.Width() * to,
                 kMascotLayout.clientHeight * to, SWP_NOZORDER | SWP_NOACTIVATE);
    appliedOrientation_ = -1;
    if (IsWindowVisible(Handle())) ReshapeAndDraw();
}

void MascotWindow::SetHintFont(UINT dpi) {
    font_ = tk::MakeFont(kMascotFontFace, AtDpi(kMascotFontHeight, static_cast<int>(dpi)));
    hint_.SetFont(font_.get());
}

// The hint's font is made the first time it shows.
void MascotWindow::RelayToHint(UINT msg) {
    if (msg == WM_MOUSEHOVER && !font_) SetHintFont(GetDpiForWindow(Handle()));
    hint_.Relay(Handle(), msg);
}

// Whatever the display does, the mascot is back wholly on a monitor within a
// second, frozen or not (a frozen mascot that cannot be reached cannot be
// thawed). Wine sends no WM_DISPLAYCHANGE on a mode change, so the tick looks
// the monitor up once a second too; a window found on another monitor than
// last time because the monitors changed comes back onto it, keeping its
// distance from the edges. A window the user dropped is left where it lies.
void MascotWindow::CheckMonitor(bool displayChanged) {
    if (moving_) return;
    const RECT r = environment_.monitorRect(Handle());
    const ScreenRect monitor{r.left, r.top, r.right, r.bottom};
    const ScreenRect before = display_.value_or(monitor);
    display_ = monitor;
    if (!displayChanged && before == monitor) return;
    monitor_.reset();
    RECT frame;
    GetWindowRect(Handle(), &frame);
    const ScreenPoint at =
        BackOnMonitor({frame.left, frame.top, frame.right, frame.bottom}, before, monitor);
    if (at.x != frame.left || at.y != frame.top)
        SetWindowPos(Handle(), nullptr, at.x, at.y, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MascotWindow::BuildLauncher() {
    const auto files = FindShortcutFiles(programFolderSlash_, kMaxLauncherItems);
    if (files.empty()) return;

    std::vector<LauncherEntry> entries;
    for (const ShortcutFile& file : files) {
        // Asked of the shell at the size the menu shows, when it first opens.
        const int image =
            menuIcons_.AddIconSource([file](int size, int) { return ShortcutIcon(file, size); });
        const std::wstring caption = CaptionForShortcut(file.name);
        entries.push_back({ShownCaption(caption), LauncherSortKey(caption), image, file.shellPath});
    }
    SortLauncherEntries(entries);

    menu_.AddSeparator();
    for (std::size_t n = 0; n < entries.size(); ++n) {
        tk::MenuItem item;
        item.Caption = entries[n].caption;
        item.ImageIndex = entries[n].imageIndex;
        item.ShortCut = static_cast<tk::ShortCut>(VK_F2 + n);  // F2 to F12
        item.OnClick = [this, file = entries[n].file](tk::MenuItem&) { LaunchShortcut(file); };
        menu_.Add(std::move(item));
    }
    launcherCount_ = static_cast<int>(entries.size());
}

void MascotWindow::OnPaint(HDC paintDc) {
    ++paintCount_;
    ReshapeAndDrawOn(paintDc);
}

void MascotWindow::ReshapeAndDraw() {
    tk::WindowDc dc(Handle());
    ReshapeAndDrawOn(dc.get());
}

// Setting a region with redraw requests a paint, and every paint comes here:
// the region is applied only when the orientation it was made for changed, so
// a paint never asks for another without end.
void MascotWindow::ReshapeAndDrawOn(HDC dc) {
    const int orientation = motion_.FaceLeft ? 1 : 0;
    if (orientation != appliedOrientation_ &&
        ApplyRegion(Handle(), figure_.ShapeFacing(motion_.FaceLeft))) {
        appliedOrientation_ = orientation;
        ++regionCount_;
    }
    DrawPicture(dc);
}

void MascotWindow::DrawPicture(HDC dc) {
    const DWORD rop = Frozen() ? NOTSRCCOPY : SRCCOPY;
    DrawBitmap(dc, figure_.PictureFacing(motion_.FaceLeft), 0, 0, rop);
}

void MascotWindow::OnTick() {
    monitorDue_ = !monitorDue_;
    if (monitorDue_) CheckMonitor(false);
    DriftStep();
    GiveWayToFullScreen();
    CallCheck();
}

void MascotWindow::DriftStep() {
    // A window held by the mouse stays where it is held: stepping it would
    // pull it back onto the monitor it is leaving.
    if (Frozen() || moving_) return;
    RECT frame;
    GetWindowRect(Handle(), &frame);
    int left = frame.left;
    int top = frame.top;
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    // The drift's own moves keep the window on its monitor, so the monitor is
    // looked up again only after something else moved the window or the
    // monitors changed.
    if (!monitor_) {
        const RECT r = environment_.monitorRect(Handle());
        monitor_ = ScreenRect{r.left, r.top, r.right, r.bottom};
    }
    const ScreenRect screen = *monitor_;
    const int step = Scale();
    const auto moveTo = [this](int x, int y) {
        stepping_ = true;
        SetWindowPos(Handle(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        stepping_ = false;
    };

    // Each step moves the window before the outline is re-applied after its
    // bounce; without a bounce the two steps share one move (a move is most
    // of a tick's cost, and nothing draws between the two).
    const bool bouncedVertically = StepVertical(motion_, top, height, screen, step);
    if (bouncedVertically) {
        moveTo(left, top);
        ReshapeAndDraw();
    }

    const bool bouncedHorizontally = StepHorizontal(motion_, left, width, screen, step);
    moveTo(left, top);
    if (bouncedHorizontally) ReshapeAndDraw();
}

void MascotWindow::CallCheck() {
    // The clock is read only while a call is armed.
    if (!call_.State().Armed) return;
    const CallDue due = call_.TakeDue(environment_.clock());
    if (due == CallDue::No) return;
    const CallState& call = call_.State();
    CallNotice notice;
    if (due == CallDue::Late) notice.SetLateCall(call.Hour, call.Minute);
    notice.SetName(call.Name);
    notice.SetTask(call.Task);
    if (call.Beep) DefaultBeep();
    noticeOpen_ = true;
    // Back in the top-most band before the notice shows: under Wine a window
    // whose owned pop-up is already top-most is not made top-most after it.
    GiveWayToFullScreen();
    notice.ShowModal(Handle());
    noticeOpen_ = false;
}

// After a sleep or a change of the clock the call is checked at once, not at
// the next tick. Posted, so that the notice's modal loop does not run inside
// a message whose sender waits for the answer.
void MascotWindow::ClockJumped() {
    PostMessageW(Handle(), kCheckCallNow, 0, 0);
}

// While a full-screen program (a game, a slide show, a video) has the
// foreground, the mascot leaves the top-most band and stays below it; the
// menu's check marks do not change. The notice is owned by the mascot and
// would leave the band with it, so the mascot stays top-most while it is up.
void MascotWindow::GiveWayToFullScreen() {
    if (!alwaysOnTop_) return;
    const HWND foreground = GetForegroundWindow();
    const bool fullScreen = !noticeOpen_ && IsFullScreenProgram(foreground, Handle());
    if (fullScreen && !givingWay_) {
        PlaceBelow(Handle(), foreground);
        givingWay_ = true;
    } else if (!fullScreen && givingWay_) {
        SetStayOnTop(true);
    }
}

void MascotWindow::StartMove() {
    StartSystemMove(Handle());
}

void MascotWindow::OnKeyDown(WORD key, bool shift, bool ctrl, bool alt) {
    const bool mouseButton =
        KeyIsDown(VK_LBUTTON) || KeyIsDown(VK_RBUTTON) || KeyIsDown(VK_MBUTTON);
    if (key == VK_F10 && shift && !ctrl && !alt && !mouseButton) {
        POINT at{kKeyboardMenuPoint.x * Scale(), kKeyboardMenuPoint.y * Scale()};
        ClientToScreen(Handle(), &at);
        // On the mascot's monitor, where the menu then opens wholly, even
        // when a frozen mascot was dropped across the edge of two.
        const RECT monitor = environment_.monitorRect(Handle());
        int x = at.x;
        int y = at.y;
        KeepInside(x, y, 1, 1, {monitor.left, monitor.top, monitor.right, monitor.bottom});
        PopupAt(x, y);
    }
}

void MascotWindow::PopupAt(int screenX, int screenY) {
    menu_.Popup(Handle(), screenX, screenY);
}

void MascotWindow::SetStayOnTop(bool onTop) {
    pelnor::SetStayOnTop(Handle(), onTop);
    givingWay_ = false;
}

void MascotWindow::ToggleAlwaysOnTop() {
    if (Frozen()) {
        tk::InformationBox(Handle(), L"凍りついている間は常に上に表示されます。");
        return;
    }
    alwaysOnTop_ = !alwaysOnTop_;
    alwaysOnTopItem_->Checked = alwaysOnTop_;
    SetStayOnTop(alwaysOnTop_);
    ReshapeAndDraw();
}

void MascotWindow::ToggleFreeze() {
    alwaysOnTop_ = true;
    alwaysOnTopItem_->Checked = true;
    SetStayOnTop(true);
    frozen_ = !frozen_;
    freezeItem_->Checked = frozen_;
    ReshapeAndDraw();
}

void MascotWindow::SummonExplorer() {
    LaunchFile(Handle(), std::wstring(kExplorer), ExplorerRootParameters(), L"", SW_SHOW);
}

void MascotWindow::WriteCallLetter() {
    CallLetterDialog letter(call_.State(), environment_.clock, helpFile_);
    letter.Decided = [this](const CallDecision& decision) {
        call_.Apply(decision, environment_.clock());
    };
    letter.ShowModal(Handle());
}

void MascotWindow::OpenProgramFolder() {
    OpenFolderInExplorer(Handle(), programFolder_);
}

void MascotWindow::ShowHelp() {
    HelpContents(Handle(), helpFile_);
}

void MascotWindow::ShowAbout() {
    AboutBox aboutBox;
    aboutBox.ShowModal(Handle());
}

void MascotWindow::Exit() {
    Close();
}

// The shortcut is named by its full path (its short form where that is too
// long for the shell): Wine's shell does not look for a relative name in the
// working folder, and Windows finds it either way.
void MascotWindow::LaunchShortcut(const std::wstring& shortcut) {
    OpenShortcut(Handle(), shortcut, ShellName(programFolder_).value_or(L""));
}

LRESULT MascotWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_PAINT: {
            const tk::PaintDc dc(Handle());
            OnPaint(dc.get());
            return 0;
        }
        case WM_MOUSEMOVE:
        case WM_MOUSEHOVER:
        case WM_MOUSELEAVE:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_ENTERMENULOOP:
        case WM_EXITMENULOOP:
        case WM_ENABLE:
            RelayToHint(msg);
            break;
        case WM_LBUTTONDOWN:
            RelayToHint(msg);
            StartMove();
            return 0;
        case WM_ENTERSIZEMOVE:
            moving_ = true;
            return 0;
        case WM_EXITSIZEMOVE:
            moving_ = false;
            display_.reset();  // where the user put it is where it belongs
            return 0;
        case WM_DPICHANGED:
            // The suggested rectangle is for a window that scales smoothly;
            // the figure scales by whole pixels about its centre instead.
            FollowDensity(LOWORD(wParam));
            return 0;
        case WM_WINDOWPOSCHANGED:
            if (!stepping_) monitor_.reset();
            break;
        case WM_DISPLAYCHANGE:
            CheckMonitor(true);
            break;
        case WM_SETTINGCHANGE:
            if (wParam == SPI_SETWORKAREA) CheckMonitor(true);
            break;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            if (wParam == VK_F10) {
                OnKeyDown(static_cast<WORD>(wParam), KeyIsDown(VK_SHIFT), KeyIsDown(VK_CONTROL),
                          KeyIsDown(VK_MENU));
                return 0;
            }
            break;
        case WM_CONTEXTMENU: {
            const int x = GET_X_LPARAM(lParam);
            const int y = GET_Y_LPARAM(lParam);
            if (x == -1 && y == -1) {  // the Menu key
                OnKeyDown(VK_F10, true, false, false);
            } else {
                PopupAt(x, y);
            }
            return 0;
        }
        case WM_COMMAND:
            if (menu_.Dispatch(LOWORD(wParam))) return 0;
            break;
        case WM_SETCURSOR:
            // The window class has no cursor of its own.
            if (LOWORD(lParam) == HTCLIENT) {
                SetCursor(LoadCursorW(nullptr, IDC_ARROW));
                return TRUE;
            }
            break;
        case WM_TIMECHANGE:
            ClockJumped();
            return 0;
        case WM_POWERBROADCAST:
            if (wParam == PBT_APMRESUMEAUTOMATIC) ClockJumped();
            return TRUE;
        case kCheckCallNow:
            CallCheck();
            return 0;
        case WM_DESTROY:
            tickTimer_.SetEnabled(false);
            // Nothing paints after this, so the scaled pictures can go.
            figure_.Reset();
            // The help viewer is a window of its own, not owned by this one.
            CloseHelp();
            if (quitOnDestroy_) PostQuitMessage(0);
            return 0;
        default:
            break;
    }
    return FormMessage(msg, wParam, lParam);
}

}  // namespace pelnor
