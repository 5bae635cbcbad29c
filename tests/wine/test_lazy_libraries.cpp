// The common controls, the shell, COM and the input method are loaded when
// first used: a mascot that starts with no shortcuts beside it loads none of
// them, not even for its hint, and each comes with the first thing that needs
// it. Its own program, because a library once loaded stays loaded.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestSupport.h"
#include "dialogs/CallLetterDialog.h"
#include "mascot/MascotWindow.h"
#include "platform/ShellLaunch.h"
#include "winbase/SystemLibrary.h"

namespace pelnor {
namespace {

using testing_support::TempFolder;

std::vector<std::wstring> loads;

HMODULE RecordedLoad(const wchar_t* file) {
    loads.emplace_back(file);
    return LoadLibraryExW(file, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
}

std::vector<std::wstring> TakeLoads() {
    return std::exchange(loads, {});
}

// The visible windows of this thread of that class.
int VisibleWindows(const wchar_t* className) {
    struct Search {
        const wchar_t* className;
        int count;
    } search{className, 0};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM data) {
            auto& s = *reinterpret_cast<Search*>(data);
            wchar_t name[64] = {};
            GetClassNameW(hwnd, name, static_cast<int>(std::size(name)));
            if (lstrcmpiW(name, s.className) == 0 && IsWindowVisible(hwnd)) ++s.count;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.count;
}

TEST(LazyLibraries, NoneAtStartUpAndEachWithItsFirstUse) {
    tk::SetLibraryLoaderForTesting(RecordedLoad);
    TempFolder folder(L"lazy");  // no shortcuts in it
    MascotWindow mascot(testing_support::PlainEnvironment(folder.Path()));
    ASSERT_TRUE(mascot.Create());
    MascotProbe::TickTimer(mascot).SetEnabled(false);
    ShowWindow(mascot.Handle(), SW_SHOWNOACTIVATE);
    for (int n = 0; n < 4; ++n) MascotProbe::OnTick(mascot);
    testing_support::PumpFor(100);
    EXPECT_EQ(TakeLoads(), std::vector<std::wstring>{}) << "start-up and ticks";

    // The mascot's hint is its own.
    SendMessageW(mascot.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(30, 30));
    SendMessageW(mascot.Handle(), WM_MOUSEHOVER, 0, MAKELPARAM(30, 30));
    EXPECT_EQ(VisibleWindows(L"PelnorHoverHint"), 1) << "the hint shows on hover";
    SendMessageW(mascot.Handle(), WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(VisibleWindows(L"PelnorHoverHint"), 0) << "and goes when the mouse leaves";
    EXPECT_EQ(TakeLoads(), std::vector<std::wstring>{}) << "hover";

    // A start that finds nothing to start.
    LaunchFile(mascot.Handle(), folder / L"nothing-here.exe", L"", folder.Path(), SW_SHOW);
    EXPECT_EQ(TakeLoads(), (std::vector<std::wstring>{L"ole32.dll", L"shell32.dll"}))
        << "the first start of something";

    CallLetterDialog letter(MascotProbe::Call(mascot).State(), [] { return ClockTime{}; });
    letter.OnShown = [&letter](HWND hwnd) {
        SetFocus(letter.ErrandField.Handle());  // starts in hiragana
        PostMessageW(hwnd, WM_CLOSE, 0, 0);
    };
    letter.ShowModal(mascot.Handle());
    EXPECT_EQ(TakeLoads(), (std::vector<std::wstring>{L"comctl32.dll", L"imm32.dll"}))
        << "the call letter's fields and tips, then the errand field's first focus";
    tk::SetLibraryLoaderForTesting(nullptr);
}

}  // namespace
}  // namespace pelnor
