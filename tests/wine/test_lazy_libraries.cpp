// The common controls, the shell, COM and the input method are loaded when
// first used: a mascot that starts with no shortcuts beside it loads none of
// them, and each comes with the first thing that needs it. Its own program,
// because a library once loaded stays loaded.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestSupport.h"
#include "dialogs/CallLetterDialog.h"
#include "mascot/MascotWindow.h"
#include "platform/ShellLaunch.h"
#include "toolkit/SystemLibrary.h"

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

// The tool tips this thread has made.
int ToolTipCount() {
    int count = 0;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM found) {
            wchar_t name[64] = {};
            GetClassNameW(hwnd, name, static_cast<int>(std::size(name)));
            if (lstrcmpiW(name, TOOLTIPS_CLASSW) == 0) ++*reinterpret_cast<int*>(found);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count;
}

TEST(LazyLibraries, NoneAtStartUpAndEachWithItsFirstUse) {
    tk::SetLibraryLoaderForTesting(RecordedLoad);
    TempFolder folder(L"lazy");  // no shortcuts in it
    MascotWindow mascot({[] { return ClockTime{}; }, [] { return std::wstring(); },
                         [&folder] { return folder / L"Pelnor.exe"; },
                         [](HWND) {
                             return RECT{0, 0, 1024, 768};
                         }});
    ASSERT_TRUE(mascot.Create());
    mascot.TickTimer.SetEnabled(false);
    ShowWindow(mascot.Handle(), SW_SHOWNOACTIVATE);
    for (int n = 0; n < 4; ++n) mascot.OnTick();
    testing_support::PumpFor(100);
    EXPECT_EQ(TakeLoads(), std::vector<std::wstring>{}) << "start-up and ticks";
    EXPECT_EQ(ToolTipCount(), 0);

    SendMessageW(mascot.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(30, 30));
    EXPECT_EQ(TakeLoads(), std::vector<std::wstring>{L"comctl32.dll"}) << "the first hover";
    EXPECT_EQ(ToolTipCount(), 1) << "the hover made the mascot's tool tip";
    SendMessageW(mascot.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(31, 30));
    EXPECT_EQ(ToolTipCount(), 1) << "one tool tip however often the mouse moves";

    // A start that finds nothing to start.
    LaunchFile(mascot.Handle(), folder / L"nothing-here.exe", L"", folder.Path(), SW_SHOW);
    EXPECT_EQ(TakeLoads(), (std::vector<std::wstring>{L"ole32.dll", L"shell32.dll"}))
        << "the first start of something";

    CallLetterDialog letter(mascot.Call, [] { return ClockTime{}; });
    letter.OnShown = [&letter](HWND hwnd) {
        SetFocus(letter.ErrandField.Handle());  // starts in hiragana
        PostMessageW(hwnd, WM_CLOSE, 0, 0);
    };
    letter.ShowModal(mascot.Handle());
    EXPECT_EQ(TakeLoads(), std::vector<std::wstring>{L"imm32.dll"})
        << "the errand field's first focus";
    tk::SetLibraryLoaderForTesting(nullptr);
}

}  // namespace
}  // namespace pelnor
