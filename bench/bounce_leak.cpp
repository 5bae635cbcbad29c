// Forces the mascot to bounce off both edges on every tick (it is put beyond
// opposite corners of its monitor in turn before each tick, as a drag would)
// and reports the process's GDI and USER objects and private memory before and
// after 10 000 ticks. Each horizontal bounce turns the figure, so every tick
// applies a new outline region and draws the other picture.
//   bounce_leak.exe [ticks]   exit code 1 when GDI or USER objects grew
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>

#include "mascot/MascotWindow.h"
#include "TestSupport.h"  // the probe into the mascot window
#include "toolkit/Application.h"

namespace {

// Wine answers GetGuiResources with 0. Its GDI table takes a handle's low word
// as the index and accepts a zero high word, so the live objects can be counted
// by asking each index for its type.
int CountGdiObjects() {
    int count = 0;
    for (ULONG_PTR index = 1; index <= 0xFFFF; ++index) {
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0) ++count;
    }
    return count;
}

// The same for USER handles (index * 2 + 0x20), limited to what can be asked
// without creating anything: this process's windows and menus.
int CountUserObjects() {
    const DWORD self = GetCurrentProcessId();
    int count = 0;
    for (ULONG_PTR index = 0; index < 0x8000; ++index) {
        const auto handle = index * 2 + 0x20;
        const HWND window = reinterpret_cast<HWND>(handle);
        DWORD owner = 0;
        if (IsWindow(window) && GetWindowThreadProcessId(window, &owner) && owner == self) {
            ++count;
        } else if (IsMenu(reinterpret_cast<HMENU>(handle))) {
            ++count;
        }
    }
    return count;
}

// Wine leaves PrivateUsage at 0; the host's own account of this process is
// readable through the Z: drive. Returns 0 where there is none (Windows).
SIZE_T HostPrivateBytes() {
    const HANDLE file = CreateFileW(L"Z:\\proc\\self\\smaps_rollup", GENERIC_READ, FILE_SHARE_READ,
                                    nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 0;
    char text[4096];
    DWORD length = 0;
    DWORD got = 0;
    while (length < sizeof text - 1 &&
           ReadFile(file, text + length, sizeof text - 1 - length, &got, nullptr) && got) {
        length += got;
    }
    CloseHandle(file);
    text[length] = 0;
    SIZE_T kib = 0;
    for (const char* field : {"Private_Clean:", "Private_Dirty:"}) {
        if (const char* at = std::strstr(text, field))
            kib += std::strtoul(at + std::strlen(field), nullptr, 10);
    }
    return kib * 1024;
}

struct Sample {
    DWORD gdiReported;
    DWORD userReported;
    int gdiProbed;
    int userProbed;
    SIZE_T privateBytes;
    SIZE_T hostPrivateBytes;
};

Sample Take() {
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                         sizeof memory);
    return {GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS),
            GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS),
            CountGdiObjects(),
            CountUserObjects(),
            memory.PrivateUsage,
            HostPrivateBytes()};
}

void Print(const char* when, const Sample& s) {
    std::printf(
        "%-7s GetGuiResources GDI %lu USER %lu | probed GDI %d USER %d | PrivateUsage %zu KiB"
        " | host private %zu KiB\n",
        when, static_cast<unsigned long>(s.gdiReported), static_cast<unsigned long>(s.userReported),
        s.gdiProbed, s.userProbed, static_cast<size_t>(s.privateBytes / 1024),
        static_cast<size_t>(s.hostPrivateBytes / 1024));
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    int ticks = 10000;
    bool hidden = false;
    for (int n = 1; n < argc; ++n) {
        if (std::wcscmp(argv[n], L"--hidden") == 0) {
            hidden = true;
        } else {
            ticks = static_cast<int>(std::wcstol(argv[n], nullptr, 10));
        }
    }

    pelnor::MascotEnvironment environment = pelnor::MascotEnvironment::System();
    environment.monitorRect = [](HWND) { return RECT{100, 100, 1000, 700}; };
    pelnor::MascotWindow main(environment);
    if (!main.Create()) {
        std::puts("the mascot window could not be created");
        return 2;
    }
    if (!hidden) ShowWindow(main.Handle(), SW_SHOWNOACTIVATE);

    // The probes must see one new object of each kind, or their counts mean nothing.
    const int gdiBase = CountGdiObjects();
    const int userBase = CountUserObjects();
    const HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    const HMENU menu = CreatePopupMenu();
    const bool probesWork = CountGdiObjects() == gdiBase + 1 && CountUserObjects() == userBase + 1;
    DeleteObject(brush);
    DestroyMenu(menu);
    std::printf("probes %s a new brush and a new menu\n", probesWork ? "count" : "DO NOT count");

    // Beyond the top left corner, then beyond the bottom right one, and so on.
    int turn = 0;
    const auto tick = [&] {
        const int at = ++turn % 2 ? 0 : 2000;
        SetWindowPos(main.Handle(), nullptr, at, at, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        pelnor::MascotProbe::OnTick(main);
        tk::Application().ProcessMessages();
    };

    // Warm up: the first bounces make the region and the caches that stay.
    for (int n = 0; n < 20; ++n) tick();
    const int regionsBefore = main.RegionCount();
    const Sample before = Take();
    Print("before", before);

    const DWORD started = GetTickCount();
    for (int n = 0; n < ticks; ++n) tick();
    const DWORD elapsed = GetTickCount() - started;

    const Sample after = Take();
    Print("after", after);
    std::printf("%d ticks in %lu ms, %d outline regions applied, facing %s\n", ticks,
                static_cast<unsigned long>(elapsed), main.RegionCount() - regionsBefore,
                pelnor::MascotProbe::Motion(main).FaceLeft ? "left" : "right");

    const bool grew = after.gdiReported > before.gdiReported ||
                      after.userReported > before.userReported ||
                      after.gdiProbed > before.gdiProbed || after.userProbed > before.userProbed;
    std::puts(!probesWork ? "cannot tell whether GDI/USER objects grew"
              : grew      ? "GDI/USER objects grew"
                          : "GDI/USER objects did not grow");
    DestroyWindow(main.Handle());
    return grew || !probesWork ? 1 : 0;
}
