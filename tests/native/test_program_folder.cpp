#include <gtest/gtest.h>

#include "core/LaunchParams.h"
#include "core/ProgramFolder.h"

namespace pelnor {
namespace {

TEST(ProgramFolder, BothFormsForOrdinaryAndRootPaths) {
    struct Case {
        const wchar_t* exe;
        const wchar_t* folder;
        const wchar_t* withSlash;
    };
    const Case cases[] = {
        {L"C:\\Tools\\Mascot\\x.exe", L"C:\\Tools\\Mascot", L"C:\\Tools\\Mascot\\"},
        {L"C:\\x.exe", L"C:\\", L"C:\\"},
        {L"C:x.exe", L"C:", L"C:\\"},
        {L"\\x.exe", L"\\", L"\\"},
        {L"\\\\server\\share\\x.exe", L"\\\\server\\share", L"\\\\server\\share\\"},
        {L"\\\\?\\C:\\Long\\x.exe", L"\\\\?\\C:\\Long", L"\\\\?\\C:\\Long\\"},
        {L"x.exe", L"", L"\\"},
    };
    for (const Case& c : cases) {
        const std::wstring folder = FolderOf(c.exe);
        EXPECT_EQ(folder, c.folder);
        EXPECT_EQ(WithTrailingBackslash(folder), c.withSlash);
    }
}

TEST(ProgramFolder, FolderEndingInADoubleByteCharacterWithTrail5CStillGetsItsBackslash) {
    // 表 is 0x95 0x5C in code page 932: its second byte is not a backslash.
    const std::wstring folder = FolderOf(L"C:\\表\\Pelnor.exe");
    EXPECT_EQ(folder, L"C:\\表");
    EXPECT_EQ(WithTrailingBackslash(folder) + L"Pelnor.hlp", L"C:\\表\\Pelnor.hlp");
    EXPECT_EQ(FolderOf(L"D:\\ソフト\\表\\x.exe"), L"D:\\ソフト\\表");
}

TEST(ProgramFolder, LongAndNonJapaneseFoldersAreKeptWhole) {
    const std::wstring deep = L"C:\\" + std::wstring(300, L'a') + L"\\Ελληνικά\\";
    EXPECT_EQ(FolderOf(deep + L"Pelnor.exe"), deep.substr(0, deep.size() - 1));
}

TEST(ExplorerParameters, RootAndFolderForms) {
    EXPECT_EQ(ExplorerRootParameters(), L"\"\\\",/e");
    EXPECT_EQ(ExplorerRootParameters().size(), 6u);
    const std::wstring params = ExplorerFolderParameters(L"C:\\Tools\\Mascot");
    EXPECT_EQ(params, L"\"C:\\Tools\\Mascot\",/n");
    EXPECT_EQ(params.size(), 20u);
    EXPECT_EQ(ExplorerFolderParameters(L"C:\\"), L"\"C:\\\",/n");
}

TEST(ExplorerParameters, FoldersBeyondEightyBytesArePassedWhole) {
    const std::wstring folder = L"C:\\" + std::wstring(120, L'x');
    const std::wstring params = ExplorerFolderParameters(folder);
    EXPECT_EQ(params.size(), folder.size() + 5);
    EXPECT_EQ(params.substr(1, folder.size()), folder);
}

TEST(ShortcutNames, CaptionDropsTheExtensionAndTheLaunchAddsItBack) {
    EXPECT_EQ(CaptionForShortcut(L"メモ帳.lnk"), L"メモ帳");
    EXPECT_EQ(CaptionForShortcut(L"x.LNK"), L"x");
    EXPECT_EQ(ShortcutFileFor(CaptionForShortcut(L"x.LNK")), L"x.lnk");
    const std::wstring longName(100, L'n');
    EXPECT_EQ(ShortcutFileFor(CaptionForShortcut(longName + L".lnk")), longName + L".lnk");
}

TEST(ShortcutNames, LongCaptionsKeepTheirStartAndEndAroundAnEllipsis) {
    const std::wstring pair = L"\xD83D\xDE00";  // one character in two UTF-16 units
    const struct {
        std::wstring caption;
        std::wstring shown;
    } cases[] = {
        {L"", L""},
        {std::wstring(40, L'x'), std::wstring(40, L'x')},
        {std::wstring(20, L'a') + L"b" + std::wstring(20, L'c'),
         std::wstring(20, L'a') + L"…" + std::wstring(19, L'c')},
        {std::wstring(240, L'長'), std::wstring(20, L'長') + L"…" + std::wstring(19, L'長')},
        {std::wstring(19, L'a') + pair + std::wstring(30, L'b') + pair,
         std::wstring(19, L'a') + pair + L"…" + std::wstring(18, L'b') + pair},
        {std::wstring(39, L'a') + pair, std::wstring(39, L'a') + pair},
    };
    for (const auto& c : cases) EXPECT_EQ(ShownCaption(c.caption), c.shown) << c.caption.size();
}

}  // namespace
}  // namespace pelnor
