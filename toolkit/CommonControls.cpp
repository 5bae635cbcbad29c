#include "toolkit/CommonControls.h"

#include "winbase/SystemLibrary.h"

namespace tk {
namespace {

// The manifest's activation context makes this version 6.
constinit SystemLibrary library(L"comctl32.dll");

}  // namespace

bool CommonControlsReady() noexcept {
    static bool registered = false;
    if (!registered) {
        const auto init = library.Find<decltype(::InitCommonControlsEx)>("InitCommonControlsEx");
        const INITCOMMONCONTROLSEX controls{sizeof controls,
                                            ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
        registered = init && init(&controls);
    }
    return registered;
}

bool SetSubclass(HWND hwnd, SUBCLASSPROC procedure, UINT_PTR id, DWORD_PTR data) noexcept {
    const auto set = library.Find<decltype(::SetWindowSubclass)>("SetWindowSubclass");
    return set && set(hwnd, procedure, id, data);
}

void RemoveSubclass(HWND hwnd, SUBCLASSPROC procedure, UINT_PTR id) noexcept {
    if (const auto remove = library.Find<decltype(::RemoveWindowSubclass)>("RemoveWindowSubclass"))
        remove(hwnd, procedure, id);
}

// Every message of a subclassed control passes here: the function is looked up once.
LRESULT DefaultSubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    static decltype(::DefSubclassProc)* next = nullptr;
    if (!next) next = library.Find<decltype(::DefSubclassProc)>("DefSubclassProc");
    if (!next) return DefWindowProcW(hwnd, msg, wParam, lParam);
    return next(hwnd, msg, wParam, lParam);
}

}  // namespace tk
