// The call letter dialog, the call notice, the About box and the message
// boxes, driven from inside their own modal loops: each test acts once the
// dialog is on screen, through the dialog manager and the controls' windows.
#include <windows.h>
#include <commctrl.h>
#include <imm.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include "TestSupport.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <map>
#include <ostream>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "core/CallCheck.h"
#include "dialogs/AboutBox.h"
#include "dialogs/CallLetterDialog.h"
#include "dialogs/CallNotice.h"
#include "toolkit/Accessibility.h"
#include "toolkit/Application.h"
#include "toolkit/InputMethod.h"
#include "toolkit/MessageBoxes.h"
#include "winbase/Handles.h"
#include "winbase/Text.h"

namespace pelnor {
namespace {

using testing_support::PlaceOf;
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

void PutOnClipboard(HWND owner, const std::wstring& clip) {
    const tk::ScopedClipboard clipboard(owner);
    EmptyClipboard();
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (clip.size() + 1) * sizeof(wchar_t));
    // Unlocked at the end of the copy; the clipboard owns the memory once it takes it.
    std::copy(clip.c_str(), clip.c_str() + clip.size() + 1,
              static_cast<wchar_t*>(tk::ScopedGlobalLock(memory).get()));
    if (!SetClipboardData(CF_UNICODETEXT, memory)) GlobalFree(memory);
}

// Shift+Insert, which Wine's edit pastes without sending itself WM_PASTE.
void ShiftInsert(HWND edit) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_SHIFT] = 0x80;
    SetKeyboardState(keys);
    SendMessageW(edit, WM_KEYDOWN, VK_INSERT, 1);
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
}

// Answers the confirmation boxes that open inside a test, and records them.
class ConfirmAnswers {
  public:
    explicit ConfirmAnswers(bool yes = true) : yes_(yes) {
        tk::Dialog::ShownHook = [this](HWND box) {
            if (WindowText(box) != L"確認") return;
            Asked.push_back(MessageText(box));
            YesText = WindowText(GetDlgItem(box, IDYES));
            NoText = WindowText(GetDlgItem(box, IDNO));
            PostMessageW(GetDlgItem(box, yes_ ? IDYES : IDNO), BM_CLICK, 0, 0);
        };
    }
    ~ConfirmAnswers() { tk::Dialog::ShownHook = nullptr; }
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

class CallLetterTest : public testing::Test {
  protected:
    CallLetterTest() {
        call.Name = L"山田";
        // The owner of the call applies what the user decided.
        dialog.Decided = [this](const CallDecision& decision) {
            Call owner(call);
            owner.Apply(decision, now);
            call = owner.State();
        };
    }

    CallState call;
    ClockTime now{23, 45, 10, 0};
    CallLetterDialog dialog{call, [this] { return now; }};
};

// Where each control sits, at every density, is checked against its layout
// row in test_dpi.cpp.
TEST_F(CallLetterTest, CaptionTextsTabOrderAndFocusOnOpening) {
    bool ran = false;
    Drive(dialog, [&](HWND hwnd) {
        ran = true;
        EXPECT_EQ(WindowText(hwnd), L"呼び出し状");
        EXPECT_TRUE(GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_CONTEXTHELP);
        EXPECT_EQ(WindowText(dialog.HalfHourButton.Handle()), L"30分後");
        EXPECT_EQ(WindowText(dialog.CloseButton.Handle()), L"閉じる");
        EXPECT_EQ(WindowText(dialog.BeepCheckBox.Handle()), L"音を出す");

        EXPECT_EQ(GetFocus(), dialog.HalfHourButton.Handle());
        const std::vector<HWND> expected = {
            dialog.OneHourButton.Handle(),    dialog.HourAndHalfButton.Handle(),
            dialog.TwoHoursButton.Handle(),   dialog.HourField.Handle(),
            dialog.MinuteField.Handle(),      dialog.NameField.Handle(),
            dialog.ErrandField.Handle(),      dialog.SetButton.Handle(),
            dialog.CancelCallButton.Handle(), dialog.CloseButton.Handle(),
            dialog.BeepCheckBox.Handle(),     dialog.HalfHourButton.Handle()};
        for (HWND next : expected) {
            PressKey(hwnd, VK_TAB);
            EXPECT_EQ(GetFocus(), next);
        }
    });
    EXPECT_TRUE(ran);
}

TEST_F(CallLetterTest, OpensFromTheCallStateAndRunsTheClock) {
    call = {.Armed = true,
            .Hour = 7,
            .Minute = 5,
            .Name = L"山田",
            .Task = L"会議の",
            .Beep = false};
    Drive(dialog, [&](HWND) {
        EXPECT_EQ(dialog.ArmedIndicator.Text(), kArmed);
        EXPECT_EQ(dialog.HourField.Text(), L"7");
        EXPECT_EQ(dialog.MinuteField.Text(), L"5");
        EXPECT_EQ(dialog.NameField.Text(), L"山田");
        EXPECT_EQ(dialog.ErrandField.Text(), L"会議の");
        EXPECT_FALSE(dialog.BeepCheckBox.Checked());
        EXPECT_EQ(dialog.ClockDisplay.Text(), L"23:45");
        EXPECT_TRUE(dialog.ClockRunning());

        // The call fires while the dialog is open: the next tick clears the
        // indicator and moves the clock; the fields keep their values.
        now = {23, 47, 0, 0};
        dialog.OnTick();
        EXPECT_EQ(dialog.ArmedIndicator.Text(), kArmed);  // still armed
        call.Armed = false;
        dialog.OnTick();
        EXPECT_EQ(dialog.ArmedIndicator.Text(), L"");
        EXPECT_EQ(dialog.ClockDisplay.Text(), L"23:47");
        EXPECT_EQ(dialog.HourField.Text(), L"7");
        EXPECT_EQ(dialog.ErrandField.Text(), L"会議の");
    });
    EXPECT_FALSE(dialog.ClockRunning());
}

TEST_F(CallLetterTest, OutOfRangeStateIsShownClampedAndALongNameCut) {
    call.Hour = 30;
    call.Minute = 75;
    call.Name = L"寿限無寿限無五劫の擦り切れ海砂利水魚";  // 36 bytes
    call.Beep = true;
    Drive(dialog, [&](HWND) {
        EXPECT_EQ(dialog.HourField.Text(), L"23");
        EXPECT_EQ(dialog.MinuteField.Text(), L"59");
        EXPECT_EQ(dialog.NameField.Text(), L"寿限無寿限無五劫の擦");  // 20 bytes
        EXPECT_TRUE(dialog.BeepCheckBox.Checked());
        EXPECT_EQ(dialog.ArmedIndicator.Text(), L"");
    });
}

TEST_F(CallLetterTest, QuickButtonsFillTheFieldsPastMidnightWithoutArming) {
    Drive(dialog, [&](HWND hwnd) {
        // Enter right after opening presses the focused "30分後".
        PressKey(hwnd, VK_RETURN);
        EXPECT_EQ(dialog.HourField.Value(), 0);
        EXPECT_EQ(dialog.MinuteField.Value(), 15);
        Click(dialog.TwoHoursButton.Handle());
        EXPECT_EQ(dialog.HourField.Value(), 1);
        EXPECT_EQ(dialog.MinuteField.Value(), 45);
        Click(dialog.OneHourButton.Handle());
        EXPECT_EQ(dialog.HourField.Value(), 0);
        EXPECT_EQ(dialog.MinuteField.Value(), 45);
        Click(dialog.HourAndHalfButton.Handle());
        EXPECT_EQ(dialog.HourField.Value(), 1);
        EXPECT_EQ(dialog.MinuteField.Value(), 15);
    });
    EXPECT_FALSE(call.Armed);
    EXPECT_EQ(call.Hour, 0);
}

TEST_F(CallLetterTest, SetAsksAndOnlyYesArms) {
    ConfirmAnswers answers(false);
    Drive(dialog, [&](HWND) {
        dialog.HourField.SetText(L"7");
        dialog.MinuteField.SetText(L"5");
        dialog.ErrandField.SetText(L"会議の");
        dialog.BeepCheckBox.SetChecked(false);
        Click(dialog.SetButton.Handle());
        ASSERT_EQ(answers.Asked.size(), 1u);
        EXPECT_EQ(answers.Asked[0], L"07:05に呼出メッセージを出すように設定します。");
        EXPECT_EQ(answers.YesText, L"はい(&Y)");
        EXPECT_EQ(answers.NoText, L"いいえ(&N)");
        EXPECT_FALSE(call.Armed);
        EXPECT_EQ(call.Task, L"");
        EXPECT_EQ(dialog.ArmedIndicator.Text(), L"");

        answers.AnswerYes(true);
        Click(dialog.SetButton.Handle());
        EXPECT_TRUE(call.Armed);
        EXPECT_EQ(call.Hour, 7);
        EXPECT_EQ(call.Minute, 5);
        EXPECT_EQ(call.Name, L"山田");
        EXPECT_EQ(call.Task, L"会議の");
        EXPECT_EQ(call.Beep, false);
        EXPECT_EQ(dialog.ArmedIndicator.Text(), kArmed);

        // Setting again re-arms with the new values; No on an armed call
        // leaves it armed.
        dialog.MinuteField.SetText(L"30");
        dialog.BeepCheckBox.SetChecked(true);
        Click(dialog.SetButton.Handle());
        EXPECT_TRUE(call.Armed);
        EXPECT_EQ(call.Minute, 30);
        EXPECT_EQ(call.Beep, true);
        answers.AnswerYes(false);
        dialog.MinuteField.SetText(L"40");
        Click(dialog.SetButton.Handle());
        EXPECT_TRUE(call.Armed);
        EXPECT_EQ(call.Minute, 30);
        EXPECT_EQ(dialog.ArmedIndicator.Text(), kArmed);
    });
    EXPECT_EQ(answers.Asked.size(), 4u);
}

TEST_F(CallLetterTest, EnterInAFieldPressesSetWithTheValueInRange) {
    ConfirmAnswers answers(true);
    Drive(dialog, [&](HWND hwnd) {
        SetFocus(dialog.MinuteField.Handle());
        SetWindowTextW(dialog.MinuteField.Handle(), L"75");
        PressKey(hwnd, VK_RETURN);
        ASSERT_EQ(answers.Asked.size(), 1u);
        EXPECT_EQ(answers.Asked[0], L"00:59に呼出メッセージを出すように設定します。");
        EXPECT_EQ(call.Minute, 59);

        SetFocus(dialog.ErrandField.Handle());
        PressKey(hwnd, VK_RETURN);
        SetFocus(dialog.BeepCheckBox.Handle());
        PressKey(hwnd, VK_RETURN);
        EXPECT_EQ(answers.Asked.size(), 3u);
        EXPECT_TRUE(dialog.BeepCheckBox.Checked());  // Enter pressed "設定", not the box
    });
}

TEST_F(CallLetterTest, CancelAsksThenZeroesTheTimeAndErrandOnly) {
    call = {.Armed = true,
            .Hour = 12,
            .Minute = 30,
            .Name = L"山田",
            .Task = L"会議の",
            .Beep = false};
    ConfirmAnswers answers(false);
    Drive(dialog, [&](HWND) {
        Click(dialog.CancelCallButton.Handle());
        ASSERT_EQ(answers.Asked.size(), 1u);
        EXPECT_EQ(answers.Asked[0], L"設定を解除します。");
        EXPECT_TRUE(call.Armed);
        EXPECT_EQ(dialog.HourField.Text(), L"12");

        answers.AnswerYes(true);
        Click(dialog.CancelCallButton.Handle());
        EXPECT_FALSE(call.Armed);
        EXPECT_EQ(call.Hour, 0);
        EXPECT_EQ(call.Minute, 0);
        EXPECT_EQ(call.Task, L"");
        EXPECT_EQ(call.Name, L"山田");
        EXPECT_EQ(call.Beep, false);
        EXPECT_EQ(dialog.HourField.Text(), L"0");
        EXPECT_EQ(dialog.MinuteField.Text(), L"0");
        EXPECT_EQ(dialog.ErrandField.Text(), L"");
        EXPECT_EQ(dialog.NameField.Text(), L"山田");
        EXPECT_FALSE(dialog.BeepCheckBox.Checked());
        EXPECT_EQ(dialog.ArmedIndicator.Text(), L"");

        // Again on the now unarmed call: still asks.
        Click(dialog.CancelCallButton.Handle());
        EXPECT_EQ(answers.Asked.size(), 3u);
    });
}

TEST_F(CallLetterTest, EscCloseButtonAndCloseBoxDiscardEdits) {
    const CallState before = call;
    const auto editAndClose = [&](std::function<void(CallLetterDialog&, HWND)> close) {
        CallLetterDialog d{call, [this] { return now; }};
        bool closed = false;
        d.OnShown = [&](HWND hwnd) {
            d.ErrandField.SetText(L"変えた");
            d.HourField.SetText(L"9");
            close(d, hwnd);
            closed = !IsWindowVisible(hwnd);
            if (!closed) EndDialog(hwnd, -2);
        };
        EXPECT_EQ(d.ShowModal(nullptr), IDCANCEL);
        EXPECT_TRUE(closed);
        EXPECT_EQ(call.Task, before.Task);
        EXPECT_EQ(call.Hour, before.Hour);
        EXPECT_EQ(call.Armed, before.Armed);
    };
    editAndClose([](CallLetterDialog&, HWND hwnd) { PressKey(hwnd, VK_ESCAPE); });
    editAndClose([](CallLetterDialog& d, HWND) { Click(d.CloseButton.Handle()); });
    editAndClose(
        [](CallLetterDialog&, HWND hwnd) { SendMessageW(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0); });
}

TEST_F(CallLetterTest, SpinFieldsFilterStepAndClamp) {
    Drive(dialog, [&](HWND) {
        const HWND minute = dialog.MinuteField.Handle();
        SetFocus(minute);
        SetWindowTextW(minute, L"");
        Type(minute, L"a");
        EXPECT_EQ(dialog.MinuteField.Text(), L"");
        Type(minute, L"7x5");
        EXPECT_EQ(dialog.MinuteField.Text(), L"75");
        Type(minute, L"1");  // two characters at most
        EXPECT_EQ(dialog.MinuteField.Text(), L"75");
        EXPECT_EQ(dialog.MinuteField.Value(), 75);  // not brought into range while typing

        // Typed or pasted by either key, text is filtered alike; full-width
        // digits, as an input method gives them, are digits.
        for (const auto& [input, kept] : {std::pair{L"aa", L""},
                                          {L"１２", L"12"},
                                          {L"1.5", L"15"},
                                          {L"+-3x", L"3"},
                                          {L"123", L"12"}}) {
            PutOnClipboard(minute, input);
            for (int way = 0; way < 3; ++way) {
                SetWindowTextW(minute, L"");
                if (way == 0) Type(minute, input);
                if (way == 1) SendMessageW(minute, WM_PASTE, 0, 0);
                if (way == 2) ShiftInsert(minute);
                EXPECT_EQ(dialog.MinuteField.Text(), kept) << input << way;
            }
        }

        // Leaving the field shows the value that will be used.
        for (const auto& [text, shown] :
             {std::pair{L"75", L"59"}, {L"", L"0"}, {L"1.", L"0"}, {L"aa", L"0"}}) {
            SetFocus(minute);
            SetWindowTextW(minute, text);
            SetFocus(dialog.NameField.Handle());
            EXPECT_EQ(dialog.MinuteField.Text(), shown) << text;
        }

        SetWindowTextW(minute, L"-");
        EXPECT_EQ(dialog.MinuteField.Value(), 0);  // not a number reads as the minimum
        SetWindowTextW(minute, L"-3");
        dialog.MinuteField.ClampNow();
        EXPECT_EQ(dialog.MinuteField.Text(), L"0");

        // Arrow keys step by one within the range.
        SetFocus(dialog.HourField.Handle());
        SetWindowTextW(dialog.HourField.Handle(), L"22");
        PressKey(GetParent(dialog.HourField.Handle()), VK_UP);
        EXPECT_EQ(dialog.HourField.Text(), L"23");
        PressKey(GetParent(dialog.HourField.Handle()), VK_UP);
        EXPECT_EQ(dialog.HourField.Text(), L"23");
        PressKey(GetParent(dialog.HourField.Handle()), VK_DOWN);
        EXPECT_EQ(dialog.HourField.Text(), L"22");

        // The up/down buttons: one step on the press, more while held, none
        // after the release.
        const HWND button = dialog.MinuteField.ButtonHandle();
        ASSERT_TRUE(button);
        RECT r;
        GetClientRect(button, &r);
        SetWindowTextW(minute, L"10");
        SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.right / 2, 1));
        EXPECT_EQ(dialog.MinuteField.Text(), L"11");
        EXPECT_EQ(GetFocus(), minute);
        SendMessageW(button, WM_TIMER, 1, 0);
        SendMessageW(button, WM_TIMER, 1, 0);
        EXPECT_EQ(dialog.MinuteField.Text(), L"13");
        SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(r.right / 2, 1));
        SendMessageW(button, WM_TIMER, 1, 0);
        EXPECT_EQ(dialog.MinuteField.Text(), L"13");
        SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.right / 2, r.bottom - 1));
        SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(r.right / 2, r.bottom - 1));
        EXPECT_EQ(dialog.MinuteField.Text(), L"12");
    });
}

TEST_F(CallLetterTest, NameAndErrandLimitsCountCodePage932Bytes) {
    Drive(dialog, [&](HWND) {
        const HWND name = dialog.NameField.Handle();
        SetFocus(name);
        SetWindowTextW(name, L"");
        Type(name, L"あいうえおかきくけこさ");  // 11 double-byte characters
        EXPECT_EQ(dialog.NameField.Text(), L"あいうえおかきくけこ");
        SetWindowTextW(name, L"");
        Type(name, L"abcdefghijklmnopqrsあ");  // 19 + 2 bytes: the last does not fit
        EXPECT_EQ(dialog.NameField.Text(), L"abcdefghijklmnopqrs");
        Type(name, L"ｱt");  // a half-width katakana is one byte
        EXPECT_EQ(dialog.NameField.Text(), L"abcdefghijklmnopqrsｱ");
        SendMessageW(name, WM_CHAR, VK_BACK, 0);  // control keys still work
        EXPECT_EQ(dialog.NameField.Text(), L"abcdefghijklmnopqrs");

        // Every paste takes as much of the clipboard's first line as fits:
        // Ctrl+V, and Shift+Insert, which Wine's edit pastes without WM_PASTE.
        const HWND task = dialog.ErrandField.Handle();
        SetFocus(task);
        PutOnClipboard(task, L"一二三四五六七八九十一二三四五六七八九十\r\n次の行");
        for (const bool shiftInsert : {false, true}) {
            SetWindowTextW(task, L"用件");
            SendMessageW(task, EM_SETSEL, 2, 2);
            shiftInsert ? ShiftInsert(task) : void(SendMessageW(task, WM_PASTE, 0, 0));
            EXPECT_EQ(dialog.ErrandField.Text(), L"用件一二三四五六七八九十一二三四五六七八");
        }
        PutOnClipboard(task, std::wstring(1 << 20, L'x'));  // 1 MB with no line end
        SetWindowTextW(task, L"");
        ShiftInsert(task);
        EXPECT_EQ(dialog.ErrandField.Text(), std::wstring(40, L'x'));

        // Text set or put in place by any other program is cut at the last
        // whole character that fits; the control's own limit is the backstop.
        SetWindowTextW(name, L"abcdefghijklmnopqrsあ");
        EXPECT_EQ(dialog.NameField.Text(), L"abcdefghijklmnopqrs");
        SendMessageW(name, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"ああ"));
        EXPECT_EQ(dialog.NameField.Text(), L"abcdefghijklmnopqrs");
        EXPECT_EQ(SendMessageW(name, EM_GETLIMITTEXT, 0, 0), 20);
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

TEST_F(CallLetterTest, EditsStartTheInputMethodInHiraganaKeepingRomaji) {
    Drive(dialog, [&](HWND) {
        const tk::InputContext context(dialog.ErrandField.Handle());
        if (!context) GTEST_SKIP() << "no input context on this system";
        DWORD conversion = 0;
        DWORD sentence = 0;
        ImmGetConversionStatus(context.get(), &conversion, &sentence);
        ImmSetConversionStatus(context.get(), IME_CMODE_ROMAN, sentence);  // a romaji typist
        SetFocus(dialog.ErrandField.Handle());
        ImmGetConversionStatus(context.get(), &conversion, &sentence);
        EXPECT_TRUE(ImmGetOpenStatus(context.get()));
        EXPECT_EQ(conversion & (IME_CMODE_NATIVE | IME_CMODE_FULLSHAPE | IME_CMODE_ROMAN),
                  static_cast<DWORD>(IME_CMODE_NATIVE | IME_CMODE_FULLSHAPE | IME_CMODE_ROMAN));
    });
}

TEST_F(CallLetterTest, ContextHelpUsesTheControlsNumberAndOrigin) {
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
        help(dialog.MinuteField.Handle());
        help(dialog.MinuteField.ButtonHandle());
        help(dialog.ArmedIndicator.Handle());
        help(hwnd);
        ASSERT_EQ(asked.size(), 4u);
        POINT origin{0, 0};
        ClientToScreen(dialog.MinuteField.Handle(), &origin);
        EXPECT_EQ(asked[0].context, 8u);
        EXPECT_EQ(asked[0].point.x, origin.x);
        EXPECT_EQ(asked[0].point.y, origin.y);
        EXPECT_EQ(asked[1].context, 8u);
        EXPECT_EQ(asked[2].context, 12u);
        EXPECT_EQ(asked[3].context, 1u);
    });
}

TEST_F(CallLetterTest, EveryHintedControlHasItsToolTip) {
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
        EXPECT_EQ(hintOf(dialog.ClockDisplay.Handle()), L"今の時刻");
        EXPECT_EQ(hintOf(dialog.MinuteField.ButtonHandle()), L"0分から59分のどれかを選ぶ");
        EXPECT_EQ(hintOf(dialog.ArmedIndicator.Handle()), L"設定中かどうか知らせます");
        EXPECT_EQ(hintOf(dialog.CloseButton.Handle()), L"このウィンドウを閉じます。");
        EXPECT_EQ(hintOf(hwnd), L"モフレンタイマー機能設定");
        // 14 controls, the spin fields with their buttons, and the dialog.
        EXPECT_EQ(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), 17);
    });
}

TEST(NoticeTest, LinesPaintOrderAndClosing) {
    CallNotice notice;
    notice.SetName(L"山田");
    notice.SetTask(L"");
    EXPECT_EQ(notice.NameShadow.Text(), L"山田さん、");
    EXPECT_EQ(notice.NameLine.Text(), L"山田さん、");
    EXPECT_EQ(notice.ErrandShadow.Text(), L"時がきました。");
    EXPECT_EQ(notice.ErrandLine.Text(), L"時がきました。");
    notice.SetName(L"");
    notice.SetTask(L"会議の");
    EXPECT_EQ(notice.NameShadow.Text(), L"");
    EXPECT_EQ(notice.NameLine.Text(), L"");
    EXPECT_EQ(notice.ErrandLine.Text(), L"会議の時がきました。");

    bool ran = false;
    const INT_PTR result = Drive(notice, [&](HWND hwnd) {
        ran = true;
        EXPECT_EQ(WindowText(hwnd), L"モフレン");
        EXPECT_TRUE(GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
        EXPECT_TRUE(GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_APPWINDOW);  // a taskbar button
        RECT frame;
        GetWindowRect(hwnd, &frame);
        EXPECT_LE(std::abs((frame.left + frame.right) / 2 - GetSystemMetrics(SM_CXSCREEN) / 2), 1);
        EXPECT_LE(std::abs((frame.top + frame.bottom) / 2 - GetSystemMetrics(SM_CYSCREEN) / 2), 1);
        EXPECT_EQ(GetFocus(), notice.OkButton.Handle());
        // The picture first, then the shadows under their texts.
        const std::vector<tk::Control*> order = {
            &notice.MascotPicture, &notice.SignatureShadow, &notice.Signature, &notice.NameShadow,
            &notice.ErrandShadow,  &notice.NameLine,        &notice.ErrandLine};
        EXPECT_EQ(notice.MessagePanel.Graphics(), order);

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

// A notice that could not take the foreground flashes its taskbar button
// until it is activated.
TEST(NoticeTest, FlashesWhenItCouldNotTakeTheForeground) {
    static std::vector<DWORD> flashes;
    CallNotice::Flash = [](PFLASHWINFO info) { return flashes.push_back(info->dwFlags), TRUE; };
    const tk::UniqueWindow other(CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 9,
                                                 9, nullptr, nullptr, nullptr, nullptr));
    for (bool busyElsewhere : {false, true}) {
        tk::Dialog::ShownHook = [&](HWND) {
            if (busyElsewhere) SetForegroundWindow(other.get());
        };
        CallNotice notice;
        Drive(notice, [](HWND) {});
        EXPECT_EQ(flashes, std::vector<DWORD>(busyElsewhere, FLASHW_ALL | FLASHW_TIMERNOFG));
    }
    CallNotice::Flash = FlashWindowEx;
    tk::Dialog::ShownHook = nullptr;
}

TEST(AboutTest, TextsFocusAndClosing) {
    AboutBox about;
    bool ran = false;
    const INT_PTR result = Drive(about, [&](HWND hwnd) {
        ran = true;
        EXPECT_EQ(WindowText(hwnd), L"バージョン情報");
        EXPECT_EQ(about.ProductName.Text(), L"モフレン");
        EXPECT_EQ(about.Version.Text(), L"Ver.1.1");
        EXPECT_TRUE(GetWindowLongPtrW(about.WebAddressField.Handle(), GWL_STYLE) & ES_READONLY);
        EXPECT_FALSE(about.WebAddressField.Text().empty());

        EXPECT_EQ(GetFocus(), about.OkButton.Handle());
        PressKey(hwnd, VK_TAB);
        EXPECT_EQ(GetFocus(), about.WebAddressField.Handle());
        PressKey(hwnd, VK_TAB);
        EXPECT_EQ(GetFocus(), about.OkButton.Handle());
        PressKey(hwnd, VK_ESCAPE);
        EXPECT_TRUE(IsWindowVisible(hwnd));
        PressKey(hwnd, VK_RETURN);
        EXPECT_FALSE(IsWindowVisible(hwnd));
    });
    EXPECT_TRUE(ran);
    EXPECT_EQ(result, IDOK);
}

// A window's client object as a screen reader reads it through oleacc:
// "name" or "name|description".
std::wstring Hear(HWND window) {
    constexpr GUID id{0x618736e0, 0x3c3d, 0x11cf, {0x81, 12, 0, 0xaa, 0, 0x38, 0x9b, 0x71}};
    IAccessible* object = nullptr;  // IID_IAccessible: MinGW's import library holds a wrong one
    VARIANT self{};
    self.vt = VT_I4;
    BSTR name = nullptr, description = nullptr;
    if (SUCCEEDED(AccessibleObjectFromWindow(window, OBJID_CLIENT, id,
                                             reinterpret_cast<void**>(&object)))) {
        object->get_accName(self, &name);
        object->get_accDescription(self, &description);
        object->Release();
    }
    std::wstring heard = name ? name : L"";
    if (description) heard += L"|" + std::wstring(description);
    SysFreeString(name);
    SysFreeString(description);
    return heard;
}

// The dialog's windows in the order a screen reader meets them.
std::vector<HWND> Descendants(HWND dialog) {
    std::vector<HWND> found;
    const auto add = [](HWND child, LPARAM out) {
        return reinterpret_cast<std::vector<HWND>*>(out)->push_back(child), TRUE;
    };
    EnumChildWindows(dialog, add, reinterpret_cast<LPARAM>(&found));
    return found;
}

std::vector<std::wstring> ReadOut(HWND dialog) {
    std::vector<std::wstring> heard;
    for (HWND child : Descendants(dialog))
        if (!Hear(child).empty()) heard.push_back(Hear(child));
    return heard;
}

TEST(AssistiveTechnologyTest, ReadsTheNoticeLinesTheFieldNamesAndAboutsLines) {
    CallNotice notice;
    notice.SetName(L"山田");
    notice.SetTask(L"会議の");
    Drive(notice, [](HWND hwnd) {
        EXPECT_EQ(ReadOut(hwnd), (std::vector<std::wstring>{L"山田さん、", L"会議の時がきました。",
                                                            L"－モフレン－", L"OK"}));
    });
    CallState call;
    CallLetterDialog l{call, [] { return ClockTime{14, 20, 0, 0}; }};
    Drive(l, [&](HWND) {
        const std::pair<HWND, std::wstring> rows[] = {{l.HourField.Handle(), L"時|0～23"},
                                                      {l.MinuteField.Handle(), L"分|0～59"},
                                                      {l.NameField.Handle(), L"あなたの名前"},
                                                      {l.ErrandField.Handle(), L"用件"},
                                                      {l.HourField.ButtonHandle(), L"時の増減"},
                                                      {l.MinuteField.ButtonHandle(), L"分の増減"},
                                                      {l.ClockDisplay.Handle(), L"14:20|今の時刻"},
                                                      {l.ArmedIndicator.Handle(), L"未設定"}};
        for (const auto& [window, heard] : rows) EXPECT_EQ(Hear(window), heard);
    });
    AboutBox about;
    Drive(about, [&](HWND hwnd) {
        EXPECT_EQ(ReadOut(hwnd),
                  (std::vector<std::wstring>{L"モフレン", L"Ver.1.1", L"デスクトップマスコット",
                                             L"Copyright (C) 2026 Pelnor developers", L"OK",
                                             L"Webページ", L"Webページ"}));  // the address field's
    });
}

// What the dialog shows in `r` of its client area, read from its own surface.
std::vector<COLORREF> Take(HWND dialog, const RECT& r) {
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    const tk::WindowDc screen(dialog);
    std::vector<COLORREF> pixels;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) pixels.push_back(GetPixel(screen.get(), x, y));
    return pixels;
}

// Shows the three dialogs with texts in every place, at `dpi`.
void LookAtEveryDialog(UINT dpi, const std::function<void(tk::Dialog&, HWND)>& look) {
    tk::Dialog::DpiForTesting = dpi;
    CallNotice notice;
    notice.SetName(L"山田");
    notice.SetTask(L"会議の");
    CallState call;
    call.Armed = true;
    CallLetterDialog letter{call, [] { return ClockTime{14, 20, 0, 0}; }};
    AboutBox about;
    for (tk::Dialog* dialog : std::initializer_list<tk::Dialog*>{&notice, &letter, &about})
        Drive(*dialog, [&](HWND hwnd) { look(*dialog, hwnd); });
    tk::Dialog::DpiForTesting.reset();
}

// The labels' windows show exactly what their dialog draws without them.
TEST(DialogPixelsTest, LabelWindowsChangeNoPixel) {
    for (UINT dpi : {96u, 192u}) {
        LookAtEveryDialog(dpi, [&](tk::Dialog& dialog, HWND hwnd) {
            RECT client;
            GetClientRect(hwnd, &client);
            const std::vector<COLORREF> shown = Take(hwnd, client);
            for (HWND child : Descendants(hwnd))
                if (dynamic_cast<tk::Label*>(dialog.ControlOf(child))) ShowWindow(child, SW_HIDE);
            EXPECT_TRUE(Take(hwnd, client) == shown) << WindowText(hwnd) << " at " << dpi;
        });
    }
}

// In a dark high-contrast scheme every text (each static window) lies on the
// scheme's face, the colour most of it shows, with at least 4.5:1 contrast.
TEST(DialogPixelsTest, DarkHighContrastTextsReadOnTheSchemesFace) {
    const int elements[] = {COLOR_BTNFACE, COLOR_BTNTEXT, COLOR_WINDOW, COLOR_WINDOWTEXT};
    COLORREF saved[4], dark[] = {RGB(0, 0, 0), RGB(255, 255, 255), RGB(0, 0, 0), RGB(255, 255, 0)};
    for (int i = 0; i < 4; ++i) saved[i] = GetSysColor(elements[i]);
    ASSERT_TRUE(SetSysColors(4, elements, dark));
    tk::HighContrastForTesting = true;
    const auto luminance = [](COLORREF c) {  // WCAG's, plus 0.05
        const auto linear = [](double v) {
            return v <= 10 ? v / 3294.6 : std::pow((v / 255 + 0.055) / 1.055, 2.4);
        };
        return 0.05 + 0.2126 * linear(GetRValue(c)) + 0.7152 * linear(GetGValue(c)) +
               0.0722 * linear(GetBValue(c));
    };
    LookAtEveryDialog(96, [&](tk::Dialog&, HWND hwnd) {
        for (HWND text : Descendants(hwnd)) {
            if (testing_support::ClassOf(text) != L"Static") continue;
            RECT r;
            GetClientRect(text, &r);
            MapWindowPoints(text, hwnd, reinterpret_cast<POINT*>(&r), 2);
            std::map<COLORREF, int> counts;
            for (COLORREF c : Take(hwnd, r)) ++counts[c];
            COLORREF face = counts.begin()->first;
            for (const auto& [c, n] : counts) face = n > counts[face] ? c : face;
            double best = 0;
            for (const auto& [c, n] : counts)
                best = std::max(
                    {best, luminance(c) / luminance(face), luminance(face) / luminance(c)});
            EXPECT_EQ(face, GetSysColor(COLOR_BTNFACE)) << tk::ToUtf8(WindowText(text));
            EXPECT_GE(best, 4.5) << tk::ToUtf8(WindowText(text));
        }
    });
    tk::HighContrastForTesting.reset();
    SetSysColors(4, elements, saved);
}

using PixelSet = std::set<std::pair<int, int>>;  // x, y

// The pixels of a dialog's close box drawn in the button text colour: its
// glyph, in window coordinates, read from the window's own surface.
PixelSet CloseBoxGlyph(HWND dialog) {
    RedrawWindow(dialog, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    RECT frame;
    GetWindowRect(dialog, &frame);
    TITLEBARINFO title{};
    title.cbSize = sizeof title;
    PixelSet glyph;
    if (!GetTitleBarInfo(dialog, &title)) return glyph;
    // The close box is the last square of the title bar.
    const RECT bar = title.rcTitleBar;
    const HDC dc = GetWindowDC(dialog);
    for (int y = bar.top; y < bar.bottom; ++y)
        for (int x = bar.right - GetSystemMetrics(SM_CXSIZE); x < bar.right; ++x)
            if (GetPixel(dc, x - frame.left, y - frame.top) == GetSysColor(COLOR_BTNTEXT))
                glyph.insert({x - frame.left, y - frame.top});
    ReleaseDC(dialog, dc);
    return glyph;
}

// The smallest rectangle holding the pixels, edges included.
RECT BoundsOf(const PixelSet& pixels) {
    RECT r{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    for (const auto& [x, y] : pixels) {
        r.left = std::min<LONG>(r.left, x);
        r.top = std::min<LONG>(r.top, y);
        r.right = std::max<LONG>(r.right, x);
        r.bottom = std::max<LONG>(r.bottom, y);
    }
    return r;
}

std::string Drawing(const PixelSet& pixels) {
    const RECT r = BoundsOf(pixels);
    std::string text = "\n";
    for (int y = r.top; y <= r.bottom; ++y) {
        for (int x = r.left; x <= r.right; ++x) text += pixels.count({x, y}) ? '#' : '.';
        text += '\n';
    }
    return text;
}

// The caption buttons are glyphs of the Marlett font; without it the system
// draws the letters that stand for them ("r" for the close box). The close
// glyph is a cross, the same mirrored either way; a letter is not.
TEST(CaptionTest, CloseBoxDrawsItsCrossNotALetter) {
    LOGFONTW marlett{};
    marlett.lfHeight = -13;
    marlett.lfCharSet = SYMBOL_CHARSET;
    lstrcpyW(marlett.lfFaceName, L"Marlett");
    const tk::UniqueFont font(CreateFontIndirectW(&marlett));
    wchar_t face[LF_FACESIZE] = {};
    {
        const tk::WindowDc screen(nullptr);
        const tk::ScopedSelect select(screen.get(), font.get());
        GetTextFaceW(screen.get(), LF_FACESIZE, face);
    }
    EXPECT_STREQ(face, L"Marlett");

    AboutBox about;
    PixelSet glyph;
    Drive(about, [&](HWND hwnd) { glyph = CloseBoxGlyph(hwnd); });
    ASSERT_GE(glyph.size(), 4u) << "the close box holds no glyph:" << Drawing(glyph);
    const RECT box = BoundsOf(glyph);
    int unmatched = 0;
    for (const auto& [x, y] : glyph)
        unmatched += !glyph.count({box.left + box.right - x, y}) +
                     !glyph.count({x, box.top + box.bottom - y});
    EXPECT_EQ(unmatched, 0) << Drawing(glyph);
}

// Runs a message box with `act` applied to it once it is up.
template <typename Show>
void WithBox(Show show, std::function<void(HWND)> act, std::wstring* title = nullptr,
             bool* hasIcon = nullptr) {
    tk::Dialog::ShownHook = [&](HWND box) {
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
    tk::Dialog::ShownHook = nullptr;
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
