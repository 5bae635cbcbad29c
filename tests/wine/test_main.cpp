// The mascot window under Wine: start-up state, region, paint, drift, freeze,
// keys and the fixed commands.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "TestSupport.h"
#include "core/Mirror.h"
#include "dialogs/AboutBox.h"
#include "dialogs/CallLetterDialog.h"
#include "dialogs/CallNotice.h"
#include "help/HelpViewer.h"
#include "mascot/MascotWindow.h"
#include "platform/Shell.h"
#include "platform/ShellLaunch.h"
#include "platform/WinOps.h"
#include "toolkit/Application.h"
#include "winbase/Handles.h"

namespace pelnor {
namespace {

using testing_support::ModalResponder;
using testing_support::PumpFor;

struct FakeWorld {
    RECT screen{0, 0, 1024, 768};
    ClockTime now{9, 0, 0, 0};
    std::wstring owner = L"山田";
    std::wstring exe = L"C:\\Tools\\Mascot\\Pelnor.exe";

    MascotEnvironment Environment() {
        return {[this] { return now; }, [this] { return owner; }, [this] { return exe; },
                [this](HWND) { return screen; }};
    }
};

class MainWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        main = std::make_unique<MascotWindow>(world.Environment());
        ASSERT_TRUE(main->Create());
        MascotProbe::TickTimer(*main).SetEnabled(false);  // the tests tick by hand
        ShowWindow(main->Handle(), SW_SHOWNOACTIVATE);
        UpdateWindow(main->Handle());
    }
    void TearDown() override { SetShellForTesting({}); }

    RECT Frame() const {
        RECT r;
        GetWindowRect(main->Handle(), &r);
        return r;
    }
    void MoveTo(int x, int y) {
        SetWindowPos(main->Handle(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    }
    bool InRegion(int x, int y) const {
        const tk::UniqueRegion region(CreateRectRgn(0, 0, 0, 0));
        return GetWindowRgn(main->Handle(), region.get()) != ERROR &&
               PtInRegion(region.get(), x, y);
    }

    FakeWorld world;
    std::unique_ptr<MascotWindow> main;
};

// The colour index grid of a 4-bit DIB section.
struct Pixels {
    int width = 0, height = 0;
    std::vector<std::uint8_t> bits;
    std::size_t stride = 0;
    bool bottomUp = true;
    RGBQUAD palette[16] = {};

    explicit Pixels(HBITMAP bitmap) {
        DIBSECTION section{};
        if (GetObjectW(bitmap, sizeof section, &section) != sizeof section) return;
        width = section.dsBm.bmWidth;
        height = section.dsBm.bmHeight;
        stride = section.dsBm.bmWidthBytes;
        bottomUp = section.dsBmih.biHeight > 0;
        const auto* data = static_cast<const std::uint8_t*>(section.dsBm.bmBits);
        bits.assign(data, data + stride * height);
        const tk::UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
        const tk::ScopedSelect select(dc.get(), bitmap);
        GetDIBColorTable(dc.get(), 0, 16, palette);
    }
    std::uint8_t Index(int x, int y) const {
        return Pixel4(bits, stride, x, bottomUp ? height - 1 - y : y);
    }
    COLORREF Colour(int x, int y) const {
        const RGBQUAD q = palette[Index(x, y)];
        return RGB(q.rgbRed, q.rgbGreen, q.rgbBlue);
    }
};

TEST_F(MainWindow, StartsWhereAndAsItShould) {
    const RECT r = Frame();
    EXPECT_EQ(r.left, 381);
    EXPECT_EQ(r.top, 292);
    EXPECT_EQ(r.right - r.left, 74);
    EXPECT_EQ(r.bottom - r.top, 56);
    RECT client;
    GetClientRect(main->Handle(), &client);
    EXPECT_EQ(client.right, 74);
    EXPECT_EQ(client.bottom, 56);

    const LONG_PTR style = GetWindowLongPtrW(main->Handle(), GWL_STYLE);
    const LONG_PTR exStyle = GetWindowLongPtrW(main->Handle(), GWL_EXSTYLE);
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_FALSE(style & (WS_CAPTION | WS_THICKFRAME | WS_SYSMENU));
    EXPECT_TRUE(exStyle & WS_EX_TOPMOST);
    EXPECT_EQ(testing_support::WindowText(main->Handle()), L"モフレン");

    EXPECT_EQ(MascotProbe::Motion(*main).MoveX, -1);
    EXPECT_EQ(MascotProbe::Motion(*main).MoveY, -1);
    EXPECT_TRUE(MascotProbe::Motion(*main).FaceLeft);
    EXPECT_FALSE(MascotProbe::Call(*main).State().Armed);
    EXPECT_EQ(MascotProbe::Call(*main).State().Hour, 0);
    EXPECT_EQ(MascotProbe::Call(*main).State().Minute, 0);
    EXPECT_EQ(MascotProbe::Call(*main).State().Name, L"山田");
    EXPECT_EQ(MascotProbe::Call(*main).State().Task, L"");
    EXPECT_EQ(MascotProbe::Call(*main).State().Beep, true);
    EXPECT_EQ(MascotProbe::Sprite(*main).Width(), 74);
    EXPECT_EQ(MascotProbe::Sprite(*main).Height(), 55);

    EXPECT_EQ(main->ProgramFolder(), L"C:\\Tools\\Mascot");
    EXPECT_EQ(main->ProgramFolderSlash(), L"C:\\Tools\\Mascot\\");
    EXPECT_EQ(main->HelpFile(), L"C:\\Tools\\Mascot\\Pelnor.hlp");
    EXPECT_TRUE(MascotProbe::AlwaysOnTopItem(*main)->Checked);
    EXPECT_FALSE(MascotProbe::FreezeItem(*main)->Checked);
    EXPECT_EQ(main->LauncherCount(), 0);
}

TEST_F(MainWindow, RegionIsTheOutlineAndHoldsEveryPixelOfTheFigure) {
    PumpFor(100);
    EXPECT_FALSE(InRegion(0, 0)) << "white corner outside the outline";
    EXPECT_FALSE(InRegion(73, 0));
    EXPECT_TRUE(InRegion(40, 30));
    for (int x = 0; x < 74; ++x) EXPECT_FALSE(InRegion(x, 55)) << "bottom row, x = " << x;

    const Pixels picture(MascotProbe::Sprite(*main).Handle());
    ASSERT_EQ(picture.width, 74);
    int figurePixels = 0;
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x)
            if (picture.Index(x, y) != 0) {
                ++figurePixels;
                EXPECT_TRUE(InRegion(x, y)) << "figure pixel (" << x << ", " << y << ")";
            }
    EXPECT_GT(figurePixels, 1000);

    // And no white background shows inside the outline.
    for (int y = 0; y < 56; ++y)
        for (int x = 0; x < 74; ++x)
            if (InRegion(x, y)) {
                EXPECT_NE(picture.Index(x, y), 0) << "white at (" << x << ", " << y << ")";
            }
}

TEST_F(MainWindow, MirrorIsTheColumnsReversedWithThePaletteKept) {
    const Pixels picture(MascotProbe::Sprite(*main).Handle());
    const Picture& image = MascotProbe::Sprite(*main);
    // The window's mirrored picture is private; a bounce to the right draws
    // it, so compare via a fresh mirror made the same way and drawn by DrawPicture.
    const tk::UniqueBitmap mirror = image.MakeScaled(1, false);
    const Pixels mirrored(mirror.get());
    ASSERT_EQ(mirrored.width, 74);
    ASSERT_EQ(mirrored.height, 55);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(*reinterpret_cast<const DWORD*>(&mirrored.palette[i]),
                  *reinterpret_cast<const DWORD*>(&picture.palette[i]));
    for (int y = 0; y < 55; ++y) {
        EXPECT_EQ(mirrored.Index(0, y), picture.Index(73, y));
        EXPECT_EQ(mirrored.Index(73, y), picture.Index(0, y));
        for (int i = 0; i < 74; ++i) ASSERT_EQ(mirrored.Index(i, y), picture.Index(73 - i, y));
    }
}

TEST_F(MainWindow, PaintingDoesNotAskForMorePaints) {
    PumpFor(300);
    const int settled = main->PaintCount();
    PumpFor(2000);
    EXPECT_EQ(main->PaintCount(), settled) << "idle window kept repainting";

    InvalidateRect(main->Handle(), nullptr, FALSE);
    PumpFor(500);
    EXPECT_LE(main->PaintCount() - settled, 2);

    // A bounce to the right changes the region inside the next paint path.
    MoveTo(0, 300);
    MascotProbe::OnTick(*main);
    PumpFor(1000);
    const int afterBounce = main->PaintCount();
    PumpFor(1500);
    EXPECT_EQ(main->PaintCount(), afterBounce);
}

TEST_F(MainWindow, DriftsAndBouncesAtTheEdgesTurningAround) {
    world.screen = {0, 0, 640, 480};
    MascotProbe::OnTick(*main);
    EXPECT_EQ(Frame().left, 380);
    EXPECT_EQ(Frame().top, 291);

    MoveTo(0, 0);
    MascotProbe::OnTick(*main);
    EXPECT_EQ(Frame().left, 0);
    EXPECT_EQ(Frame().top, 0);
    EXPECT_EQ(MascotProbe::Motion(*main).MoveX, 1);
    EXPECT_EQ(MascotProbe::Motion(*main).MoveY, 1);
    EXPECT_FALSE(MascotProbe::Motion(*main).FaceLeft);
    EXPECT_TRUE(InRegion(73 - 4, 11)) << "the horn's bell is now on the right";
    EXPECT_FALSE(InRegion(4, 11));
    MascotProbe::OnTick(*main);
    EXPECT_EQ(Frame().left, 1);
    EXPECT_EQ(Frame().top, 1);

    MoveTo(640 - 74, 480 - 56);
    MascotProbe::OnTick(*main);
    EXPECT_EQ(Frame().left, 640 - 74);
    EXPECT_EQ(Frame().top, 480 - 56);
    EXPECT_TRUE(MascotProbe::Motion(*main).FaceLeft);
    EXPECT_TRUE(InRegion(4, 11));
}

TEST_F(MainWindow, DraggedBeyondAnEdgeComesBackOnTheNextTick) {
    MoveTo(100, -20);
    MascotProbe::Motion(*main).MoveY = 1;
    MascotProbe::OnTick(*main);
    EXPECT_EQ(Frame().top, 0);
    EXPECT_EQ(MascotProbe::Motion(*main).MoveY, -1);
}

TEST_F(MainWindow, ScreenLowerThanTheWindowKeepsItAtTheFarEdge) {
    world.screen = {0, 0, 50, 40};
    MascotProbe::OnTick(*main);
    EXPECT_EQ(Frame().top, 40 - 56);
    EXPECT_EQ(Frame().left, 50 - 74);
}

TEST_F(MainWindow, FrozenStaysStillIsOnTopAndDrawsInverted) {
    MascotProbe::ToggleFreeze(*main);
    EXPECT_TRUE(MascotProbe::FreezeItem(*main)->Checked);
    EXPECT_TRUE(MascotProbe::AlwaysOnTopItem(*main)->Checked);
    EXPECT_TRUE(GetWindowLongPtrW(main->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    const RECT before = Frame();
    for (int i = 0; i < 5; ++i) MascotProbe::OnTick(*main);
    EXPECT_EQ(Frame().left, before.left);
    EXPECT_EQ(Frame().top, before.top);

    // What DrawPicture draws, read back from a memory bitmap.
    const Pixels picture(MascotProbe::Sprite(*main).Handle());
    const tk::WindowDc screen(nullptr);
    const tk::UniqueMemoryDc memory(CreateCompatibleDC(screen.get()));
    const tk::UniqueBitmap canvas(CreateCompatibleBitmap(screen.get(), 74, 56));
    const tk::ScopedSelect select(memory.get(), canvas.get());
    const HDC dc = memory.get();
    MascotProbe::DrawPicture(*main, dc);
    for (int y = 0; y < 55; y += 3)
        for (int x = 0; x < 74; x += 3) {
            const COLORREF c = picture.Colour(x, y);
            EXPECT_EQ(GetPixel(dc, x, y),
                      RGB(255 - GetRValue(c), 255 - GetGValue(c), 255 - GetBValue(c)))
                << "(" << x << ", " << y << ")";
        }
    MascotProbe::ToggleFreeze(*main);
    EXPECT_FALSE(MascotProbe::FreezeItem(*main)->Checked);
    EXPECT_TRUE(MascotProbe::AlwaysOnTopItem(*main)->Checked)
        << "unfreezing leaves Always on top checked";
    MascotProbe::DrawPicture(*main, dc);
    EXPECT_EQ(GetPixel(dc, 40, 30), picture.Colour(40, 30));

    MascotProbe::OnTick(*main);
    EXPECT_EQ(Frame().left, before.left - 1);
}

TEST_F(MainWindow, AlwaysOnTopTogglesAndIsRefusedWhileFrozen) {
    MascotProbe::ToggleAlwaysOnTop(*main);
    EXPECT_FALSE(MascotProbe::AlwaysOnTopItem(*main)->Checked);
    EXPECT_FALSE(GetWindowLongPtrW(main->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    MascotProbe::ToggleFreeze(*main);
    EXPECT_TRUE(MascotProbe::AlwaysOnTopItem(*main)->Checked);
    EXPECT_TRUE(GetWindowLongPtrW(main->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);

    std::wstring boxText;
    ModalResponder answer(
        [&](HWND box) {
            EnumChildWindows(
                box,
                [](HWND child, LPARAM text) -> BOOL {
                    const std::wstring t = testing_support::WindowText(child);
                    if (t.find(L"凍りついている") != std::wstring::npos)
                        *reinterpret_cast<std::wstring*>(text) = t;
                    return TRUE;
                },
                reinterpret_cast<LPARAM>(&boxText));
            PostMessageW(box, WM_KEYDOWN, VK_RETURN, 0);
            PostMessageW(box, WM_COMMAND, IDOK, 0);
        },
        main->Handle());
    MascotProbe::ToggleAlwaysOnTop(*main);
    EXPECT_TRUE(answer.Answered());
    EXPECT_EQ(boxText, L"凍りついている間は常に上に表示されます。");
    EXPECT_TRUE(MascotProbe::AlwaysOnTopItem(*main)->Checked);
    EXPECT_TRUE(GetWindowLongPtrW(main->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(MainWindow, ShiftF10OpensTheMenuAtFortyFiftyAndOtherModifiersDoNot) {
    POINT menuAt{};
    ModalResponder closeMenu(
        [&](HWND menu) {
            RECT r;
            GetWindowRect(menu, &r);
            menuAt = {r.left, r.top};
            EndMenu();
        },
        main->Handle());
    MascotProbe::OnKeyDown(*main, VK_F10, true, false, false);
    ASSERT_TRUE(closeMenu.Answered());
    EXPECT_EQ(closeMenu.ClassName(), L"#32768");
    const RECT frame = Frame();
    EXPECT_EQ(menuAt.x, frame.left + 40);
    EXPECT_EQ(menuAt.y, frame.top + 50);

    ModalResponder noMenu([](HWND) { EndMenu(); }, main->Handle());
    MascotProbe::OnKeyDown(*main, VK_F10, true, true, false);
    MascotProbe::OnKeyDown(*main, VK_F10, false, false, false);
    MascotProbe::OnKeyDown(*main, VK_F11, true, false, false);
    PumpFor(150);
    EXPECT_FALSE(noMenu.Answered());
}

TEST_F(MainWindow, MenuShowsTheFixedItemsWithShortcutsAndChecks) {
    const HMENU menu = MascotProbe::Menu(*main).BuildMenu();
    ASSERT_TRUE(menu);
    ASSERT_EQ(GetMenuItemCount(menu), 12);
    const wchar_t* expected[] = {L"常に上に表示\tCtrl+U",
                                 L"凍りつく\tCtrl+S",
                                 L"",
                                 L"エクスプローラ召喚\tCtrl+E",
                                 L"",
                                 L"呼び出し状を書く...\tCtrl+W",
                                 L"モフレンの部屋を開く\tCtrl+O",
                                 L"",
                                 L"ヘルプ\tF1",
                                 L"バージョン情報...\tCtrl+A",
                                 L"",
                                 L"終了\tAlt+F4"};
    for (int i = 0; i < 12; ++i) {
        wchar_t text[128] = {};
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_STRING | MIIM_FTYPE | MIIM_STATE | MIIM_BITMAP;
        info.dwTypeData = text;
        info.cch = static_cast<UINT>(std::size(text));
        ASSERT_TRUE(GetMenuItemInfoW(menu, i, TRUE, &info));
        EXPECT_EQ(std::wstring(text), expected[i]) << "item " << i;
        EXPECT_EQ((info.fType & MFT_SEPARATOR) != 0, expected[i][0] == 0) << "item " << i;
        EXPECT_EQ((info.fState & MFS_CHECKED) != 0, i == 0) << "item " << i;
        const bool hasIcon = i >= 3 && expected[i][0] != 0;
        BITMAP icon{};  // a 32-bit bitmap, which keeps the menu themed
        EXPECT_EQ(GetObjectW(info.hbmpItem, sizeof icon, &icon) && icon.bmBitsPixel == 32, hasIcon)
            << "item " << i;
    }
    EXPECT_EQ(MascotProbe::MenuIcons(*main).Count(), 6);
    EXPECT_EQ(MascotProbe::AlwaysOnTopItem(*main)->ShortCut, 16469);
    EXPECT_EQ(MascotProbe::FreezeItem(*main)->ShortCut, 16467);
    EXPECT_EQ(MascotProbe::ExplorerItem(*main)->ShortCut, 16453);
    EXPECT_EQ(MascotProbe::CallLetterItem(*main)->ShortCut, 16471);
    EXPECT_EQ(MascotProbe::ProgramFolderItem(*main)->ShortCut, 16463);
    EXPECT_EQ(MascotProbe::HelpItem(*main)->ShortCut, 112);
    EXPECT_EQ(MascotProbe::AboutItem(*main)->ShortCut, 16449);
    EXPECT_EQ(MascotProbe::ExitItem(*main)->ShortCut, 32883);
}

// Presses a key with the given modifiers held, through the program's accelerators.
bool PressShortcut(MascotWindow& main, WORD vk, bool ctrl, bool alt = false, bool shift = false) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = ctrl ? 0x80 : 0;
    keys[VK_MENU] = alt ? 0x80 : 0;
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    SetKeyboardState(keys);
    MSG msg{main.Handle(),
            static_cast<UINT>(alt || vk == VK_F10 ? WM_SYSKEYDOWN : WM_KEYDOWN),
            vk,
            1,
            0,
            {}};
    const bool handled = TranslateAcceleratorW(main.Handle(), main.Accelerators(), &msg) != 0;
    keys[VK_CONTROL] = keys[VK_MENU] = keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
    return handled;
}

TEST_F(MainWindow, ShortcutKeysRunTheirItems) {
    EXPECT_TRUE(PressShortcut(*main, 'S', true));
    EXPECT_TRUE(MascotProbe::FreezeItem(*main)->Checked);
    EXPECT_TRUE(PressShortcut(*main, 'S', true));
    EXPECT_FALSE(MascotProbe::FreezeItem(*main)->Checked);
    EXPECT_TRUE(PressShortcut(*main, 'U', true));
    EXPECT_FALSE(MascotProbe::AlwaysOnTopItem(*main)->Checked);
    EXPECT_FALSE(PressShortcut(*main, 'S', false)) << "plain S is no shortcut";
    EXPECT_FALSE(PressShortcut(*main, VK_F10, false)) << "F10 is free without nine launcher items";

    std::vector<LaunchRequest> launched;
    SetShellForTesting([&](const LaunchRequest& r) { launched.push_back(r); });
    EXPECT_TRUE(PressShortcut(*main, 'E', true));
    ASSERT_EQ(launched.size(), 1u);
    EXPECT_EQ(launched[0].file, L"EXPLORER.EXE");

    EXPECT_TRUE(PressShortcut(*main, VK_F4, false, true));
    EXPECT_FALSE(IsWindow(main->Handle())) << "Alt+F4 closes the mascot through its exit item";
}

TEST_F(MainWindow, ExplorerCommandsPassTheirParameters) {
    std::vector<LaunchRequest> launched;
    SetShellForTesting([&](const LaunchRequest& r) { launched.push_back(r); });
    MascotProbe::SummonExplorer(*main);
    MascotProbe::OpenProgramFolder(*main);
    ASSERT_EQ(launched.size(), 2u);
    EXPECT_EQ(launched[0].file, L"EXPLORER.EXE");
    EXPECT_EQ(launched[0].parameters, L"\"\\\",/e");
    EXPECT_EQ(launched[0].show, SW_SHOW);
    EXPECT_EQ(launched[1].file, L"EXPLORER.EXE");
    EXPECT_EQ(launched[1].parameters, L"\"C:\\Tools\\Mascot\",/n");
    EXPECT_EQ(launched[1].show, SW_SHOW);
}

TEST_F(MainWindow, ExitClosesTheWindowAndFreesItsPictures) {
    const HWND hwnd = main->Handle();
    MascotProbe::Exit(*main);
    EXPECT_FALSE(IsWindow(hwnd));
    main.reset();  // no paint, no double release
}

struct NoticeSeen {
    int count = 0;
    std::wstring caption, name, name2, task, task2;
    bool topMost = false;
};

// Reads the notice's lines when it is shown, then closes it.
class NoticeWatcher {
  public:
    NoticeWatcher() {
        tk::Dialog::ShownHook = [this](HWND hwnd) {
            // The dialog keeps its object in DWLP_USER.
            auto* dialog = reinterpret_cast<tk::Dialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
            auto* notice = dynamic_cast<CallNotice*>(dialog);
            if (!notice) return;
            ++seen.count;
            seen.caption = testing_support::WindowText(hwnd);
            seen.name = notice->NameShadow.Text();
            seen.name2 = notice->NameLine.Text();
            seen.task = notice->ErrandShadow.Text();
            seen.task2 = notice->ErrandLine.Text();
            seen.topMost = (GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
            if (whileOpen) whileOpen(hwnd);
            PostMessageW(hwnd, WM_CLOSE, 0, 0);
        };
    }
    ~NoticeWatcher() { tk::Dialog::ShownHook = nullptr; }
    NoticeSeen seen;
    std::function<void(HWND notice)> whileOpen;
};

TEST_F(MainWindow, ArmedCallRaisesTheNoticeOnceWithNameAndErrand) {
    MascotProbe::Call(*main) = pelnor::Call(CallState{.Armed = true,
                                                      .Hour = 12,
                                                      .Minute = 30,
                                                      .Name = MascotProbe::Call(*main).State().Name,
                                                      .Task = L"会議の"});
    NoticeWatcher watcher;
    // Ticks that run while the notice is open must neither move the call nor raise it again.
    watcher.whileOpen = [&](HWND) {
        MascotProbe::OnTick(*main);
        MascotProbe::OnTick(*main);
    };

    world.now = {12, 29, 59, 900};
    MascotProbe::OnTick(*main);
    EXPECT_EQ(watcher.seen.count, 0);
    EXPECT_TRUE(MascotProbe::Call(*main).State().Armed);

    world.now = {12, 30, 0, 0};
    const RECT before = Frame();
    MascotProbe::OnTick(*main);
    EXPECT_EQ(watcher.seen.count, 1);
    EXPECT_FALSE(MascotProbe::Call(*main).State().Armed);
    EXPECT_EQ(watcher.seen.caption, L"モフレン");
    EXPECT_EQ(watcher.seen.name, L"山田さん、");
    EXPECT_EQ(watcher.seen.name2, L"山田さん、");
    EXPECT_EQ(watcher.seen.task, L"会議の時がきました。");
    EXPECT_EQ(watcher.seen.task2, L"会議の時がきました。");
    EXPECT_TRUE(watcher.seen.topMost);
    EXPECT_EQ(Frame().left, before.left - 3) << "the mascot kept drifting behind the notice";

    world.now = {12, 30, 59, 900};
    MascotProbe::OnTick(*main);
    world.now = {12, 30, 0, 0};  // the same time the next day
    MascotProbe::OnTick(*main);
    EXPECT_EQ(watcher.seen.count, 1) << "the call fires once";
    EXPECT_EQ(MascotProbe::Call(*main).State().Hour, 12);
    EXPECT_EQ(MascotProbe::Call(*main).State().Minute, 30);
    EXPECT_EQ(MascotProbe::Call(*main).State().Name, L"山田");
    EXPECT_EQ(MascotProbe::Call(*main).State().Task, L"会議の");
}

TEST_F(MainWindow, NoticeWithoutANameHasNoNameLine) {
    MascotProbe::Call(*main) = pelnor::Call(
        CallState{.Armed = true, .Hour = 9, .Minute = 0, .Name = L"", .Task = L"", .Beep = false});
    NoticeWatcher watcher;
    MascotProbe::OnTick(*main);
    EXPECT_EQ(watcher.seen.count, 1);
    EXPECT_EQ(watcher.seen.name, L"");
    EXPECT_EQ(watcher.seen.name2, L"");
    EXPECT_EQ(watcher.seen.task, L"時がきました。");
}

// A jump of the clock over the armed minute (a sleep, a stall, the clock put
// forward) raises the notice once, late, from the tick or at once from the
// messages that tell of the jump.
TEST_F(MainWindow, ClockJumpOverTheArmedMinuteRaisesOneLateNotice) {
    const struct {
        const char* what;
        UINT msg;  // 0: the next tick
        WPARAM wParam;
        int notices;  // before the next tick
    } triggers[] = {
        {"the next tick", 0, 0, 1},
        {"a time change", WM_TIMECHANGE, 0, 1},
        {"a resume from sleep", WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 1},
        {"a suspend", WM_POWERBROADCAST, PBT_APMSUSPEND, 0},
    };
    for (const auto& trigger : triggers) {
        SCOPED_TRACE(trigger.what);
        NoticeWatcher watcher;
        world.now = {12, 29, 30, 0, 20000};
        MascotProbe::Call(*main).Arm(12, 30, world.now);
        MascotProbe::OnTick(*main);
        world.now = {12, 35, 10, 0, 20000};
        if (trigger.msg == 0) {
            MascotProbe::OnTick(*main);
        } else {
            SendMessageW(main->Handle(), trigger.msg, trigger.wParam, 0);
            for (int waited = 0; watcher.seen.count == 0 && waited < 2000; waited += 20)
                PumpFor(20);
        }
        EXPECT_EQ(watcher.seen.count, trigger.notices);
        MascotProbe::OnTick(*main);
        world.now = {12, 30, 0, 0, 20001};
        MascotProbe::OnTick(*main);
        EXPECT_EQ(watcher.seen.count, 1) << "one notice, at the first check after the jump";
        EXPECT_EQ(watcher.seen.caption, L"モフレン (12:30 の呼び出し)");
        EXPECT_EQ(watcher.seen.task, L"時がきました。") << "the rest of the notice as on time";
        EXPECT_TRUE(watcher.seen.topMost);
    }
}

bool TopMost(HWND hwnd) {
    return (GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

constexpr const wchar_t* kProgram = L"PelnorTestProgram";

// A plain popup of a class of its own name, at a place given as a Box.
HWND PlainWindow(const wchar_t* className, testing_support::Box at, HWND owner = nullptr,
                 DWORD style = WS_POPUP) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = className;
    RegisterClassW(&wc);  // fails harmlessly when registered already
    return CreateWindowExW(0, className, L"", style | WS_VISIBLE, at.left, at.top, at.width,
                           at.height, owner, nullptr, GetModuleHandleW(nullptr), nullptr);
}

QUERY_USER_NOTIFICATION_STATE shellState = QUNS_ACCEPTS_NOTIFICATIONS;

TEST_F(MainWindow, OnlyAForeignWindowOverTheWholeMonitorIsAFullScreenProgram) {
    shell::SetNotificationStateForTesting([](QUERY_USER_NOTIFICATION_STATE* state) {
        *state = shellState;
        return S_OK;
    });
    const testing_support::ScopeExit restore(
        [] { shell::SetNotificationStateForTesting(nullptr); });
    const SIZE screen{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    const testing_support::Box monitor{0, 0, screen.cx, screen.cy};
    const testing_support::Box maximized{-8, -8, screen.cx + 16, screen.cy + 16};
    const testing_support::Box beside{screen.cx, 0, screen.cx, screen.cy};
    RECT mascot{};
    GetWindowRect(main->Handle(), &mascot);
    const testing_support::Box overMascot{mascot.left, mascot.top, 200, 200};
    constexpr DWORD kPopup = WS_POPUP, kCaptioned = WS_OVERLAPPEDWINDOW;
    constexpr auto kIdle = QUNS_ACCEPTS_NOTIFICATIONS;
    const struct {
        const char* what;
        const wchar_t* className;
        testing_support::Box at;
        bool owned;
        DWORD style;
        QUERY_USER_NOTIFICATION_STATE shell;
        bool fullScreen;
    } cases[] = {
        {"covering the monitor", kProgram, monitor, false, kPopup, kIdle, true},
        {"overhanging it", kProgram, maximized, false, kPopup, kIdle, true},
        {"1 px narrower", kProgram, {0, 0, screen.cx - 1, screen.cy}, false, kPopup, kIdle, false},
        {"1 px lower", kProgram, {0, 1, screen.cx, screen.cy - 1}, false, kPopup, kIdle, false},
        {"beside the monitor", kProgram, beside, false, kPopup, QUNS_BUSY, false},
        {"maximized with a caption", kProgram, maximized, false, kCaptioned, kIdle, false},
        {"covering it with a caption", kProgram, monitor, false, kCaptioned, kIdle, false},
        {"a game the shell knows", kProgram, maximized, false, kCaptioned,
         QUNS_RUNNING_D3D_FULL_SCREEN, true},
        {"in presentation mode", kProgram, monitor, false, kCaptioned, QUNS_PRESENTATION_MODE,
         true},
        {"the shell busy", kProgram, overMascot, false, kCaptioned, QUNS_BUSY, true},
        {"the mascot's own dialog", kProgram, monitor, true, kPopup, QUNS_BUSY, false},
        {"the shell's desktop", L"Progman", monitor, false, kPopup, QUNS_BUSY, false},
        {"the desktop's worker", L"WorkerW", monitor, false, kPopup, kIdle, false},
    };
    for (const auto& c : cases) {
        shellState = c.shell;
        const HWND window =
            PlainWindow(c.className, c.at, c.owned ? main->Handle() : nullptr, c.style);
        ASSERT_TRUE(window) << c.what;
        EXPECT_EQ(IsFullScreenProgram(window, main->Handle()), c.fullScreen) << c.what;
        DestroyWindow(window);
    }
    EXPECT_FALSE(IsFullScreenProgram(main->Handle(), main->Handle())) << "the mascot itself";
    EXPECT_FALSE(IsFullScreenProgram(GetDesktopWindow(), main->Handle())) << "the desktop";
    EXPECT_FALSE(IsFullScreenProgram(nullptr, main->Handle())) << "no foreground";
}

TEST_F(MainWindow, FrozenMascotGivesWayToAFullScreenProgramButItsNoticeDoesNot) {
    MascotProbe::ToggleFreeze(*main);
    MascotProbe::OnTick(*main);
    ASSERT_TRUE(TopMost(main->Handle()));
    const HWND program =
        PlainWindow(kProgram, {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
    SetForegroundWindow(program);
    ASSERT_EQ(GetForegroundWindow(), program);

    MascotProbe::OnTick(*main);
    EXPECT_FALSE(TopMost(main->Handle())) << "gave way";
    HWND below = program;
    while (below && below != main->Handle()) below = GetWindow(below, GW_HWNDNEXT);
    EXPECT_EQ(below, main->Handle()) << "the mascot is below the program";
    EXPECT_TRUE(MascotProbe::FreezeItem(*main)->Checked);
    EXPECT_TRUE(MascotProbe::AlwaysOnTopItem(*main)->Checked);
    const auto resize = [program](int shrink) {
        SetWindowPos(program, nullptr, 0, 0, GetSystemMetrics(SM_CXSCREEN) - shrink,
                     GetSystemMetrics(SM_CYSCREEN), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    };
    resize(1);
    MascotProbe::OnTick(*main);
    EXPECT_TRUE(TopMost(main->Handle())) << "back on top when the program leaves full screen";
    resize(0);
    MascotProbe::OnTick(*main);
    EXPECT_FALSE(TopMost(main->Handle()));

    // The program takes the foreground back while the notice is up: the
    // notice stays in the top-most band, and so its owner with it.
    NoticeWatcher watcher;
    bool noticeTopMost = false, mascotTopMost = false;
    watcher.whileOpen = [&](HWND notice) {
        SetForegroundWindow(program);
        MascotProbe::OnTick(*main);
        noticeTopMost = TopMost(notice);
        mascotTopMost = TopMost(main->Handle());
    };
    MascotProbe::Call(*main).Arm(9, 0, world.now);
    MascotProbe::OnTick(*main);
    EXPECT_EQ(watcher.seen.count, 1);
    EXPECT_TRUE(noticeTopMost);
    EXPECT_TRUE(mascotTopMost);

    SetForegroundWindow(program);
    MascotProbe::OnTick(*main);
    EXPECT_FALSE(TopMost(main->Handle()));
    DestroyWindow(program);
    MascotProbe::OnTick(*main);
    EXPECT_TRUE(TopMost(main->Handle())) << "back on top when the program closes";
    EXPECT_TRUE(MascotProbe::FreezeItem(*main)->Checked);
    EXPECT_TRUE(MascotProbe::AlwaysOnTopItem(*main)->Checked);
}

// The dialog the hook sees first, by class; closes it.
template <typename Dialog>
bool OpensAndCloses(const std::function<void()>& command) {
    bool seen = false;
    tk::Dialog::ShownHook = [&](HWND hwnd) {
        auto* dialog = reinterpret_cast<tk::Dialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
        seen = dynamic_cast<Dialog*>(dialog) != nullptr;
        PostMessageW(hwnd, WM_CLOSE, 0, 0);
    };
    command();
    tk::Dialog::ShownHook = nullptr;
    return seen;
}

TEST_F(MainWindow, MenuCommandsOpenTheirWindows) {
    EXPECT_TRUE(OpensAndCloses<CallLetterDialog>([&] { MascotProbe::WriteCallLetter(*main); }));
    EXPECT_TRUE(OpensAndCloses<AboutBox>([&] { MascotProbe::ShowAbout(*main); }));
    EXPECT_FALSE(MascotProbe::Call(*main).State().Armed)
        << "closing the call letter changes nothing";

    MascotProbe::ShowHelp(*main);
    const HWND viewer = FindWindowW(kHelpViewerClass, nullptr);
    ASSERT_TRUE(viewer) << "help opens at its contents without blocking";
    EXPECT_EQ(GetWindow(viewer, GW_OWNER), nullptr) << "not kept above the mascot";
    EXPECT_TRUE(GetWindowLongPtrW(viewer, GWL_EXSTYLE) & WS_EX_APPWINDOW);
    DestroyWindow(main->Handle());
    EXPECT_FALSE(IsWindow(viewer)) << "closed with the program";
}

TEST(MainWindowStartUp, DriveRootProgramUsesTheRootForBothForms) {
    FakeWorld world;
    world.exe = L"C:\\x.exe";
    MascotWindow main(world.Environment());
    ASSERT_TRUE(main.Create());
    EXPECT_EQ(main.ProgramFolder(), L"C:\\");
    EXPECT_EQ(main.ProgramFolderSlash(), L"C:\\");
    EXPECT_EQ(main.HelpFile(), L"C:\\Pelnor.hlp");
    std::vector<LaunchRequest> launched;
    SetShellForTesting([&](const LaunchRequest& r) { launched.push_back(r); });
    MascotProbe::OpenProgramFolder(main);
    SetShellForTesting({});
    ASSERT_EQ(launched.size(), 1u);
    EXPECT_EQ(launched[0].parameters, L"\"C:\\\",/n");
}

TEST(MainWindowStartUp, FolderLongerThanEightyBytesReachesExplorerWhole) {
    FakeWorld world;
    const std::wstring folder = L"C:\\" + std::wstring(120, L'長');
    world.exe = folder + L"\\Pelnor.exe";
    MascotWindow main(world.Environment());
    ASSERT_TRUE(main.Create());
    std::vector<LaunchRequest> launched;
    SetShellForTesting([&](const LaunchRequest& r) { launched.push_back(r); });
    MascotProbe::OpenProgramFolder(main);
    SetShellForTesting({});
    ASSERT_EQ(launched.size(), 1u);
    EXPECT_EQ(launched[0].parameters, L"\"" + folder + L"\",/n");
    EXPECT_EQ(main.HelpFile(), folder + L"\\Pelnor.hlp");
}

TEST(MainWindowStartUp, NoRegisteredOwnerGivesAnEmptyName) {
    FakeWorld world;
    world.owner.clear();
    MascotWindow main(world.Environment());
    ASSERT_TRUE(main.Create());
    EXPECT_EQ(MascotProbe::Call(main).State().Name, L"");
}

}  // namespace
}  // namespace pelnor
