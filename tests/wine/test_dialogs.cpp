// The call letter dialog, the call notice, the About box and the message
// boxes, driven from inside their own modal loops: each test acts once the
// dialog is on screen, through the dialog manager and the controls' windows.
#include <windows.h>
#include <commctrl.h>
#include <imm.h>

#include <gtest/gtest.h>

#include "TestSupport.h"

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "dialogs/AboutBox.h"
#include "dialogs/CallNotice.h"
#include "dialogs/CallLetterDialog.h"
#include "core/CallCheck.h"
#include "toolkit/Text.h"
#include "toolkit/Application.h"
#include "toolkit/Handles.h"
#include "toolkit/MessageBoxes.h"

namespace pelnor {
namespace {

using testing_support::Box;
using testing_support::ClientSize;
using testing_support::PlaceOf;
using testing_support::ToBox;
using testing_support::WindowText;

constexpr wchar_t kArmed[] = L"設定中";

// A key as the modal loop hands it to the dialog manager.
void PressKey(HWND dialog, WPARAM key) {
    MSG msg{};
    msg.hwnd = GetFocus();
    msg.message = WM_KEYDOWN;
    msg.wParam = key;
    if (!IsDialogMessageW(dialog, &msg)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void Click(HWND button) {
    SendMessageW(button, BM_CLICK, 0, 0);
}

void Type(HWND edit, std::wstring_view text) {
    for (wchar_t ch : text) SendMessageW(edit, WM_CHAR, ch, 0);
}

// Answers the confirmation boxes that open inside a test, and records them.
class ConfirmAnswers {
  public:
    explicit ConfirmAnswers(bool yes = true) : yes_(yes) {
        tk::TDialog::ShownHook = [this](HWND box) {
            if (WindowText(box) != L"確認") return;
            Asked.push_back(MessageText(box));
            YesText = WindowText(GetDlgItem(box, IDYES));
            NoText = WindowText(GetDlgItem(box, IDNO));
            PostMessageW(GetDlgItem(box, yes_ ? IDYES : IDNO), BM_CLICK, 0, 0);
        };
    }
    ~ConfirmAnswers() { tk::TDialog::ShownHook = nullptr; }
    void AnswerYes(bool yes) { yes_ = yes; }

    std::vector<std::wstring> Asked;
    std::wstring YesText;
    std::wstring NoText;

  private:
    static std::wstring MessageText(HWND box) {
        std::wstring found;
        EnumChildWindows(
            box,
            [](HWND child, LPARAM lParam) -> BOOL {
                wchar_t cls[16] = {};
                GetClassNameW(child, cls, 16);
                if (lstrcmpiW(cls, L"Static") == 0) {
                    *reinterpret_cast<std::wstring*>(lParam) = WindowText(child);
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&found));
        return found;
    }
    bool yes_;
};

// Shows `dialog` modally and runs `body` once it is on screen; then closes it
// if the body did not.
template <typename Dialog>
INT_PTR Drive(Dialog& dialog, std::function<void(HWND)> body) {
    dialog.OnShown = [&body](HWND hwnd) {
        body(hwnd);
        PostMessageW(hwnd, WM_CLOSE, 0, 0);
    };
    return dialog.ShowModal(nullptr);
}

bool At96Dpi(HWND hwnd) {
    return GetDpiForWindow(hwnd) == 96;
}

class TimeSetTest : public testing::Test {
  protected:
    TimeSetTest() { call.CallName = L"山田"; }

    CallState call;
    ClockTime now{23, 45, 10, 0};
    CallLetterDialog dialog{call, [this] { return now; }};
};

TEST_F(TimeSetTest, LayoutTabOrderAndFocusOnOpening) {
    bool ran = false;
    Drive(dialog, [&](HWND hwnd) {
        ran = true;
        if (!At96Dpi(hwnd)) return;
        EXPECT_EQ(WindowText(hwnd), L"呼び出し状");
        EXPECT_TRUE(GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_CONTEXTHELP);
        const SIZE client = ClientSize(hwnd);
        EXPECT_EQ(client.cx, 365);
        EXPECT_EQ(client.cy, 263);

        EXPECT_EQ(PlaceOf(dialog.DegiClock.Handle()), (Box{10, 6, 50, 20}));
        EXPECT_EQ(PlaceOf(dialog.Btn30min.Handle()), (Box{66, 1, 60, 25}));
        EXPECT_EQ(PlaceOf(dialog.Btn1Hour.Handle()), (Box{127, 1, 70, 25}));
        EXPECT_EQ(PlaceOf(dialog.Btn1half.Handle()), (Box{198, 1, 85, 25}));
        EXPECT_EQ(PlaceOf(dialog.Btn2Hout.Handle()), (Box{284, 1, 70, 25}));
        EXPECT_EQ(PlaceOf(dialog.SetHour.Handle()), (Box{112, 49, 46, 26}));
        EXPECT_EQ(PlaceOf(dialog.SetMin.Handle()), (Box{186, 49, 46, 26}));
        EXPECT_EQ(PlaceOf(dialog.MyName.Handle()), (Box{113, 125, 132, 24}));
        EXPECT_EQ(PlaceOf(dialog.BeepCheck.Handle()), (Box{269, 128, 89, 17}));
        EXPECT_EQ(PlaceOf(dialog.MyTask.Handle()), (Box{113, 155, 239, 24}));
        EXPECT_EQ(PlaceOf(dialog.SetFlg.Handle()), (Box{11, 231, 56, 20}));
        EXPECT_EQ(PlaceOf(dialog.BtnSetOk.Handle()), (Box{88, 227, 75, 25}));
        EXPECT_EQ(PlaceOf(dialog.BtnSetNo.Handle()), (Box{171, 227, 75, 25}));
        EXPECT_EQ(PlaceOf(dialog.Button2.Handle()), (Box{280, 227, 75, 25}));
        EXPECT_EQ(ToBox(dialog.Label9.BoundsRect()), (Box{12, 185, 346, 30}));
        EXPECT_EQ(dialog.Label8.BoundsRect().left, 111);
        EXPECT_EQ(dialog.Label8.BoundsRect().top, 98);
        EXPECT_GT(dialog.Label8.BoundsRect().right, 111);

        EXPECT_EQ(WindowText(dialog.Btn30min.Handle()), L"30分後");
        EXPECT_EQ(WindowText(dialog.Button2.Handle()), L"閉じる");
        EXPECT_EQ(WindowText(dialog.BeepCheck.Handle()), L"音を出す");

        EXPECT_EQ(GetFocus(), dialog.Btn30min.Handle());
        const std::vector<HWND> expected = {
            dialog.Btn1Hour.Handle(), dialog.Btn1half.Handle(),  dialog.Btn2Hout.Handle(),
            dialog.SetHour.Handle(),  dialog.SetMin.Handle(),    dialog.MyName.Handle(),
            dialog.MyTask.Handle(),   dialog.BtnSetOk.Handle(),  dialog.BtnSetNo.Handle(),
            dialog.Button2.Handle(),  dialog.BeepCheck.Handle(), dialog.Btn30min.Handle()};
        for (HWND next : expected) {
            PressKey(hwnd, VK_TAB);
            EXPECT_EQ(GetFocus(), next);
        }
    });
    EXPECT_TRUE(ran);
}

TEST_F(TimeSetTest, OpensFromTheCallStateAndRunsTheClock) {
    call = {.CallSet = true,
            .CallHour = 7,
            .CallMin = 5,
            .CallName = L"山田",
            .CallTask = L"会議の",
            .CallBeep = 0};
    Drive(dialog, [&](HWND) {
        EXPECT_EQ(dialog.SetFlg.Text(), kArmed);
        EXPECT_EQ(dialog.SetHour.Text(), L"7");
        EXPECT_EQ(dialog.SetMin.Text(), L"5");
        EXPECT_EQ(dialog.MyName.Text(), L"山田");
        EXPECT_EQ(dialog.MyTask.Text(), L"会議の");
        EXPECT_FALSE(dialog.BeepCheck.Checked());
        EXPECT_EQ(dialog.DegiClock.Text(), L"23:45");
        EXPECT_TRUE(dialog.Timer1Enabled());

        // The call fires while the dialog is open: the next tick clears the
        // indicator and moves the clock; the fields keep their values.
        now = {23, 47, 0, 0};
        dialog.Timer1Timer();
        EXPECT_EQ(dialog.SetFlg.Text(), kArmed);  // still armed
        call.CallSet = false;
        dialog.Timer1Timer();
        EXPECT_EQ(dialog.SetFlg.Text(), L"");
        EXPECT_EQ(dialog.DegiClock.Text(), L"23:47");
        EXPECT_EQ(dialog.SetHour.Text(), L"7");
        EXPECT_EQ(dialog.MyTask.Text(), L"会議の");
    });
    EXPECT_FALSE(dialog.Timer1Enabled());
}

TEST_F(TimeSetTest, OutOfRangeStateIsShownClampedAndALongNameWhole) {
    call.CallHour = 30;
    call.CallMin = 75;
    call.CallName = L"寿限無寿限無五劫の擦り切れ海砂利水魚";  // 36 bytes
    call.CallBeep = 1;
    Drive(dialog, [&](HWND) {
        EXPECT_EQ(dialog.SetHour.Text(), L"23");
        EXPECT_EQ(dialog.SetMin.Text(), L"59");
        EXPECT_EQ(dialog.MyName.Text(), call.CallName);
        EXPECT_TRUE(dialog.BeepCheck.Checked());
        EXPECT_EQ(dialog.SetFlg.Text(), L"");
    });
}

TEST_F(TimeSetTest, QuickButtonsFillTheFieldsPastMidnightWithoutArming) {
    Drive(dialog, [&](HWND hwnd) {
        // Enter right after opening presses the focused "30分後".
        PressKey(hwnd, VK_RETURN);
        EXPECT_EQ(dialog.SetHour.Value(), 0);
        EXPECT_EQ(dialog.SetMin.Value(), 15);
        Click(dialog.Btn2Hout.Handle());
        EXPECT_EQ(dialog.SetHour.Value(), 1);
        EXPECT_EQ(dialog.SetMin.Value(), 45);
        Click(dialog.Btn1Hour.Handle());
        EXPECT_EQ(dialog.SetHour.Value(), 0);
        EXPECT_EQ(dialog.SetMin.Value(), 45);
        Click(dialog.Btn1half.Handle());
        EXPECT_EQ(dialog.SetHour.Value(), 1);
        EXPECT_EQ(dialog.SetMin.Value(), 15);
    });
    EXPECT_FALSE(call.CallSet);
    EXPECT_EQ(call.CallHour, 0);
}

TEST_F(TimeSetTest, SetAsksAndOnlyYesArms) {
    ConfirmAnswers answers(false);
    Drive(dialog, [&](HWND) {
        dialog.SetHour.SetText(L"7");
        dialog.SetMin.SetText(L"5");
        dialog.MyTask.SetText(L"会議の");
        dialog.BeepCheck.SetChecked(false);
        Click(dialog.BtnSetOk.Handle());
        ASSERT_EQ(answers.Asked.size(), 1u);
        EXPECT_EQ(answers.Asked[0], L"07:05に呼出メッセージを出すように設定します。");
        EXPECT_EQ(answers.YesText, L"はい(&Y)");
        EXPECT_EQ(answers.NoText, L"いいえ(&N)");
        EXPECT_FALSE(call.CallSet);
        EXPECT_EQ(call.CallTask, L"");
        EXPECT_EQ(dialog.SetFlg.Text(), L"");

        answers.AnswerYes(true);
        Click(dialog.BtnSetOk.Handle());
        EXPECT_TRUE(call.CallSet);
        EXPECT_EQ(call.CallHour, 7);
        EXPECT_EQ(call.CallMin, 5);
        EXPECT_EQ(call.CallName, L"山田");
        EXPECT_EQ(call.CallTask, L"会議の");
        EXPECT_EQ(call.CallBeep, 0);
        EXPECT_EQ(dialog.SetFlg.Text(), kArmed);

        // Setting again re-arms with the new values; No on an armed call
        // leaves it armed.
        dialog.SetMin.SetText(L"30");
        dialog.BeepCheck.SetChecked(true);
        Click(dialog.BtnSetOk.Handle());
        EXPECT_TRUE(call.CallSet);
        EXPECT_EQ(call.CallMin, 30);
        EXPECT_EQ(call.CallBeep, 1);
        answers.AnswerYes(false);
        dialog.SetMin.SetText(L"40");
        Click(dialog.BtnSetOk.Handle());
        EXPECT_TRUE(call.CallSet);
        EXPECT_EQ(call.CallMin, 30);
        EXPECT_EQ(dialog.SetFlg.Text(), kArmed);
    });
    EXPECT_EQ(answers.Asked.size(), 4u);
}

TEST_F(TimeSetTest, EnterInAFieldPressesSetWithTheValueInRange) {
    ConfirmAnswers answers(true);
    Drive(dialog, [&](HWND hwnd) {
        SetFocus(dialog.SetMin.Handle());
        SetWindowTextW(dialog.SetMin.Handle(), L"75");
        PressKey(hwnd, VK_RETURN);
        ASSERT_EQ(answers.Asked.size(), 1u);
        EXPECT_EQ(answers.Asked[0], L"00:59に呼出メッセージを出すように設定します。");
        EXPECT_EQ(call.CallMin, 59);

        SetFocus(dialog.MyTask.Handle());
        PressKey(hwnd, VK_RETURN);
        SetFocus(dialog.BeepCheck.Handle());
        PressKey(hwnd, VK_RETURN);
        EXPECT_EQ(answers.Asked.size(), 3u);
        EXPECT_TRUE(dialog.BeepCheck.Checked());  // Enter pressed "設定", not the box
    });
}

TEST_F(TimeSetTest, CancelAsksThenZeroesTheTimeAndErrandOnly) {
    call = {.CallSet = true,
            .CallHour = 12,
            .CallMin = 30,
            .CallName = L"山田",
            .CallTask = L"会議の",
            .CallBeep = 0};
    ConfirmAnswers answers(false);
    Drive(dialog, [&](HWND) {
        Click(dialog.BtnSetNo.Handle());
        ASSERT_EQ(answers.Asked.size(), 1u);
        EXPECT_EQ(answers.Asked[0], L"設定を解除します。");
        EXPECT_TRUE(call.CallSet);
        EXPECT_EQ(dialog.SetHour.Text(), L"12");

        answers.AnswerYes(true);
        Click(dialog.BtnSetNo.Handle());
        EXPECT_FALSE(call.CallSet);
        EXPECT_EQ(call.CallHour, 0);
        EXPECT_EQ(call.CallMin, 0);
        EXPECT_EQ(call.CallTask, L"");
        EXPECT_EQ(call.CallName, L"山田");
        EXPECT_EQ(call.CallBeep, 0);
        EXPECT_EQ(dialog.SetHour.Text(), L"0");
        EXPECT_EQ(dialog.SetMin.Text(), L"0");
        EXPECT_EQ(dialog.MyTask.Text(), L"");
        EXPECT_EQ(dialog.MyName.Text(), L"山田");
        EXPECT_FALSE(dialog.BeepCheck.Checked());
        EXPECT_EQ(dialog.SetFlg.Text(), L"");

        // Again on the now unarmed call: still asks.
        Click(dialog.BtnSetNo.Handle());
        EXPECT_EQ(answers.Asked.size(), 3u);
    });
}

TEST_F(TimeSetTest, EscCloseButtonAndCloseBoxDiscardEdits) {
    const CallState before = call;
    const auto editAndClose = [&](std::function<void(CallLetterDialog&, HWND)> close) {
        CallLetterDialog d{call, [this] { return now; }};
        bool closed = false;
        d.OnShown = [&](HWND hwnd) {
            d.MyTask.SetText(L"変えた");
            d.SetHour.SetText(L"9");
            close(d, hwnd);
            closed = !IsWindowVisible(hwnd);
            if (!closed) EndDialog(hwnd, -2);
        };
        EXPECT_EQ(d.ShowModal(nullptr), IDCANCEL);
        EXPECT_TRUE(closed);
        EXPECT_EQ(call.CallTask, before.CallTask);
        EXPECT_EQ(call.CallHour, before.CallHour);
        EXPECT_EQ(call.CallSet, before.CallSet);
    };
    editAndClose([](CallLetterDialog&, HWND hwnd) { PressKey(hwnd, VK_ESCAPE); });
    editAndClose([](CallLetterDialog& d, HWND) { Click(d.Button2.Handle()); });
    editAndClose(
        [](CallLetterDialog&, HWND hwnd) { SendMessageW(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0); });
}

TEST_F(TimeSetTest, SpinFieldsFilterStepAndClamp) {
    Drive(dialog, [&](HWND) {
        const HWND minute = dialog.SetMin.Handle();
        SetFocus(minute);
        SetWindowTextW(minute, L"");
        Type(minute, L"a");
        EXPECT_EQ(dialog.SetMin.Text(), L"");
        Type(minute, L"7x5");
        EXPECT_EQ(dialog.SetMin.Text(), L"75");
        Type(minute, L"1");  // two characters at most
        EXPECT_EQ(dialog.SetMin.Text(), L"75");
        EXPECT_EQ(dialog.SetMin.Value(), 75);  // not brought into range while typing

        SetFocus(dialog.MyName.Handle());
        EXPECT_EQ(dialog.SetMin.Text(), L"59");

        SetWindowTextW(minute, L"-");
        EXPECT_EQ(dialog.SetMin.Value(), 0);  // not a number reads as the minimum
        SetWindowTextW(minute, L"-3");
        dialog.SetMin.ClampNow();
        EXPECT_EQ(dialog.SetMin.Text(), L"0");

        // Arrow keys step by one within the range.
        SetFocus(dialog.SetHour.Handle());
        SetWindowTextW(dialog.SetHour.Handle(), L"22");
        PressKey(GetParent(dialog.SetHour.Handle()), VK_UP);
        EXPECT_EQ(dialog.SetHour.Text(), L"23");
        PressKey(GetParent(dialog.SetHour.Handle()), VK_UP);
        EXPECT_EQ(dialog.SetHour.Text(), L"23");
        PressKey(GetParent(dialog.SetHour.Handle()), VK_DOWN);
        EXPECT_EQ(dialog.SetHour.Text(), L"22");

        // The up/down buttons: one step on the press, more while held, none
        // after the release.
        const HWND button = dialog.SetMin.ButtonHandle();
        ASSERT_TRUE(button);
        RECT r;
        GetClientRect(button, &r);
        SetWindowTextW(minute, L"10");
        SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.right / 2, 1));
        EXPECT_EQ(dialog.SetMin.Text(), L"11");
        EXPECT_EQ(GetFocus(), minute);
        SendMessageW(button, WM_TIMER, 1, 0);
        SendMessageW(button, WM_TIMER, 1, 0);
        EXPECT_EQ(dialog.SetMin.Text(), L"13");
        SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(r.right / 2, 1));
        SendMessageW(button, WM_TIMER, 1, 0);
        EXPECT_EQ(dialog.SetMin.Text(), L"13");
        SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.right / 2, r.bottom - 1));
        SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(r.right / 2, r.bottom - 1));
        EXPECT_EQ(dialog.SetMin.Text(), L"12");
    });
}

TEST_F(TimeSetTest, NameAndErrandLimitsCountCodePage932Bytes) {
    Drive(dialog, [&](HWND) {
        const HWND name = dialog.MyName.Handle();
        SetFocus(name);
        SetWindowTextW(name, L"");
        Type(name, L"あいうえおかきくけこさ");  // 11 double-byte characters
        EXPECT_EQ(dialog.MyName.Text(), L"あいうえおかきくけこ");
        SetWindowTextW(name, L"");
        Type(name, L"abcdefghijklmnopqrsあ");  // 19 + 2 bytes: the last does not fit
        EXPECT_EQ(dialog.MyName.Text(), L"abcdefghijklmnopqrs");
        Type(name, L"ｱt");  // a half-width katakana is one byte
        EXPECT_EQ(dialog.MyName.Text(), L"abcdefghijklmnopqrsｱ");
        SendMessageW(name, WM_CHAR, VK_BACK, 0);  // control keys still work
        EXPECT_EQ(dialog.MyName.Text(), L"abcdefghijklmnopqrs");

        // Pasting takes as much of the clipboard's first line as fits.
        const HWND task = dialog.MyTask.Handle();
        SetFocus(task);
        SetWindowTextW(task, L"用件");
        SendMessageW(task, EM_SETSEL, 2, 2);
        const std::wstring clip = L"一二三四五六七八九十一二三四五六七八九十\r\n次の行";
        {
            const tk::ScopedClipboard clipboard(task);
            ASSERT_TRUE(clipboard.IsOpen());
            EmptyClipboard();
            HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (clip.size() + 1) * sizeof(wchar_t));
            ASSERT_TRUE(memory);
            {
                const tk::ScopedGlobalLock data(memory);
                std::copy(clip.c_str(), clip.c_str() + clip.size() + 1,
                          static_cast<wchar_t*>(data.get()));
            }
            // The clipboard owns the memory once it takes it.
            if (!SetClipboardData(CF_UNICODETEXT, memory)) GlobalFree(memory);
        }
        SendMessageW(task, WM_PASTE, 0, 0);
        EXPECT_EQ(dialog.MyTask.Text(), L"用件一二三四五六七八九十一二三四五六七八");

        // A stored text over the limit is shown whole and takes no more typing.
        dialog.MyName.SetText(L"寿限無寿限無五劫の擦り切れ海砂利水魚");
        SendMessageW(name, EM_SETSEL, 0, 0);
        Type(name, L"x");
        EXPECT_EQ(dialog.MyName.Text(), L"寿限無寿限無五劫の擦り切れ海砂利水魚");
    });
}

// A lone surrogate is one character the code page cannot hold (two bytes),
// and never swallows the unit after it.
TEST(TextTest, Cp932LengthCountsEveryCharacterOnce) {
    const struct {
        std::wstring text;
        std::size_t bytes;
    } cases[] = {
        {L"abc", 3},
        {L"ｱあ", 3},
        {std::wstring{wchar_t(0xD83D), wchar_t(0xDE00)}, 2},        // one pair
        {std::wstring{wchar_t(0xD800), L'A'}, 3},                   // lone high, then A
        {std::wstring{L'A', wchar_t(0xDC00), L'B'}, 4},             // lone low
        {std::wstring{wchar_t(0xD800), wchar_t(0xD800), L'A'}, 5},  // two lone highs
    };
    for (const auto& c : cases) EXPECT_EQ(tk::Cp932Length(c.text), c.bytes) << c.text.size();
}

TEST_F(TimeSetTest, EditsStartTheInputMethodInHiragana) {
    Drive(dialog, [&](HWND) {
        SetFocus(dialog.MyTask.Handle());
        const tk::InputContext context(dialog.MyTask.Handle());
        if (!context) GTEST_SKIP() << "no input context on this system";
        DWORD conversion = 0;
        DWORD sentence = 0;
        ImmGetConversionStatus(context.get(), &conversion, &sentence);
        EXPECT_TRUE(ImmGetOpenStatus(context.get()));
        EXPECT_EQ(conversion & (IME_CMODE_NATIVE | IME_CMODE_FULLSHAPE),
                  static_cast<DWORD>(IME_CMODE_NATIVE | IME_CMODE_FULLSHAPE));
    });
}

TEST_F(TimeSetTest, ContextHelpUsesTheControlsNumberAndOrigin) {
    struct Asked {
        DWORD context;
        POINT point;
    };
    std::vector<Asked> asked;
    dialog.ContextHelp = [&](DWORD context, POINT point) { asked.push_back({context, point}); };
    Drive(dialog, [&](HWND hwnd) {
        const auto help = [hwnd](HWND item) {
            HELPINFO info{};
            info.cbSize = sizeof info;
            info.iContextType = HELPINFO_WINDOW;
            info.hItemHandle = item;
            SendMessageW(hwnd, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
        };
        help(dialog.SetMin.Handle());
        help(dialog.SetMin.ButtonHandle());
        help(dialog.SetFlg.Handle());
        help(hwnd);
        ASSERT_EQ(asked.size(), 4u);
        POINT origin{0, 0};
        ClientToScreen(dialog.SetMin.Handle(), &origin);
        EXPECT_EQ(asked[0].context, 8u);
        EXPECT_EQ(asked[0].point.x, origin.x);
        EXPECT_EQ(asked[0].point.y, origin.y);
        EXPECT_EQ(asked[1].context, 8u);
        EXPECT_EQ(asked[2].context, 12u);
        EXPECT_EQ(asked[3].context, 1u);
    });
}

TEST_F(TimeSetTest, EveryHintedControlHasItsToolTip) {
    Drive(dialog, [&](HWND hwnd) {
        std::pair<HWND, HWND> search{hwnd, nullptr};
        EnumThreadWindows(
            GetCurrentThreadId(),
            [](HWND window, LPARAM lParam) -> BOOL {
                wchar_t cls[32] = {};
                GetClassNameW(window, cls, 32);
                auto* found = reinterpret_cast<std::pair<HWND, HWND>*>(lParam);
                if (lstrcmpiW(cls, TOOLTIPS_CLASSW) == 0 &&
                    GetWindow(window, GW_OWNER) == found->first)
                    found->second = window;
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        const HWND tip = search.second;
        ASSERT_TRUE(tip);
        const auto hintOf = [&](HWND window) {
            wchar_t text[128] = {};
            TTTOOLINFOW info{};
            info.cbSize = TTTOOLINFOW_V2_SIZE;
            info.hwnd = hwnd;
            info.uId = reinterpret_cast<UINT_PTR>(window);
            info.lpszText = text;
            SendMessageW(tip, TTM_GETTEXTW, std::size(text), reinterpret_cast<LPARAM>(&info));
            return std::wstring(text);
        };
        EXPECT_EQ(hintOf(dialog.DegiClock.Handle()), L"今の時刻");
        EXPECT_EQ(hintOf(dialog.SetMin.ButtonHandle()), L"0分から59分のどれかを選ぶ");
        EXPECT_EQ(hintOf(dialog.SetFlg.Handle()), L"設定中かどうか知らせます");
        EXPECT_EQ(hintOf(dialog.Button2.Handle()), L"このウィンドウを閉じます。");
        EXPECT_EQ(hintOf(hwnd), L"モフレンタイマー機能設定");
        // 14 controls, the spin fields with their buttons, and the dialog.
        EXPECT_EQ(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), 17);
    });
}

TEST(NoticeTest, LinesLayoutAndClosing) {
    CallNotice notice;
    notice.SetName(L"山田");
    notice.SetTask(L"");
    EXPECT_EQ(notice.MyName.Text(), L"山田さん、");
    EXPECT_EQ(notice.MyName2.Text(), L"山田さん、");
    EXPECT_EQ(notice.MyTask.Text(), L"時がきました。");
    EXPECT_EQ(notice.MyTask2.Text(), L"時がきました。");
    notice.SetName(L"");
    notice.SetTask(L"会議の");
    EXPECT_EQ(notice.MyName.Text(), L"");
    EXPECT_EQ(notice.MyName2.Text(), L"");
    EXPECT_EQ(notice.MyTask2.Text(), L"会議の時がきました。");

    bool ran = false;
    const INT_PTR result = Drive(notice, [&](HWND hwnd) {
        ran = true;
        EXPECT_EQ(WindowText(hwnd), L"モフレン");
        EXPECT_TRUE(GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
        RECT frame;
        GetWindowRect(hwnd, &frame);
        EXPECT_LE(std::abs((frame.left + frame.right) / 2 - GetSystemMetrics(SM_CXSCREEN) / 2), 1);
        EXPECT_LE(std::abs((frame.top + frame.bottom) / 2 - GetSystemMetrics(SM_CYSCREEN) / 2), 1);
        EXPECT_EQ(GetFocus(), notice.OKBtn.Handle());
        if (At96Dpi(hwnd)) {
            EXPECT_EQ(ClientSize(hwnd).cx, 313);
            EXPECT_EQ(ClientSize(hwnd).cy, 183);
            EXPECT_EQ(PlaceOf(notice.OKBtn.Handle()), (Box{115, 149, 75, 25}));
            EXPECT_EQ(PlaceOf(notice.Panel1.Handle()), (Box{10, 6, 295, 133}));
            EXPECT_EQ(ToBox(notice.Image1.BoundsRect()), (Box{216, 61, 74, 55}));
            EXPECT_EQ(ToBox(notice.MyTask2.BoundsRect()), (Box{21, 45, 251, 46}));
            // Each white copy sits under its navy text, shifted.
            const RECT banner = notice.Label1.BoundsRect();
            const RECT shadow = notice.Label2.BoundsRect();
            EXPECT_EQ(shadow.top - banner.top, 2);
            EXPECT_EQ(shadow.left, banner.left);
        }
        // The picture first, then the shadows under their texts.
        const std::vector<tk::TControl*> order = {&notice.Image1, &notice.Label2, &notice.Label1,
                                                  &notice.MyName, &notice.MyTask, &notice.MyName2,
                                                  &notice.MyTask2};
        EXPECT_EQ(notice.Panel1.Graphics(), order);

        // No cancel button: Esc does nothing; Enter presses OK.
        PressKey(hwnd, VK_ESCAPE);
        EXPECT_TRUE(IsWindowVisible(hwnd));
        PressKey(hwnd, VK_RETURN);
        EXPECT_FALSE(IsWindowVisible(hwnd));
    });
    EXPECT_TRUE(ran);
    EXPECT_EQ(result, IDOK);

    CallNotice again;
    EXPECT_EQ(Drive(again, [](HWND hwnd) { SendMessageW(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0); }),
              IDCANCEL);
}

TEST(AboutTest, LayoutFocusAndClosing) {
    AboutBox about;
    bool ran = false;
    const INT_PTR result = Drive(about, [&](HWND hwnd) {
        ran = true;
        EXPECT_EQ(WindowText(hwnd), L"バージョン情報");
        if (At96Dpi(hwnd)) {
            EXPECT_EQ(ClientSize(hwnd).cx, 293);
            EXPECT_EQ(ClientSize(hwnd).cy, 157);
            EXPECT_EQ(PlaceOf(about.Panel1.Handle()), (Box{6, 5, 279, 96}));
            EXPECT_EQ(PlaceOf(about.Edit1.Handle()), (Box{78, 108, 206, 17}));
            EXPECT_EQ(PlaceOf(about.OKButton.Handle()), (Box{102, 128, 75, 25}));
            EXPECT_EQ(ToBox(about.ProgramIcon.BoundsRect()), (Box{23, 21, 38, 38}));
            EXPECT_EQ(ToBox(about.Label1.BoundsRect()), (Box{6, 108, 66, 12}));
        }
        EXPECT_EQ(about.ProductName.Text(), L"モフレン");
        EXPECT_EQ(about.Version.Text(), L"Ver.1.1");
        EXPECT_TRUE(GetWindowLongPtrW(about.Edit1.Handle(), GWL_STYLE) & ES_READONLY);
        EXPECT_FALSE(about.Edit1.Text().empty());

        EXPECT_EQ(GetFocus(), about.OKButton.Handle());
        PressKey(hwnd, VK_TAB);
        EXPECT_EQ(GetFocus(), about.Edit1.Handle());
        PressKey(hwnd, VK_TAB);
        EXPECT_EQ(GetFocus(), about.OKButton.Handle());
        PressKey(hwnd, VK_ESCAPE);
        EXPECT_TRUE(IsWindowVisible(hwnd));
        PressKey(hwnd, VK_RETURN);
        EXPECT_FALSE(IsWindowVisible(hwnd));
    });
    EXPECT_TRUE(ran);
    EXPECT_EQ(result, IDOK);
}

// Runs a message box with `act` applied to it once it is up.
template <typename Show>
void WithBox(Show show, std::function<void(HWND)> act, std::wstring* title = nullptr,
             bool* hasIcon = nullptr) {
    tk::TDialog::ShownHook = [&](HWND box) {
        if (title) *title = WindowText(box);
        if (hasIcon) {
            *hasIcon = false;
            // The question mark is drawn in the box itself; its text starts
            // right of it.
            EnumChildWindows(
                box,
                [](HWND child, LPARAM lParam) -> BOOL {
                    wchar_t cls[16] = {};
                    GetClassNameW(child, cls, 16);
                    if (lstrcmpiW(cls, L"Static") == 0 && PlaceOf(child).left > 40)
                        *reinterpret_cast<bool*>(lParam) = true;
                    return TRUE;
                },
                reinterpret_cast<LPARAM>(hasIcon));
        }
        act(box);
        PostMessageW(box, WM_CLOSE, 0, 0);
    };
    show();
    tk::TDialog::ShownHook = nullptr;
}

TEST(MessageBoxTest, ConfirmationAnswers) {
    bool answer = false;
    const auto ask = [&] { answer = tk::ConfirmBox(nullptr, L"設定を解除します。"); };
    std::wstring title;
    bool hasIcon = false;
    WithBox(
        ask,
        [](HWND box) {
            EXPECT_EQ(GetFocus(), GetDlgItem(box, IDYES));
            PressKey(box, VK_RETURN);
        },
        &title, &hasIcon);
    EXPECT_TRUE(answer);
    EXPECT_EQ(title, L"確認");
    EXPECT_TRUE(hasIcon);

    WithBox(ask, [](HWND box) { PressKey(box, VK_ESCAPE); });
    EXPECT_FALSE(answer);
    WithBox(ask, [](HWND box) { SendMessageW(box, WM_SYSCOMMAND, SC_CLOSE, 0); });
    EXPECT_FALSE(answer);
    WithBox(ask, [](HWND box) { Click(GetDlgItem(box, IDNO)); });
    EXPECT_FALSE(answer);
    WithBox(ask, [](HWND box) { Click(GetDlgItem(box, IDYES)); });
    EXPECT_TRUE(answer);
}

TEST(MessageBoxTest, InformationClosesOnEnterAndEsc) {
    for (WPARAM key : {VK_RETURN, VK_ESCAPE}) {
        bool closedByKey = false;
        std::wstring title;
        bool hasIcon = true;
        WithBox([] { tk::InformationBox(nullptr, L"お知らせ"); },
                [&](HWND box) {
                    EXPECT_EQ(WindowText(GetDlgItem(box, IDOK)), L"OK");
                    EXPECT_FALSE(GetDlgItem(box, IDNO));
                    PressKey(box, key);
                    closedByKey = !IsWindowVisible(box);
                },
                &title, &hasIcon);
        EXPECT_TRUE(closedByKey) << "key " << key;
        EXPECT_EQ(title, tk::Application().Title);
        EXPECT_FALSE(hasIcon);
    }
}

}  // namespace
}  // namespace pelnor
