// The help viewer and the pop-up help, driven through the two operations the
// program calls, with the help text the executable carries.
#include <windows.h>

#include <gtest/gtest.h>

#include "TestSupport.h"

#include <chrono>
#include <string>
#include <vector>

#include "core/HelpText.h"
#include "help/HelpViewer.h"
#include "toolkit/Application.h"
#include "winbase/Handles.h"

namespace pelnor {
namespace {

using testing_support::WindowText;

std::vector<HWND> ThreadWindows(const wchar_t* className) {
    struct Search {
        const wchar_t* className;
        std::vector<HWND> found;
    } search{className, {}};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM lParam) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lParam);
            wchar_t name[64] = {};
            GetClassNameW(hwnd, name, static_cast<int>(std::size(name)));
            if (std::wstring(name) == s->className) s->found.push_back(hwnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND TheOnly(const wchar_t* className) {
    const auto windows = ThreadWindows(className);
    return windows.size() == 1 ? windows.front() : nullptr;
}

std::wstring ListItem(HWND list, int index) {
    const auto length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length < 0) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

// Runs the message loop until `done` holds, for input that travels through
// the X server; gives up after a few seconds so a fault fails instead of hanging.
template <typename Condition>
bool PumpUntil(Condition done) {
    for (int round = 0; round < 300; ++round) {
        tk::Application().ProcessMessages();
        if (done()) return true;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return done();
}

void Pump() {
    tk::Application().ProcessMessages();
}

void SendKey(WORD key) {
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_KEYBOARD;
    input[0].ki.wVk = input[1].ki.wVk = key;
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, input, sizeof(INPUT));
}

void ClickAt(POINT screen) {
    SetCursorPos(screen.x, screen.y);
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_MOUSE;
    input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, input, sizeof(INPUT));
}

class HelpTest : public testing::Test {
  protected:
    void SetUp() override {
        owner_ = CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20,
                                 300, 200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(owner_, nullptr);
        SetForegroundWindow(owner_);
        Pump();
    }
    void TearDown() override {
        if (owner_) DestroyWindow(owner_);
        CloseHelp();
        Pump();
        EXPECT_TRUE(ThreadWindows(kHelpViewerClass).empty());
        EXPECT_TRUE(ThreadWindows(kHelpPopupClass).empty());
    }

    static std::wstring Written(const std::wstring& path, const std::string& bytes) {
        const tk::UniqueFile file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr,
                                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        DWORD written = 0;
        WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        return path;
    }

    HWND owner_ = nullptr;
    const std::wstring noFile_ = L"C:\\no such folder\\Pelnor.hlp";
};

TEST_F(HelpTest, ContentsOpensOneViewerAtTheContentsPage) {
    HelpContents(owner_, noFile_);
    Pump();
    const HWND viewer = TheOnly(kHelpViewerClass);
    ASSERT_NE(viewer, nullptr);
    EXPECT_TRUE(IsWindowVisible(viewer));
    EXPECT_EQ(WindowText(viewer), L"モフレン ヘルプ");
    RECT frame, asker, overlap;
    GetWindowRect(viewer, &frame);
    GetWindowRect(owner_, &asker);
    EXPECT_FALSE(IntersectRect(&overlap, &frame, &asker))
        << "beside the asking window, not over it";

    const HWND list = FindWindowExW(viewer, nullptr, L"ListBox", nullptr);
    const HWND text = FindWindowExW(viewer, nullptr, L"Edit", nullptr);
    ASSERT_NE(list, nullptr);
    ASSERT_NE(text, nullptr);
    EXPECT_GE(SendMessageW(list, LB_GETCOUNT, 0, 0), 5);
    EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(ListItem(list, 0), L"目次");
    const std::wstring contents = WindowText(text);
    EXPECT_EQ(contents.rfind(L"モフレンのヘルプへようこそ。\r\n", 0), 0u);
    EXPECT_TRUE(GetWindowLongPtrW(text, GWL_STYLE) & ES_READONLY);
    EXPECT_EQ(GetFocus(), list);

    // Choosing a topic shows its text; a second call keeps the one window
    // and goes back to the contents.
    SendMessageW(list, LB_SETCURSEL, 1, 0);
    SendMessageW(viewer, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
    EXPECT_NE(WindowText(text), contents);
    EXPECT_FALSE(WindowText(text).empty());

    HelpContents(owner_, noFile_);
    Pump();
    EXPECT_EQ(ThreadWindows(kHelpViewerClass), std::vector<HWND>{viewer});
    EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(WindowText(text), contents);
}

TEST_F(HelpTest, ViewerClosesAndReleasesItsFont) {
    for (const bool byEscape : {false, true}) {
        SCOPED_TRACE(byEscape ? "Esc" : "WM_CLOSE");
        // Another program's window between the mascot and the viewer.
        const HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                           40, 40, 100, 100, nullptr, nullptr, nullptr, nullptr);
        HelpContents(owner_, noFile_);
        Pump();
        const HWND viewer = TheOnly(kHelpViewerClass);
        ASSERT_NE(viewer, nullptr);
        const HWND list = FindWindowExW(viewer, nullptr, L"ListBox", nullptr);
        const auto font = reinterpret_cast<HGDIOBJ>(SendMessageW(list, WM_GETFONT, 0, 0));
        ASSERT_EQ(GetObjectType(font), static_cast<DWORD>(OBJ_FONT));

        if (byEscape) {
            SetForegroundWindow(viewer);
            SetFocus(list);
            SendKey(VK_ESCAPE);
        } else {
            SetForegroundWindow(viewer);
            PostMessageW(viewer, WM_CLOSE, 0, 0);
        }
        EXPECT_TRUE(PumpUntil([&] { return !IsWindow(viewer); }));
        EXPECT_EQ(GetObjectType(font), 0u);
        EXPECT_EQ(GetForegroundWindow(), owner_) << "the keyboard goes back to the mascot";
        DestroyWindow(other);
    }
    // Closed is closed: the next call makes a new viewer.
    HelpContents(owner_, noFile_);
    Pump();
    EXPECT_NE(TheOnly(kHelpViewerClass), nullptr);
}

TEST_F(HelpTest, ViewerKeysMoveBetweenListAndText) {
    HelpContents(owner_, noFile_);
    Pump();
    const HWND viewer = TheOnly(kHelpViewerClass);
    ASSERT_NE(viewer, nullptr);
    const HWND list = FindWindowExW(viewer, nullptr, L"ListBox", nullptr);
    const HWND text = FindWindowExW(viewer, nullptr, L"Edit", nullptr);
    SetForegroundWindow(viewer);
    SetFocus(list);

    SendKey(VK_DOWN);
    EXPECT_TRUE(PumpUntil([&] { return SendMessageW(list, LB_GETCURSEL, 0, 0) == 1; }));
    EXPECT_EQ(WindowText(text).find(L"モフレンのヘルプへようこそ"), std::wstring::npos);
    SendKey(VK_TAB);
    EXPECT_TRUE(PumpUntil([&] { return GetFocus() == text; }));
    SendKey(VK_TAB);
    EXPECT_TRUE(PumpUntil([&] { return GetFocus() == list; }));
    EXPECT_TRUE(IsWindow(viewer));
}

TEST_F(HelpTest, EveryDialogContextHasAPopupAtTheGivenPoint) {
    const UINT dpi = GetDpiForWindow(owner_);
    for (DWORD context = 1; context <= 15; ++context) {
        SCOPED_TRACE(context);
        const POINT at{100 + static_cast<LONG>(context) * 7, 120};
        HelpContextPopup(owner_, noFile_, at, context);
        Pump();
        const HWND popup = TheOnly(kHelpPopupClass);
        ASSERT_NE(popup, nullptr);
        EXPECT_TRUE(IsWindowVisible(popup));
        EXPECT_FALSE(WindowText(popup).empty());
        RECT frame;
        GetWindowRect(popup, &frame);
        EXPECT_EQ(frame.left, at.x);
        EXPECT_EQ(frame.top, at.y);
        EXPECT_LE(frame.right - frame.left, MulDiv(300 + 2 * 6 + 2, static_cast<int>(dpi), 96));
        EXPECT_GT(frame.bottom - frame.top, 10);
        EXPECT_EQ(GetWindowLongPtrW(popup, GWL_STYLE) & WS_CAPTION, WS_BORDER);

        PostMessageW(popup, WM_KEYDOWN, VK_SPACE, 1);
        Pump();
        EXPECT_FALSE(IsWindow(popup));
    }
}

TEST_F(HelpTest, PopupClosesOnKeyClickOrDeactivation) {
    const POINT at{200, 200};
    const auto open = [&] {
        HelpContextPopup(owner_, noFile_, at, 13);
        Pump();
        return TheOnly(kHelpPopupClass);
    };

    HWND popup = open();
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(GetFocus(), popup);
    EXPECT_EQ(GetCapture(), popup);
    // The F1 that asked for the help, still held, repeats without effect.
    PostMessageW(popup, WM_KEYDOWN, VK_F1, 1 | (1 << 30));
    Pump();
    EXPECT_TRUE(IsWindow(popup));
    SendKey(VK_SHIFT);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(popup); }));
    // The window that asked for the help gets the keyboard back.
    EXPECT_EQ(GetActiveWindow(), owner_);

    popup = open();
    ASSERT_NE(popup, nullptr);
    RECT frame;
    GetWindowRect(popup, &frame);
    ClickAt({frame.right + 40, frame.bottom + 40});
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(popup); }));

    popup = open();
    ASSERT_NE(popup, nullptr);
    ClickAt({(frame.left + frame.right) / 2, (frame.top + frame.bottom) / 2});
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(popup); }));

    popup = open();
    ASSERT_NE(popup, nullptr);
    SetActiveWindow(owner_);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(popup); }));
    EXPECT_EQ(GetActiveWindow(), owner_);
}

TEST_F(HelpTest, OnlyOnePopupAndNoneForUnknownContexts) {
    for (const DWORD context : {0u, 16u, 9999u}) {
        HelpContextPopup(owner_, noFile_, {150, 150}, context);
        Pump();
        EXPECT_TRUE(ThreadWindows(kHelpPopupClass).empty()) << context;
    }
    HelpContextPopup(owner_, noFile_, {150, 150}, 7);
    HelpContextPopup(owner_, noFile_, {250, 160}, 8);
    Pump();
    const HWND popup = TheOnly(kHelpPopupClass);
    ASSERT_NE(popup, nullptr);
    RECT frame;
    GetWindowRect(popup, &frame);
    EXPECT_EQ(frame.left, 250);
    EXPECT_EQ(frame.top, 160);
    DestroyWindow(popup);
}

TEST_F(HelpTest, HelpFileInOurFormatReplacesTheCarriedText) {
    const testing_support::TempFolder folder(L"help");
    const std::wstring revised = Written(folder / L"revised.hlp",
                                         "#pelnor-help 1\r\n#topic 新しい目次\r\n改訂版です。\r\n"
                                         "#context 3\r\n改訂した説明\r\n");
    const std::wstring winHelp =
        Written(folder / L"winhelp.hlp", std::string("\x3F\x5F\x03\x00\x10\x00\x00\x00", 8));

    HelpContextPopup(owner_, revised, {150, 150}, 3);
    Pump();
    HWND popup = TheOnly(kHelpPopupClass);
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(WindowText(popup), L"改訂した説明");
    DestroyWindow(popup);
    // The revised file has no text for context 4.
    HelpContextPopup(owner_, revised, {150, 150}, 4);
    Pump();
    EXPECT_TRUE(ThreadWindows(kHelpPopupClass).empty());

    HelpContextPopup(owner_, winHelp, {150, 150}, 3);
    Pump();
    popup = TheOnly(kHelpPopupClass);
    ASSERT_NE(popup, nullptr);
    EXPECT_FALSE(WindowText(popup).empty());
    EXPECT_NE(WindowText(popup), L"改訂した説明");
    DestroyWindow(popup);

    HelpContents(owner_, revised);
    Pump();
    const HWND viewer = TheOnly(kHelpViewerClass);
    ASSERT_NE(viewer, nullptr);
    const HWND list = FindWindowExW(viewer, nullptr, L"ListBox", nullptr);
    EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 1);
    EXPECT_EQ(ListItem(list, 0), L"新しい目次");
    EXPECT_EQ(WindowText(FindWindowExW(viewer, nullptr, L"Edit", nullptr)), L"改訂版です。");
    DestroyWindow(viewer);
}

// Help files as a careless user or a hostile download could leave them: help
// opens, again and again, without holding up the program.
TEST_F(HelpTest, HelpFilesOfAnyShapeOpenPromptly) {
    std::string manyTopics = "#pelnor-help 1\n";
    for (int i = 0; manyTopics.size() < (1 << 20) - 64; ++i)
        manyTopics += "#topic " + std::to_string(i) + "\nx\n";
    const struct {
        const char* what;
        std::string file;
    } cases[] = {
        {"one line of 1 MB", "#pelnor-help 1\n#topic a\n" + std::string((1 << 20) - 32, 'x')},
        {"one line of 64 KB of Japanese", "#pelnor-help 1\n#topic a\n" +
                                              [] {
                                                  std::string line;
                                                  while (line.size() < 65536) line += "あいうえお";
                                                  return line;
                                              }()},
        {"66229 short topics", manyTopics},
    };
    constexpr auto kBound = std::chrono::seconds(5);
    const testing_support::TempFolder folder(L"help-shapes");
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::wstring file = Written(folder / (std::to_wstring(n++) + L".hlp"), c.file);
        for (const bool closeFirst : {false, false, true}) {
            if (closeFirst) DestroyWindow(TheOnly(kHelpViewerClass));
            const auto started = std::chrono::steady_clock::now();
            HelpContents(owner_, file);
            Pump();
            EXPECT_LT(std::chrono::steady_clock::now() - started, kBound);
            const HWND viewer = TheOnly(kHelpViewerClass);
            ASSERT_NE(viewer, nullptr);
            const HWND list = FindWindowExW(viewer, nullptr, L"ListBox", nullptr);
            EXPECT_GE(SendMessageW(list, LB_GETCOUNT, 0, 0), 1);
            EXPECT_LE(SendMessageW(list, LB_GETCOUNT, 0, 0),
                      static_cast<LRESULT>(HelpLimits{}.topics));
            EXPECT_FALSE(WindowText(FindWindowExW(viewer, nullptr, L"Edit", nullptr)).empty());
        }
        DestroyWindow(TheOnly(kHelpViewerClass));
    }
}

TEST_F(HelpTest, WhatAHelpFileShowsAndWhenTheCarriedHelpIsShownInstead) {
    const std::wstring carried = L"モフレンのヘルプへようこそ。";
    const std::wstring notHelp = L"モフレンのヘルプの形式ではない";
    const testing_support::TempFolder folder(L"help-says");
    const struct {
        const char* what;
        std::string file;
        std::wstring title;        // of the first topic
        std::wstring text;         // its text, after the note, starts so
        std::wstring reason = {};  // the note's, none when the file's help is shown
    } cases[] = {
        {"no topic at all", "#pelnor-help 1\r\n", L"目次", carried, notHelp},
        {"pop-up texts only", "#pelnor-help 1\n#context 3\nx\n", L"目次", carried, notHelp},
        {"an empty file", "", L"目次", carried, notHelp},
        {"a WinHelp file", std::string("\x3F\x5F\x03\x00\x10\x00\x00\x00", 8), L"目次", carried,
         notHelp},
        {"over 1 MB", "#pelnor-help 1\n#topic a\n" + std::string(1 << 20, 'x'), L"目次", carried,
         L"大きすぎる"},
        {"Shift-JIS", "#pelnor-help 1\r\n#topic \x96\xDA\x8E\x9F\r\n\x82\xE6\x82\xA4\x82\xBB\r\n",
         L"目次", L"ようそ"},
        {"a NUL inside a topic", std::string("#pelnor-help 1\n#topic a\nab\0cd\n", 31), L"a",
         L"ab\xFFFD"
         L"cd"},
    };
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::wstring file = Written(folder / (std::to_wstring(n++) + L".hlp"), c.file);
        HelpContents(owner_, file);
        Pump();
        const HWND viewer = TheOnly(kHelpViewerClass);
        ASSERT_NE(viewer, nullptr);
        EXPECT_EQ(ListItem(FindWindowExW(viewer, nullptr, L"ListBox", nullptr), 0), c.title);
        // A note on an unusable file: one line above the carried help, naming
        // the file and the reason.
        const std::wstring text = WindowText(FindWindowExW(viewer, nullptr, L"Edit", nullptr));
        const std::size_t noteEnd = c.reason.empty() ? 0 : text.find(L"\r\n\r\n") + 4;
        const std::wstring note = text.substr(0, noteEnd);
        EXPECT_NE(note.find(c.reason), std::wstring::npos) << note;
        EXPECT_EQ(note.find(L" " + file + L" ") == std::wstring::npos, c.reason.empty()) << note;
        EXPECT_EQ(text.find(c.text, noteEnd), noteEnd);
        DestroyWindow(viewer);
    }
}

TEST_F(HelpTest, TheFileIsReadAgainOnlyWhenItChanged) {
    const testing_support::TempFolder folder(L"help-stamp");
    const std::wstring file = Written(folder / L"Pelnor.hlp", "#pelnor-help 1\n#topic 一\nx\n");
    FILETIME written{};
    {
        const HANDLE handle = CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                          OPEN_EXISTING, 0, nullptr);
        GetFileTime(handle, nullptr, nullptr, &written);
        CloseHandle(handle);
    }
    const auto rewrite = [&](const char* bytes, bool sameTime) {
        Written(file, bytes);
        const HANDLE handle =
            CreateFileW(file.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        FILETIME stamp = written;
        if (!sameTime) ++stamp.dwHighDateTime;  // about seven minutes later
        SetFileTime(handle, nullptr, nullptr, &stamp);
        CloseHandle(handle);
    };
    const auto firstTitle = [&] {
        HelpContents(owner_, file);
        Pump();
        return ListItem(FindWindowExW(TheOnly(kHelpViewerClass), nullptr, L"ListBox", nullptr), 0);
    };
    EXPECT_EQ(firstTitle(), L"一");
    rewrite("#pelnor-help 1\n#topic 二\nx\n", true);  // same size, same time
    EXPECT_EQ(firstTitle(), L"一");
    rewrite("#pelnor-help 1\n#topic 二\nx\n", false);
    EXPECT_EQ(firstTitle(), L"二");
    rewrite("#pelnor-help 1\n#topic 三三\nx\n", true);  // another size
    EXPECT_EQ(firstTitle(), L"三三");

    // Held by another program: read at the first call after it lets go; held
    // for writing with full sharing, as an editor or a sync client does: read.
    Written(file, "#pelnor-help 1\n#topic 四\nx\n");
    if (const tk::UniqueFile locker{
            CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)}) {
        EXPECT_EQ(firstTitle(), L"目次");
        const HWND text = FindWindowExW(TheOnly(kHelpViewerClass), nullptr, L"Edit", nullptr);
        EXPECT_NE(WindowText(text).find(L"読み込めなかった"), std::wstring::npos);
    }
    EXPECT_EQ(firstTitle(), L"四");
    Written(file, "#pelnor-help 1\n#topic 五五\nx\n");
    if (const tk::UniqueFile writer{CreateFileW(file.c_str(), GENERIC_WRITE,
                                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                                OPEN_EXISTING, 0, nullptr)}) {
        EXPECT_EQ(firstTitle(), L"五五");
    }
    DestroyWindow(TheOnly(kHelpViewerClass));
}

}  // namespace
}  // namespace pelnor
