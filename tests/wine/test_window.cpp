// The window base and the subclass helper: every window finds its object
// through them, and no exception from a handler reaches the system.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

#include "TestSupport.h"
#include "toolkit/Window.h"
#include "winbase/Handles.h"

namespace {

using testing_support::WindowText;

constexpr wchar_t kProbeClass[] = L"PelnorTestProbe";

class Probe : public tk::Window<Probe> {
  public:
    bool Create(const wchar_t* text) {
        return RegisterClassFor({.name = kProbeClass}) &&
               CreateWindowHandle(0, kProbeClass, text, WS_POPUP, 0, 0, 20, 20, nullptr);
    }
    UINT throwOn = 0;
    int finalMessages = 0;

  private:
    friend class tk::Window<Probe>;
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
        if (msg == throwOn) throw std::runtime_error("handler failed");
        return DefWindowProcW(Handle(), msg, wParam, lParam);
    }
    void FinalMessage() noexcept { ++finalMessages; }
};

class ThrowingEdit : tk::SubclassedControl<ThrowingEdit> {
  public:
    explicit ThrowingEdit(HWND edit) { Subclass(edit); }
    UINT throwOn = 0;

  private:
    friend class tk::SubclassedControl<ThrowingEdit>;
    LRESULT SubclassMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        if (msg == throwOn) throw std::runtime_error("handler failed");
        return DefSubclassProc(hwnd, msg, wParam, lParam);
    }
};

// A handler that throws has done nothing: the system's default runs instead,
// here the one that stores the window's text; a window whose creation threw
// is not made.
TEST(WindowBase, AThrowingHandlerLeavesTheMessageToTheDefault) {
    const struct {
        UINT msg;
        bool made;
    } cases[] = {{WM_NCCREATE, false}, {WM_CREATE, false}, {WM_SETTEXT, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.msg);
        Probe probe;
        probe.throwOn = c.msg;
        ASSERT_EQ(probe.Create(L"made"), c.made);
        if (!c.made) continue;
        SetWindowTextW(probe.Handle(), L"set");
        EXPECT_EQ(WindowText(probe.Handle()), L"set");
    }

    const tk::UniqueWindow edit(CreateWindowExW(0, L"EDIT", L"", WS_POPUP, 0, 0, 50, 20, nullptr,
                                                nullptr, GetModuleHandleW(nullptr), nullptr));
    ASSERT_TRUE(edit);
    ThrowingEdit subclass(edit.get());
    subclass.throwOn = WM_SETTEXT;
    SetWindowTextW(edit.get(), L"typed");
    EXPECT_EQ(WindowText(edit.get()), L"typed");
}

// The object learns when its window is gone, and takes its window with it.
TEST(WindowBase, TheObjectAndItsWindowGoTogether) {
    Probe probe;
    ASSERT_TRUE(probe.Create(L""));
    DestroyWindow(probe.Handle());
    EXPECT_EQ(probe.Handle(), nullptr);
    EXPECT_EQ(probe.finalMessages, 1);

    HWND orphan = nullptr;
    {
        Probe gone;
        ASSERT_TRUE(gone.Create(L""));
        orphan = gone.Handle();
    }
    EXPECT_FALSE(IsWindow(orphan));
}

}  // namespace
