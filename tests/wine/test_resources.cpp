// The version record and the pictures carried by the executable.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "assets/resource.h"
#include "winbase/Handles.h"

namespace {

class VersionRecord : public ::testing::Test {
  protected:
    void SetUp() override {
        wchar_t path[MAX_PATH];
        GetModuleFileNameW(nullptr, path, MAX_PATH);
        DWORD ignored = 0;
        const DWORD size = GetFileVersionInfoSizeW(path, &ignored);
        ASSERT_GT(size, 0u);
        data.resize(size);
        ASSERT_TRUE(GetFileVersionInfoW(path, 0, size, data.data()));
    }
    std::wstring String(const wchar_t* name) {
        const std::wstring query = std::wstring(L"\\StringFileInfo\\041103a4\\") + name;
        wchar_t* value = nullptr;
        UINT length = 0;
        if (!VerQueryValueW(data.data(), query.c_str(), reinterpret_cast<void**>(&value), &length))
            return L"<missing>";
        return std::wstring(value, length ? length - 1 : 0);
    }
    std::string data;
};

TEST_F(VersionRecord, JapaneseStringsAndNumbers) {
    EXPECT_EQ(String(L"FileVersion"), L"1.1.0.0");
    EXPECT_EQ(String(L"ProductVersion"), L"1.1");
    EXPECT_EQ(String(L"ProductName"), L"モフレン");
    EXPECT_EQ(String(L"FileDescription"), L"モフレン  デスクトップマスコット");
    EXPECT_EQ(String(L"InternalName"), L"Pelnor");
    EXPECT_EQ(String(L"OriginalFilename"), L"Pelnor.exe");
    EXPECT_EQ(String(L"Comments"), L"フリーソフト");
    EXPECT_EQ(String(L"LegalTrademarks"), L"");
    EXPECT_NE(String(L"CompanyName"), L"<missing>");
    EXPECT_NE(String(L"LegalCopyright"), L"<missing>");

    DWORD* translation = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation",
                               reinterpret_cast<void**>(&translation), &length));
    ASSERT_GE(length, 4u);
    EXPECT_EQ(LOWORD(*translation), 0x0411);
    EXPECT_EQ(HIWORD(*translation), 932);

    VS_FIXEDFILEINFO* fixed = nullptr;
    ASSERT_TRUE(VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(1, 1));
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(1, 1));
}

TEST(Pictures, MascotAndNoticeDifferOnlyInTheBackground) {
    const HINSTANCE self = GetModuleHandleW(nullptr);
    const tk::UniqueBitmap mascot(static_cast<HBITMAP>(
        LoadImageW(self, MAKEINTRESOURCEW(IDB_MASCOT), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    const tk::UniqueBitmap notice(static_cast<HBITMAP>(
        LoadImageW(self, MAKEINTRESOURCEW(IDB_NOTICE), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    ASSERT_TRUE(mascot && notice);
    DIBSECTION a{}, b{};
    GetObjectW(mascot.get(), sizeof a, &a);
    GetObjectW(notice.get(), sizeof b, &b);
    EXPECT_EQ(a.dsBm.bmWidth, 74);
    EXPECT_EQ(a.dsBm.bmHeight, 55);
    EXPECT_EQ(a.dsBmih.biBitCount, 4);
    EXPECT_EQ(b.dsBmih.biBitCount, 4);
    EXPECT_EQ(memcmp(a.dsBm.bmBits, b.dsBm.bmBits, a.dsBm.bmWidthBytes * 55), 0);

    RGBQUAD pa[16], pb[16];
    const tk::UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    {
        const tk::ScopedSelect select(dc.get(), mascot.get());
        GetDIBColorTable(dc.get(), 0, 16, pa);
    }
    {
        const tk::ScopedSelect select(dc.get(), notice.get());
        GetDIBColorTable(dc.get(), 0, 16, pb);
    }
    EXPECT_EQ(RGB(pa[0].rgbRed, pa[0].rgbGreen, pa[0].rgbBlue), RGB(255, 255, 255));
    EXPECT_EQ(RGB(pb[0].rgbRed, pb[0].rgbGreen, pb[0].rgbBlue), RGB(255, 182, 182));
    for (int i = 1; i < 16; ++i) EXPECT_EQ(memcmp(&pa[i], &pb[i], sizeof pa[i]), 0) << i;
}

TEST(Pictures, ProgramAndMenuIconsLoad) {
    const HINSTANCE self = GetModuleHandleW(nullptr);
    for (int id : {IDI_PELNOR, IDI_MENU_EXPLORER, IDI_MENU_LETTER, IDI_MENU_ROOM, IDI_MENU_HELP,
                   IDI_MENU_ABOUT, IDI_MENU_EXIT}) {
        const tk::UniqueIcon icon(
            static_cast<HICON>(LoadImageW(self, MAKEINTRESOURCEW(id), IMAGE_ICON, 16, 16, 0)));
        EXPECT_TRUE(icon) << "icon " << id;
    }
    // The program's icon holds a 32-bit image of every size Windows asks for.
    const HRSRC group = FindResourceW(self, MAKEINTRESOURCEW(IDI_PELNOR), RT_GROUP_ICON);
    ASSERT_TRUE(group);
    auto* directory = static_cast<BYTE*>(LockResource(LoadResource(self, group)));
    for (int size : {16, 20, 24, 32, 40, 48, 64, 256}) {
        const int id = LookupIconIdFromDirectoryEx(directory, TRUE, size, size, LR_DEFAULTCOLOR);
        const HRSRC image = FindResourceW(self, MAKEINTRESOURCEW(id), RT_ICON);
        ASSERT_TRUE(image) << size;
        const tk::UniqueIcon loaded(static_cast<HICON>(
            LoadImageW(self, MAKEINTRESOURCEW(IDI_PELNOR), IMAGE_ICON, size, size, 0)));
        EXPECT_TRUE(loaded) << size;
        const auto* bytes = static_cast<const BYTE*>(LockResource(LoadResource(self, image)));
        if (size == 256) {
            EXPECT_EQ(memcmp(bytes, "\x89PNG", 4), 0);
            continue;
        }
        const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(bytes);
        EXPECT_EQ(header->biWidth, size);
        EXPECT_EQ(header->biBitCount, 32) << size;
    }
}

}  // namespace
