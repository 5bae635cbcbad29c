#include "TestSupport.h"

#include <objbase.h>
#include <shlobj.h>
#include <shellapi.h>

#include <vector>

#include "winbase/Handles.h"

namespace testing_support {
namespace {

ModalResponder* activeResponder = nullptr;

struct FindContext {
    HWND except;
    HWND found;
};

BOOL CALLBACK FindVisible(HWND hwnd, LPARAM param) {
    auto& context = *reinterpret_cast<FindContext*>(param);
    if (hwnd != context.except && IsWindowVisible(hwnd) && ClassOf(hwnd) != L"tooltips_class32") {
        context.found = hwnd;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

void PumpFor(DWORD ms) {
    const DWORD until = GetTickCount() + ms;
    while (static_cast<LONG>(until - GetTickCount()) > 0) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

ModalResponder::ModalResponder(std::function<void(HWND)> act, HWND except)
    : act_(std::move(act)), except_(except) {
    activeResponder = this;
    timer_ = SetTimer(nullptr, 0, 50, Poll);
}

ModalResponder::~ModalResponder() {
    if (timer_) KillTimer(nullptr, timer_);
    activeResponder = nullptr;
}

void CALLBACK ModalResponder::Poll(HWND, UINT, UINT_PTR, DWORD) {
    ModalResponder* self = activeResponder;
    if (!self || self->answered_) return;
    FindContext context{self->except_, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), FindVisible, reinterpret_cast<LPARAM>(&context));
    if (!context.found) return;
    self->answered_ = true;
    self->className_ = ClassOf(context.found);
    self->act_(context.found);
}

std::wstring WindowText(HWND hwnd) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size())));
    return text;
}

std::vector<DWORD> PixelsOf(HBITMAP bitmap) {
    BITMAP size{};
    GetObjectW(bitmap, sizeof size, &size);
    std::vector<DWORD> bits(static_cast<std::size_t>(size.bmWidth) * size.bmHeight);
    BITMAPINFO format{};
    format.bmiHeader = {sizeof format.bmiHeader, size.bmWidth, -size.bmHeight, 1, 32, BI_RGB,
                        0, 0, 0, 0, 0};
    const HDC screen = GetDC(nullptr);
    GetDIBits(screen, bitmap, 0, size.bmHeight, bits.data(), &format, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    return bits;
}

std::ostream& operator<<(std::ostream& out, const Box& b) {
    return out << "(" << b.left << ", " << b.top << ") " << b.width << " x " << b.height;
}

Box ToBox(const RECT& r) {
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

Box PlaceOf(HWND child) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return ToBox(r);
}

SIZE ClientSize(HWND hwnd) {
    RECT r;
    GetClientRect(hwnd, &r);
    return {r.right, r.bottom};
}

std::wstring ClassOf(HWND hwnd) {
    wchar_t name[256] = {};
    GetClassNameW(hwnd, name, static_cast<int>(std::size(name)));
    return name;
}

TempFolder::TempFolder(const std::wstring& name) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    path_ = std::wstring(temp) + L"pelnor-" + name + L"-" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(path_.c_str(), nullptr);
}

namespace {

// Deletes a folder and everything in it, by full paths in the long form
// ("\\\\?\\"), which has no MAX_PATH limit: the shell's own deletion loses its
// way in deep folders and can go on in the current folder instead.
void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW found{};
    const tk::UniqueFind search(FindFirstFileW((folder + L"\\*").c_str(), &found));
    if (search) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring path = folder + L"\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path);
            } else {
                SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(path.c_str());
            }
        } while (FindNextFileW(search.get(), &found));
    }
    RemoveDirectoryW(folder.c_str());
}

}  // namespace

TempFolder::~TempFolder() {
    RemoveTree(L"\\\\?\\" + path_);
}

bool MakeShortcut(const std::wstring& linkPath, const std::wstring& target,
                  const std::wstring& arguments) {
    IShellLinkW* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&link))))
        return false;
    link->SetPath(target.c_str());
    if (!arguments.empty()) link->SetArguments(arguments.c_str());
    IPersistFile* file = nullptr;
    bool saved = false;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        saved = SUCCEEDED(file->Save(linkPath.c_str(), TRUE));
        file->Release();
    }
    link->Release();
    return saved;
}

bool FileExists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

pelnor::MascotEnvironment PlainEnvironment(const std::wstring& programFolder) {
    return {[] { return pelnor::ClockTime{}; }, [] { return std::wstring(); },
            [programFolder] { return programFolder + L"\\Pelnor.exe"; },
            [](HWND) { return RECT{0, 0, 1024, 768}; }};
}

}  // namespace testing_support
