#include "mascot/MascotWindow.h"

#include <windowsx.h>

#include "assets/resource.h"
#include "dialogs/AboutBox.h"
#include "dialogs/CallNotice.h"
#include "dialogs/CallLetterDialog.h"
#include "mascot/Launcher.h"
#include "core/LauncherOrder.h"
#include "core/Outline.h"
#include "platform/ShellLaunch.h"
#include "help/HelpViewer.h"
#include "core/LaunchParams.h"
#include "core/ProgramFolder.h"
#include "platform/Registry.h"
#include "platform/WinOps.h"
#include "toolkit/Application.h"
#include "toolkit/Font.h"
#include "toolkit/Hint.h"
#include "toolkit/MessageBoxes.h"

namespace pelnor {

namespace {

constexpr wchar_t kHelpFileName[] = L"Pelnor.hlp";

constexpr UINT_PTR kTimer1 = 1;
constexpr UINT kTickMs = 500;

constexpr tk::FormLayout kMainLayout{
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
constexpr const wchar_t* kMainHint = L"モフレン / 右ｸﾘｯｸでﾒﾆｭｰ";
constexpr const wchar_t* kMainFontFace = L"ＭＳ Ｐゴシック";
constexpr int kMainFontHeight = 12;          // character height, without internal leading
constexpr POINT kKeyboardMenuPoint{40, 50};  // client point where Shift+F10 opens the menu

struct FixedItem {
    tk::TMenuItem* MascotWindow::*member;
    const wchar_t* name;
    const wchar_t* caption;
    const wchar_t* hint;
    tk::ShortCut shortcut;
    int imageIndex;
    bool checked;
    void (MascotWindow::*onClick)();
};

// The menu, top to bottom.
constexpr FixedItem kFixedItems[] = {
    {&MascotWindow::MnuDspTop, L"MnuDspTop", L"常に上に表示", L"チェックすると他のウィンドウに隠れません",
     16469, -1, true, &MascotWindow::MnuDspTopClick},
    {&MascotWindow::MnuFreeze, L"MnuFreeze", L"凍りつく", L"チェックすると動かなくなります", 16467, -1,
     false, &MascotWindow::MnuFreezeClick},
    {&MascotWindow::N3, L"N3", L"-", L"", 0, -1, false, nullptr},
    {&MascotWindow::MnuCallExpr, L"MnuCallExpr", L"エクスプローラ召喚", L"エクスプローラを呼び出します",
     16453, 0, false, &MascotWindow::MnuCallExprClick},
    {&MascotWindow::N4, L"N4", L"-", L"", 0, -1, false, nullptr},
    {&MascotWindow::TimerSet, L"TimerSet", L"呼び出し状を書く...", L"タイマー機能設定", 16471, 1, false,
     &MascotWindow::TimerSetClick},
    {&MascotWindow::OpenRoom, L"OpenRoom", L"モフレンの部屋を開く", L"実行ファイルのあるフォルダを開きます",
     16463, 2, false, &MascotWindow::OpenRoomClick},
    {&MascotWindow::N1, L"N1", L"-", L"", 0, -1, false, nullptr},
    {&MascotWindow::Help1, L"Help1", L"ヘルプ", L"", 112, 3, false, &MascotWindow::Help1Click},
    {&MascotWindow::About1, L"About1", L"バージョン情報...", L"", 16449, 4, false, &MascotWindow::About1Click},
    {&MascotWindow::N2, L"N2", L"-", L"", 0, -1, false, nullptr},
    {&MascotWindow::Exit1, L"Exit1", L"終了", L"", 32883, 5, false, &MascotWindow::Exit1Click},
};

constexpr int kMenuIcons[] = {IDI_MENU_EXPLORER, IDI_MENU_LETTER, IDI_MENU_ROOM,
                              IDI_MENU_HELP,     IDI_MENU_ABOUT,  IDI_MENU_EXIT};

bool KeyIsDown(int vk) {
    return (GetKeyState(vk) & 0x8000) != 0;
}

}  // namespace

MascotEnvironment MascotEnvironment::System() {
    return {LocalClock, ReadRegisteredOwner, ExecutablePath, PrimaryScreenSize};
}

MascotWindow::MascotWindow(MascotEnvironment environment)
    : Timer1(*this, kTimer1, kTickMs, [this] { Timer1Timer(); }),
      environment_(std::move(environment)) {
    BuildMenu();
}

MascotWindow::~MascotWindow() = default;

bool MascotWindow::Create() {
    if (!CreateForm(kMainLayout)) return false;
    FormCreate();
    font_ = tk::MakeFont(kMainFontFace, kMainFontHeight);
    hint_ = tk::AttachHint(Handle(), kMainHint);
    if (hint_ && font_)
        SendMessageW(hint_.get(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    Timer1.SetEnabled(true);
    return true;
}

void MascotWindow::BuildMenu() {
    for (const FixedItem& fixed : kFixedItems) {
        tk::TMenuItem item;
        item.Name = fixed.name;
        item.Caption = fixed.caption;
        item.Hint = fixed.hint;
        item.ShortCut = fixed.shortcut;
        item.ImageIndex = fixed.imageIndex;
        item.Checked = fixed.checked;
        if (fixed.onClick)
            item.OnClick = [this, click = fixed.onClick](tk::TMenuItem&) { (this->*click)(); };
        this->*fixed.member = &PopupMenu1.Add(std::move(item));
    }
    for (int id : kMenuIcons) {
        tk::UniqueIcon icon(static_cast<HICON>(LoadImageW(
            GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR)));
        ImageList1.AddIcon(icon.get());
    }
}

void MascotWindow::FormCreate() {
    cursor_ = LoadCursorW(nullptr, IDC_WAIT);
    SetCursor(cursor_);

    Call.CallSet = false;
    Call.CallHour = 0;
    Call.CallMin = 0;
    Call.CallName = environment_.registeredOwner();  // empty when there is none
    Call.CallTask.clear();
    Call.CallBeep = 1;

    Motion = MascotState{};

    Image1.LoadFromResource(IDB_MASCOT);
    SetWindowPos(Handle(), nullptr, 0, 0, Image1.Width(), kMainLayout.clientHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    MirrorBmp = Image1.MakeMirror();

    programFolder_ = FolderOf(environment_.executablePath());
    programFolderSlash_ = WithTrailingBackslash(programFolder_);
    helpFile_ = programFolderSlash_ + kHelpFileName;

    BuildLauncher();

    cursor_ = LoadCursorW(nullptr, IDC_ARROW);
    SetCursor(cursor_);
}

void MascotWindow::BuildLauncher() {
    const auto files = FindShortcutFiles(programFolderSlash_, kMaxLauncherItems);
    if (files.empty()) return;

    std::vector<LauncherEntry> entries;
    for (const std::wstring& file : files) {
        const tk::UniqueIcon icon = ShellIconFor(programFolderSlash_ + file);
        const int image = ImageList1.AddIcon(icon.get());
        std::wstring caption = CaptionForShortcut(file);
        entries.push_back({caption, LauncherSortKey(caption), image});
    }
    SortLauncherEntries(entries);

    tk::TMenuItem separator;
    separator.Name = L"NLauncher";
    separator.Caption = L"-";
    PopupMenu1.Add(std::move(separator));
    for (std::size_t n = 0; n < entries.size(); ++n) {
        tk::TMenuItem item;
        item.Name = L"Launch" + std::to_wstring(n);
        item.Caption = entries[n].caption;
        item.ImageIndex = entries[n].imageIndex;
        item.ShortCut = tk::TextToShortCut(L"F" + std::to_wstring(n + 2));
        item.HelpContext = 0;
        item.OnClick = [this](tk::TMenuItem& chosen) { LaunchClick(chosen); };
        PopupMenu1.Add(std::move(item));
    }
    launcherCount_ = static_cast<int>(entries.size());
}

void MascotWindow::FormPaint(HDC paintDc) {
    ++paintCount_;
    FormRgnSetOn(paintDc);
}

void MascotWindow::FormRgnSet() {
    tk::WindowDc dc(Handle());
    FormRgnSetOn(dc.get());
}

// Setting a region with redraw requests a paint, and every paint comes here:
// the region is applied only when the orientation it was made for changed, so
// a paint never asks for another without end.
void MascotWindow::FormRgnSetOn(HDC dc) {
    const int orientation = Motion.FaceLeft ? 1 : 0;
    if (orientation != appliedOrientation_ &&
        ApplyOutlineRegion(Handle(), OutlineFor(Motion.FaceLeft))) {
        appliedOrientation_ = orientation;
        ++regionCount_;
    }
    RePaintForm(dc);
}

void MascotWindow::RePaintForm(HDC dc) {
    const DWORD rop = Frozen() ? NOTSRCCOPY : SRCCOPY;
    DrawBitmap(dc, Motion.FaceLeft ? Image1.Handle() : MirrorBmp.get(), 0, 0, rop);
}

void MascotWindow::Timer1Timer() {
    DriftStep();
    CallCheck();
}

void MascotWindow::DriftStep() {
    if (Frozen()) return;
    RECT frame;
    GetWindowRect(Handle(), &frame);
    int left = frame.left;
    int top = frame.top;
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    const SIZE screen = environment_.screenSize();
    const auto moveTo = [this](int x, int y) {
        SetWindowPos(Handle(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    };

    // Each step moves the window before the outline is re-applied after its
    // bounce; without a bounce the two steps share one move (a move is most
    // of a tick's cost, and nothing draws between the two).
    const bool bouncedVertically = StepVertical(Motion, top, height, screen.cy);
    if (bouncedVertically) {
        moveTo(left, top);
        FormRgnSet();
    }

    const bool bouncedHorizontally = StepHorizontal(Motion, left, width, screen.cx);
    moveTo(left, top);
    if (bouncedHorizontally) FormRgnSet();
}

void MascotWindow::CallCheck() {
    // The clock is read only while a call is armed.
    if (!Call.CallSet || !TakeDueCall(Call, environment_.clock())) return;
    CallNotice notice;
    notice.SetName(Call.CallName);
    notice.SetTask(Call.CallTask);
    if (Call.CallBeep == 1) DefaultBeep();
    notice.ShowModal(Handle());
}

void MascotWindow::GrabMove() {
    StartSystemMove(Handle());
}

void MascotWindow::FormKeyDown(WORD key, bool shift, bool ctrl, bool alt) {
    const bool mouseButton =
        KeyIsDown(VK_LBUTTON) || KeyIsDown(VK_RBUTTON) || KeyIsDown(VK_MBUTTON);
    if (key == VK_F10 && shift && !ctrl && !alt && !mouseButton) {
        POINT at = kKeyboardMenuPoint;
        ClientToScreen(Handle(), &at);
        PopupAt(at.x, at.y);
    }
}

void MascotWindow::PopupAt(int screenX, int screenY) {
    PopupMenu1.Popup(Handle(), screenX, screenY);
}

bool MascotWindow::FormCloseQuery() {
    return true;
}

void MascotWindow::SetStayOnTop(bool onTop) {
    pelnor::SetStayOnTop(Handle(), onTop);
}

void MascotWindow::MnuDspTopClick() {
    if (Frozen()) {
        tk::InformationBox(Handle(), L"凍りついている間は常に上に表示されます。");
        return;
    }
    MnuDspTop->Checked = !MnuDspTop->Checked;
    SetStayOnTop(MnuDspTop->Checked);
    FormRgnSet();
}

void MascotWindow::MnuFreezeClick() {
    MnuDspTop->Checked = true;
    SetStayOnTop(true);
    MnuFreeze->Checked = !MnuFreeze->Checked;
    FormRgnSet();
}

void MascotWindow::MnuCallExprClick() {
    LaunchFile(Handle(), std::wstring(kExplorer), ExplorerRootParameters(), L"", SW_SHOW);
}

void MascotWindow::TimerSetClick() {
    CallLetterDialog timeSet(Call, environment_.clock, helpFile_);
    timeSet.ShowModal(Handle());
}

void MascotWindow::OpenRoomClick() {
    LaunchFile(Handle(), std::wstring(kExplorer), ExplorerFolderParameters(programFolder_), L"", SW_SHOW);
}

void MascotWindow::Help1Click() {
    HelpContents(Handle(), helpFile_);
}

void MascotWindow::About1Click() {
    AboutBox aboutBox;
    aboutBox.ShowModal(Handle());
}

void MascotWindow::Exit1Click() {
    Close();
}

// The shortcut is named by its full path: Wine's shell does not look for a
// relative name in the working folder, and Windows finds it either way.
void MascotWindow::LaunchClick(const tk::TMenuItem& item) {
    LaunchFile(Handle(), programFolderSlash_ + ShortcutFileFor(item.Caption), L"", programFolder_, SW_SHOW);
}

LRESULT MascotWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            const HDC dc = BeginPaint(Handle(), &ps);
            FormPaint(dc);
            EndPaint(Handle(), &ps);
            return 0;
        }
        case WM_LBUTTONDOWN:
            GrabMove();
            return 0;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            if (wParam == VK_F10) {
                FormKeyDown(static_cast<WORD>(wParam), KeyIsDown(VK_SHIFT), KeyIsDown(VK_CONTROL),
                            KeyIsDown(VK_MENU));
                return 0;
            }
            break;
        case WM_CONTEXTMENU: {
            const int x = GET_X_LPARAM(lParam);
            const int y = GET_Y_LPARAM(lParam);
            if (x == -1 && y == -1) {  // the Menu key
                FormKeyDown(VK_F10, true, false, false);
            } else {
                PopupAt(x, y);
            }
            return 0;
        }
        case WM_COMMAND:
            if (PopupMenu1.Dispatch(LOWORD(wParam))) return 0;
            break;
        case WM_MEASUREITEM:
            if (PopupMenu1.MeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam))) return TRUE;
            break;
        case WM_DRAWITEM:
            if (PopupMenu1.DrawItem(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam))) return TRUE;
            break;
        case WM_SETCURSOR:
            if (LOWORD(lParam) == HTCLIENT && cursor_) {
                SetCursor(cursor_);
                return TRUE;
            }
            break;
        case WM_CLOSE:
            if (FormCloseQuery()) DestroyWindow(Handle());
            return 0;
        case WM_QUERYENDSESSION:
            return FormCloseQuery() ? TRUE : FALSE;
        case WM_DESTROY:
            Timer1.SetEnabled(false);
            // Nothing paints after this, so the mirrored picture can go.
            MirrorBmp.reset();
            hint_.reset();
            if (QuitOnDestroy) PostQuitMessage(0);
            return 0;
        default:
            break;
    }
    return TForm::HandleMessage(msg, wParam, lParam);
}

}  // namespace pelnor
