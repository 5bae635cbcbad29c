// When the common controls, the shell, COM or the input method cannot be
// loaded, the mascot still starts, drifts and shows its hint, its shortcut
// items get the general icon, and the commands that need them do nothing:
// nothing started, the call letter works as plain fields without tips. Its own
// program, so that no library is loaded before the loader is made to fail.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "TestSupport.h"
#include "dialogs/CallLetterDialog.h"
#include "mascot/MascotWindow.h"
#include "platform/ShellLaunch.h"
#include "winbase/SystemLibrary.h"

namespace pelnor {
namespace {

using testing_support::FileExists;
using testing_support::MakeShortcut;
using testing_support::PumpFor;
using testing_support::TempFolder;

int refused = 0;

HMODULE RefusedLoad(const wchar_t*) {
    ++refused;
    return nullptr;
}

bool HasToolTip() {
    bool found = false;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM result) {
            wchar_t name[64] = {};
            GetClassNameW(hwnd, name, static_cast<int>(std::size(name)));
            if (lstrcmpiW(name, TOOLTIPS_CLASSW) == 0) *reinterpret_cast<bool*>(result) = true;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

TEST(MissingLibraries, StartUpWorksAndTheirCommandsDoNothing) {
    tk::SetLibraryLoaderForTesting(RefusedLoad);
    TempFolder folder(L"missing");
    wchar_t system[MAX_PATH];
    GetSystemDirectoryW(system, MAX_PATH);
    const std::wstring marker = folder / L"ran.txt";
    ASSERT_TRUE(MakeShortcut(folder / L"run.lnk", std::wstring(system) + L"\\cmd.exe",
                             L"/c echo ran> \"" + marker + L"\""));

    MascotWindow mascot(testing_support::PlainEnvironment(folder.Path()));
    ASSERT_TRUE(mascot.Create());
    MascotProbe::TickTimer(mascot).SetEnabled(false);
    ShowWindow(mascot.Handle(), SW_SHOWNOACTIVATE);
    RECT before;
    GetWindowRect(mascot.Handle(), &before);
    MascotProbe::OnTick(mascot);
    RECT after;
    GetWindowRect(mascot.Handle(), &after);
    EXPECT_EQ(after.left, before.left - 1) << "it drifts";
    ASSERT_EQ(mascot.LauncherCount(), 1) << "the shortcut is listed";
    EXPECT_EQ(MascotProbe::MenuIcons(mascot).Count(), 6 + 1);
    EXPECT_TRUE(MascotProbe::MenuIcons(mascot).Bitmap(6)) << "with the general icon";

    SendMessageW(mascot.Handle(), WM_MOUSEHOVER, 0, MAKELPARAM(30, 30));
    EXPECT_TRUE(IsWindowVisible(FindWindowW(L"PelnorHoverHint", nullptr)))
        << "the mascot's hint needs none of them";

    // Every start goes nowhere, silently.
    const HINSTANCE result = LaunchFile(mascot.Handle(), std::wstring(system) + L"\\cmd.exe",
                                        L"/c echo ran> \"" + marker + L"\"", L"", SW_HIDE);
    EXPECT_LE(reinterpret_cast<INT_PTR>(result), 32);
    MascotProbe::Menu(mascot).Dispatch(
        MascotProbe::Menu(mascot)[MascotProbe::Menu(mascot).Count() - 1].CommandId());
    PumpFor(1000);
    EXPECT_FALSE(FileExists(marker)) << "nothing was started";

    // The call letter opens, its fields take the focus without an input
    // method, and it closes.
    CallLetterDialog letter(MascotProbe::Call(mascot).State(), [] { return ClockTime{}; });
    std::wstring typed = L"(not shown)";
    letter.OnShown = [&](HWND hwnd) {
        EXPECT_FALSE(HasToolTip()) << "no tips for the controls";
        SetFocus(letter.ErrandField.Handle());
        SendMessageW(letter.ErrandField.Handle(), WM_CHAR, L'x', 1);
        typed = letter.ErrandField.Text();
        PostMessageW(hwnd, WM_CLOSE, 0, 0);
    };
    letter.ShowModal(mascot.Handle());
    EXPECT_EQ(typed, L"x");
    EXPECT_GT(refused, 0) << "the loader was asked";
    tk::SetLibraryLoaderForTesting(nullptr);
}

}  // namespace
}  // namespace pelnor
