// Move-only owners for GDI and USER handles: each handle has exactly one owner
// and is released exactly once.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <utility>

namespace tk {

template <typename Handle, typename Traits>
class UniqueHandle {
  public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle h) noexcept : handle_(h) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    ~UniqueHandle() { reset(); }

    Handle get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != nullptr; }

    // Gives the handle up, for an API that takes ownership (SetWindowRgn).
    Handle release() noexcept { return std::exchange(handle_, nullptr); }

    void reset(Handle h = nullptr) noexcept {
        if (handle_) Traits::Close(handle_);
        handle_ = h;
    }

  private:
    Handle handle_ = nullptr;
};

struct GdiObjectTraits {
    static void Close(HGDIOBJ h) noexcept { DeleteObject(h); }
};
struct IconTraits {
    static void Close(HICON h) noexcept { DestroyIcon(h); }
};
struct MenuTraits {
    static void Close(HMENU h) noexcept { DestroyMenu(h); }
};
struct AcceleratorTraits {
    static void Close(HACCEL h) noexcept { DestroyAcceleratorTable(h); }
};
struct ImageListTraits {
    static void Close(HIMAGELIST h) noexcept { ImageList_Destroy(h); }
};
struct MemoryDcTraits {
    static void Close(HDC h) noexcept { DeleteDC(h); }
};
struct WindowTraits {
    static void Close(HWND h) noexcept { DestroyWindow(h); }
};
struct RegistryKeyTraits {
    static void Close(HKEY h) noexcept { RegCloseKey(h); }
};

using UniqueRegion = UniqueHandle<HRGN, GdiObjectTraits>;
using UniqueBitmap = UniqueHandle<HBITMAP, GdiObjectTraits>;
using UniqueFont = UniqueHandle<HFONT, GdiObjectTraits>;
using UniqueBrush = UniqueHandle<HBRUSH, GdiObjectTraits>;
using UniqueIcon = UniqueHandle<HICON, IconTraits>;
using UniqueMenu = UniqueHandle<HMENU, MenuTraits>;
using UniqueAccelerators = UniqueHandle<HACCEL, AcceleratorTraits>;
using UniqueImageList = UniqueHandle<HIMAGELIST, ImageListTraits>;
using UniqueMemoryDc = UniqueHandle<HDC, MemoryDcTraits>;
using UniqueRegistryKey = UniqueHandle<HKEY, RegistryKeyTraits>;
using UniqueWindow = UniqueHandle<HWND, WindowTraits>;

// A window's device context from GetDC, released to that window.
class WindowDc {
  public:
    explicit WindowDc(HWND hwnd) noexcept : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    ~WindowDc() {
        if (dc_) ReleaseDC(hwnd_, dc_);
    }
    HDC get() const noexcept { return dc_; }

  private:
    HWND hwnd_;
    HDC dc_;
};

// Selects an object into a DC for the scope and puts the previous one back.
class ScopedSelect {
  public:
    ScopedSelect(HDC dc, HGDIOBJ obj) noexcept : dc_(dc), previous_(SelectObject(dc, obj)) {}
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;
    ~ScopedSelect() {
        if (previous_) SelectObject(dc_, previous_);
    }

  private:
    HDC dc_;
    HGDIOBJ previous_;
};

}  // namespace tk
