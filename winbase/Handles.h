// Move-only owners for GDI and USER handles: each handle has exactly one owner
// and is released exactly once.
#pragma once

#include <windows.h>

#include <memory>
#include <utility>

namespace tk {

// Traits name the call that releases a handle and, where it is not nullptr
// (files, searches), the value that means "no handle".
template <typename Handle, typename Traits>
class UniqueHandle {
  public:
    UniqueHandle() noexcept : handle_(Empty()) {}
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
    explicit operator bool() const noexcept { return handle_ != Empty(); }

    // Gives the handle up, for an API that takes ownership (SetWindowRgn).
    Handle release() noexcept { return std::exchange(handle_, Empty()); }

    void reset(Handle h = Empty()) noexcept {
        if (handle_ != Empty()) Traits::Close(handle_);
        handle_ = h;
    }

  private:
    static Handle Empty() noexcept {
        if constexpr (requires { Traits::Empty(); }) {
            return Traits::Empty();
        } else {
            return nullptr;
        }
    }

    Handle handle_;
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
struct MemoryDcTraits {
    static void Close(HDC h) noexcept { DeleteDC(h); }
};
struct WindowTraits {
    static void Close(HWND h) noexcept { DestroyWindow(h); }
};
struct RegistryKeyTraits {
    static void Close(HKEY h) noexcept { RegCloseKey(h); }
};
struct FileTraits {
    static HANDLE Empty() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) noexcept { CloseHandle(h); }
};
struct FindTraits {
    static HANDLE Empty() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) noexcept { FindClose(h); }
};

using UniqueRegion = UniqueHandle<HRGN, GdiObjectTraits>;
using UniqueBitmap = UniqueHandle<HBITMAP, GdiObjectTraits>;
using UniqueFont = UniqueHandle<HFONT, GdiObjectTraits>;
using UniqueBrush = UniqueHandle<HBRUSH, GdiObjectTraits>;
using UniqueIcon = UniqueHandle<HICON, IconTraits>;
using UniqueMenu = UniqueHandle<HMENU, MenuTraits>;
using UniqueAccelerators = UniqueHandle<HACCEL, AcceleratorTraits>;
using UniqueMemoryDc = UniqueHandle<HDC, MemoryDcTraits>;
using UniqueRegistryKey = UniqueHandle<HKEY, RegistryKeyTraits>;
using UniqueWindow = UniqueHandle<HWND, WindowTraits>;
using UniqueFile = UniqueHandle<HANDLE, FileTraits>;  // CreateFile
using UniqueFind = UniqueHandle<HANDLE, FindTraits>;  // FindFirstFile

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

// A COM interface pointer, released once by its one owner.
template <typename T>
struct ComRelease {
    void operator()(T* object) const noexcept { object->Release(); }
};
template <typename T>
using ComPtr = std::unique_ptr<T, ComRelease<T>>;

// BeginPaint and EndPaint around a WM_PAINT handler, however it is left.
class PaintDc {
  public:
    explicit PaintDc(HWND hwnd) noexcept : hwnd_(hwnd), dc_(BeginPaint(hwnd, &paint_)) {}
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;
    ~PaintDc() { EndPaint(hwnd_, &paint_); }
    HDC get() const noexcept { return dc_; }

  private:
    HWND hwnd_;
    PAINTSTRUCT paint_{};
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

// The clipboard, open for the scope; closed again however the scope is left.
class ScopedClipboard {
  public:
    explicit ScopedClipboard(HWND owner) noexcept : open_(OpenClipboard(owner) != FALSE) {}
    ScopedClipboard(const ScopedClipboard&) = delete;
    ScopedClipboard& operator=(const ScopedClipboard&) = delete;
    ~ScopedClipboard() {
        if (open_) CloseClipboard();
    }
    bool IsOpen() const noexcept { return open_; }

  private:
    bool open_;
};

// Global memory locked for the scope (clipboard data).
class ScopedGlobalLock {
  public:
    explicit ScopedGlobalLock(HGLOBAL memory) noexcept
        : memory_(memory), data_(memory ? GlobalLock(memory) : nullptr) {}
    ScopedGlobalLock(const ScopedGlobalLock&) = delete;
    ScopedGlobalLock& operator=(const ScopedGlobalLock&) = delete;
    ~ScopedGlobalLock() {
        if (data_) GlobalUnlock(memory_);
    }
    void* get() const noexcept { return data_; }

  private:
    HGLOBAL memory_;
    void* data_;
};

}  // namespace tk
