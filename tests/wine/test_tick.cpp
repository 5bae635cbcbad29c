// The 500 ms tick runs all day: it must not allocate. All of this program's
// code, the C++ library's operator new included, reaches the C runtime's
// allocator through the executable's import table; the test points those
// entries at counters while the mascot ticks.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "mascot/MascotWindow.h"
#include "TestSupport.h"
#include "toolkit/Application.h"

namespace pelnor {
namespace {

long allocations = 0;

using MallocFunction = void*(__cdecl*)(std::size_t);
using CallocFunction = void*(__cdecl*)(std::size_t, std::size_t);
using ReallocFunction = void*(__cdecl*)(void*, std::size_t);
MallocFunction runtimeMalloc = nullptr;
CallocFunction runtimeCalloc = nullptr;
ReallocFunction runtimeRealloc = nullptr;

void* __cdecl CountedMalloc(std::size_t size) {
    ++allocations;
    return runtimeMalloc(size);
}
void* __cdecl CountedCalloc(std::size_t count, std::size_t size) {
    ++allocations;
    return runtimeCalloc(count, size);
}
void* __cdecl CountedRealloc(void* block, std::size_t size) {
    ++allocations;
    return runtimeRealloc(block, size);
}

// The import slot through which this executable calls `function` of `dll`.
void** ImportSlot(const char* dll, const char* function) {
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleW(nullptr));
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto* entry = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
         entry->Name; ++entry) {
        if (_stricmp(reinterpret_cast<const char*>(base + entry->Name), dll) != 0) continue;
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
            const auto* byName =
                reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<const char*>(byName->Name), function) == 0)
                return reinterpret_cast<void**>(&slots->u1.Function);
        }
    }
    return nullptr;
}

// Puts `replacement` in the slot and returns what was there; nullptr if the
// slot is missing.
void* Swap(void** slot, void* replacement) {
    if (!slot) return nullptr;
    DWORD protection = 0;
    VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &protection);
    void* before = *slot;
    *slot = replacement;
    VirtualProtect(slot, sizeof *slot, protection, &protection);
    return before;
}

// Counts allocations from construction to destruction.
class AllocationCounter {
  public:
    AllocationCounter()
        : malloc_(ImportSlot("msvcrt.dll", "malloc")),
          calloc_(ImportSlot("msvcrt.dll", "calloc")),
          realloc_(ImportSlot("msvcrt.dll", "realloc")) {
        runtimeMalloc = reinterpret_cast<MallocFunction>(
            Swap(malloc_, reinterpret_cast<void*>(&CountedMalloc)));
        runtimeCalloc = reinterpret_cast<CallocFunction>(
            Swap(calloc_, reinterpret_cast<void*>(&CountedCalloc)));
        runtimeRealloc = reinterpret_cast<ReallocFunction>(
            Swap(realloc_, reinterpret_cast<void*>(&CountedRealloc)));
        allocations = 0;
    }
    ~AllocationCounter() {
        Swap(malloc_, reinterpret_cast<void*>(runtimeMalloc));
        Swap(calloc_, reinterpret_cast<void*>(runtimeCalloc));
        Swap(realloc_, reinterpret_cast<void*>(runtimeRealloc));
    }
    AllocationCounter(const AllocationCounter&) = delete;
    AllocationCounter& operator=(const AllocationCounter&) = delete;

    bool Hooked() const { return malloc_ && calloc_ && realloc_; }
    long Count() const { return allocations; }

  private:
    void** malloc_;
    void** calloc_;
    void** realloc_;
};

std::wstring* volatile kept = nullptr;  // keeps the probe's allocation from being optimised away

TEST(Tick, AllocatesNothingOverAThousandTicks) {
    // A small monitor, so the figure bounces (a new shape and the other
    // picture) several times; a call armed for an hour that never comes, so
    // every tick reads the clock and checks it.
    const ClockTime now{9, 0, 0, 0};
    const RECT monitor{0, 0, 300, 200};
    MascotEnvironment environment{[now] { return now; }, [] { return std::wstring(L"山田"); },
                                  [] { return std::wstring(L"C:\\Mascot\\Pelnor.exe"); },
                                  [monitor](HWND) { return monitor; }};
    MascotWindow mascot(environment);
    ASSERT_TRUE(mascot.Create());
    MascotProbe::TickTimer(mascot).SetEnabled(false);  // ticked by hand
    ShowWindow(mascot.Handle(), SW_SHOWNOACTIVATE);
    UpdateWindow(mascot.Handle());
    MascotProbe::Call(mascot) =
        pelnor::Call(CallState{.Armed = true, .Hour = 21, .Minute = 30, .Name = {}, .Task = {}});
    tk::Application().ProcessMessages();
    const int regionsBefore = mascot.RegionCount();
    const int paintsBefore = mascot.PaintCount();

    long counted = 0;
    {
        AllocationCounter counter;
        ASSERT_TRUE(counter.Hooked());
        kept = new std::wstring(64, L'x');  // the string and its characters
        ASSERT_EQ(counter.Count(), 2) << "the counter does not see operator new";
        delete kept;
        const long before = counter.Count();
        for (int n = 0; n < 1000; ++n) {
            MascotProbe::OnTick(mascot);
            tk::Application().ProcessMessages();
        }
        counted = counter.Count() - before;
    }

    EXPECT_GE(mascot.RegionCount() - regionsBefore, 4) << "the ticks did not bounce";
    EXPECT_GT(mascot.PaintCount(), paintsBefore) << "the ticks did not paint";
    EXPECT_TRUE(MascotProbe::Call(mascot).State().Armed);
    EXPECT_EQ(counted, 0) << "allocations during 1000 ticks";
}

}  // namespace
}  // namespace pelnor
