// Modal dialogs opened while another is up: a timer of a window that is
// showing a modal dialog opens a second one for the same owner.
#include <windows.h>

#include <gtest/gtest.h>

#include "dialogs/AboutBox.h"
#include "dialogs/CallNotice.h"
#include "dialogs/CallLetterDialog.h"
#include "core/CallCheck.h"

namespace pelnor {
namespace {

class Owner {
  public:
    Owner() {
        hwnd_ = CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50,
                                nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    ~Owner() { DestroyWindow(hwnd_); }
    HWND Handle() const { return hwnd_; }

  private:
    HWND hwnd_;
};

TEST(NestedModal, ASecondDialogForTheSameOwnerNestsInTheFirst) {
    Owner owner;
    ASSERT_TRUE(owner.Handle());
    CallState call;
    CallLetterDialog letter(call, [] { return ClockTime{9, 0, 0, 0}; });
    bool noticeShown = false;
    letter.OnShown = [&](HWND letterHwnd) {
        EXPECT_FALSE(IsWindowEnabled(owner.Handle()));
        CallNotice notice;
        notice.OnShown = [&](HWND noticeHwnd) {
            noticeShown = true;
            EXPECT_EQ(GetWindow(noticeHwnd, GW_OWNER), letterHwnd);
            EXPECT_FALSE(IsWindowEnabled(letterHwnd));
            EXPECT_FALSE(IsWindowEnabled(owner.Handle()));
            PostMessageW(noticeHwnd, WM_CLOSE, 0, 0);
        };
        notice.ShowModal(owner.Handle());
        // The first dialog is modal still, and has the activation back.
        EXPECT_FALSE(IsWindowEnabled(owner.Handle()));
        EXPECT_TRUE(IsWindowEnabled(letterHwnd));
        EXPECT_EQ(GetActiveWindow(), letterHwnd);
        PostMessageW(letterHwnd, WM_CLOSE, 0, 0);
    };
    letter.ShowModal(owner.Handle());
    EXPECT_TRUE(noticeShown);
    EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
}

// The keyboard comes back to the window a dialog was opened over: it is
// active again before the dialog disappears, so the activation never passes
// to a window the system picks.
TEST(NestedModal, AClosedDialogLeavesItsOwnerActiveWithTheKeyboard) {
    static HWND dialog = nullptr;
    static bool dialogShownAtActivation = false;
    static WNDPROC ownerProc = nullptr;
    Owner owner;
    ownerProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
        owner.Handle(), GWLP_WNDPROC,
        reinterpret_cast<LONG_PTR>(+[](HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
            if (msg == WM_ACTIVATE && LOWORD(wParam) != WA_INACTIVE)
                dialogShownAtActivation = IsWindowVisible(dialog);
            return CallWindowProcW(ownerProc, hwnd, msg, wParam, lParam);
        })));
    AboutBox about;
    about.OnShown = [&](HWND hwnd) {
        dialog = hwnd;
        SendMessageW(about.OkButton.Handle(), BM_CLICK, 0, 0);
    };
    about.ShowModal(owner.Handle());
    EXPECT_TRUE(dialogShownAtActivation);
    EXPECT_EQ(GetForegroundWindow(), owner.Handle());
    EXPECT_EQ(GetFocus(), owner.Handle());
}

}  // namespace
}  // namespace pelnor
