// Entry of the Win32 test programs: COM for the tests' own shortcut files,
// then GoogleTest.
#include <windows.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include "toolkit/Application.h"

int main(int argc, char** argv) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    tk::Application().Title = L"モフレン";
    testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    CoUninitialize();
    return result;
}
