// The shortcut launcher over real .lnk files in a temporary program folder.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <vector>

#include "TestSupport.h"
#include "mascot/MascotWindow.h"
#include "platform/ShellLaunch.h"

namespace pelnor {
namespace {

using testing_support::FileExists;
using testing_support::MakeShortcut;
using testing_support::PlainEnvironment;
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

    std::unique_ptr<MascotWindow> Start() { return StartIn(folder.Path()); }

    std::unique_ptr<MascotWindow> StartIn(const std::wstring& programFolder) {
        auto main = std::make_unique<MascotWindow>(PlainEnvironment(programFolder));
        EXPECT_TRUE(main->Create());
        MascotProbe::TickTimer(*main).SetEnabled(false);
        return main;
    }

    // Captions and shortcut texts of the items after the fixed ones.
    static std::vector<std::wstring> LauncherItems(MascotWindow& main) {
        std::vector<std::wstring> items;
        for (std::size_t i = 12; i < MascotProbe::Menu(main).Count(); ++i) {
            const tk::MenuItem& item = MascotProbe::Menu(main)[i];
            items.push_back(item.Caption + L"|" + tk::ShortCutToText(item.ShortCut));
        }
        return items;
    }

    TempFolder folder;
};

TEST_F(Launcher, NoShortcutsAddNothing) {
    auto main = Start();
    EXPECT_EQ(MascotProbe::Menu(*main).Count(), 12u);
    EXPECT_EQ(main->LauncherCount(), 0);
}

TEST_F(Launcher, ItemsAreSortedByNameWithKeysInPlaceAndIconsAlongside) {
    Shortcut(L"b.lnk");
    Shortcut(L"A.lnk");
    Shortcut(L"c.lnk");
    Shortcut(L"メモ帳.lnk");
    Shortcut(L"Zeta.lnk");
    auto main = Start();
    EXPECT_EQ(LauncherItems(*main), (std::vector<std::wstring>{L"|", L"A|F2", L"b|F3", L"c|F4",
                                                               L"Zeta|F5", L"メモ帳|F6"}));
    EXPECT_EQ(MascotProbe::MenuIcons(*main).Count(), 6 + 5) << "one icon per shortcut";
    std::vector<int> images;
    for (std::size_t i = 13; i < MascotProbe::Menu(*main).Count(); ++i)
        images.push_back(MascotProbe::Menu(*main)[i].ImageIndex);
    std::sort(images.begin(), images.end());
    EXPECT_EQ(images, (std::vector<int>{6, 7, 8, 9, 10}));
}

// The shell's icon at the menu's size, not a small one blown up: at scale 2 it
// has detail finer than 2 x 2 squares. An icon that comes at another size is
// averaged, never thinned out: a 32 px checkerboard shows as 16 px of grey.
TEST_F(Launcher, IconsAreAskedAtTheMenusSizeAndSmoothedWhenTheyComeAtAnother) {
    Shortcut(L"n.lnk");
    auto main = Start();
    MascotProbe::MenuIcons(*main).SetScale(2);
    const std::vector<DWORD> shown =
        testing_support::PixelsOf(MascotProbe::MenuIcons(*main).Bitmap(6));
    ASSERT_EQ(shown.size(), 32u * 32);
    int finer = 0;
    for (int y = 0; y < 32; y += 2)
        for (int x = 0; x < 32; x += 2)
            for (int k : {1, 32, 33}) finer += shown[y * 32 + x] != shown[y * 32 + x + k];
    EXPECT_GT(finer, 0);

    DWORD checker[32 * 32];
    BYTE opaque[32 * 4] = {};
    for (int i = 0; i < 32 * 32; ++i) checker[i] = (i / 32 + i) % 2 ? 0xFFFFFFFF : 0xFF000000;
    tk::ImageList list(16, 16);
    list.AddIconSource([&](int, int) {
        return tk::UniqueIcon(
            CreateIcon(nullptr, 32, 32, 1, 32, opaque, reinterpret_cast<BYTE*>(checker)));
    });
    ASSERT_EQ(testing_support::PixelsOf(list.Bitmap(0)).size(), 256u);
    for (DWORD pixel : testing_support::PixelsOf(list.Bitmap(0))) {
        EXPECT_EQ(pixel >> 24, 255u);
        EXPECT_NEAR(static_cast<int>(pixel & 0xFF), 128, 1);
    }
}

TEST_F(Launcher, ElevenAtMostAndUpperCaseExtensionsToo) {
    for (int i = 0; i < 12; ++i) Shortcut(L"s" + std::to_wstring(100 + i) + L".lnk");
    Shortcut(L"x.LNK");
    auto main = Start();
    EXPECT_EQ(main->LauncherCount(), 11);
    EXPECT_EQ(MascotProbe::Menu(*main).Count(), 12u + 1 + 11);
    const auto items = LauncherItems(*main);
    EXPECT_EQ(items.back().substr(items.back().find(L'|')), L"|F12");
    // F10 now belongs to the ninth item.
    EXPECT_EQ(MascotProbe::Menu(*main)[12 + 9].ShortCut, VK_F10);
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
    EXPECT_EQ(items[2], std::wstring(20, L'n') + L"…" + std::wstring(19, L'n') + L"|F3");
    EXPECT_EQ(items[3], L"y|F4");
    EXPECT_EQ(items[4], L"Ελληνικά|F5") << "outside code page 932: after every Shift-JIS name";
}

TEST_F(Launcher, ChoosingAnItemOpensItsShortcutInTheProgramFolder) {
    Shortcut(L"x.LNK");
    auto main = Start();
    std::vector<LaunchRequest> launched;
    SetShellForTesting([&](const LaunchRequest& r) { launched.push_back(r); });
    ASSERT_EQ(main->LauncherCount(), 1);
    MascotProbe::Menu(*main).Dispatch(MascotProbe::Menu(*main)[13].CommandId());
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
    wchar_t current[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, current);
    SetCurrentDirectoryW(system);

    for (std::size_t i = 13; i < MascotProbe::Menu(*main).Count(); ++i)
        MascotProbe::Menu(*main).Dispatch(MascotProbe::Menu(*main)[i].CommandId());
    for (int i = 0; i < 100 && !FileExists(marker); ++i) Sleep(100);
    EXPECT_TRUE(FileExists(marker));
    SetCurrentDirectoryW(current);
}

// Presses a launcher item's key through the program's accelerators.
bool PressKey(MascotWindow& main, WORD vk) {
    MSG msg{main.Handle(), WM_KEYDOWN, vk, 1, 0, {}};
    return TranslateAcceleratorW(main.Handle(), main.Accelerators(), &msg) != 0;
}

// A shortcut that writes `marker` when it runs, saved under a short name
// first: the shell link object will not save to a path beyond MAX_PATH.
void MakeMarkerShortcut(const std::wstring& path, const std::wstring& scratch,
                        const std::wstring& marker) {
    wchar_t system[MAX_PATH];
    GetSystemDirectoryW(system, MAX_PATH);
    ASSERT_TRUE(MakeShortcut(scratch, std::wstring(system) + L"\\cmd.exe",
                             L"/c echo ran> \"" + marker + L"\""));
    ASSERT_TRUE(MoveFileW(scratch.c_str(), path.c_str())) << GetLastError();
}

TEST_F(Launcher, EveryListedShortcutOpensFromItsKey) {
    // A program folder of 290 characters, made of two nested folders.
    const std::size_t room = 290 - folder.Path().size() - 2;
    const std::wstring deep =
        folder / std::wstring(room / 2, L'd') + L"\\" + std::wstring(room - room / 2, L'e');
    ASSERT_TRUE(CreateDirectoryW((folder / std::wstring(room / 2, L'd')).c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW(deep.c_str(), nullptr));
    ASSERT_EQ(deep.size(), 290u);

    const struct {
        const char* what;
        std::wstring programFolder;
        std::wstring name;
    } cases[] = {
        {"a shortcut named like a separator", folder / L"dash", L"-.lnk"},
        {"a name of 240 characters", folder / L"long", std::wstring(240, L'n') + L".lnk"},
        {"a program folder of 290 characters", deep, L"x.lnk"},
    };
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CreateDirectoryW(c.programFolder.c_str(), nullptr);
        const std::wstring marker = folder / (L"ran" + std::to_wstring(n++) + L".txt");
        MakeMarkerShortcut(c.programFolder + L"\\" + c.name, folder / L"scratch.lnk", marker);
        auto main = StartIn(c.programFolder);
        ASSERT_EQ(main->LauncherCount(), 1);
        EXPECT_FALSE(MascotProbe::Menu(*main)[13].IsSeparator());
        EXPECT_TRUE(PressKey(*main, VK_F2));
        for (int i = 0; i < 100 && !FileExists(marker); ++i) Sleep(100);
        EXPECT_TRUE(FileExists(marker));
    }
}

// Explorer shows the desktop for a folder beyond the longest it takes.
TEST_F(Launcher, ALongProgramFolderReachesExplorerByItsShortForm) {
    for (const std::size_t length : {std::size_t{250}, std::size_t{290}}) {
        const std::size_t room = length - folder.Path().size() - 2;
        const std::wstring outer = folder / std::wstring(room / 2, L'a');
        const std::wstring deep = outer + L"\\" + std::wstring(room - room / 2, L'f');
        CreateDirectoryW(outer.c_str(), nullptr);
        ASSERT_TRUE(CreateDirectoryW(deep.c_str(), nullptr) && deep.size() == length);
        std::vector<LaunchRequest> launched;
        SetShellForTesting([&](const LaunchRequest& r) { launched.push_back(r); });
        MascotProbe::OpenProgramFolder(*StartIn(deep));
        SetShellForTesting({});
        ASSERT_EQ(launched.size(), 1u);
        const std::wstring given =
            launched[0].parameters.substr(1, launched[0].parameters.find(L'"', 1) - 1);
        EXPECT_LE(given.size(), std::size_t{247}) << length;
        wchar_t full[32768];
        const DWORD n = GetLongPathNameW(given.c_str(), full, static_cast<DWORD>(std::size(full)));
        EXPECT_EQ(std::wstring(full, n), deep);
    }
}

TEST_F(Launcher, LongNamesAreShownShortenedButSortAndOpenByTheWholeName) {
    // Shown alike, told apart only in the middle.
    const std::wstring start(30, L's');
    const std::wstring end(200, L'e');
    const std::wstring later = start + L"B" + end;
    const std::wstring earlier = start + L"a" + end;
    Shortcut(later + L".lnk");
    Shortcut(earlier + L".lnk");
    Shortcut(L"z.lnk");
    auto main = Start();
    std::vector<LaunchRequest> launched;
    SetShellForTesting([&](const LaunchRequest& r) { launched.push_back(r); });
    for (std::size_t i = 13; i < MascotProbe::Menu(*main).Count(); ++i)
        MascotProbe::Menu(*main).Dispatch(MascotProbe::Menu(*main)[i].CommandId());
    SetShellForTesting({});

    const std::wstring shown = std::wstring(20, L's') + L"…" + std::wstring(19, L'e');
    EXPECT_EQ(LauncherItems(*main),
              (std::vector<std::wstring>{L"|", shown + L"|F2", shown + L"|F3", L"z|F4"}));
    ASSERT_EQ(launched.size(), 3u);
    const auto nameOf = [](const std::wstring& path) {
        wchar_t full[32768];
        const DWORD n = GetLongPathNameW(path.c_str(), full, static_cast<DWORD>(std::size(full)));
        const std::wstring whole(full, n);
        return whole.substr(whole.rfind(L'\\') + 1);
    };
    EXPECT_EQ(nameOf(launched[0].file), earlier + L".lnk");
    EXPECT_EQ(nameOf(launched[1].file), later + L".lnk");
    EXPECT_EQ(nameOf(launched[2].file), L"z.lnk");
    for (const LaunchRequest& r : launched) EXPECT_LT(r.file.size(), std::size_t{MAX_PATH});
}

TEST_F(Launcher, AnOversizedShortcutDoesNotHoldUpStartUp) {
    // A valid shortcut header, then 64 MB of something else.
    const std::wstring big = folder / L"big.lnk";
    const HANDLE file = CreateFileW(big.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    std::vector<unsigned char> block(1 << 20);
    for (std::size_t i = 0; i < block.size(); ++i)
        block[i] = static_cast<unsigned char>(i * 37 + 11);
    const unsigned char header[] = {0x4C, 0, 0,    0, 0x01, 0x14, 0x02, 0, 0, 0,
                                    0,    0, 0xC0, 0, 0,    0,    0,    0, 0, 0x46};
    std::copy(std::begin(header), std::end(header), block.begin());
    for (int i = 0; i < 64; ++i) {
        DWORD written = 0;
        ASSERT_TRUE(
            WriteFile(file, block.data(), static_cast<DWORD>(block.size()), &written, nullptr));
        if (i == 0) std::fill_n(block.begin(), std::size(header), 0x5A);
    }
    CloseHandle(file);
    Shortcut(L"small.lnk");

    const auto started = std::chrono::steady_clock::now();
    auto main = Start();
    for (int i = 0; i < MascotProbe::MenuIcons(*main).Count(); ++i)
        MascotProbe::MenuIcons(*main).Bitmap(i);
    const auto took = std::chrono::steady_clock::now() - started;
    EXPECT_LT(took, std::chrono::seconds(5));
    EXPECT_EQ(LauncherItems(*main), (std::vector<std::wstring>{L"|", L"big|F2", L"small|F3"}));
    EXPECT_EQ(MascotProbe::MenuIcons(*main).Count(), 6 + 2);
}

}  // namespace
}  // namespace pelnor
