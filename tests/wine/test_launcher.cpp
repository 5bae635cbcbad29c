// The shortcut launcher over real .lnk files in a temporary program folder.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "TestSupport.h"
#include "mascot/MascotWindow.h"
#include "platform/ShellLaunch.h"

namespace pelnor {
namespace {

using testing_support::FileExists;
using testing_support::MakeShortcut;
using testing_support::TempFolder;

class Launcher : public ::testing::Test {
  protected:
    Launcher() : folder(L"launcher") {}

    std::wstring Notepad() const {
        wchar_t windows[MAX_PATH];
        GetWindowsDirectoryW(windows, MAX_PATH);
        return std::wstring(windows) + L"\\notepad.exe";
    }
    void Shortcut(const std::wstring& name) { ASSERT_TRUE(MakeShortcut(folder / name, Notepad())); }

    std::unique_ptr<MascotWindow> Start() {
        auto main = std::make_unique<MascotWindow>(
            MascotEnvironment{[] { return ClockTime{}; }, [] { return std::wstring(); },
                              [this] { return folder / L"Pelnor.exe"; },
                              [](HWND) {
                                  return RECT{0, 0, 1024, 768};
                              }});
        EXPECT_TRUE(main->Create());
        main->TickTimer.SetEnabled(false);
        return main;
    }

    // Captions and shortcut texts of the items after the fixed ones.
    static std::vector<std::wstring> LauncherItems(MascotWindow& main) {
        std::vector<std::wstring> items;
        for (std::size_t i = 12; i < main.Menu.Count(); ++i) {
            const tk::TMenuItem& item = main.Menu[i];
            items.push_back(item.Caption + L"|" + tk::ShortCutToText(item.ShortCut));
        }
        return items;
    }

    TempFolder folder;
};

TEST_F(Launcher, NoShortcutsAddNothing) {
    auto main = Start();
    EXPECT_EQ(main->Menu.Count(), 12u);
    EXPECT_EQ(main->LauncherCount(), 0);
}

TEST_F(Launcher, ItemsAreSortedByNameWithKeysInPlaceAndIconsAlongside) {
    Shortcut(L"b.lnk");
    Shortcut(L"A.lnk");
    Shortcut(L"c.lnk");
    Shortcut(L"メモ帳.lnk");
    Shortcut(L"Zeta.lnk");
    auto main = Start();
    EXPECT_EQ(LauncherItems(*main), (std::vector<std::wstring>{L"-|", L"A|F2", L"b|F3", L"c|F4",
                                                               L"Zeta|F5", L"メモ帳|F6"}));
    EXPECT_EQ(main->MenuIcons.Count(), 6 + 5) << "one icon per shortcut";
    std::vector<int> images;
    for (std::size_t i = 13; i < main->Menu.Count(); ++i)
        images.push_back(main->Menu[i].ImageIndex);
    std::sort(images.begin(), images.end());
    EXPECT_EQ(images, (std::vector<int>{6, 7, 8, 9, 10}));
}

TEST_F(Launcher, ElevenAtMostAndUpperCaseExtensionsToo) {
    for (int i = 0; i < 12; ++i) Shortcut(L"s" + std::to_wstring(100 + i) + L".lnk");
    Shortcut(L"x.LNK");
    auto main = Start();
    EXPECT_EQ(main->LauncherCount(), 11);
    EXPECT_EQ(main->Menu.Count(), 12u + 1 + 11);
    const auto items = LauncherItems(*main);
    EXPECT_EQ(items.back().substr(items.back().find(L'|')), L"|F12");
    // F10 now belongs to the ninth item.
    EXPECT_EQ(main->Menu[12 + 9].ShortCut, VK_F10);
}

TEST_F(Launcher, HiddenFilesFoldersAndForeignNamesAreListed) {
    Shortcut(L"hidden.lnk");
    SetFileAttributesW((folder / L"hidden.lnk").c_str(), FILE_ATTRIBUTE_HIDDEN);
    CreateDirectoryW((folder / L"y.lnk").c_str(), nullptr);
    Shortcut(L"Ελληνικά.lnk");
    Shortcut(std::wstring(100, L'n') + L".lnk");
    auto main = Start();
    const auto items = LauncherItems(*main);
    ASSERT_EQ(items.size(), 5u);
    EXPECT_EQ(items[1], L"hidden|F2");
    EXPECT_EQ(items[2], std::wstring(100, L'n') + L"|F3");
    EXPECT_EQ(items[3], L"y|F4");
    EXPECT_EQ(items[4], L"Ελληνικά|F5") << "outside code page 932: after every Shift-JIS name";
}

TEST_F(Launcher, ChoosingAnItemOpensItsShortcutInTheProgramFolder) {
    Shortcut(L"x.LNK");
    auto main = Start();
    std::vector<LaunchRequest> launched;
    SetShellForTesting([&](const LaunchRequest& r) { launched.push_back(r); });
    ASSERT_EQ(main->LauncherCount(), 1);
    main->Menu.Dispatch(main->Menu[13].CommandId());
    SetShellForTesting({});
    ASSERT_EQ(launched.size(), 1u);
    EXPECT_EQ(launched[0].file, folder / L"x.lnk") << "opened as x.lnk in the program folder";
    EXPECT_EQ(launched[0].parameters, L"");
    EXPECT_EQ(launched[0].folder, folder.Path());
    EXPECT_EQ(launched[0].show, SW_SHOW);
}

TEST_F(Launcher, ARealShortcutStartsFromAnyCurrentFolderAndABrokenOneIsSilent) {
    wchar_t system[MAX_PATH];
    GetSystemDirectoryW(system, MAX_PATH);
    const std::wstring marker = folder / L"ran.txt";
    ASSERT_TRUE(MakeShortcut(folder / L"run.lnk", std::wstring(system) + L"\\cmd.exe",
                             L"/c echo ran> \"" + marker + L"\""));
    Shortcut(L"broken.lnk");
    auto main = Start();
    DeleteFileW((folder / L"broken.lnk").c_str());
    SetCurrentDirectoryW(system);

    for (std::size_t i = 13; i < main->Menu.Count(); ++i)
        main->Menu.Dispatch(main->Menu[i].CommandId());
    for (int i = 0; i < 100 && !FileExists(marker); ++i) Sleep(100);
    EXPECT_TRUE(FileExists(marker));
}

}  // namespace
}  // namespace pelnor
